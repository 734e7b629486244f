#include "board_check.h"

#include "core/chamber/hemicycle.h"

#include <algorithm>

using namespace apportion;

namespace {

template <typename List> bool validPosition(const List& list, std::optional<int> position)
{
    return !position || (*position >= 0 && static_cast<std::size_t>(*position) < list.size());
}

} // namespace

std::string BoardInvariantViolation(const Board& board)
{
    if (board.parties.size() < static_cast<std::size_t>(minPartyCount)
        || board.parties.size() > static_cast<std::size_t>(maxPartyCount))
        return "the board has fewer than two or more than twelve parties";
    for (const auto& party : board.parties) {
        if (party.rows.size() != board.parties[0].rows.size())
            return "the quotient lists differ in length";
    }
    if (board.seatsGiven < 0)
        return "the seat counter is negative";
    if (!validPosition(board.divisors, board.divisorSelection))
        return "the divisor selection is outside the divisor list";
    if (!validPosition(board.seatChoices, board.seatSelection))
        return "the seat selection is outside the seat list";
    if (board.seatChoices.size() != static_cast<std::size_t>(seatChoiceCount))
        return "the seat list does not hold 300 seat totals";
    if (board.method && board.divisors.size() != static_cast<std::size_t>(divisorSeriesLength))
        return "a method is set but the divisor list does not hold 99 divisors";

    // The totals read once per change are what the texts say now, however they changed.
    if (board.Votes() != ReadVotes(VoteTexts(board.parties)))
        return "the vote totals kept are not what the vote texts read";

    // The lesson's threshold is in every seat: a party under its line holds none.
    const std::vector<bool> takingPart = board.TakingPart();
    const auto& rows = board.parties[0].rows;
    const std::size_t seatRows = rows.size() < 2 ? 0 : rows.size() - 2;
    if (board.seatHistory.size() != seatRows)
        return "the seat history does not hold one record per seat row";
    for (std::size_t i = 0; i < board.seatHistory.size(); ++i) {
        const SeatRecord& record = board.seatHistory[i];
        if (record.winner < 0 || static_cast<std::size_t>(record.winner) >= board.parties.size())
            return "a seat record names no party";
        if (record.seat != static_cast<int>(i) + 1)
            return "the seats are not numbered 1, 2, 3, … since the votes were entered";
        const int method = static_cast<int>(record.method);
        if (method < 0 || method >= divisorMethodCount)
            return "a seat record names no method";
        if (record.won.party != record.winner)
            return "a seat record's winning quotient is not its winner's";
        if (!takingPart[static_cast<std::size_t>(record.winner)])
            return "a party under the threshold holds a seat";
        if (board.parties[static_cast<std::size_t>(record.winner)].rows[i + 2] != record.row)
            return "a seat record's row is not the row its winner shows";
        for (std::size_t t = 1; t < record.tie.size(); ++t) {
            if (record.tie[t].party <= record.tie[t - 1].party)
                return "a tie lists a party that is not to the right of the winner";
        }
        if (!record.tie.empty()
            && record.tie.back().party >= static_cast<int>(board.parties.size()))
            return "a tie names a party the board does not have";
        if (!record.tie.empty() && record.tie.front().party != record.winner)
            return "a tie does not start with the winner";
    }
    // The chamber drawn from the seats holds every seat given, in the columns' order, the
    // newest at the end of its party's wedge.
    const Chamber chamber = ChamberOfBoard(board);
    if (chamber.occupant.size() != static_cast<std::size_t>(chamber.total))
        return "the chamber has another number of places than seats";
    const auto given = static_cast<long>(std::min<std::size_t>(board.seatHistory.size(), 600));
    if (std::count_if(
            chamber.occupant.begin(), chamber.occupant.end(), [](int party) { return party >= 0; })
        != given)
        return "the chamber holds another number of seats than were given";
    if (!std::is_sorted(chamber.occupant.begin(), chamber.occupant.begin() + given))
        return "the chamber's seats are not in the columns' order";
    if (chamber.newestPlace
        && chamber.occupant[static_cast<std::size_t>(*chamber.newestPlace)]
            != board.seatHistory.back().winner)
        return "the chamber rings a seat of another party than the newest";
    return {};
}

SeatTurnSnapshot::SeatTurnSnapshot(const Board& board)
    : seatsGiven(board.seatsGiven)
    , divisorSelection(board.divisorSelection)
    , historySize(board.seatHistory.size())
{
    for (const auto& party : board.parties) {
        entryTexts.push_back(party.entryText);
        rowCounts.push_back(party.rows.size());
        lastRows.push_back(party.rows.empty() ? std::string() : party.rows.back());
    }
}

std::string SeatTurnViolation(const SeatTurnSnapshot& before, const Board& after)
{
    if (after.parties.size() != before.entryTexts.size())
        return "a seat turn changed the number of parties";
    const std::size_t count = after.parties.size();
    if (after.seatsGiven == before.seatsGiven) {
        for (std::size_t i = 0; i < count; ++i) {
            const auto& party = after.parties[i];
            if (party.entryText != before.entryTexts[i] || party.rows.size() != before.rowCounts[i]
                || (!party.rows.empty() && party.rows.back() != before.lastRows[i]))
                return "no seat was counted, yet the board changed";
        }
        if (after.divisorSelection != before.divisorSelection)
            return "no seat was counted, yet the divisor highlight moved";
        if (after.seatHistory.size() != before.historySize)
            return "no seat was counted, yet the seat history changed";
        return {};
    }
    if (after.seatsGiven != before.seatsGiven + 1)
        return "the seat counter moved by more than one";
    int changedEntries = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const auto& party = after.parties[i];
        if (before.rowCounts[i] == 0 || party.rows.size() != before.rowCounts[i] + 1
            || party.rows[before.rowCounts[i] - 1] != before.lastRows[i])
            return "a seat was counted, but a list did not gain exactly one row";
        changedEntries += party.entryText != before.entryTexts[i];
    }
    if (changedEntries != 1)
        return "a seat was counted, but not exactly one seat count changed";
    if (after.seatHistory.size() != before.historySize + 1)
        return "a seat was counted, but not recorded once in the seat history";
    if (!after.method || after.seatHistory.back().method != *after.method)
        return "a seat was counted, but does not name the method that gave it";
    // The highlight marks the divisor used, unless it lies past the listed ones.
    const int position = after.seatHistory.back().divisorPosition;
    const bool listed = position < static_cast<int>(after.divisors.size());
    if (listed ? after.divisorSelection != position : after.divisorSelection.has_value())
        return "a seat was counted, but the divisor highlight does not show its divisor";
    return {};
}

std::string NewExampleViolation(const Board& before, const Board& after)
{
    if (before.enterEnabled)
        return after == before ? ""
                               : "a new example before the votes were entered changed the board";
    if (after.parties.size() != before.parties.size()
        || NamesOf(after.parties) != NamesOf(before.parties))
        return "a new example changed the parties";
    for (std::size_t i = 0; i < after.parties.size(); ++i) {
        const auto& left = before.parties[i];
        if (!after.parties[i].rows.empty())
            return "a new example left rows in a list";
        if (!left.rows.empty() && after.parties[i].entryText != left.rows.front())
            return "a new example's vote box does not hold the vote total of the allocation left";
    }
    if (!after.seatHistory.empty() || after.seatsGiven != 0 || after.divisorSelection)
        return "a new example kept seats, the seat counter or the divisor highlight";
    if (!after.enterEnabled)
        return "a new example does not let the votes be entered";
    if (after.method != before.method || after.seatSelection != before.seatSelection
        || after.divisors != before.divisors)
        return "a new example changed the method or the seat total";
    return {};
}

std::string ComparisonViolation(const apportion::MethodComparison& comparison)
{
    using namespace apportion;
    const std::size_t count = comparison.votes.size();
    for (const MethodResult* result : comparison.results()) {
        if (result->seats.size() != count)
            return result->caption + " has not one seat count for every party";
    }
    if (comparison.takesPart.size() != count || comparison.quota.parties.size() != count)
        return "the threshold or the working has not one entry for every party";
    auto total = [](const std::vector<int>& seats) {
        int sum = 0;
        for (const int held : seats)
            sum += held;
        return sum;
    };
    for (const MethodResult& result : comparison.methods) {
        if (total(result.seats) != comparison.seatTotal)
            return result.caption + " gives " + std::to_string(total(result.seats)) + " seats of "
                + std::to_string(comparison.seatTotal);
    }
    const QuotaWorking& quota = comparison.quota;
    const int expected = quota.defined ? comparison.seatTotal : 0;
    if (total(comparison.hareNiemeyer.seats) != expected)
        return "Hare–Niemeyer gives " + std::to_string(total(comparison.hareNiemeyer.seats))
            + " seats of " + std::to_string(expected);
    for (std::size_t i = 0; i < count; ++i) {
        if (!comparison.takesPart[i]) {
            for (const MethodResult& result : comparison.methods) {
                if (result.seats[i] != 0)
                    return result.caption + " gives a seat under the threshold";
            }
            if (comparison.hareNiemeyer.seats[i] != 0)
                return "Hare–Niemeyer gives a seat under the threshold";
        }
        const auto& party = quota.parties[i];
        if (party.seats != party.wholeSeats && party.seats != party.wholeSeats + 1)
            return "Hare–Niemeyer's seats are not the whole part or one more";
    }
    return {};
}
