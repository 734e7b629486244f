#pragma once

#include "core/allocation/board.h"

#include <QAbstractListModel>

#include <memory>
#include <string>
#include <vector>

// One party's quotient rows, as its list shows them. (One model per list rather than one table
// for all the parties: the accessible interface of a list view counts its model's columns.) A row
// explains itself: its tooltip and accessible
// description are built from the board's seat history when asked for, so a seat turn pays
// nothing for them, and its marks say which seat it won and whether it read equal to the
// winner's.
//
// The model shares the board it reads, so it never outlives it, and it is told when the board
// changed: it then tells the views what did, row by row.
class QuotientModel : public QAbstractListModel {
    Q_OBJECT

public:
    // The row's marks in one int, so that a repaint asks once: the seat this row won (0 for
    // none) and whether it read equal to that seat's winning quotient.
    static constexpr int markRole = Qt::UserRole + 1;
    static int wonSeat(int marks) { return marks >> 1; }
    static bool tied(int marks) { return (marks & 1) != 0; }

    QuotientModel(
        std::shared_ptr<const apportion::Board> board, int party, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // Brings the views up to date after an operation: rows appended at the end or taken off it.
    void showBoard();

private:
    const std::vector<std::string>& partyRows() const;

    std::shared_ptr<const apportion::Board> m_board;
    int m_party;
    int m_shownRows = 0;
};
