#pragma once

#include "core/allocation/divisor_series.h"
#include "core/allocation/seat_record.h"
#include "core/comparison/vote_threshold.h"
#include "core/numbers/vote_reading.h"
#include "core/teaching/party_names.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace apportion {

// A lesson starts with five parties; the user may have from two to twelve.
inline constexpr int defaultPartyCount = 5;
inline constexpr int minPartyCount = 2;
inline constexpr int maxPartyCount = 12;
inline constexpr int seatChoiceCount = 300;
// The most seats one party can hold: the divisors past the listed 99 continue the series so far.
inline constexpr int maxPartySeats = seatChoiceCount;

struct PartyColumn {
    // Before the votes are entered: the party's vote total as typed. After: its seat count.
    std::string entryText;
    // The party's quotient rows: row 0 is the vote total, the last row the current quotient.
    std::vector<std::string> rows;
    // The party's name as typed; empty while the user has not named it.
    std::string name;

    bool operator==(const PartyColumn&) const = default;
};

// The whole state of one allocation, held as the texts the window shows. Every number is read
// back from its text whenever an operation needs it, except the vote totals, which are read once
// per change and kept beside their texts (Votes()); only the seat counter and the enabled
// state of the enter command are kept in other forms. The board never validates or reports:
// a text that is not a number reads as the number at its start, or as 0.
struct Board {
    Board();

    // Start-up: D'Hondt divisors, seat total 7.
    void LoadWindow();
    // Sets the method and its divisors and restarts the seat count; the columns stay as they are.
    void SelectMethod(DivisorMethod newMethod);
    // Copies every vote text twice into its rows (the total and the first quotient), sets the
    // party's entry text to its seat count, "0", and starts an empty seat history.
    void EnterVotes();
    // Gives one seat to the party whose latest quotient is the highest, the lowest-numbered party
    // on ties, appends one row to every column and records the turn in the seat history. A seat
    // is given entirely or not at all.
    void GiveNextSeat();
    // Empties every column and the seat history, and restarts the seat count.
    void ClearAll();
    // Leaves the allocation for a new example: empties every column, the seat history and the
    // divisor highlight, restarts the seat count, puts the given vote texts in the entry texts and
    // enables entering the votes again. The method and the seat total stay.
    // Missing vote texts are empty, extra ones are left out.
    void StartNewExample(const std::vector<std::string>& votes);

    // Whether parties can be added, removed or filled: only while no column holds rows, so every
    // column keeps the same number of rows.
    bool CanChangeParties() const;
    // Adds an unnamed party with no votes on the right, up to maxPartyCount.
    void AddParty();
    // Removes the rightmost party, down to minPartyCount.
    void RemoveLastParty();
    // Puts these names and vote texts into the parties from `first` on, replacing the parties
    // from there: the board then has first + fill.size() parties, kept within minPartyCount and
    // maxPartyCount (a party past the fill that the least count keeps stays as it was; rows past
    // the most are left out). An empty
    // name keeps the party's name where the party already exists.
    struct PartyFill {
        std::string name;
        std::string votes;
        bool operator==(const PartyFill&) const = default;
    };
    void FillParties(int first, const std::vector<PartyFill>& fill);
    // The seat total the seat selection names, or 0 when nothing is selected.
    double SeatTotal() const;

    // Sets the lesson's threshold and other votes. Seats already given are given again under the
    // new line, each under the method that gave it and whatever the seat total is now, so the
    // lists never show seats the line would not give; the method, its seat count and the divisor
    // highlight stay. Seats no party can take any more (every party under the line) are left out.
    void SetVoteCount(const VoteCount& count);
    // For each party, whether it competes for seats: all of them unless the lesson's threshold
    // applies, and then those at or above its line, as the comparison of the methods decides.
    std::vector<bool> TakingPart() const;
    // The parties' vote texts (VoteTexts(parties)) read. Brought up to the texts at each call,
    // reading again only the texts that changed since the last, however they were changed.
    const VoteReading& Votes() const;

    std::vector<PartyColumn> parties; // from the leftmost, minPartyCount to maxPartyCount

    std::vector<std::string> divisors;
    std::optional<int> divisorSelection;
    std::vector<std::string> seatChoices;
    std::optional<int> seatSelection;
    std::optional<DivisorMethod> method;
    std::int16_t seatsGiven = 0;
    bool enterEnabled = true;
    // One record per row appended after a column's first two, in order.
    std::vector<SeatRecord> seatHistory;
    // The lesson's threshold and the votes of parties not listed: a party under the line competes
    // for no seat. None at start.
    VoteCount voteCount;
    // The lesson's title and where its numbers come from, as the teacher gave them; empty at start.
    std::string title;
    std::string source;

    bool operator==(const Board&) const = default;

private:
    // Only ever repeats what the texts say, so it takes no part in comparing boards.
    struct KeptReading {
        VoteReading votes;
        bool operator==(const KeptReading&) const { return true; }
    };
    mutable KeptReading m_read;
};

// The seat turn's rule, shared by the board and by every computation of final seats: the party
// whose quotient is the highest wins, the leftmost of quotients that are equal.
int SeatWinner(const std::vector<double>& quotients);

// The quotient a winner competes with next: votes ÷ divisor, rounded to one decimal with halves
// away from zero, as its new row is written.
double CompetingQuotient(double votes, double divisor);

// A party's vote text: its row 0 once the votes were entered, its entry text before.
const std::string& VoteText(const PartyColumn& party);
// Each party's vote text.
std::vector<std::string> VoteTexts(const std::vector<PartyColumn>& parties);
// Each party's name, empty where it has none.
PartyNames NamesOf(const std::vector<PartyColumn>& parties);

} // namespace apportion
