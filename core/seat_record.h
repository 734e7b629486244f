#pragma once

#include <string>
#include <vector>

namespace apportion {

// A party's latest quotient as it competed for a seat that it shared at the one-decimal
// rounding with other parties: the division behind the row, unrounded.
struct TiedQuotient {
    int party = 0;
    double votes = 0;
    std::string divisorText; // "1" while the party's latest row is its vote total
    double unrounded = 0;

    bool operator==(const TiedQuotient&) const = default;
};

// What one seat turn did, kept so the window can explain each row from what was computed rather
// than from texts the user may have edited since.
struct SeatRecord {
    int seat = 0; // the seat counter after the turn
    int winner = 0;
    // Where the divisor stands in the method's series: 0 to 98 in the list, beyond it for a
    // party's 101st and later seats.
    int divisorPosition = 0;
    std::string divisorText;
    std::string voteText; // the winner's vote total as entered
    double quotient = 0; // votes ÷ divisor, unrounded
    std::string row; // the row written for the winner
    // Empty unless other parties' latest quotients read equal to the winner's: then the winner
    // first and the parties to its right that lost the tie, in order.
    std::vector<TiedQuotient> tie;

    bool operator==(const SeatRecord&) const = default;
};

} // namespace apportion
