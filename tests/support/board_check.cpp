#include "board_check.h"

using namespace apportion;

namespace {

template <typename List> bool validPosition(const List& list, std::optional<int> position)
{
    return !position || (*position >= 0 && static_cast<std::size_t>(*position) < list.size());
}

} // namespace

std::string BoardInvariantViolation(const Board& board)
{
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
    return {};
}

SeatTurnSnapshot::SeatTurnSnapshot(const Board& board)
    : seatsGiven(board.seatsGiven)
    , divisorSelection(board.divisorSelection)
{
    for (int i = 0; i < partyCount; ++i) {
        const auto& party = board.parties[i];
        entryTexts[i] = party.entryText;
        rowCounts[i] = party.rows.size();
        lastRows[i] = party.rows.empty() ? std::string() : party.rows.back();
    }
}

std::string SeatTurnViolation(const SeatTurnSnapshot& before, const Board& after)
{
    if (after.seatsGiven == before.seatsGiven) {
        for (int i = 0; i < partyCount; ++i) {
            const auto& party = after.parties[i];
            if (party.entryText != before.entryTexts[i] || party.rows.size() != before.rowCounts[i]
                || (!party.rows.empty() && party.rows.back() != before.lastRows[i]))
                return "no seat was counted, yet the board changed";
        }
        if (after.divisorSelection != before.divisorSelection)
            return "no seat was counted, yet the divisor highlight moved";
        return {};
    }
    if (after.seatsGiven != before.seatsGiven + 1)
        return "the seat counter moved by more than one";
    int changedEntries = 0;
    for (int i = 0; i < partyCount; ++i) {
        const auto& party = after.parties[i];
        if (before.rowCounts[i] == 0 || party.rows.size() != before.rowCounts[i] + 1
            || party.rows[before.rowCounts[i] - 1] != before.lastRows[i])
            return "a seat was counted, but a list did not gain exactly one row";
        changedEntries += party.entryText != before.entryTexts[i];
    }
    if (changedEntries != 1)
        return "a seat was counted, but not exactly one seat count changed";
    if (!after.divisorSelection)
        return "a seat was counted without a divisor";
    return {};
}
