#pragma once

#include <QObject>

class FormActions;
class QFont;
class QPoint;
class QWidget;

// Opens the window's context menu of the teacher's actions at a point, in the given font, so
// that it follows the window's zoom.
void openContextMenu(
    const FormActions& actions, QWidget* window, const QPoint& globalPosition, const QFont& font);

// The context menu from the keyboard (the Menu key, Shift+F10): a focused text box opens its own
// menu, as its right click does; elsewhere the window's menu opens at the focused control.
void openContextMenuFromKeyboard(const FormActions& actions, QWidget* window, const QFont& font);
