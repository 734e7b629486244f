#include "window/seat_list.h"

#include "window/row_list.h"

QItemSelectionModel::SelectionFlags SeatList::selectionCommand(
    const QModelIndex& index, const QEvent* event) const
{
    return keptSelection(QListWidget::selectionCommand(index, event));
}
