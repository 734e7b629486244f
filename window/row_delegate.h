#pragma once

#include <QStyledItemDelegate>

// Draws a list row as a classic list box does: one line of text, the selection highlight and
// the focus rectangle. The lists gain a row on every seat and repaint whole, and the styled
// delegate's full item layout (icons, check boxes, elision) made that the dearest part of a seat.
class RowDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
        const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};
