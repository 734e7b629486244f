#include "window/row_list.h"

QItemSelectionModel::SelectionFlags keptSelection(QItemSelectionModel::SelectionFlags command)
{
    if (command & (QItemSelectionModel::Deselect | QItemSelectionModel::Toggle))
        return QItemSelectionModel::NoUpdate;
    if ((command & QItemSelectionModel::Clear) && !(command & QItemSelectionModel::Select))
        return QItemSelectionModel::NoUpdate;
    return command;
}

RowList::RowList(QWidget* parent)
    : QListView(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
}

QItemSelectionModel::SelectionFlags RowList::selectionCommand(
    const QModelIndex& index, const QEvent* event) const
{
    return keptSelection(QListView::selectionCommand(index, event));
}
