#pragma once

#include "core/allocation/board.h"
#include "core/numbers/exact_number.h"

#include <string>
#include <vector>

namespace apportion {

// Hare–Niemeyer, the quota method of the largest remainders with the Hare quota, as a class
// works it on paper: the quota is the votes of the parties that take part ÷ the seat total; each
// such party first takes the whole part of its votes ÷ quota; the seats left go one each to the
// largest remainders. Where the law draws lots between equal remainders, the party further left
// wins, as the divisor methods' ties do here.
//
// Vote totals are worked exactly, in whole numbers of any size: each total in units of the
// smallest decimal any of them has, votes × seats = whole × total + remainder, so remainders that
// are equal read equal ("4.8" and "1.6" at 18 seats tie at .5 and the left party wins) and those
// that differ never do, whatever the vote texts.
struct QuotaWorking {
    struct Party {
        bool takesPart = false; // over the threshold, with a vote total that is not negative
        std::string votes; // exactly, as read ("4.8")
        std::string quotient; // votes ÷ quota, cut (never rounded up) to `decimals` places
        int wholeSeats = 0;
        std::string remainder; // the quotient's fraction, cut likewise
        bool cut = false; // the quotient has more digits than it is written with
        int rank = 0; // 1 for the largest remainder, 0 for a party that takes no part
        bool extraSeat = false;
        int seats = 0;
    };

    bool defined = false; // a quota exists: some votes and some seats
    int seatTotal = 0;
    std::string quotaText; // cut to `decimals` places
    std::string totalText; // the votes of the parties that take part, exactly: the quota's dividend
    bool quotaCut = false; // the quota has more digits than it is written with
    int decimals = 4; // enough that no two remainders that differ read equal
    int wholeSeats = 0; // given by the quota
    int extraSeats = 0; // given to the largest remainders
    std::vector<Party> parties; // one for each vote total
};

// The working for these vote totals and seat total (clamped to 0..300); a party for which
// `takesPart` is false takes no seat and counts for nothing in the quota, nor does one with a
// negative vote total.
// `takesPart` has one flag for each vote total; a party past its end takes part.
QuotaWorking HareNiemeyer(
    const VoteTotals& votes, int seatTotal, const std::vector<bool>& takesPart);
// The same for the vote texts as typed.
QuotaWorking HareNiemeyer(
    const std::vector<std::string>& votes, int seatTotal, const std::vector<bool>& takesPart);

// The parties that have fewer seats by Hare–Niemeyer in the working `now` than in `before`, the
// working at one seat fewer: the Alabama paradox.
std::vector<int> AlabamaLosers(const QuotaWorking& now, const QuotaWorking& before);
// The same for the vote texts as typed at this seat total.
std::vector<int> AlabamaLosers(
    const std::vector<std::string>& votes, int seatTotal, const std::vector<bool>& takesPart);

// The working in a sentence, for a tooltip and a screen reader.
std::string DescribeQuotaWorking(const QuotaWorking& working, const PartyNames& names = {});

} // namespace apportion
