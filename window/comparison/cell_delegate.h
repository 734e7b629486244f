#pragma once

#include <QHash>
#include <QStaticText>
#include <QStyledItemDelegate>

// Draws the comparison's cells as the standard delegate does, the text of each line laid out
// once and kept: a keystroke in a vote box repaints every cell of both tables, and laying out
// their numbers afresh each time takes most of a frame at twelve parties. Cells are always as
// wide as their text, so none is cut.
class CellDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
        const QModelIndex& index) const override;
    // The widest line, with the style's margins, from the lines laid out.
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    // A line of text laid out in a font, by the font's key and the text.
    const QStaticText& laidOut(const QString& line, const QFont& font) const;

    mutable QHash<QString, QStaticText> m_lines;
};
