#pragma once

class QCoreApplication;

// Loads Qt's own Bulgarian texts (context menus of the text boxes, and the like), so that they
// speak the window's language whatever the system's. Returns false when they are not installed;
// Qt's English texts then stay.
bool installBulgarianQtTexts(QCoreApplication& application);
