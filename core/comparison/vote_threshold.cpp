#include "core/comparison/vote_threshold.h"

#include "core/numbers/number_text.h"
#include "core/numbers/vote_reading.h"

#include <algorithm>
#include <cmath>

namespace apportion {

namespace {

    constexpr std::uint32_t tenthsInWhole = 1000; // a threshold in tenths of a percent, of 100 %

} // namespace

std::string GroupedDigits(const std::string& number)
{
    const std::size_t point = number.find('.');
    const std::size_t whole = point == std::string::npos ? number.size() : point;
    if (whole == 0
        || !std::all_of(number.begin(), number.begin() + static_cast<long>(whole), IsDigit))
        return number;
    std::string grouped;
    for (std::size_t i = 0; i < whole; ++i) {
        if (i > 0 && (whole - i) % 3 == 0)
            grouped += "\u00A0";
        grouped += number[i];
    }
    return grouped + number.substr(whole);
}

ThresholdLine DrawThresholdLine(const VoteTotals& votes, const VoteCount& count)
{
    ThresholdLine drawn;
    const std::size_t parties = votes.units.size();
    drawn.passes.assign(parties, true);
    drawn.lacking.assign(parties, {});
    const double percent
        = std::isfinite(count.threshold) ? std::clamp(count.threshold, 0.0, 100.0) : 0;
    const auto tenths = static_cast<std::uint32_t>(std::llround(percent * 10));
    const auto others = static_cast<std::uint64_t>(std::max(0LL, count.otherVotes));
    // A negative total leaves the shares undefined.
    if (std::find(votes.negative.begin(), votes.negative.end(), true) != votes.negative.end())
        return drawn;

    // Every amount in units of 10^-scale.
    const int scale = votes.scale;
    WholeNumber base = WholeNumber(others).ShiftedUp(scale);
    for (const auto& units : votes.units)
        base += units;
    if (tenths == 0 || base.IsZero())
        return drawn;
    drawn.applies = true;
    // The line, in units of 10^-(scale + 3): tenths of a percent of the base.
    WholeNumber line = base;
    line *= tenths;
    drawn.base = GroupedDigits(ExactText(base, scale));
    drawn.line = GroupedDigits(ExactText(line, scale + 3));
    bool fraction = false;
    WholeNumber whole = WholeNumber::FromDigits(CutQuotient(line, scale + 3, 1, 0, &fraction));
    if (fraction) {
        whole += 1;
        drawn.wholeVotesPassing = GroupedDigits(ExactText(whole));
    }
    for (std::size_t i = 0; i < parties; ++i) {
        WholeNumber have = votes.units[i];
        have *= tenthsInWhole;
        drawn.passes[i] = have >= line;
        if (!drawn.passes[i]) {
            WholeNumber lacking = line;
            lacking -= have;
            drawn.lacking[i] = GroupedDigits(ExactText(lacking, scale + 3));
        }
    }
    return drawn;
}

ThresholdLine DrawThresholdLine(const std::vector<std::string>& votes, const VoteCount& count)
{
    return DrawThresholdLine(ReadVotes(votes).totals, count);
}

} // namespace apportion
