#pragma once

#include <QFontMetrics>
#include <QHash>
#include <QStyledItemDelegate>

// Draws a list row as a classic list box does: one line of text, the selection highlight and
// the focus rectangle. A quotient that won a seat is bold with the seat's number small and raised
// right after it, as on paper ("29062.5³"); a quotient that read equal to a seat's winner carries
// "=" there. The number always wins its room: where number and mark do not both fit, the mark
// gives way, and a bold number that would not fit bold where it fits plain is drawn narrower. A
// row too wide for its list is elided, its exponent, if any, kept in view. The lists gain a row on
// every seat and repaint whole, and the styled delegate's full item layout (icons, check boxes)
// made that the dearest part of a seat.
class RowDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
        const QModelIndex& index) const override;
    // As high as a line of text and narrow, so that a row takes the list's width and the list
    // never scrolls sideways.
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    // Where a row's text and marks are drawn, in the view's coordinates.
    struct RowLayout {
        QFont font;
        QRect textRect; // the room for the text
        QString text; // the item's, or its elided form where it does not fit
        qreal textWidth = 0; // as drawn, measured for a marked row only
        qreal squeeze = 1; // the horizontal scale a bold number is drawn at to fit
        QFont markFont;
        QRect markRect; // right after the text, raised; empty without marks
        QString marks; // the seat number, "=", or both; empty where they gave way
    };
    RowLayout layoutRow(const QStyleOptionViewItem& option, const QModelIndex& index) const;

    // The text as drawn in the row.
    QString shownText(const QStyleOptionViewItem& option, const QModelIndex& index) const;

private:
    // Fonts and metrics derived from the lists' font, kept while it stays the same: a seat
    // repaints every visible row of five lists, and building them each time cost more than the
    // drawing.
    struct Fonts {
        QFont regular;
        QFont bold;
        QFont mark;
        QFontMetrics regularMetrics { QFont() };
        QFontMetrics boldMetrics { QFont() };
        QFontMetrics markMetrics { QFont() };
        int numberAdvance = 0; // the widest digit, point or minus, bold or not
        // Widths measured in these fonts, by text; a window's rows have a few hundred numbers.
        mutable QHash<QString, int> widths;
        int width(const QString& text, bool inBold) const;
        int markWidth(const QString& seatMark) const;
    };
    const Fonts& fontsFor(const QFont& font) const;
    mutable Fonts m_fonts;
    mutable bool m_fontsSet = false;
};

// The text elided to the width, with "…" where it was cut; a number's exponent ("E+20") stays
// whole at the end, so the elided text never reads as another number. `numberAdvance`, if not
// 0, is the widest advance of a character of a number in this font: a number that fits by it
// is not measured.
QString elidedRowText(
    const QString& text, const QFontMetrics& metrics, int width, int numberAdvance = 0);
