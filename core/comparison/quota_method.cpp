#include "core/comparison/quota_method.h"

#include "core/numbers/vote_reading.h"
#include "core/teaching/explanation.h"

#include <algorithm>

namespace apportion {

namespace {

    constexpr int leastDecimals = 4;
    // Enough for any remainders this program is asked to tell apart; past it the working still
    // ranks them exactly.
    constexpr int mostDecimals = 36;

    // A remainder ÷ total written after the point, a digit at a time, from what is left of it.
    struct RemainderDigits {
        WholeNumber rest; // below total
        std::string digits;

        void addDigit(const WholeNumber& total)
        {
            rest *= 10;
            digits += static_cast<char>('0' + rest.TakeSmallQuotient(total, 9));
        }
    };

    // Writes the remainders to the fewest decimals from four on at which those that differ also
    // read differently, and gives that number of decimals.
    int writeDistinctly(std::vector<RemainderDigits>& written,
        const std::vector<WholeNumber>& remainders, const WholeNumber& total)
    {
        for (int places = 1; places <= mostDecimals; ++places) {
            for (auto& remainder : written)
                remainder.addDigit(total);
            if (places < leastDecimals)
                continue;
            bool distinct = true;
            for (std::size_t a = 0; a < written.size() && distinct; ++a) {
                for (std::size_t b = a + 1; b < written.size() && distinct; ++b)
                    distinct
                        = remainders[a] == remainders[b] || written[a].digits != written[b].digits;
            }
            if (distinct)
                return places;
        }
        return mostDecimals;
    }

    // Ranks the remainders of the parties that take part, largest first, the leftmost first among
    // equal ones, and gives the extra seats to the first `extra` of them.
    void rankRemainders(QuotaWorking& working, const std::vector<WholeNumber>& remainders)
    {
        std::vector<int> order;
        for (std::size_t i = 0; i < working.parties.size(); ++i) {
            if (working.parties[i].takesPart)
                order.push_back(static_cast<int>(i));
        }
        std::stable_sort(order.begin(), order.end(), [&remainders](int a, int b) {
            return remainders[static_cast<std::size_t>(a)]
                > remainders[static_cast<std::size_t>(b)];
        });
        working.extraSeats
            = std::clamp(working.seatTotal - working.wholeSeats, 0, static_cast<int>(order.size()));
        for (std::size_t r = 0; r < order.size(); ++r) {
            auto& party = working.parties[static_cast<std::size_t>(order[r])];
            party.rank = static_cast<int>(r) + 1;
            party.extraSeat = static_cast<int>(r) < working.extraSeats;
            party.seats = party.wholeSeats + (party.extraSeat ? 1 : 0);
        }
    }

    // `written`: with the texts of the working, or the seats alone.
    QuotaWorking work(
        const VoteTotals& votes, int seatTotal, const std::vector<bool>& takesPart, bool written)
    {
        QuotaWorking working;
        working.seatTotal = std::clamp(seatTotal, 0, maxPartySeats);
        const std::size_t count = votes.units.size();
        working.parties.resize(count);
        WholeNumber total;
        for (std::size_t i = 0; i < count; ++i) {
            auto& party = working.parties[i];
            party.votes = votes.written[i];
            party.takesPart = (i >= takesPart.size() || takesPart[i]) && !votes.negative[i];
            if (party.takesPart)
                total += votes.units[i];
        }
        const auto seats = static_cast<std::uint32_t>(working.seatTotal);
        working.defined = !total.IsZero() && seats > 0;
        if (!working.defined)
            return working;

        // votes × seats = whole × total + remainder: the remainders share the denominator total.
        std::vector<WholeNumber> remainders(count);
        std::vector<WholeNumber> compared; // the remainders of the parties that take part
        for (std::size_t i = 0; i < count; ++i) {
            auto& party = working.parties[i];
            if (!party.takesPart)
                continue;
            remainders[i] = votes.units[i];
            remainders[i] *= seats;
            party.wholeSeats = static_cast<int>(remainders[i].TakeSmallQuotient(total, seats));
            compared.push_back(remainders[i]);
            working.wholeSeats += party.wholeSeats;
        }
        if (written) {
            std::vector<RemainderDigits> digits;
            for (const auto& remainder : compared)
                digits.push_back({ remainder, {} });
            working.decimals = writeDistinctly(digits, compared, total);
            working.totalText = ExactText(total, votes.scale);
            working.quotaText
                = CutQuotient(total, votes.scale, seats, working.decimals, &working.quotaCut);
            auto next = digits.begin();
            for (auto& party : working.parties) {
                if (!party.takesPart)
                    continue;
                party.cut = !next->rest.IsZero();
                party.quotient = std::to_string(party.wholeSeats) + "." + next->digits;
                party.remainder = "0." + next->digits;
                ++next;
            }
        }
        rankRemainders(working, remainders);
        return working;
    }

} // namespace

QuotaWorking HareNiemeyer(
    const VoteTotals& votes, int seatTotal, const std::vector<bool>& takesPart)
{
    return work(votes, seatTotal, takesPart, true);
}

QuotaWorking HareNiemeyer(
    const std::vector<std::string>& votes, int seatTotal, const std::vector<bool>& takesPart)
{
    return work(ReadVotes(votes).totals, seatTotal, takesPart, true);
}

std::vector<int> AlabamaLosers(const QuotaWorking& now, const QuotaWorking& before)
{
    std::vector<int> losers;
    for (std::size_t i = 0; i < now.parties.size() && i < before.parties.size(); ++i) {
        if (now.parties[i].seats < before.parties[i].seats)
            losers.push_back(static_cast<int>(i));
    }
    return losers;
}

std::vector<int> AlabamaLosers(
    const std::vector<std::string>& votes, int seatTotal, const std::vector<bool>& takesPart)
{
    if (seatTotal < 2 || seatTotal > maxPartySeats)
        return {};
    const VoteTotals totals = ReadVotes(votes).totals;
    return AlabamaLosers(
        work(totals, seatTotal, takesPart, false), work(totals, seatTotal - 1, takesPart, false));
}

std::string DescribeQuotaWorking(const QuotaWorking& working, const PartyNames& names)
{
    if (!working.defined)
        return "Hare–Niemeyer: няма квота — няма гласове на участващи партии или мандати.";
    std::string text = "Hare–Niemeyer: квота " + working.quotaText + " гласа на мандат; "
        + SeatCountText(std::to_string(working.wholeSeats)) + " по цели части";
    std::vector<int> extra;
    for (std::size_t i = 0; i < working.parties.size(); ++i) {
        if (working.parties[i].extraSeat)
            extra.push_back(static_cast<int>(i));
    }
    if (!extra.empty()) {
        text += ", " + std::to_string(extra.size()) + " по най-големите остатъци ("
            + PartiesNamed(names, extra) + ")";
    }
    return text
        + ". При равни остатъци законът тегли жребий; тук мандатът отива при партията "
          "най-вляво.";
}

} // namespace apportion
