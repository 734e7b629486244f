#include "window/lists/seat_list.h"

#include "window/lists/kept_selection.h"

QItemSelectionModel::SelectionFlags SeatList::selectionCommand(
    const QModelIndex& index, const QEvent* event) const
{
    return keptSelection(QListWidget::selectionCommand(index, event));
}
