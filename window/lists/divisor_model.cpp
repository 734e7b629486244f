#include "window/lists/divisor_model.h"

#include "core/teaching/explanation.h"

using namespace apportion;

DivisorModel::DivisorModel(std::shared_ptr<const Board> board, QObject* parent)
    : QAbstractListModel(parent)
    , m_board(std::move(board))
{
    showBoard();
}

int DivisorModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_shownRows;
}

QVariant DivisorModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() < 0)
        return {};
    const auto row = static_cast<std::size_t>(index.row());
    if (row >= m_board->divisors.size())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return QString::fromStdString(m_board->divisors[row]);
    case Qt::ToolTipRole:
    case Qt::AccessibleDescriptionRole:
        if (!m_board->method)
            return {};
        return QString::fromStdString(ExplainDivisor(*m_board->method, index.row()));
    default:
        return {};
    }
}

bool DivisorModel::showBoard()
{
    const int rows = static_cast<int>(m_board->divisors.size());
    if (rows == m_shownRows && m_board->method == m_shownMethod)
        return false;
    beginResetModel();
    m_shownRows = rows;
    m_shownMethod = m_board->method;
    endResetModel();
    return true;
}
