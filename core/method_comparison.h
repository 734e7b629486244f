#pragma once

#include "core/board.h"

#include <array>
#include <string>
#include <vector>

namespace apportion {

// One method's final seats for the votes compared, with how far they stand from the votes.
struct MethodResult {
    DivisorMethod method = DivisorMethod::DHondt;
    std::array<int, partyCount> seats {};
    // The least-squares (Gallagher) index of disproportionality, in percentage points:
    // √(½ Σ (vote share − seat share)²). Not a number where the shares are not defined.
    double gallagher = 0;
    // The effective number of parties (Laakso–Taagepera) by seats: 1 / Σ seat share².
    double effectiveParties = 0;
};

// The five methods side by side for one set of votes and one seat total.
struct MethodComparison {
    std::array<double, partyCount> votes {}; // as the board reads the vote texts
    int seatTotal = 0;
    // In percent. Defined only when every vote total is at least 0 and their sum is above 0;
    // not a number otherwise, and so are the indices that need them.
    std::array<double, partyCount> voteShares {};
    double effectivePartiesByVotes = 0;
    std::array<MethodResult, divisorMethodCount> methods {}; // in the order of the enumeration
};

// Each party's final seats when the method gives out seatTotal seats (clamped to 0..300) for
// these vote texts, by the board's own rules: quotients rounded to one decimal, the leftmost
// party winning a tie, and divisors past the listed ones continuing the series. The same seats
// as the board gives one seat turn at a time.
std::array<int, partyCount> FinalSeats(
    DivisorMethod method, const std::array<std::string, partyCount>& votes, int seatTotal);

MethodComparison CompareMethods(const std::array<std::string, partyCount>& votes, int seatTotal);

// The comparison for the allocation on the board: its vote totals and seat total, or, before
// the votes are entered, the vote boxes' texts.
MethodComparison CompareMethods(const Board& board);

// The comparison as a table of texts, as the window and the copies show it: a header, a row of
// votes and vote shares, and one row per method with each party's seats and seat share, the
// Gallagher index and the effective number of parties. Numbers use "." as their decimal point.
struct ComparisonTable {
    struct Cell {
        std::string text; // as the window shows it: "3 ▲ (42.9 %)"
        // Seats more (above 0) or fewer (below 0) than D'Hondt gives the party; the text then
        // carries "▲" or "▼" after the seat count, so the difference is not told by colour alone.
        int change = 0;
        // The cell's numbers alone, for copies that give each number a cell of its own: the count
        // (votes, seats or an index) and the share in percent, written with "." and as the text
        // shows them; empty where the cell has none.
        std::string count;
        std::string share;
    };
    std::vector<std::string> header;
    std::vector<std::vector<Cell>> rows; // the votes' row first, then one per method
};

ComparisonTable MakeComparisonTable(const MethodComparison& comparison);

// A method's seats as its option's tooltip gives them: "D’Hondt: 3, 2, 1, 1, 0".
std::string SeatsSummary(const MethodResult& result);

} // namespace apportion
