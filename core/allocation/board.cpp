#include "core/allocation/board.h"

#include "core/comparison/method_comparison.h"
#include "core/numbers/number_text.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace apportion {

namespace {

    constexpr std::array<const char*, defaultPartyCount> defaultVotes { "58125", "45871", "27142",
        "15947", "12264" };

    constexpr int loadSeatSelection = 6;

    template <typename List> bool isPosition(const List& list, std::optional<int> position)
    {
        return position && *position >= 0 && static_cast<std::size_t>(*position) < list.size();
    }

    // The divisor position for a party that will hold `seats` seats: seats - 1, rounded to the
    // nearest whole number with halves to the even neighbour. Decided before anything changes;
    // none when it falls outside the list, including seat counts that are not finite.
    std::optional<int> divisorPosition(double seats, std::size_t divisorCount)
    {
        const double position = seats - 1;
        if (!(position > -1 && position < static_cast<double>(divisorCount)))
            return std::nullopt;
        const auto rounded = static_cast<long long>(std::nearbyint(position));
        if (rounded < 0 || rounded >= static_cast<long long>(divisorCount))
            return std::nullopt;
        return static_cast<int>(rounded);
    }

    bool isWhole(double value) { return std::isfinite(value) && value == std::floor(value); }

    // The division behind a party's latest row: its last seat's, or its vote total over 1 while
    // it has won none since the votes were entered. `votes` is the party's vote total as read.
    TiedQuotient latestQuotient(const Board& board, int party, double votes)
    {
        for (auto record = board.seatHistory.rbegin(); record != board.seatHistory.rend();
             ++record) {
            if (record->winner == party)
                return { party, votes, record->divisorText, record->quotient, record->method };
        }
        return { party, votes, "1", votes, std::nullopt };
    }

    // One seat turn among the parties taking part, whatever the seat total: false where no seat
    // was given, and then nothing changed.
    bool giveSeat(Board& board, const std::vector<bool>& takingPart)
    {
        // Without a method there are no divisors, and a seat could not say which method gave it.
        if (board.seatsGiven == std::numeric_limits<std::int16_t>::max() || !board.method)
            return false;
        auto& parties = board.parties;

        // Every column must have a latest row at the same position; before the votes are
        // entered, or after clearing, there is none and no seat is given.
        const std::size_t rowCount = parties[0].rows.size();
        if (rowCount == 0)
            return false;
        for (const auto& party : parties) {
            if (party.rows.size() != rowCount)
                return false;
        }

        // Each latest quotient is read once: for the comparison, the ties and the repeated rows.
        // A party under the threshold competes below every other, and none wins where no party
        // takes part.
        const std::size_t last = rowCount - 1;
        const int count = static_cast<int>(parties.size());
        std::vector<double> latest(parties.size());
        std::vector<double> competing(parties.size());
        const auto takes = [&takingPart](int f) {
            return static_cast<std::size_t>(f) >= takingPart.size() || takingPart[f];
        };
        bool anyTakesPart = false;
        for (int f = 0; f < count; ++f) {
            latest[f] = ParseNumber(parties[f].rows[last]);
            anyTakesPart = anyTakesPart || takes(f);
            competing[f] = takes(f) ? latest[f] : -std::numeric_limits<double>::infinity();
        }
        if (!anyTakesPart)
            return false;
        const int winner = SeatWinner(competing);
        const double best = competing[static_cast<std::size_t>(winner)];

        // The winner's seat count and the divisor for its next quotient are settled before
        // anything is written, so a seat with no divisor (a seat count edited out of range or to
        // a fraction past the list) is refused whole instead of being counted without a row. Past
        // the 99 listed divisors the series goes on, for a whole seat count of up to
        // maxPartySeats.
        PartyColumn& winning = parties[winner];
        const std::string seatText = FormatShortest(ParseNumber(winning.entryText) + 1);
        const double seats = ParseNumber(seatText);
        const auto& divisors = board.divisors;
        auto position = divisorPosition(seats, divisors.size());
        std::string divisorText;
        if (position) {
            divisorText = divisors[static_cast<std::size_t>(*position)];
        } else if (divisors.size() == divisorSeriesLength && isWhole(seats)
            && seats > divisorSeriesLength && seats <= maxPartySeats) {
            position = static_cast<int>(seats) - 1;
            divisorText = DivisorText(*board.method, static_cast<int>(seats) + 1);
        } else {
            return false;
        }

        // The vote totals as read once per change: the winner's for its winning division and its
        // new quotient, the tied parties' for the tie.
        const std::vector<double>& votes = board.Votes().values;
        const double winnerVotes = votes[static_cast<std::size_t>(winner)];
        SeatRecord record;
        record.won = latestQuotient(board, winner, winnerVotes);
        for (int f = winner + 1; f < count; ++f) {
            if (takes(f) && competing[f] == best) {
                if (record.tie.empty())
                    record.tie.push_back(record.won);
                record.tie.push_back(latestQuotient(board, f, votes[static_cast<std::size_t>(f)]));
            }
        }

        ++board.seatsGiven;
        winning.entryText = seatText;
        const double divisor = ParseNumber(divisorText);
        if (*position < static_cast<int>(divisors.size()))
            board.divisorSelection = position;
        else
            board.divisorSelection.reset();
        for (int h = 0; h < count; ++h) {
            auto& rows = parties[h].rows;
            if (h == winner) {
                record.quotient = winnerVotes / divisor;
                rows.push_back(FormatShortest(CompetingQuotient(winnerVotes, divisor)));
            } else {
                rows.push_back(FormatShortest(latest[h]));
            }
        }

        record.seat = static_cast<int>(board.seatHistory.size()) + 1;
        record.method = *board.method;
        record.winner = winner;
        record.seatsAfter = winning.entryText;
        record.divisorPosition = *position;
        record.divisorText = std::move(divisorText);
        record.voteText = winning.rows.front();
        record.row = winning.rows.back();
        board.seatHistory.push_back(std::move(record));
        return true;
    }

} // namespace

Board::Board()
{
    for (const char* votes : defaultVotes)
        parties.push_back({ votes, {}, {} });
    seatChoices.reserve(seatChoiceCount);
    for (int seat = 1; seat <= seatChoiceCount; ++seat)
        seatChoices.push_back(FormatShortest(seat));
}

void Board::LoadWindow()
{
    SelectMethod(DivisorMethod::DHondt);
    seatSelection = loadSeatSelection;
}

void Board::SelectMethod(DivisorMethod newMethod)
{
    method = newMethod;
    divisors.clear();
    divisorSelection.reset();
    seatsGiven = 0;
    divisors = BuildDivisorSeries(newMethod);
}

void Board::EnterVotes()
{
    for (auto& party : parties) {
        party.rows.clear();
        party.rows.push_back(party.entryText);
        party.rows.push_back(party.entryText);
        // Written as one character rather than a literal: GCC 12 warns falsely (-Wrestrict) about
        // the literal's copy once this is inlined into the history's callers.
        party.entryText.assign(1, '0');
    }
    seatHistory.clear();
    enterEnabled = false;
}

double Board::SeatTotal() const
{
    if (!isPosition(seatChoices, seatSelection))
        return 0;
    return ParseNumber(seatChoices[static_cast<std::size_t>(*seatSelection)]);
}

void Board::GiveNextSeat()
{
    if (!(SeatTotal() > seatsGiven))
        return;
    giveSeat(*this, TakingPart());
}

std::vector<bool> Board::TakingPart() const { return PartiesTakingPart(Votes(), voteCount); }

const VoteReading& Board::Votes() const
{
    std::vector<std::string_view> texts;
    texts.reserve(parties.size());
    for (const auto& party : parties)
        texts.emplace_back(VoteText(party));
    UpdateVotes(m_read.votes, texts);
    return m_read.votes;
}

void Board::SetVoteCount(const VoteCount& count)
{
    voteCount = count;
    if (seatHistory.empty() || CanChangeParties())
        return;
    const std::vector<SeatRecord> given = std::move(seatHistory);
    seatHistory.clear();
    const std::optional<DivisorMethod> chosen = method;
    const std::int16_t chosenSeats = seatsGiven;
    const bool highlighted = divisorSelection.has_value();
    // Back to the votes as entered: each column's total twice and no seat.
    for (auto& party : parties) {
        party.rows.resize(2);
        party.rows[1] = party.rows[0];
        party.entryText.assign(1, '0');
    }
    const std::vector<bool> takingPart = TakingPart();
    for (const SeatRecord& seat : given) {
        if (method != seat.method) {
            method = seat.method;
            divisors = BuildDivisorSeries(seat.method);
        }
        if (!giveSeat(*this, takingPart))
            break; // no party can take a seat under this line, nor any later one
    }
    if (method != chosen) {
        method = chosen;
        divisors = chosen ? BuildDivisorSeries(*chosen) : DivisorSeries {};
    }
    const auto lost = static_cast<int>(given.size() - seatHistory.size());
    seatsGiven = static_cast<std::int16_t>(std::max(0, chosenSeats - lost));
    divisorSelection.reset();
    if (highlighted && !seatHistory.empty()
        && seatHistory.back().divisorPosition < static_cast<int>(divisors.size()))
        divisorSelection = seatHistory.back().divisorPosition;
}

void Board::ClearAll()
{
    for (auto& party : parties) {
        party.entryText.clear();
        party.rows.clear();
    }
    seatHistory.clear();
    seatsGiven = 0;
}

int SeatWinner(const std::vector<double>& quotients)
{
    int winner = 0;
    for (int f = 1; f < static_cast<int>(quotients.size()); ++f) {
        if (quotients[static_cast<std::size_t>(winner)] < quotients[static_cast<std::size_t>(f)])
            winner = f;
    }
    return winner;
}

double CompetingQuotient(double votes, double divisor) { return RoundHalfAway(votes / divisor, 1); }

const std::string& VoteText(const PartyColumn& party)
{
    return party.rows.empty() ? party.entryText : party.rows.front();
}

std::vector<std::string> VoteTexts(const std::vector<PartyColumn>& parties)
{
    std::vector<std::string> votes;
    votes.reserve(parties.size());
    for (const auto& party : parties)
        votes.push_back(VoteText(party));
    return votes;
}

PartyNames NamesOf(const std::vector<PartyColumn>& parties)
{
    PartyNames names;
    names.reserve(parties.size());
    for (const auto& party : parties)
        names.push_back(party.name);
    return names;
}

void Board::StartNewExample(const std::vector<std::string>& votes)
{
    for (std::size_t i = 0; i < parties.size(); ++i) {
        parties[i].entryText = i < votes.size() ? votes[i] : std::string();
        parties[i].rows.clear();
    }
    seatHistory.clear();
    divisorSelection.reset();
    seatsGiven = 0;
    enterEnabled = true;
}

bool Board::CanChangeParties() const
{
    return std::all_of(parties.begin(), parties.end(),
        [](const PartyColumn& party) { return party.rows.empty(); });
}

void Board::AddParty()
{
    if (CanChangeParties() && parties.size() < static_cast<std::size_t>(maxPartyCount))
        parties.emplace_back();
}

void Board::RemoveLastParty()
{
    if (CanChangeParties() && parties.size() > static_cast<std::size_t>(minPartyCount))
        parties.pop_back();
}

void Board::FillParties(int first, const std::vector<PartyFill>& fill)
{
    if (!CanChangeParties() || first < 0 || first >= maxPartyCount)
        return;
    const std::size_t start = static_cast<std::size_t>(first);
    const std::size_t count = std::clamp(start + fill.size(),
        static_cast<std::size_t>(minPartyCount), static_cast<std::size_t>(maxPartyCount));
    parties.resize(count);
    for (std::size_t i = start; i < count; ++i) {
        if (i - start >= fill.size())
            continue; // kept to stay at the fewest parties
        const PartyFill& party = fill[i - start];
        if (!party.name.empty())
            parties[i].name = party.name;
        parties[i].entryText = party.votes;
    }
}

} // namespace apportion
