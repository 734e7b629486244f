#pragma once

#include "core/board.h"
#include "core/quota_method.h"

#include <array>
#include <string>
#include <vector>

namespace apportion {

// One method's final seats for the votes compared, with how far they stand from the votes.
struct MethodResult {
    DivisorMethod method = DivisorMethod::DHondt; // for the divisor methods
    std::string caption; // "D’Hondt", …, "Hare–Niemeyer"
    std::array<int, partyCount> seats {};
    // The least-squares (Gallagher) index of disproportionality, in percentage points:
    // √(½ Σ (vote share − seat share)²). Not a number where the shares are not defined.
    double gallagher = 0;
    // The effective number of parties (Laakso–Taagepera) by seats: 1 / Σ seat share².
    double effectiveParties = 0;
};

inline constexpr const char* hareNiemeyerCaption = "Hare–Niemeyer";
// Stands in Hare–Niemeyer's working for a party that a threshold leaves out.
inline constexpr const char* underThresholdText = "под прага";

// The five divisor methods and Hare–Niemeyer side by side for one set of votes, one seat total
// and a vote threshold.
struct MethodComparison {
    std::array<double, partyCount> votes {}; // as the board reads the vote texts
    int seatTotal = 0;
    // The threshold asked for, in percent of the five parties' votes, and whether it applies: it
    // does not where the vote shares are not defined. A party under it takes no seat under any
    // method; the indices still count its votes.
    double threshold = 0;
    bool thresholdApplies = false;
    std::array<bool, partyCount> takesPart {};
    // In percent. Defined only when every vote total is at least 0 and their sum is above 0;
    // not a number otherwise, and so are the indices that need them.
    std::array<double, partyCount> voteShares {};
    double effectivePartiesByVotes = 0;
    std::array<MethodResult, divisorMethodCount> methods {}; // in the order of the enumeration
    MethodResult hareNiemeyer;
    QuotaWorking quota; // Hare–Niemeyer's working
    std::vector<int> alabamaLosers; // parties with fewer Hare–Niemeyer seats than at one seat fewer
};

// Each party's final seats when the method gives out seatTotal seats (clamped to 0..300) for
// these vote texts, by the board's own rules: quotients rounded to one decimal, the leftmost
// party winning a tie, and divisors past the listed ones continuing the series. The same seats
// as the board gives one seat turn at a time.
// A party for which `takesPart` is false (under a threshold) takes no seat.
std::array<int, partyCount> FinalSeats(DivisorMethod method,
    const std::array<std::string, partyCount>& votes, int seatTotal,
    const std::array<bool, partyCount>& takesPart = { true, true, true, true, true });

// `threshold` in percent, 0 to 100.
MethodComparison CompareMethods(
    const std::array<std::string, partyCount>& votes, int seatTotal, double threshold = 0);

// The comparison for the allocation on the board: its vote totals and seat total, or, before
// the votes are entered, the vote boxes' texts.
MethodComparison CompareMethods(const Board& board, double threshold = 0);

// The comparison as a table of texts, as the window and the copies show it: a header, a row of
// votes and vote shares, and one row per method (the five divisor methods, then Hare–Niemeyer)
// with each party's seats and seat share, the Gallagher index and the effective number of
// parties. Numbers use "." as their decimal point.
struct ComparisonTable {
    // "Сравнение на методите", naming the threshold where it is above 0.
    std::string title;
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
    std::string quotaLine; // "Квота: 297 ÷ 7 = 42.4285"
    std::string quota; // the quota alone, "42.4285"
    std::string workingSentence; // the working in a sentence
};

ComparisonTable MakeComparisonTable(const MethodComparison& comparison);

// A method's seats as its option's tooltip gives them: "D’Hondt: 3, 2, 1, 1, 0".
std::string SeatsSummary(const MethodResult& result);

} // namespace apportion
