#pragma once

#include "core/allocation/board.h"
#include "core/comparison/comparison_table.h"

#include <string>
#include <vector>

namespace apportion {

// An allocation as a table for a worksheet, a spreadsheet or paper: the seat total and the vote
// totals, then one row per seat given, numbered since the votes were entered and naming the
// method that gave it, then each party's seats, and the five methods compared. Every number is
// a text of its own, exactly as the window shows it, with "." as its decimal point; the copies
// and the printout format their cells from these parts.
struct WorkedTable {
    struct Quotient {
        std::string text; // the party's quotient as it competed for the seat
        bool won = false;
        bool tied = false; // read equal to the winner's
    };
    struct Row {
        std::string seat;
        std::string method;
        std::string party; // the winner's name, or its number from 1 as the window counts parties
        // The winning division: votes ÷ divisor = unrounded → quotient, the quotient as it
        // competed. `unrounded` is cut as the explanations cut it ("11.3333…").
        std::string votes;
        std::string divisor;
        std::string unrounded;
        std::string quotient;
        std::vector<Quotient> quotients; // one for each party
        std::string tied; // "партии 4 и 5" where quotients read equal, else empty
    };

    std::string title; // the lesson's title and source, empty where it has none
    std::string source;
    std::string seatTotal;
    // The vote totals as the allocation read them, and a note for each typed text that reads
    // as another number ("„3066,8“ се чете като 3066.").
    std::vector<std::string> headings; // each party's name, or "Партия 3"
    std::vector<std::string> votes;
    std::vector<std::string> readings;
    std::vector<Row> rows;
    std::vector<int> seats; // each party's seats after the last row
    ComparisonTable comparison;
};

// The table of the allocation on the board; no rows before the votes are entered. The methods
// are compared under the lesson's threshold and other votes.
WorkedTable MakeWorkedTable(const Board& board);

} // namespace apportion
