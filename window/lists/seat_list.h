#pragma once

#include <QListWidget>

// A single-selection list whose selection can be moved but never removed: Qt lets Ctrl+click
// and Ctrl+Space deselect the current item of a single-selection list, which would leave the
// seat total unread.
class SeatList : public QListWidget {
    Q_OBJECT

public:
    using QListWidget::QListWidget;

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(
        const QModelIndex& index, const QEvent* event = nullptr) const override;
};
