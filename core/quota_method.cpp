#include "core/quota_method.h"

#include "core/explanation.h"
#include "core/number_text.h"
#include "core/vote_threshold.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numeric>

namespace apportion {

namespace {

    using Wide = ExactUnits;

    constexpr double exactLimit = 9007199254740992.0; // 2^53: whole doubles up to it are exact
    constexpr int leastDecimals = 4;
    // Remainders that differ by at least 1 / total read differently at as many decimals as the
    // total has digits: twelve totals below 10^16 with 18 decimals stay below 10^36.
    constexpr int mostDecimals = 36;

    // Vote totals read exactly: each participant's in units of 10^-scale.
    struct ExactTotals {
        std::vector<Wide> units;
        int scale = 0;
    };

    bool counts(double votes, bool takesPart)
    {
        return takesPart && std::isfinite(votes) && votes >= 0;
    }

    // The digits of numerator ÷ denominator after the point, cut to `places`; `cut`, where
    // given, tells whether digits other than 0 were left.
    std::string fractionDigits(Wide numerator, Wide denominator, int places, bool* cut = nullptr)
    {
        std::string digits;
        Wide rest = numerator % denominator;
        for (int k = 0; k < places; ++k) {
            rest *= 10;
            digits += static_cast<char>('0' + static_cast<int>(rest / denominator));
            rest %= denominator;
        }
        if (cut)
            *cut = rest != 0;
        return digits;
    }

    std::string cutText(double value, int places)
    {
        const double scale = std::pow(10.0, places);
        if (!std::isfinite(value * scale))
            return FormatShortest(value); // too large for its decimals to matter
        return FormatFixed(std::floor(value * scale) / scale, places);
    }

    // The fewest decimals from four on at which remainders that differ also read differently.
    template <typename Remainder, typename Text>
    int distinguishingDecimals(const std::vector<Remainder>& remainders, Text text)
    {
        std::vector<std::string> texts(remainders.size());
        for (int places = leastDecimals; places < mostDecimals; ++places) {
            for (std::size_t r = 0; r < remainders.size(); ++r)
                texts[r] = text(remainders[r], places);
            bool distinct = true;
            for (std::size_t a = 0; a < remainders.size() && distinct; ++a) {
                for (std::size_t b = a + 1; b < remainders.size() && distinct; ++b)
                    distinct = remainders[a] == remainders[b] || texts[a] != texts[b];
            }
            if (distinct)
                return places;
        }
        return mostDecimals;
    }

    // Ranks the remainders of the parties that take part, largest first, the leftmost first among
    // equal ones, and gives the extra seats to the first `extra` of them.
    template <typename Remainder>
    void rankRemainders(QuotaWorking& working, const std::vector<Remainder>& remainders)
    {
        std::vector<int> order;
        for (std::size_t i = 0; i < working.parties.size(); ++i) {
            if (working.parties[i].takesPart)
                order.push_back(static_cast<int>(i));
        }
        std::stable_sort(order.begin(), order.end(),
            [&remainders](int a, int b) { return remainders[a] > remainders[b]; });
        working.extraSeats
            = std::clamp(working.seatTotal - working.wholeSeats, 0, static_cast<int>(order.size()));
        for (std::size_t r = 0; r < order.size(); ++r) {
            auto& party = working.parties[static_cast<std::size_t>(order[r])];
            party.rank = static_cast<int>(r) + 1;
            party.extraSeat = static_cast<int>(r) < working.extraSeats;
            party.seats = party.wholeSeats + (party.extraSeat ? 1 : 0);
        }
    }

    void workExactly(QuotaWorking& working, bool written, const ExactTotals& exact)
    {
        const auto seats = static_cast<Wide>(working.seatTotal);
        Wide total = 0;
        for (std::size_t i = 0; i < working.parties.size(); ++i) {
            if (working.parties[i].takesPart)
                total += exact.units[i];
        }
        working.defined = total > 0 && seats > 0;
        if (!working.defined)
            return;

        // votes × seats = whole × total + remainder: the remainders share the denominator total.
        std::vector<Wide> remainders(working.parties.size(), 0);
        std::vector<Wide> compared;
        for (std::size_t i = 0; i < working.parties.size(); ++i) {
            auto& party = working.parties[i];
            if (!party.takesPart)
                continue;
            const Wide product = exact.units[i] * seats;
            party.wholeSeats = static_cast<int>(product / total);
            remainders[i] = product % total;
            compared.push_back(remainders[i]);
            working.wholeSeats += party.wholeSeats;
        }
        if (!written) {
            rankRemainders(working, remainders);
            return;
        }
        working.decimals = distinguishingDecimals(compared, [total](Wide remainder, int places) {
            return fractionDigits(remainder, total, places);
        });
        // The quota in votes: total ÷ (seats × 10^scale).
        const Wide unit = PowerOfTen(exact.scale);
        working.totalText = ExactText(total, exact.scale);
        const Wide divisor = seats * unit;
        working.quota = static_cast<double>(total) / static_cast<double>(divisor);
        working.quotaText = ExactText(total / divisor) + "."
            + fractionDigits(total % divisor, divisor, working.decimals, &working.quotaCut);
        for (std::size_t i = 0; i < working.parties.size(); ++i) {
            auto& party = working.parties[i];
            if (!party.takesPart)
                continue;
            const std::string fraction
                = fractionDigits(remainders[i], total, working.decimals, &party.cut);
            party.quotient = std::to_string(party.wholeSeats) + "." + fraction;
            party.remainder = "0." + fraction;
        }
        rankRemainders(working, remainders);
    }

    void workInDoubles(QuotaWorking& working, bool written)
    {
        // Divided by the largest first, so that totals near the largest double do not overflow.
        double largest = 0;
        for (const auto& party : working.parties) {
            if (party.takesPart)
                largest = std::max(largest, party.votes);
        }
        working.defined = largest > 0 && working.seatTotal > 0;
        if (!working.defined)
            return;
        double scaledTotal = 0;
        for (const auto& party : working.parties) {
            if (party.takesPart)
                scaledTotal += party.votes / largest;
        }

        std::vector<double> remainders(working.parties.size(), 0.0);
        std::vector<double> compared;
        std::vector<double> quotients(working.parties.size(), 0.0);
        for (std::size_t i = 0; i < working.parties.size(); ++i) {
            auto& party = working.parties[i];
            if (!party.takesPart)
                continue;
            quotients[i] = party.votes / largest / scaledTotal * working.seatTotal;
            const double whole
                = std::clamp(std::floor(quotients[i]), 0.0, static_cast<double>(working.seatTotal));
            party.wholeSeats = static_cast<int>(whole);
            remainders[i] = std::max(0.0, quotients[i] - whole);
            compared.push_back(remainders[i]);
            working.wholeSeats += party.wholeSeats;
        }
        if (!written) {
            rankRemainders(working, remainders);
            return;
        }
        working.decimals = distinguishingDecimals(compared, cutText);
        working.quota = largest * scaledTotal / working.seatTotal;
        working.totalText = FormatShortest(largest * scaledTotal);
        working.quotaText = std::isfinite(working.quota) ? cutText(working.quota, working.decimals)
                                                         : FormatShortest(working.quota);
        working.quotaCut = ParseNumber(working.quotaText) != working.quota;
        for (std::size_t i = 0; i < working.parties.size(); ++i) {
            auto& party = working.parties[i];
            if (!party.takesPart)
                continue;
            party.remainder = cutText(remainders[i], working.decimals);
            party.cut = ParseNumber(party.remainder) != remainders[i];
            party.quotient = std::to_string(party.wholeSeats) + party.remainder.substr(1);
        }
        rankRemainders(working, remainders);
    }

    // `written`: with the texts of the working, or the seats alone. `texts`, where given, are the
    // vote texts the totals were read from: read again exactly, decimals and all.
    QuotaWorking work(const std::vector<double>& votes, int seatTotal,
        const std::vector<bool>& takesPart, bool written, const std::vector<std::string>* texts)
    {
        QuotaWorking working;
        working.seatTotal = std::clamp(seatTotal, 0, maxPartySeats);
        working.parties.resize(votes.size());
        ExactTotals exact;
        exact.units.assign(votes.size(), 0);
        std::vector<std::optional<ExactVotes>> read(votes.size());
        bool exactly = true;
        for (std::size_t i = 0; i < votes.size(); ++i) {
            auto& party = working.parties[i];
            party.votes = votes[i];
            party.takesPart = counts(votes[i], i >= takesPart.size() || takesPart[i]);
            if (!party.takesPart)
                continue;
            if (texts && i < texts->size()) {
                read[i] = ReadExactly((*texts)[i]);
            } else if (votes[i] == std::floor(votes[i]) && votes[i] <= exactLimit) {
                read[i] = ExactVotes { static_cast<Wide>(votes[i]), 0 };
            }
            exactly = exactly && read[i].has_value();
            if (read[i])
                exact.scale = std::max(exact.scale, read[i]->scale);
        }
        if (!exactly) {
            workInDoubles(working, written);
            return working;
        }
        for (std::size_t i = 0; i < votes.size(); ++i) {
            if (read[i])
                exact.units[i] = read[i]->units * PowerOfTen(exact.scale - read[i]->scale);
        }
        workExactly(working, written, exact);
        return working;
    }

    std::vector<int> alabamaLosers(const std::vector<double>& votes, int seatTotal,
        const std::vector<bool>& takesPart, const std::vector<std::string>* texts)
    {
        std::vector<int> losers;
        if (seatTotal < 2 || seatTotal > maxPartySeats)
            return losers;
        const QuotaWorking now = work(votes, seatTotal, takesPart, false, texts);
        const QuotaWorking before = work(votes, seatTotal - 1, takesPart, false, texts);
        for (std::size_t i = 0; i < now.parties.size(); ++i) {
            if (now.parties[i].seats < before.parties[i].seats)
                losers.push_back(static_cast<int>(i));
        }
        return losers;
    }

} // namespace

QuotaWorking HareNiemeyer(
    const std::vector<double>& votes, int seatTotal, const std::vector<bool>& takesPart)
{
    return work(votes, seatTotal, takesPart, true, nullptr);
}

QuotaWorking HareNiemeyer(
    const std::vector<std::string>& votes, int seatTotal, const std::vector<bool>& takesPart)
{
    std::vector<double> read;
    for (const auto& text : votes)
        read.push_back(ParseNumber(text));
    return work(read, seatTotal, takesPart, true, &votes);
}

std::vector<int> AlabamaLosers(
    const std::vector<std::string>& votes, int seatTotal, const std::vector<bool>& takesPart)
{
    std::vector<double> read;
    for (const auto& text : votes)
        read.push_back(ParseNumber(text));
    return alabamaLosers(read, seatTotal, takesPart, &votes);
}

std::vector<int> AlabamaLosers(
    const std::vector<double>& votes, int seatTotal, const std::vector<bool>& takesPart)
{
    return alabamaLosers(votes, seatTotal, takesPart, nullptr);
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
