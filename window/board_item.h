#pragma once

#include "core/board.h"

#include <QListWidgetItem>

// A row of a quotient list or of the divisor list that explains itself: its tooltip and its
// accessible description are built from the board when they are asked for, so a seat turn pays
// nothing for them, and its marks (a seat won, a tie) come from the seat history.
class BoardItem : public QListWidgetItem {
public:
    // The seat and tie marks of a quotient row, as RowMarks flags.
    static constexpr int rowMarkRole = Qt::UserRole + 1;
    enum RowMarks { SeatMark = 1, TieMark = 2 };

    // A column of the board: a party's quotient rows, or the divisors.
    static constexpr int divisorColumn = -1;

    BoardItem(const QString& text, const apportion::Board& board, int column, std::size_t row);

    QVariant data(int role) const override;

private:
    QString explanation() const;

    const apportion::Board& m_board;
    int m_column;
    std::size_t m_row;
};
