#include "window/board_item.h"

#include "core/explanation.h"

using namespace apportion;

BoardItem::BoardItem(const QString& text, const Board& board, int column, std::size_t row)
    : QListWidgetItem(text)
    , m_board(board)
    , m_column(column)
    , m_row(row)
{
}

QVariant BoardItem::data(int role) const
{
    switch (role) {
    case Qt::ToolTipRole:
    case Qt::AccessibleDescriptionRole:
        return explanation();
    case rowMarkRole: {
        if (m_column == divisorColumn)
            return 0;
        const RowMark mark = MarkOfRow(m_board, m_column, m_row);
        return (mark.seat ? SeatMark : 0) | (mark.tie ? TieMark : 0);
    }
    default:
        return QListWidgetItem::data(role);
    }
}

QString BoardItem::explanation() const
{
    if (m_column != divisorColumn)
        return QString::fromStdString(ExplainRow(m_board, m_column, m_row));
    if (!m_board.method || m_row >= m_board.divisors.size())
        return {};
    return QString::fromStdString(ExplainDivisor(*m_board.method, static_cast<int>(m_row)));
}
