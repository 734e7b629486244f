#pragma once

#include <QItemSelectionModel>

// Keeps a single-selection list's selection from being emptied by the user: Qt lets Ctrl+click
// and Ctrl+Space deselect the current item. Moving the selection stays allowed. Both kinds of
// list the window has (RowList, SeatList) filter their selection commands through it.
QItemSelectionModel::SelectionFlags keptSelection(QItemSelectionModel::SelectionFlags command);
