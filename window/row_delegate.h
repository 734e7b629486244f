#pragma once

#include <QFontMetrics>
#include <QStyledItemDelegate>

// Draws a list row as a classic list box does: one line of text, the selection highlight and
// the focus rectangle. A quotient that won a seat is bold with the seat's number drawn small at
// the row's right; a quotient that read equal to a seat's winner carries "=" there. A row too
// wide for its list is elided, its exponent, if any, kept in view. The lists gain a row on every
// seat and repaint whole, and the styled delegate's full item layout (icons, check boxes) made
// that the dearest part of a seat.
class RowDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
        const QModelIndex& index) const override;
    // As high as a line of text and narrow, so that a row takes the list's width and the list
    // never scrolls sideways.
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    // The text as drawn in the row: the item's, or its elided form where it does not fit.
    QString shownText(const QStyleOptionViewItem& option, const QModelIndex& index) const;

private:
    struct RowLayout {
        QFont font;
        QRect textRect;
        QString text;
        QFont markFont;
        QRect markRect;
        QString marks; // "=", the seat number, or both
    };
    RowLayout layoutRow(const QStyleOptionViewItem& option, const QModelIndex& index) const;

    // Fonts and metrics derived from the lists' font, kept while it stays the same: a seat
    // repaints every visible row of five lists, and building them each time cost more than the
    // drawing.
    struct Fonts {
        QFont regular;
        QFont bold;
        QFont mark;
        QFontMetrics boldMetrics { QFont() };
        QFontMetrics markMetrics { QFont() };
        int numberAdvance = 0; // the widest digit, point or minus, bold or not
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
