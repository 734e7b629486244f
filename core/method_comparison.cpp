#include "core/method_comparison.h"

#include "core/number_text.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace apportion {

namespace {

    constexpr double notANumber = std::numeric_limits<double>::quiet_NaN();

    // The divisor values for a party's 2nd to (maxPartySeats + 1)-th seat, read back from their
    // texts as the board reads them: position n holds the divisor for the n-th seat.
    using DivisorValues = std::array<double, maxPartySeats + 2>;

    const DivisorValues& divisorValues(DivisorMethod method)
    {
        static const auto table = [] {
            std::array<DivisorValues, divisorMethodCount> values {};
            for (int m = 0; m < divisorMethodCount; ++m) {
                values[m][0] = values[m][1] = 1;
                for (int seat = 2; seat < static_cast<int>(DivisorValues().size()); ++seat)
                    values[m][seat] = ParseNumber(DivisorText(static_cast<DivisorMethod>(m), seat));
            }
            return values;
        }();
        return table[static_cast<std::size_t>(method)];
    }

    // Shares in percent, or not-a-number throughout where they are not defined. Divided by the
    // largest first, so that vote totals near the largest double do not overflow the sum.
    template <typename Value>
    std::array<double, partyCount> shares(const std::array<Value, partyCount>& values)
    {
        std::array<double, partyCount> result;
        result.fill(notANumber);
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
        for (int i = 0; i < partyCount; ++i)
            result[i] = static_cast<double>(values[i]) / largest / sum * 100;
        return result;
    }

    double effectiveParties(const std::array<double, partyCount>& sharesInPercent)
    {
        double sum = 0;
        for (const double share : sharesInPercent)
            sum += (share / 100) * (share / 100);
        return 1 / sum; // not a number when the shares are not
    }

    std::string numberOrDash(double value, int places)
    {
        return std::isfinite(value) ? FormatFixed(value, places) : "—";
    }

    std::string shareText(double share)
    {
        return std::isfinite(share) ? FormatFixed(share, 1) : std::string();
    }

    // "3 (42.9 %)", or the count alone where the share is not defined.
    ComparisonTable::Cell countCell(
        const std::string& shown, const std::string& count, double share, int change = 0)
    {
        const std::string percent = shareText(share);
        return { percent.empty() ? shown : shown + " (" + percent + " %)", change, count, percent };
    }

    ComparisonTable::Cell textCell(std::string text) { return { std::move(text), 0, {}, {} }; }

    ComparisonTable::Cell indexCell(double value)
    {
        const std::string text = numberOrDash(value, 2);
        return { text, 0, std::isfinite(value) ? text : std::string(), {} };
    }

} // namespace

std::array<int, partyCount> FinalSeats(
    DivisorMethod method, const std::array<std::string, partyCount>& votes, int seatTotal)
{
    std::array<int, partyCount> seats {};
    const int index = static_cast<int>(method);
    if (index < 0 || index >= divisorMethodCount)
        return seats;
    const DivisorValues& divisors = divisorValues(method);

    // As on the board: the first quotient is the vote text read as it stands; a row repeated
    // for a party that did not win is written again in the number's own form, and a winner's
    // new row is its quotient rounded to one decimal and written.
    std::array<double, partyCount> votesRead {};
    std::array<double, partyCount> latest {};
    std::array<bool, partyCount> written {};
    for (int i = 0; i < partyCount; ++i)
        latest[i] = votesRead[i] = ParseNumber(votes[i]);

    const int total = std::clamp(seatTotal, 0, maxPartySeats);
    for (int turn = 0; turn < total; ++turn) {
        const int winner = SeatWinner(latest);
        const int held = ++seats[winner];
        // RoundHalfAway reads back a decimal of at most 15 significant digits, which writing
        // and reading again would leave as it is.
        latest[winner] = CompetingQuotient(votesRead[winner], divisors[held + 1]);
        written[winner] = true;
        for (int h = 0; h < partyCount; ++h) {
            if (!written[h]) {
                latest[h] = ParseNumber(FormatShortest(latest[h]));
                written[h] = true;
            }
        }
    }
    return seats;
}

MethodComparison CompareMethods(const std::array<std::string, partyCount>& votes, int seatTotal)
{
    MethodComparison comparison;
    comparison.seatTotal = std::clamp(seatTotal, 0, maxPartySeats);
    for (int i = 0; i < partyCount; ++i)
        comparison.votes[i] = ParseNumber(votes[i]);
    comparison.voteShares = shares(comparison.votes);
    comparison.effectivePartiesByVotes = effectiveParties(comparison.voteShares);

    for (int m = 0; m < divisorMethodCount; ++m) {
        MethodResult& result = comparison.methods[m];
        result.method = static_cast<DivisorMethod>(m);
        result.seats = FinalSeats(result.method, votes, comparison.seatTotal);
        const auto seatShares = shares(result.seats);
        result.effectiveParties = effectiveParties(seatShares);
        double squares = 0;
        for (int i = 0; i < partyCount; ++i) {
            const double gap = comparison.voteShares[i] - seatShares[i];
            squares += gap * gap;
        }
        result.gallagher = std::sqrt(squares / 2);
    }
    return comparison;
}

MethodComparison CompareMethods(const Board& board)
{
    const double total = board.SeatTotal();
    const int seatTotal = total >= 0 && total <= maxPartySeats ? static_cast<int>(total) : 0;
    return CompareMethods(VoteTexts(board.parties), seatTotal);
}

ComparisonTable MakeComparisonTable(const MethodComparison& comparison)
{
    ComparisonTable table;
    table.header.push_back("Метод");
    for (int i = 0; i < partyCount; ++i)
        table.header.push_back("Партия " + std::to_string(i + 1));
    table.header.push_back("Индекс на Галахър");
    table.header.push_back("Ефективен брой партии");

    std::vector<ComparisonTable::Cell> votes { textCell("Гласове") };
    for (int i = 0; i < partyCount; ++i) {
        const std::string count = FormatShortest(comparison.votes[i]);
        votes.push_back(countCell(count, count, comparison.voteShares[i]));
    }
    votes.push_back(textCell(""));
    votes.push_back(indexCell(comparison.effectivePartiesByVotes));
    table.rows.push_back(std::move(votes));

    const MethodResult& reference = comparison.methods[0];
    for (const MethodResult& result : comparison.methods) {
        const auto seatShares = shares(result.seats);
        std::vector<ComparisonTable::Cell> row { textCell(MethodCaption(result.method)) };
        for (int i = 0; i < partyCount; ++i) {
            const int change = result.seats[i] - reference.seats[i];
            const std::string count = std::to_string(result.seats[i]);
            const std::string shown = change == 0 ? count : count + (change > 0 ? " ▲" : " ▼");
            row.push_back(countCell(shown, count, seatShares[i], change));
        }
        row.push_back(indexCell(result.gallagher));
        row.push_back(indexCell(result.effectiveParties));
        table.rows.push_back(std::move(row));
    }
    return table;
}

std::string SeatsSummary(const MethodResult& result)
{
    std::string text = MethodCaption(result.method) + ": ";
    for (int i = 0; i < partyCount; ++i)
        text += (i > 0 ? ", " : "") + std::to_string(result.seats[i]);
    return text;
}

} // namespace apportion
