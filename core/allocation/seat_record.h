#pragma once

#include "core/allocation/divisor_series.h"

#include <optional>
#include <string>
#include <vector>

namespace apportion {

// The division behind a party's latest row as it competed for a seat: its last seat's, or its
// vote total over 1 while it has won none since the votes were entered. Unrounded.
struct TiedQuotient {
    int party = 0;
    double votes = 0;
    std::string divisorText; // "1" while the party's latest row is its vote total
    double unrounded = 0;
    // The method whose divisor gave the quotient; none for the vote total over 1, which is the
    // same under every method.
    std::optional<DivisorMethod> method;

    bool operator==(const TiedQuotient&) const = default;
};

// What one seat turn did, kept so the window can explain each row from what was computed rather
// than from texts the user may have edited since.
//
// Seat k (counted from 1 since the votes were entered, whatever methods were chosen in between)
// was won by the winner's row k: the row that competed for it. The turn then wrote the winner's
// new quotient as row k + 1 and repeated every other party's row.
struct SeatRecord {
    int seat = 0; // the seat's number since the votes were entered
    DivisorMethod method = DivisorMethod::DHondt; // the method that gave it
    int winner = 0;
    TiedQuotient won; // the winning quotient, unrounded
    std::string seatsAfter; // the winner's seat count after the turn, as its box held it
    // Where the divisor for the winner's new quotient stands in the method's series: 0 to 98 in
    // the list, beyond it for a party's 101st and later seats.
    int divisorPosition = 0;
    std::string divisorText;
    std::string voteText; // the winner's vote total as entered
    double quotient = 0; // the new quotient, votes ÷ divisor, unrounded
    std::string row; // the new quotient's row, written for the winner
    // Empty unless other parties' latest quotients read equal to the winner's: then the winner
    // first and the parties to its right that lost the tie, in order.
    std::vector<TiedQuotient> tie;

    bool operator==(const SeatRecord&) const = default;
};

} // namespace apportion
