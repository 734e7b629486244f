#include "window/lists/row_list.h"

#include "window/lists/kept_selection.h"

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
