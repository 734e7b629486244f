#include "window/lists/row_delegate.h"

#include "window/lists/quotient_model.h"

#include <QPainter>
#include <QRegularExpression>
#include <QtMath>

namespace {

constexpr int textMargin = 3;
constexpr int markGap = 1; // between a number and its mark
constexpr double markScale = 0.7; // the seat number's size against the row's
constexpr double markRise = 0.4; // of the number's ascent, as a superscript stands

// Drawn after a quotient that read equal to the winning quotient of its seat.
const QString tieMarker = QStringLiteral("=");

} // namespace

namespace {

// The characters of a number as the board writes it, exponents aside.
const QString numberCharacters = QStringLiteral("0123456789.-");

// True when the text is a plain number whose every character is at most `advance` wide, with
// room for one more: such a text fits whatever the font's kerning.
bool surelyFits(const QString& text, int advance, int width)
{
    if (advance <= 0 || (text.size() + 1) * advance > width)
        return false;
    for (const QChar c : text) {
        if (!numberCharacters.contains(c))
            return false;
    }
    return true;
}

// The baseline of one line of text centred in the rectangle.
int baseline(const QRect& rect, const QFontMetrics& metrics)
{
    return rect.top() + (rect.height() - metrics.height()) / 2 + metrics.ascent();
}

} // namespace

QString elidedRowText(
    const QString& text, const QFontMetrics& metrics, int width, int numberAdvance)
{
    if (surelyFits(text, numberAdvance, width) || metrics.horizontalAdvance(text) <= width)
        return text;
    static const QRegularExpression exponent(QStringLiteral("^(.*[0-9.])([eE][+-]?[0-9]+)$"));
    const auto match = exponent.match(text);
    if (match.hasMatch()) {
        const QString tail = match.captured(2);
        const int room = width - metrics.horizontalAdvance(tail);
        // The exponent stays whatever the room: without it the number would read as another.
        if (room > metrics.horizontalAdvance(QChar(0x2026)))
            return metrics.elidedText(match.captured(1), Qt::ElideRight, room) + tail;
        return QString(QChar(0x2026)) + tail;
    }
    return metrics.elidedText(text, Qt::ElideRight, width);
}

int RowDelegate::Fonts::width(const QString& text, bool inBold) const
{
    // Marked rows are repainted with every seat: each number is measured once per font.
    const QString key = (inBold ? QStringLiteral("b") : QStringLiteral("r")) + text;
    const auto known = widths.constFind(key);
    if (known != widths.constEnd())
        return *known;
    const int measured = (inBold ? boldMetrics : regularMetrics).horizontalAdvance(text);
    widths.insert(key, measured);
    return measured;
}

int RowDelegate::Fonts::markWidth(const QString& seatMark) const
{
    const QString key = QStringLiteral("m") + seatMark;
    const auto known = widths.constFind(key);
    if (known != widths.constEnd())
        return *known;
    const int measured = markMetrics.horizontalAdvance(seatMark);
    widths.insert(key, measured);
    return measured;
}

const RowDelegate::Fonts& RowDelegate::fontsFor(const QFont& font) const
{
    if (m_fontsSet && m_fonts.regular == font)
        return m_fonts;
    m_fonts.regular = font;
    m_fonts.bold = font;
    m_fonts.bold.setBold(true);
    m_fonts.mark = font;
    m_fonts.mark.setPointSizeF(font.pointSizeF() * markScale);
    m_fonts.regularMetrics = QFontMetrics(font);
    m_fonts.boldMetrics = QFontMetrics(m_fonts.bold);
    m_fonts.markMetrics = QFontMetrics(m_fonts.mark);
    m_fonts.widths.clear();
    m_fonts.numberAdvance = 0;
    for (const QChar c : numberCharacters) {
        m_fonts.numberAdvance = qMax(m_fonts.numberAdvance,
            qMax(m_fonts.boldMetrics.horizontalAdvance(c),
                m_fonts.regularMetrics.horizontalAdvance(c)));
    }
    m_fontsSet = true;
    return m_fonts;
}

RowDelegate::RowLayout RowDelegate::layoutRow(
    const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    RowLayout row { option.font, option.rect.adjusted(textMargin, 0, -textMargin, 0),
        index.data().toString(), 0, 1, {}, {}, {} };
    const Fonts& fonts = fontsFor(option.font);
    const int room = row.textRect.width();

    // Bold and a number for the quotient that won a seat, "=" for a tie: never colour alone.
    const int marks = index.data(QuotientModel::markRole).toInt();
    const int seat = QuotientModel::wonSeat(marks);
    if (seat > 0)
        row.font = fonts.bold;
    const QFontMetrics& metrics = seat > 0 ? fonts.boldMetrics : fonts.regularMetrics;

    const QString whole = row.text;
    row.text = elidedRowText(whole, metrics, room, fonts.numberAdvance);
    if (row.text != whole && seat > 0 && room > 0
        && elidedRowText(whole, fonts.regularMetrics, room, fonts.numberAdvance) == whole) {
        // Fits plain but not bold: drawn bold and a little narrower, whole.
        row.text = whole;
        row.squeeze = static_cast<qreal>(room) / metrics.horizontalAdvance(whole);
    }
    QString mark = seat > 0 ? QString::number(seat) : QString();
    if (QuotientModel::tied(marks))
        mark += tieMarker;
    if (mark.isEmpty())
        return row; // most rows: nothing more to measure
    row.textWidth = row.squeeze < 1 ? room : fonts.width(row.text, row.font.bold());
    if (row.squeeze < 1 || row.text != whole)
        return row; // the number took the room
    const int markWidth = fonts.markWidth(mark);
    const int markLeft = row.textRect.left() + qCeil(row.textWidth) + markGap;
    if (markLeft + markWidth > row.textRect.right() + 1)
        return row; // the mark gives way; the row's tooltip keeps the seat
    row.marks = mark;
    row.markFont = fonts.mark;
    const int baselineY = baseline(row.textRect, metrics);
    const int markBaseline = baselineY - qRound(metrics.ascent() * markRise);
    row.markRect = QRect(
        markLeft, markBaseline - fonts.markMetrics.ascent(), markWidth, fonts.markMetrics.height());
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

    // Drawn at a point rather than in a rectangle: the rectangle's alignment goes through the
    // rich text layout, the dearest part of a row, and one line of plain text needs none of it.
    const RowLayout row = layoutRow(option, index);
    const Fonts& fonts = fontsFor(option.font);
    if (!row.marks.isEmpty()) {
        painter->setFont(row.markFont);
        painter->drawText(
            QPoint(row.markRect.left(), row.markRect.top() + fonts.markMetrics.ascent()),
            row.marks);
    }
    painter->setFont(row.font);
    const QFontMetrics& metrics = row.font.bold() ? fonts.boldMetrics : fonts.regularMetrics;
    const QPoint at(row.textRect.left(), baseline(row.textRect, metrics));
    if (row.squeeze < 1) {
        painter->save();
        painter->translate(at);
        painter->scale(row.squeeze, 1);
        painter->drawText(QPoint(0, 0), row.text);
        painter->restore();
    } else {
        painter->drawText(at, row.text);
    }

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
