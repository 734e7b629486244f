#pragma once

#include "core/board.h"

#include <array>
#include <string>
#include <vector>

namespace apportion {

// An allocation as a table for a worksheet, a spreadsheet or paper: a header with the method,
// the seat total and the vote totals, then one row per seat given. Every number is a text
// exactly as the window shows it.
struct WorkedTable {
    struct Row {
        std::string seat;
        std::string party; // 1 to 5, as the window counts parties
        std::string divisor;
        std::array<std::string, partyCount> quotients; // every party's after the seat
    };

    std::string method;
    std::string seatTotal;
    std::array<std::string, partyCount> votes;
    std::vector<Row> rows;
};

// The caption of a method's option ("D’Hondt", "Sainte-Lague", …); empty outside the enumeration.
std::string MethodCaption(DivisorMethod method);

// The table of the allocation on the board; no rows before the votes are entered.
WorkedTable MakeWorkedTable(const Board& board);

} // namespace apportion
