#include "window/comparison/comparison_model.h"

#include "window/picture/seat_chart.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QHash>
#include <QIcon>
#include <QPixmap>

using namespace apportion;

namespace {

// "с 1 мандат повече от D’Hondt", "с 2 мандата по-малко от D’Hondt".
QString changeText(int change)
{
    const int seats = change < 0 ? -change : change;
    return QStringLiteral("с %1 %2 %3 от D’Hondt")
        .arg(seats)
        .arg(seats == 1 ? QStringLiteral("мандат") : QStringLiteral("мандата"))
        .arg(change > 0 ? QStringLiteral("повече") : QStringLiteral("по-малко"));
}

// A count over its share, so that the table is narrow enough for a projector's screen at a large
// zoom: "3 ▲" over "(42.9 %)". Cells without a share, the indices, show as they are.
QString shownText(const ComparisonTable::Cell& cell)
{
    if (cell.share.empty())
        return QString::fromStdString(cell.text);
    return QString::fromStdString(cell.count + ChangeMark(cell.change))
        + QStringLiteral("\n(%1 %)").arg(QString::fromStdString(cell.share));
}

// The indices' headings on two lines, for the same reason.
const QHash<QString, QString> wrappedHeadings {
    { QStringLiteral("Индекс на Галахър"), QStringLiteral("Индекс на\nГалахър") },
    { QStringLiteral("Ефективен брой партии"), QStringLiteral("Ефективен\nброй партии") },
};

} // namespace

void ComparisonModel::setTable(ComparisonTable table)
{
    const bool sameShape
        = table.rows.size() == m_table.rows.size() && table.header.size() == m_table.header.size();
    if (!sameShape)
        beginResetModel();
    m_table = std::move(table);
    if (!sameShape) {
        endResetModel();
    } else if (rowCount() > 0 && columnCount() > 0) {
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
    }
}

int ComparisonModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_table.rows.size());
}

int ComparisonModel::columnCount(const QModelIndex& parent) const
{
    // The first column of the table, the method, is the rows' heading.
    return parent.isValid() || m_table.header.empty() ? 0
                                                      : static_cast<int>(m_table.header.size()) - 1;
}

const ComparisonTable::Cell* ComparisonModel::cell(const QModelIndex& index) const
{
    if (!index.isValid() || index.row() < 0 || index.row() >= rowCount())
        return nullptr;
    const auto& row = m_table.rows[static_cast<std::size_t>(index.row())];
    const auto column = static_cast<std::size_t>(index.column()) + 1;
    return index.column() >= 0 && column < row.size() ? &row[column] : nullptr;
}

QVariant ComparisonModel::data(const QModelIndex& index, int role) const
{
    const ComparisonTable::Cell* shown = cell(index);
    if (!shown)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return shownText(*shown);
    case Qt::AccessibleTextRole:
        return QString::fromStdString(shown->text);
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    case Qt::FontRole:
        if (shown->change != 0) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return {};
    case Qt::BackgroundRole:
        // Hatched, not only tinted, where the threshold leaves the party out.
        if (shown->underThreshold)
            return QBrush(Qt::gray, Qt::BDiagPattern);
        if (shown->change != 0)
            return QBrush(shown->change > 0 ? QColor(214, 240, 214) : QColor(248, 218, 218));
        return {};
    case Qt::ToolTipRole:
    case Qt::AccessibleDescriptionRole:
        if (shown->underThreshold)
            return QStringLiteral("под прага: без мандати");
        if (shown->change != 0)
            return changeText(shown->change);
        if (index.row() + 1 == rowCount())
            return QString::fromStdString(m_table.workingSentence);
        return {};
    default:
        return {};
    }
}

namespace {

// Letters of a party's name that a column head shows; the rest is in its tooltip.
constexpr int longestHeading = 16;

} // namespace

QString ComparisonModel::shortHeading(const QString& heading)
{
    return heading.size() > longestHeading ? heading.left(longestHeading - 1) + QStringLiteral("…")
                                           : heading;
}

bool ComparisonModel::underThreshold(int party) const
{
    const auto column = static_cast<std::size_t>(party) + 1;
    return !m_table.rows.empty() && column < m_table.rows.front().size()
        && m_table.rows.front()[column].underThreshold;
}

QVariant ComparisonModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (section < 0)
        return {};
    const auto at = static_cast<std::size_t>(section);
    if (orientation == Qt::Horizontal) {
        if (at + 1 >= m_table.header.size())
            return {};
        const bool party = at + 3 < m_table.header.size(); // past the parties: the two indices
        // A party's colour in the picture, beside its name.
        if (role == Qt::DecorationRole && party) {
            QPixmap swatch(12, 12);
            swatch.fill(SeatChart::partyColour(section));
            return QIcon(swatch);
        }
        const QString heading = QString::fromStdString(m_table.header[at + 1]);
        // A long name is cut in the head and read whole in its tooltip.
        if (role == Qt::ToolTipRole && party)
            return heading;
        if (role != Qt::DisplayRole)
            return {};
        if (party && heading.size() > longestHeading)
            return shortHeading(heading)
                + (underThreshold(section) ? QStringLiteral("\n(под прага)") : QString());
        if (party && underThreshold(section))
            return heading + QStringLiteral("\n(под прага)");
        return wrappedHeadings.value(heading, heading);
    }
    if (at >= m_table.rows.size() || m_table.rows[at].empty())
        return {};
    const QString caption = QString::fromStdString(m_table.rows[at].front().text);
    if (role == Qt::DisplayRole)
        return caption;
    // The quota method's row tells its working in a sentence.
    if ((role == Qt::ToolTipRole || role == Qt::AccessibleDescriptionRole)
        && caption == QString::fromUtf8(hareNiemeyerCaption))
        return QString::fromStdString(m_table.workingSentence);
    return {};
}
