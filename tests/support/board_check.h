#pragma once

#include "core/allocation/board.h"
#include "core/comparison/method_comparison.h"

#include <cstddef>
#include <string>

// What must hold of every board, whatever the user typed or clicked. Each check returns the
// first violation found, or an empty text.

// Two to twelve parties, equal quotient-list lengths, a seat counter that is not negative,
// selections at valid positions, the full divisor series whenever a method is set, and one seat
// record per row after the first two, matching the row its winner shows, numbered 1, 2, 3, … and
// naming the method that gave it.
std::string BoardInvariantViolation(const apportion::Board& board);

// What a seat turn may change, taken before it: cheap enough to take before every turn of a
// long session.
struct SeatTurnSnapshot {
    explicit SeatTurnSnapshot(const apportion::Board& board);

    std::vector<std::string> entryTexts;
    std::vector<std::size_t> rowCounts;
    std::vector<std::string> lastRows;
    int seatsGiven = 0;
    std::optional<int> divisorSelection;
    std::size_t historySize = 0;
};

// A seat turn is all or nothing: either the entry texts, the lists, the counter and the divisor
// highlight are unchanged, or every list gained exactly one row after its old last one, the
// counter rose by one, exactly one entry text changed, the seat history gained its record and the
// divisor used is highlighted (none past the listed divisors).
std::string SeatTurnViolation(const SeatTurnSnapshot& before, const apportion::Board& after);

// Leaving an allocation for a new example: the parties stay, nothing changes while the votes can
// still be entered; otherwise the lists, the seat history, the counter and the highlight are empty,
// the votes can be entered again, the method and the seat total stay, and the vote boxes hold the
// vote totals of the allocation left, when it had rows.
std::string NewExampleViolation(const apportion::Board& before, const apportion::Board& after);

// The methods compared: one count for every party in every result, every divisor method gives
// exactly the seat total, Hare–Niemeyer too wherever it has a quota (and none without one), no
// party under the threshold takes a seat, and Hare–Niemeyer gives each party the whole part of its
// votes ÷ quota or one seat more.
std::string ComparisonViolation(const apportion::MethodComparison& comparison);
