#include "window/lists/quotient_model.h"

#include "core/teaching/explanation.h"

#include <algorithm>

using namespace apportion;

QuotientModel::QuotientModel(std::shared_ptr<const Board> board, int party, QObject* parent)
    : QAbstractListModel(parent)
    , m_board(std::move(board))
    , m_party(std::clamp(party, 0, maxPartyCount - 1))
{
    showBoard();
}

int QuotientModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_shownRows;
}

QVariant QuotientModel::data(const QModelIndex& index, int role) const
{
    const int party = m_party;
    if (!index.isValid() || index.row() < 0)
        return {};
    const auto row = static_cast<std::size_t>(index.row());
    const auto& rows = partyRows();
    if (row >= rows.size())
        return {};

    switch (role) {
    case Qt::DisplayRole:
        return QString::fromStdString(rows[row]);
    case Qt::ToolTipRole:
    case Qt::AccessibleDescriptionRole:
        return QString::fromStdString(ExplainRow(*m_board, party, row));
    case markRole: {
        const RowMark mark = MarkOfRow(*m_board, party, row);
        return mark.seat * 2 + (mark.tie ? 1 : 0);
    }
    default:
        return {};
    }
}

const std::vector<std::string>& QuotientModel::partyRows() const
{
    // A party the board no longer has shows nothing until its column is taken away.
    static const std::vector<std::string> none;
    const auto party = static_cast<std::size_t>(m_party);
    return party < m_board->parties.size() ? m_board->parties[party].rows : none;
}

void QuotientModel::showBoard()
{
    // Every operation grows or shrinks the board's rows at their end: entering the votes and a
    // new example start from empty lists, and undo gives back a cleared allocation to empty ones.
    const int rows = static_cast<int>(partyRows().size());
    if (rows > m_shownRows) {
        beginInsertRows({}, m_shownRows, rows - 1);
        m_shownRows = rows;
        endInsertRows();
    } else if (rows < m_shownRows) {
        beginRemoveRows({}, rows, m_shownRows - 1);
        m_shownRows = rows;
        endRemoveRows();
    }
    // A seat marks the row before the one it wrote; an undo takes that mark off again.
    if (m_shownRows >= 2)
        emit dataChanged(index(m_shownRows - 2), index(m_shownRows - 1));
}
