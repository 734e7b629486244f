#include "window/seat_list.h"

QItemSelectionModel::SelectionFlags SeatList::selectionCommand(
    const QModelIndex& index, const QEvent* event) const
{
    const auto command = QListWidget::selectionCommand(index, event);
    if (command & (QItemSelectionModel::Deselect | QItemSelectionModel::Toggle))
        return QItemSelectionModel::NoUpdate;
    if ((command & QItemSelectionModel::Clear) && !(command & QItemSelectionModel::Select))
        return QItemSelectionModel::NoUpdate;
    return command;
}
