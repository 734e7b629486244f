#include "core/allocation/final_seats.h"

#include "core/allocation/board.h"
#include "core/numbers/number_text.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace apportion {

namespace {

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

    // A number as it reads once written in its own form. A whole number below 10^15 is written
    // with all its digits and reads back as itself, so only other numbers go through the text.
    double writtenAgain(double value)
    {
        constexpr double allDigitsWritten = 1e15;
        if (std::fabs(value) < allDigitsWritten && value == std::trunc(value))
            return value;
        return ParseNumber(FormatShortest(value));
    }

} // namespace

std::vector<int> FinalSeats(DivisorMethod method, const std::vector<std::string>& votes,
    int seatTotal, const std::vector<bool>& takesPart)
{
    std::vector<double> read;
    read.reserve(votes.size());
    for (const auto& text : votes)
        read.push_back(ParseNumber(text));
    return FinalSeats(method, read, seatTotal, takesPart);
}

std::vector<int> FinalSeats(DivisorMethod method, const std::vector<double>& votes, int seatTotal,
    const std::vector<bool>& takesPart)
{
    const std::size_t count = votes.size();
    std::vector<int> seats(count, 0);
    const int index = static_cast<int>(method);
    if (index < 0 || index >= divisorMethodCount)
        return seats;
    const DivisorValues& divisors = divisorValues(method);

    // As on the board: the first quotient is the vote total as read; a row repeated
    // for a party that did not win is written again in the number's own form, and a winner's
    // new row is its quotient rounded to one decimal and written.
    std::vector<double> latest(count);
    std::vector<bool> written(count, false);
    for (std::size_t i = 0; i < count; ++i)
        latest[i] = votes[i];

    // A party under the threshold competes with a quotient below every other party's.
    const auto part = [&takesPart](std::size_t i) { return i >= takesPart.size() || takesPart[i]; };
    bool anyTakesPart = false;
    for (std::size_t i = 0; i < count; ++i)
        anyTakesPart = anyTakesPart || part(i);
    if (!anyTakesPart)
        return seats;
    std::vector<double> competing(count);
    const auto competingNow = [&]() -> const std::vector<double>& {
        for (std::size_t i = 0; i < count; ++i)
            competing[i] = part(i) ? latest[i] : -std::numeric_limits<double>::infinity();
        return competing;
    };

    const int total = std::clamp(seatTotal, 0, maxPartySeats);
    for (int turn = 0; turn < total; ++turn) {
        const auto winner = static_cast<std::size_t>(SeatWinner(competingNow()));
        const int held = ++seats[winner];
        // RoundHalfAway reads back a decimal of at most 15 significant digits, which writing
        // and reading again would leave as it is.
        latest[winner] = CompetingQuotient(votes[winner], divisors[held + 1]);
        written[winner] = true;
        for (std::size_t h = 0; h < count; ++h) {
            if (!written[h]) {
                latest[h] = writtenAgain(latest[h]);
                written[h] = true;
            }
        }
    }
    return seats;
}

} // namespace apportion
