#include "window/form/name_box.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>

namespace {

constexpr int textMargin = 2; // a line edit's own margin on either side of its text

} // namespace

QRect NameBox::textArea() const
{
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    return style()
        ->subElementRect(QStyle::SE_LineEditContents, &panel, this)
        .marginsRemoved(textMargins())
        .adjusted(textMargin, 0, -textMargin, 0);
}

QString NameBox::shownText() const
{
    if (hasFocus() || echoMode() != Normal)
        return text();
    return fontMetrics().elidedText(text(), Qt::ElideRight, textArea().width());
}

void NameBox::paintEvent(QPaintEvent* event)
{
    const QString shown = shownText();
    if (shown == text()) {
        QLineEdit::paintEvent(event);
        return;
    }
    QPainter painter(this);
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &panel, &painter, this);
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Text));
    painter.drawText(textArea(), Qt::AlignLeft | Qt::AlignVCenter, shown);
}
