#include "window/lists/kept_selection.h"

QItemSelectionModel::SelectionFlags keptSelection(QItemSelectionModel::SelectionFlags command)
{
    if (command & (QItemSelectionModel::Deselect | QItemSelectionModel::Toggle))
        return QItemSelectionModel::NoUpdate;
    if ((command & QItemSelectionModel::Clear) && !(command & QItemSelectionModel::Select))
        return QItemSelectionModel::NoUpdate;
    return command;
}
