#pragma once

#include "core/allocation/board.h"
#include "core/comparison/quota_method.h"
#include "core/comparison/vote_threshold.h"

#include <array>
#include <string>
#include <vector>

namespace apportion {

// One method's final seats for the votes compared, with how far they stand from the votes.
struct MethodResult {
    DivisorMethod method = DivisorMethod::DHondt; // for the divisor methods
    std::string caption; // "D’Hondt", …, "Hare–Niemeyer"
    std::vector<int> seats; // a count for each party
    // The least-squares (Gallagher) index of disproportionality, in percentage points:
    // √(½ Σ (vote share − seat share)²). Not a number where the shares are not defined.
    double gallagher = 0;
    // The effective number of parties (Laakso–Taagepera) by seats: 1 / Σ seat share².
    double effectiveParties = 0;
};

inline constexpr const char* hareNiemeyerCaption = "Hare–Niemeyer";

// The five divisor methods and Hare–Niemeyer side by side for one set of votes, one seat total
// and a vote threshold.
struct MethodComparison {
    std::string lessonTitle; // the lesson's title, empty where it has none
    std::vector<double> votes; // as the board reads the vote texts, one for each party
    // The same read exactly, once, for the quota method, the threshold and the notes.
    VoteTotals exactVotes;
    PartyNames names;
    int seatTotal = 0;
    // The threshold asked for, in percent of all the votes (the parties' and the others'), and
    // whether it applies: it does not where the vote shares are not defined. A party under it
    // takes no seat under any method; the indices still count its votes.
    double threshold = 0;
    bool thresholdApplies = false;
    ThresholdLine thresholdLine; // where the line lies, and what each party under it lacks
    std::vector<bool> takesPart;
    // Votes for parties and candidates not listed: in the threshold's base and the vote shares,
    // never a seat. The indices count them as one more party that has no seat.
    long long otherVotes = 0;
    // In percent of all the votes. Defined only when every vote total is at least 0 and their
    // sum is above 0; not a number otherwise, and so are the indices that need them.
    std::vector<double> voteShares;
    double otherShare = 0; // the others' votes in percent, 0 where there are none
    double effectivePartiesByVotes = 0;
    std::array<MethodResult, divisorMethodCount> methods {}; // in the order of the enumeration
    MethodResult hareNiemeyer;
    QuotaWorking quota; // Hare–Niemeyer's working
    std::vector<int> alabamaLosers; // parties with fewer Hare–Niemeyer seats than at one seat fewer
    // For each of them, whether the seat it loses was its by a tie of remainders at one seat
    // fewer: a seat the law gives by lot (the program, to the party further left).
    std::vector<bool> alabamaByLot;

    // Every method's result in the order the comparison lists them: the five divisor methods, then
    // Hare–Niemeyer.
    std::vector<const MethodResult*> results() const;
};

// `count.threshold` in percent, 0 to 100, to a tenth.
// `names` names the parties in the notes and the working.
MethodComparison CompareMethods(const VoteReading& votes, int seatTotal,
    const VoteCount& count = {}, const PartyNames& names = {});
// The same for vote texts not read yet.
MethodComparison CompareMethods(const std::vector<std::string>& votes, int seatTotal,
    const VoteCount& count = {}, const PartyNames& names = {});

// For each party, whether it competes for seats under `count`'s threshold: every party where the
// threshold does not apply (none set, or vote shares that are not defined), else those at or
// above its line. The board's seat turns and the comparison decide alike.
std::vector<bool> PartiesTakingPart(const VoteReading& votes, const VoteCount& count);

// Shares in percent of these values' sum, or not a number throughout where they are not defined
// (a negative or non-finite value, or none above 0).
std::vector<double> SharesInPercent(const std::vector<double>& values);
std::vector<double> SeatShares(const std::vector<int>& seats);

// The comparison for the allocation on the board: its vote totals and seat total, or, before
// the votes are entered, the vote boxes' texts, under the lesson's threshold and other votes.
MethodComparison CompareMethods(const Board& board);
// The same under another threshold and other votes.
MethodComparison CompareMethods(const Board& board, const VoteCount& count);

} // namespace apportion
