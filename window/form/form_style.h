#pragma once

#include <QString>

// The window's style sheet (the resource form.qss) with every size in px scaled by the zoom.
QString formStyleSheet(double zoom);
