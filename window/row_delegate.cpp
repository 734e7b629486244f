#include "window/row_delegate.h"

#include <QApplication>
#include <QPainter>

namespace {

constexpr int textMargin = 3;

}

void RowDelegate::paint(
    QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const bool selected = option.state & QStyle::State_Selected;
    const auto group = option.state & QStyle::State_Active ? QPalette::Active : QPalette::Inactive;
    if (selected)
        painter->fillRect(option.rect, option.palette.brush(group, QPalette::Highlight));
    painter->setPen(
        option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
    painter->setFont(option.font);
    painter->drawText(option.rect.adjusted(textMargin, 0, -textMargin, 0),
        Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, index.data().toString());

    if ((option.state & QStyle::State_HasFocus) && option.widget && option.widget->hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(option);
        focus.backgroundColor
            = option.palette.color(group, selected ? QPalette::Highlight : QPalette::Base);
        const QStyle* style = option.widget->style();
        style->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, option.widget);
    }
}

QSize RowDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const QFontMetrics metrics(option.font);
    return QSize(
        metrics.horizontalAdvance(index.data().toString()) + 2 * textMargin, metrics.height() + 2);
}
