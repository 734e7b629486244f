#pragma once

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
};

// The text elided to the width, with "…" where it was cut; a number's exponent ("E+20") stays
// whole at the end, so the elided text never reads as another number.
QString elidedRowText(const QString& text, const QFontMetrics& metrics, int width);
