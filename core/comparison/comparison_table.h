#pragma once

#include "core/comparison/method_comparison.h"

#include <string>
#include <vector>

namespace apportion {

// Stand in Hare–Niemeyer's working for a party that a threshold leaves out, and for one whose
// vote total (negative, or not a number) the quota cannot count.
inline constexpr const char* underThresholdText = "под прага";
inline constexpr const char* notCountedText = "не се брои";

// How a seat count that differs from D'Hondt's is marked after the count: " ▲" for more seats,
// " ▼" for fewer, nothing for the same.
std::string ChangeMark(int change);

// The comparison as a table of texts, as the window and the copies show it: a header, a row of
// votes and vote shares, and one row per method (the five divisor methods, then Hare–Niemeyer)
// with each party's seats and seat share, the Gallagher index and the effective number of
// parties. Parties are headed by their names. Numbers use "." as their decimal point.
struct ComparisonTable {
    // "Сравнение на методите", naming the threshold where it is above 0.
    std::string title;
    std::string lessonTitle; // the lesson's, heading a copy; empty where it has none
    std::string seatTotal; // the seats compared, "240"
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
        bool underThreshold = false; // the party's cell, where a threshold leaves it out
    };
    std::vector<std::string> header;
    std::vector<std::vector<Cell>> rows; // the votes' row first, then one per method
    // Sentences under the table: the threshold and who is under it, or why none applies; the
    // Alabama paradox where it happens. Empty when there is nothing to say.
    std::vector<std::string> notes;
    // Hare–Niemeyer's working as a table: a column per party under a heading, and a row per step
    // (votes, votes ÷ quota, whole seats, remainder, its rank, the extra seat, the seats).
    std::vector<std::string> workingHeader;
    std::vector<std::vector<std::string>> workingRows; // numbers, or underThresholdText
    std::string quotaLine; // "Квота: 297 ÷ 7 = 42.4285…", "…" after a value cut short
    std::string quota; // the quota alone, "42.4285", as a number
    std::string workingSentence; // the working in a sentence
};

ComparisonTable MakeComparisonTable(const MethodComparison& comparison);

// Written after a value cut short of its digits: "297 ÷ 7 = 42.4285…".
inline constexpr const char* cutMark = "…";

// A method's seats as its option's tooltip gives them: "D’Hondt: 3, 2, 1, 1, 0".
std::string SeatsSummary(const MethodResult& result);

} // namespace apportion
