#include "window/form/text_box_keys.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>

namespace {

bool isCtrlY(const QKeyEvent* key)
{
    return key->key() == Qt::Key_Y
        && (key->modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier;
}

// The keys a vote box edits with, whatever the platform binds them to.
bool isEditingKey(const QKeyEvent* key)
{
    for (const auto standard : { QKeySequence::Undo, QKeySequence::Redo, QKeySequence::Cut,
             QKeySequence::Copy, QKeySequence::Paste, QKeySequence::SelectAll }) {
        if (key->matches(standard))
            return true;
    }
    const auto combination = key->keyCombination();
    return isCtrlY(key)
        || combination == QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z);
}

} // namespace

bool TextBoxKeys::openOwnMenu(QObject* watched, QContextMenuEvent* event)
{
    // A text box's own menu, in the box's font, which is the window's zoomed one. A multi-line
    // box takes a mouse's menu through its viewport.
    QMenu* menu = nullptr;
    QWidget* box = nullptr;
    if (auto* line = qobject_cast<QLineEdit*>(watched)) {
        menu = line->createStandardContextMenu();
        box = line;
        // The menu's paste is offered to the handler first, as the keys' is.
        // The box's own paste, known by its caption in the box's own language: Qt 6.4 gives
        // the menu's actions no names.
        const QString pasteCaption = QCoreApplication::translate("QLineEdit", "&Paste");
        QAction* paste = nullptr;
        for (QAction* action : menu->actions()) {
            if (action->text().section(QLatin1Char('\t'), 0, 0) == pasteCaption)
                paste = action;
        }
        if (paste && m_paste) {
            // A table copied from some browsers comes as HTML alone, which the box's own
            // paste does not count: the handler reads it.
            const QMimeData* clipboard = QGuiApplication::clipboard()->mimeData();
            if (!line->isReadOnly() && clipboard && clipboard->hasHtml())
                paste->setEnabled(true);
            disconnect(paste, &QAction::triggered, nullptr, nullptr);
            connect(paste, &QAction::triggered, line, [this, line] {
                if (!m_paste(line))
                    line->paste();
            });
        }
    } else {
        auto* text = qobject_cast<QPlainTextEdit*>(watched);
        if (!text && watched->parent())
            text = qobject_cast<QPlainTextEdit*>(watched->parent());
        if (!text)
            return false;
        const QPoint at
            = watched == text ? text->viewport()->mapFrom(text, event->pos()) : event->pos();
        menu = text->createStandardContextMenu(at);
        box = text;
    }
    menu->setFont(box->font());
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
    event->accept();
    return true;
}

bool TextBoxKeys::eventFilter(QObject* watched, QEvent* event)
{
    const auto type = event->type();
    if (type == QEvent::ContextMenu)
        return openOwnMenu(watched, static_cast<QContextMenuEvent*>(event));
    if (type != QEvent::ShortcutOverride && type != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);

    if (auto* box = qobject_cast<QLineEdit*>(watched)) {
        if (!isEditingKey(key))
            return false;
        if (type == QEvent::ShortcutOverride) {
            event->accept(); // the key goes to the box, not to the window's action
            return false;
        }
        if (key->matches(QKeySequence::Paste) && m_paste && m_paste(box))
            return true;
        // Ctrl+Y is redo in a vote box wherever the platform binds it to something else, or
        // to nothing.
        if (isCtrlY(key)) {
            box->redo();
            return true;
        }
        return false;
    }

    if (auto* text = qobject_cast<QPlainTextEdit*>(watched)) {
        const bool kept = key->matches(QKeySequence::Copy) || key->matches(QKeySequence::SelectAll);
        if (type == QEvent::ShortcutOverride && kept && text->textCursor().hasSelection())
            event->accept();
    }
    return false;
}
