#include "window/row_delegate.h"

#include "window/board_item.h"

#include <QApplication>
#include <QPainter>

namespace {

constexpr int textMargin = 3;

// Drawn at the right end of a row whose seat was decided between quotients that read equal.
const QString tieMarker = QStringLiteral("=");

} // namespace

RowDelegate::RowLayout RowDelegate::layoutRow(
    const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    RowLayout row { option.font, option.rect.adjusted(textMargin, 0, -textMargin, 0),
        index.data().toString(), false };

    // A seat's row is bold; a tie adds a marker, so colour is never the only sign.
    const int marks = index.data(BoardItem::rowMarkRole).toInt();
    if (marks & BoardItem::SeatMark)
        row.font.setBold(true);
    const QFontMetrics metrics = marks ? QFontMetrics(row.font) : option.fontMetrics;
    if (marks & BoardItem::TieMark) {
        row.tie = true;
        row.textRect.setRight(
            row.textRect.right() - metrics.horizontalAdvance(tieMarker) - textMargin);
    }

    // A number too wide for its list is elided with "…" rather than cut, which could make it
    // read as another number.
    if (metrics.horizontalAdvance(row.text) > row.textRect.width())
        row.text = metrics.elidedText(row.text, Qt::ElideRight, row.textRect.width());
    return row;
}

QString RowDelegate::shownText(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    return layoutRow(option, index).text;
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

    const RowLayout row = layoutRow(option, index);
    painter->setFont(row.font);
    if (row.tie) {
        painter->drawText(option.rect.adjusted(textMargin, 0, -textMargin, 0),
            Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine, tieMarker);
    }
    painter->drawText(
        row.textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, row.text);

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
