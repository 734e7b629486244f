#pragma once

#include <QObject>

#include <functional>

class QContextMenuEvent;
class QLineEdit;

// Gives a text box's own keys to the text box, ahead of the window's shortcuts: a vote box keeps
// undo, redo (Ctrl+Y too, which is not redo in a line edit on every platform), cut, copy, paste
// and select all; a read-only text keeps copy and select all while it has a selection. It also
// opens a text box's own menu in the box's font, so that it follows the window's zoom. Install it
// on each text box, and on a multi-line box's viewport.
class TextBoxKeys : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    // Offered every paste into a line box, by its keys or its menu, before the box pastes: true
    // where it took the clipboard itself.
    void setPasteHandler(std::function<bool(QLineEdit*)> handler) { m_paste = std::move(handler); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool openOwnMenu(QObject* watched, QContextMenuEvent* event);

    std::function<bool(QLineEdit*)> m_paste;
};
