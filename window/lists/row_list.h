#pragma once

#include <QItemSelectionModel>
#include <QListView>

// A list of a board's rows (quotients or divisors): single selection that the user can move but
// not empty, and never scrolled sideways, since its rows are as wide as the list and a row too
// wide for it is drawn elided.
class RowList : public QListView {
    Q_OBJECT

public:
    explicit RowList(QWidget* parent = nullptr);

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(
        const QModelIndex& index, const QEvent* event = nullptr) const override;
};
