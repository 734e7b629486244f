#pragma once

#include "core/board.h"

#include <cstddef>
#include <string>

namespace apportion {

// How a quotient row is marked in the window. Seat k was won by its winner's row k: that row
// carries the seat's number. In a tie, every row that read equal to the winner's for that seat
// carries the tie mark, the winner's included.
struct RowMark {
    int seat = 0; // the seat this row won, or 0
    bool tie = false;

    bool operator==(const RowMark&) const = default;
};

RowMark MarkOfRow(const Board& board, int party, std::size_t row);

// Why a party's quotient row holds what it holds, in Bulgarian, from the seat history and never
// from texts the user may have edited since: the vote total and how it was read; a quotient
// that won a seat, with the seat's method, its division unrounded and rounded and the seats the
// party then held; a quotient that lost a tie, with the rule that settled it and where the seat
// would have gone without the rounding; the new quotient a seat wrote, with its divisor and the
// seat it competes for next; or a quotient that still competes unchanged. Empty for a row the
// board does not hold.
std::string ExplainRow(const Board& board, int party, std::size_t row);

// Which seat of a party the divisor at this position of the method's series is for and, for
// equal proportions, the square root it was rounded from.
std::string ExplainDivisor(DivisorMethod method, int position);

// A value as the explanations write it: the window's own form, cut to four decimals with "…"
// where it has more ("11.3333…").
std::string ApproximateText(double value);

} // namespace apportion
