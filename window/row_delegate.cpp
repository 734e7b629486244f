#include "window/row_delegate.h"

#include "window/quotient_model.h"

#include <QPainter>
#include <QRegularExpression>

namespace {

constexpr int textMargin = 3;
constexpr double markScale = 0.7; // the seat number's size against the row's

// Drawn at the right end of a row that read equal to the winning quotient of its seat.
const QString tieMarker = QStringLiteral("=");

} // namespace

QString elidedRowText(const QString& text, const QFontMetrics& metrics, int width)
{
    if (metrics.horizontalAdvance(text) <= width)
        return text;
    static const QRegularExpression exponent(QStringLiteral("^(.*[0-9.])([eE][+-]?[0-9]+)$"));
    const auto match = exponent.match(text);
    if (match.hasMatch()) {
        const QString tail = match.captured(2);
        const int room = width - metrics.horizontalAdvance(tail);
        if (room > metrics.horizontalAdvance(QChar(0x2026)))
            return metrics.elidedText(match.captured(1), Qt::ElideRight, room) + tail;
    }
    return metrics.elidedText(text, Qt::ElideRight, width);
}

RowDelegate::RowLayout RowDelegate::layoutRow(
    const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    RowLayout row { option.font, option.rect.adjusted(textMargin, 0, -textMargin, 0),
        index.data().toString(), {}, {}, {} };

    // Bold and a number for the quotient that won a seat, "=" for a tie: never colour alone.
    const int seat = index.data(QuotientModel::seatRole).toInt();
    const bool tie = index.data(QuotientModel::tieRole).toBool();
    if (seat > 0)
        row.font.setBold(true);
    if (tie)
        row.marks = tieMarker;
    if (seat > 0)
        row.marks += (tie ? QStringLiteral(" ") : QString()) + QString::number(seat);
    const QFontMetrics metrics = seat > 0 ? QFontMetrics(row.font) : option.fontMetrics;
    if (!row.marks.isEmpty()) {
        row.markFont = option.font;
        row.markFont.setPointSizeF(option.font.pointSizeF() * markScale);
        const int width = QFontMetrics(row.markFont).horizontalAdvance(row.marks);
        row.markRect = row.textRect;
        row.markRect.setLeft(row.textRect.right() - width);
        row.textRect.setRight(row.markRect.left() - textMargin);
    }
    row.text = elidedRowText(row.text, metrics, row.textRect.width());
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
    if (!row.marks.isEmpty()) {
        painter->setFont(row.markFont);
        painter->drawText(
            row.markRect, Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine, row.marks);
    }
    painter->setFont(row.font);
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

QSize RowDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const
{
    return QSize(2 * textMargin, option.fontMetrics.height() + 2);
}
