#pragma once

#include "core/numbers/exact_number.h"

#include <string>
#include <string_view>
#include <vector>

namespace apportion {

// What a comparison counts besides the parties' votes: a vote threshold in percent (0 to 100,
// to a tenth) and the votes of parties and candidates not listed, which count in the
// threshold's base and in the vote shares but never take a seat.
struct VoteCount {
    double threshold = 0;
    long long otherVotes = 0; // 0 or more
    // A threshold alone, as most callers give it.
    VoteCount(double percent = 0, long long others = 0) // NOLINT: implicit on purpose
        : threshold(percent)
        , otherVotes(others)
    {
    }
    bool operator==(const VoteCount&) const = default;
};

// Where the threshold's line lies and who passes it. A party passes when its votes are at least
// the threshold's share of all the votes (the parties' and the others'), compared exactly: a
// party exactly at the line passes.
struct ThresholdLine {
    bool applies = false; // a threshold above 0 and vote shares that are defined
    std::vector<bool> passes; // for each party; all true where the threshold does not apply
    // Written exactly, digits grouped by threes with no-break spaces: all the votes
    // ("2 436 475"), the threshold's share of them ("97 459", "97 459.04"), and, where that
    // share is not whole, the fewest whole votes that pass it ("97 460"; else empty).
    std::string base;
    std::string line;
    std::string wholeVotesPassing;
    std::vector<std::string> lacking; // for each party under the line, the votes it lacks ("29")
};

// For the parties' vote totals read exactly; the line does not apply where one is negative.
ThresholdLine DrawThresholdLine(const VoteTotals& votes, const VoteCount& count);
// The same for the vote texts as typed.
ThresholdLine DrawThresholdLine(const std::vector<std::string>& votes, const VoteCount& count);

// Groups the whole part of a number written with "." by threes with no-break spaces
// ("2436475.5" gives "2 436 475.5"); a text that is not such a number is returned unchanged.
std::string GroupedDigits(const std::string& number);

} // namespace apportion
