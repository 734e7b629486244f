#include "window/form/menu_routing.h"

#include "window/form/form_actions.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>

void openContextMenu(
    const FormActions& actions, QWidget* window, const QPoint& globalPosition, const QFont& font)
{
    QMenu* menu = actions.createMenu(window);
    menu->setFont(font);
    // A submenu is a window of its own and takes no font from the menu.
    for (QMenu* submenu : menu->findChildren<QMenu*>())
        submenu->setFont(font);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(globalPosition);
}

void openContextMenuFromKeyboard(const FormActions& actions, QWidget* window, const QFont& font)
{
    QWidget* focus = window->focusWidget();
    if (!focus)
        focus = window;
    const QPoint centre = focus->rect().center();
    if (qobject_cast<QLineEdit*>(focus) || qobject_cast<QPlainTextEdit*>(focus)) {
        QContextMenuEvent event(QContextMenuEvent::Keyboard, centre, focus->mapToGlobal(centre));
        QApplication::sendEvent(focus, &event);
        return;
    }
    openContextMenu(actions, window, focus->mapToGlobal(centre), font);
}
