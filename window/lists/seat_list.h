#pragma once

#include <QElapsedTimer>
#include <QListWidget>

// A single-selection list whose selection can be moved but never removed: Qt lets Ctrl+click
// and Ctrl+Space deselect the current item of a single-selection list, which would leave the
// seat total unread.
//
// Digits typed within a second of each other select that exact seat total: "1", "7" picks 17
// and "9" picks 9, where Qt's own search would take the next item starting with the text (90).
class SeatList : public QListWidget {
    Q_OBJECT

public:
    using QListWidget::QListWidget;

    void keyboardSearch(const QString& search) override;

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(
        const QModelIndex& index, const QEvent* event = nullptr) const override;

private:
    QString m_typed; // the digits typed so far
    QElapsedTimer m_sinceTyped;
};
