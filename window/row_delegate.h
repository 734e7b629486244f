#pragma once

#include <QStyledItemDelegate>

// Draws a list row as a classic list box does: one line of text, the selection highlight and
// the focus rectangle; a row too wide is elided, and a seat's row carries its marks. The lists
// gain a row on every seat and repaint whole, and the styled delegate's full item layout (icons,
// check boxes) made that the dearest part of a seat.
class RowDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
        const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    // The text as drawn in the row: the item's, or its elided form where it does not fit.
    QString shownText(const QStyleOptionViewItem& option, const QModelIndex& index) const;

private:
    struct RowLayout {
        QFont font;
        QRect textRect;
        QString text;
        bool tie;
    };
    RowLayout layoutRow(const QStyleOptionViewItem& option, const QModelIndex& index) const;
};
