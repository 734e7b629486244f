#pragma once

#include "core/allocation/board.h"

#include <cstddef>
#include <string>
#include <vector>

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

// The parties the lesson's threshold leaves out of the seats, with the votes each lacks: "под
// прага 4 % (97 459 гласа) е Величие — не достигат 29 гласа". Empty where the threshold leaves
// no party out, or there is none.
std::string UnderThresholdText(const Board& board);
// The same as a sentence of its own: "Под прага 4 % (…) е Величие — не достигат 29 гласа.";
// empty where no party is out.
std::string UnderThresholdSentence(const Board& board);

// Which seat of a party the divisor at this position of the method's series is for and, for
// equal proportions, the square root it was rounded from.
std::string ExplainDivisor(DivisorMethod method, int position);

// How a typed text was read, where it is not the number's own form: "„3066,8“ се чете като
// 3066."; empty where it is.
std::string ReadingOf(const std::string& text);
// The same for a text read already as `value`.
std::string ReadingOf(const std::string& text, double value);

// A seat count as the party's box held it: "1 мандат", "3 мандата", "2.5 мандата".
std::string SeatCountText(const std::string& seatsText);

// The parties of these quotients, in order.
std::vector<int> PartiesOf(const std::vector<TiedQuotient>& quotients);

// A division as it competed: "58125 ÷ 3 = 19375", or with the rounding that gave the row where
// it differs from the unrounded quotient: "45 ÷ 4 = 11.25 → 11.3".
std::string DivisionText(const TiedQuotient& quotient, double competed);

// A value as the explanations write it: the window's own form, cut to four decimals with "…"
// where it has more ("11.3333…"), or to four significant digits where the value is too small for
// four decimals to show them ("0.00001234…").
std::string ApproximateText(double value);

} // namespace apportion
