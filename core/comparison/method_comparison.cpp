#include "core/comparison/method_comparison.h"

#include "core/allocation/final_seats.h"
#include "core/numbers/number_text.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace apportion {

namespace {

    constexpr double notANumber = std::numeric_limits<double>::quiet_NaN();

    // Shares in percent, or not-a-number throughout where they are not defined. Divided by the
    // largest first, so that vote totals near the largest double do not overflow the sum.
    template <typename Value> std::vector<double> shares(const std::vector<Value>& values)
    {
        std::vector<double> result(values.size(), notANumber);
        double largest = 0;
        for (const auto value : values) {
            if (!(value >= 0) || !std::isfinite(static_cast<double>(value)))
                return result;
            largest = std::max(largest, static_cast<double>(value));
        }
        if (largest == 0)
            return result;
        double sum = 0;
        for (const auto value : values)
            sum += static_cast<double>(value) / largest;
        for (std::size_t i = 0; i < values.size(); ++i)
            result[i] = static_cast<double>(values[i]) / largest / sum * 100;
        return result;
    }

    // The shares of all the votes, the others' last where there are any.
    std::vector<double> allShares(const std::vector<double>& votes, long long otherVotes)
    {
        std::vector<double> all = votes;
        if (otherVotes > 0)
            all.push_back(static_cast<double>(otherVotes));
        return shares(all);
    }

    // A threshold applies where its line does and the vote shares are defined.
    bool thresholdApplies(const ThresholdLine& line, const std::vector<double>& shares)
    {
        return line.applies && !shares.empty() && std::isfinite(shares[0]);
    }

    double effectiveParties(const std::vector<double>& sharesInPercent)
    {
        double sum = 0;
        for (const double share : sharesInPercent)
            sum += (share / 100) * (share / 100);
        return 1 / sum; // not a number when the shares are not
    }

} // namespace

std::vector<double> SharesInPercent(const std::vector<double>& values) { return shares(values); }

std::vector<double> SeatShares(const std::vector<int>& seats) { return shares(seats); }

std::vector<const MethodResult*> MethodComparison::results() const
{
    std::vector<const MethodResult*> listed;
    for (const MethodResult& result : methods)
        listed.push_back(&result);
    listed.push_back(&hareNiemeyer);
    return listed;
}

namespace {

    void measure(MethodResult& result, const MethodComparison& comparison)
    {
        const auto seatShares = shares(result.seats);
        result.effectiveParties = effectiveParties(seatShares);
        // The others' votes are one more party with no seat.
        double squares = comparison.otherShare * comparison.otherShare;
        for (std::size_t i = 0; i < seatShares.size(); ++i) {
            const double gap = comparison.voteShares[i] - seatShares[i];
            squares += gap * gap;
        }
        result.gallagher = std::sqrt(squares / 2);
    }

} // namespace

MethodComparison CompareMethods(const std::vector<std::string>& votes, int seatTotal,
    const VoteCount& count, const PartyNames& names)
{
    return CompareMethods(ReadVotes(votes), seatTotal, count, names);
}

MethodComparison CompareMethods(
    const VoteReading& votes, int seatTotal, const VoteCount& count, const PartyNames& names)
{
    MethodComparison comparison;
    comparison.names = names;
    comparison.seatTotal = std::clamp(seatTotal, 0, maxPartySeats);
    const std::size_t parties = votes.values.size();
    comparison.votes = votes.values;
    comparison.exactVotes = votes.totals;
    const VoteTotals& exact = comparison.exactVotes;
    comparison.otherVotes = std::max(0LL, count.otherVotes);
    comparison.voteShares = allShares(comparison.votes, comparison.otherVotes);
    comparison.effectivePartiesByVotes = effectiveParties(comparison.voteShares);
    if (comparison.otherVotes > 0) {
        comparison.otherShare = comparison.voteShares.back();
        comparison.voteShares.pop_back();
    }

    // The threshold counts against all the votes, exactly, where their shares exist.
    comparison.threshold
        = std::isfinite(count.threshold) ? std::clamp(count.threshold, 0.0, 100.0) : 0;
    comparison.thresholdLine = DrawThresholdLine(exact, count);
    comparison.thresholdApplies
        = parties > 0 && thresholdApplies(comparison.thresholdLine, comparison.voteShares);
    comparison.takesPart.assign(parties, true);
    if (comparison.thresholdApplies)
        comparison.takesPart = comparison.thresholdLine.passes;

    for (int m = 0; m < divisorMethodCount; ++m) {
        MethodResult& result = comparison.methods[m];
        result.method = static_cast<DivisorMethod>(m);
        result.caption = MethodCaption(result.method);
        result.seats = FinalSeats(
            result.method, comparison.votes, comparison.seatTotal, comparison.takesPart);
        measure(result, comparison);
    }

    comparison.quota = HareNiemeyer(exact, comparison.seatTotal, comparison.takesPart);
    comparison.hareNiemeyer.caption = hareNiemeyerCaption;
    for (const auto& party : comparison.quota.parties)
        comparison.hareNiemeyer.seats.push_back(party.seats);
    measure(comparison.hareNiemeyer, comparison);
    if (comparison.seatTotal >= 2) {
        // Remainders that read equal are equal: the working writes as many decimals as it takes.
        const QuotaWorking before
            = HareNiemeyer(exact, comparison.seatTotal - 1, comparison.takesPart);
        comparison.alabamaLosers = AlabamaLosers(comparison.quota, before);
        for (const int loser : comparison.alabamaLosers) {
            const auto& lost = before.parties[static_cast<std::size_t>(loser)];
            bool tied = false;
            for (const auto& other : before.parties)
                tied = tied
                    || (other.takesPart && !other.extraSeat && other.remainder == lost.remainder);
            comparison.alabamaByLot.push_back(lost.extraSeat && tied);
        }
    }
    return comparison;
}

std::vector<bool> PartiesTakingPart(const VoteReading& votes, const VoteCount& count)
{
    std::vector<bool> taking(votes.values.size(), true);
    // No line is drawn below a tenth of a percent: the votes need not be read exactly for it.
    if (!std::isfinite(count.threshold)
        || std::llround(std::clamp(count.threshold, 0.0, 100.0) * 10) <= 0)
        return taking;
    const ThresholdLine line = DrawThresholdLine(votes.totals, count);
    if (thresholdApplies(line, allShares(votes.values, std::max(0LL, count.otherVotes))))
        taking = line.passes;
    return taking;
}

MethodComparison CompareMethods(const Board& board, const VoteCount& count)
{
    const double total = board.SeatTotal();
    const int seatTotal = total >= 0 && total <= maxPartySeats ? static_cast<int>(total) : 0;
    MethodComparison comparison
        = CompareMethods(board.Votes(), seatTotal, count, NamesOf(board.parties));
    comparison.lessonTitle = board.title;
    return comparison;
}

MethodComparison CompareMethods(const Board& board)
{
    return CompareMethods(board, board.voteCount);
}

} // namespace apportion
