#pragma once

#include "core/board.h"

#include <cstddef>
#include <string>

namespace apportion {

// How a quotient row is marked in the window: the row a seat wrote for its winner, and, among
// those, a seat decided between quotients that read equal.
struct RowMark {
    bool seat = false;
    bool tie = false;
};

RowMark MarkOfRow(const Board& board, int party, std::size_t row);

// Why a party's quotient row holds what it holds, in Bulgarian, from the seat history: the vote
// total, the first quotient, the seat that wrote the row and its division, or the seat after
// which it stands unchanged; ties name the parties, the rule that settled them and, where the
// unrounded quotients differ, where the seat would have gone without the rounding. Empty for a
// row the board does not hold.
std::string ExplainRow(const Board& board, int party, std::size_t row);

// Which seat of a party the divisor at this position of the method's series is for and, for
// equal proportions, the square root it was rounded from.
std::string ExplainDivisor(DivisorMethod method, int position);

// A value as the explanations write it: the window's own form, cut to four decimals with "…"
// where it has more ("11.3333…").
std::string ApproximateText(double value);

} // namespace apportion
