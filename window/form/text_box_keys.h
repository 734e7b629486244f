#pragma once

#include <QObject>

class QContextMenuEvent;

// Gives a text box's own keys to the text box, ahead of the window's shortcuts: a vote box keeps
// undo, redo (Ctrl+Y too, which is not redo in a line edit on every platform), cut, copy, paste
// and select all; a read-only text keeps copy and select all while it has a selection. It also
// opens a text box's own menu in the box's font, so that it follows the window's zoom. Install it
// on each text box, and on a multi-line box's viewport.
class TextBoxKeys : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static bool openOwnMenu(QObject* watched, QContextMenuEvent* event);
};
