#include "core/method_comparison.h"

#include "core/explanation.h"
#include "core/number_text.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace apportion {

namespace {

    constexpr double notANumber = std::numeric_limits<double>::quiet_NaN();

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

    // Shares in percent, or not-a-number throughout where they are not defined. Divided by the
    // largest first, so that vote totals near the largest double do not overflow the sum.
    template <typename Value>
    std::array<double, partyCount> shares(const std::array<Value, partyCount>& values)
    {
        std::array<double, partyCount> result;
        result.fill(notANumber);
        double largest = 0;
        for (const auto value : values) {
            if (!(value >= 0) || !std::isfinite(static_cast<double>(value)))
                return result;
            largest = std::max(largest, static_cast<double>(value));
        }
        if (largest == 0)
            return result;
        double sum = 0;
        for (const auto value : values)
            sum += static_cast<double>(value) / largest;
        for (int i = 0; i < partyCount; ++i)
            result[i] = static_cast<double>(values[i]) / largest / sum * 100;
        return result;
    }

    double effectiveParties(const std::array<double, partyCount>& sharesInPercent)
    {
        double sum = 0;
        for (const double share : sharesInPercent)
            sum += (share / 100) * (share / 100);
        return 1 / sum; // not a number when the shares are not
    }

    std::string numberOrDash(double value, int places)
    {
        return std::isfinite(value) ? FormatFixed(value, places) : "—";
    }

    std::string shareText(double share)
    {
        return std::isfinite(share) ? FormatFixed(share, 1) : std::string();
    }

    // "3 (42.9 %)", or the count alone where the share is not defined.
    ComparisonTable::Cell countCell(
        const std::string& shown, const std::string& count, double share, int change = 0)
    {
        const std::string percent = shareText(share);
        return { percent.empty() ? shown : shown + " (" + percent + " %)", change, count, percent };
    }

    ComparisonTable::Cell textCell(std::string text) { return { std::move(text), 0, {}, {} }; }

    ComparisonTable::Cell indexCell(double value)
    {
        const std::string text = numberOrDash(value, 2);
        return { text, 0, std::isfinite(value) ? text : std::string(), {} };
    }

} // namespace

std::array<int, partyCount> FinalSeats(DivisorMethod method,
    const std::array<std::string, partyCount>& votes, int seatTotal,
    const std::array<bool, partyCount>& takesPart)
{
    std::array<int, partyCount> seats {};
    const int index = static_cast<int>(method);
    if (index < 0 || index >= divisorMethodCount)
        return seats;
    const DivisorValues& divisors = divisorValues(method);

    // As on the board: the first quotient is the vote text read as it stands; a row repeated
    // for a party that did not win is written again in the number's own form, and a winner's
    // new row is its quotient rounded to one decimal and written.
    std::array<double, partyCount> votesRead {};
    std::array<double, partyCount> latest {};
    std::array<bool, partyCount> written {};
    for (int i = 0; i < partyCount; ++i)
        latest[i] = votesRead[i] = ParseNumber(votes[i]);

    // A party under the threshold competes with a quotient below every other party's.
    if (std::none_of(takesPart.begin(), takesPart.end(), [](bool part) { return part; }))
        return seats;
    const auto competing = [&takesPart](std::array<double, partyCount> quotients) {
        for (int i = 0; i < partyCount; ++i) {
            if (!takesPart[i])
                quotients[i] = -std::numeric_limits<double>::infinity();
        }
        return quotients;
    };

    const int total = std::clamp(seatTotal, 0, maxPartySeats);
    for (int turn = 0; turn < total; ++turn) {
        const int winner = SeatWinner(competing(latest));
        const int held = ++seats[winner];
        // RoundHalfAway reads back a decimal of at most 15 significant digits, which writing
        // and reading again would leave as it is.
        latest[winner] = CompetingQuotient(votesRead[winner], divisors[held + 1]);
        written[winner] = true;
        for (int h = 0; h < partyCount; ++h) {
            if (!written[h]) {
                latest[h] = ParseNumber(FormatShortest(latest[h]));
                written[h] = true;
            }
        }
    }
    return seats;
}

namespace {

    void measure(MethodResult& result, const MethodComparison& comparison)
    {
        const auto seatShares = shares(result.seats);
        result.effectiveParties = effectiveParties(seatShares);
        double squares = 0;
        for (int i = 0; i < partyCount; ++i) {
            const double gap = comparison.voteShares[i] - seatShares[i];
            squares += gap * gap;
        }
        result.gallagher = std::sqrt(squares / 2);
    }

} // namespace

MethodComparison CompareMethods(
    const std::array<std::string, partyCount>& votes, int seatTotal, double threshold)
{
    MethodComparison comparison;
    comparison.seatTotal = std::clamp(seatTotal, 0, maxPartySeats);
    for (int i = 0; i < partyCount; ++i)
        comparison.votes[i] = ParseNumber(votes[i]);
    comparison.voteShares = shares(comparison.votes);
    comparison.effectivePartiesByVotes = effectiveParties(comparison.voteShares);

    // The threshold counts against the shares of all five parties' votes, where they exist.
    comparison.threshold = std::isfinite(threshold) ? std::clamp(threshold, 0.0, 100.0) : 0;
    comparison.thresholdApplies
        = comparison.threshold > 0 && std::isfinite(comparison.voteShares[0]);
    for (int i = 0; i < partyCount; ++i) {
        comparison.takesPart[i]
            = !comparison.thresholdApplies || !(comparison.voteShares[i] < comparison.threshold);
    }

    for (int m = 0; m < divisorMethodCount; ++m) {
        MethodResult& result = comparison.methods[m];
        result.method = static_cast<DivisorMethod>(m);
        result.caption = MethodCaption(result.method);
        result.seats = FinalSeats(result.method, votes, comparison.seatTotal, comparison.takesPart);
        measure(result, comparison);
    }

    comparison.quota = HareNiemeyer(comparison.votes, comparison.seatTotal, comparison.takesPart);
    comparison.hareNiemeyer.caption = hareNiemeyerCaption;
    for (int i = 0; i < partyCount; ++i)
        comparison.hareNiemeyer.seats[i] = comparison.quota.parties[i].seats;
    measure(comparison.hareNiemeyer, comparison);
    comparison.alabamaLosers
        = AlabamaLosers(comparison.votes, comparison.seatTotal, comparison.takesPart);
    return comparison;
}

MethodComparison CompareMethods(const Board& board, double threshold)
{
    const double total = board.SeatTotal();
    const int seatTotal = total >= 0 && total <= maxPartySeats ? static_cast<int>(total) : 0;
    return CompareMethods(VoteTexts(board.parties), seatTotal, threshold);
}

namespace {

    void addNotes(ComparisonTable& table, const MethodComparison& comparison)
    {
        if (comparison.threshold > 0) {
            const std::string threshold = "Праг " + FormatShortest(comparison.threshold) + " %";
            if (!comparison.thresholdApplies) {
                table.notes.push_back(threshold
                    + ": не се прилага — делът на гласовете не е определен (отрицателни гласове "
                      "или никакви гласове).");
            } else {
                std::vector<int> under;
                for (int i = 0; i < partyCount; ++i) {
                    if (!comparison.takesPart[i])
                        under.push_back(i);
                }
                table.notes.push_back(threshold
                    + (under.empty() ? ": всички партии са над прага."
                                     : ": под прага "
                                + std::string(under.size() == 1 ? "е партия " : "са партии ")
                                + PartyNumbers(under)
                                + " — без мандати при всеки метод; индексите броят и техните "
                                  "гласове."));
            }
        }
        for (const int party : comparison.alabamaLosers) {
            table.notes.push_back("Парадоксът Алабама: с " + std::to_string(comparison.seatTotal)
                + " мандата партия " + std::to_string(party + 1) + " губи мандата, който има при "
                + std::to_string(comparison.seatTotal - 1)
                + " (Hare–Niemeyer). Методите на делителя не допускат това.");
        }
    }

    void addWorking(ComparisonTable& table, const QuotaWorking& working)
    {
        table.workingSentence = DescribeQuotaWorking(working);
        if (!working.defined)
            return;
        double participating = 0;
        for (const auto& party : working.parties) {
            if (party.takesPart)
                participating += party.votes;
        }
        table.quotaLine = "Квота: " + FormatShortest(participating) + " ÷ "
            + std::to_string(working.seatTotal) + " = " + working.quotaText;
        table.quota = working.quotaText;
        // A column per party, as in the comparison, and a row per step of the working.
        table.workingHeader = { "" };
        for (int i = 0; i < partyCount; ++i)
            table.workingHeader.push_back("Партия " + std::to_string(i + 1));
        const char* const steps[] = { "Гласове", "Гласове ÷ квота", "Цели мандати", "Остатък",
            "Ранг на остатъка", "Допълнителен мандат", "Мандати" };
        for (const char* step : steps)
            table.workingRows.push_back({ step });
        for (const auto& party : working.parties) {
            const bool in = party.takesPart;
            const std::array<std::string, 7> cells { FormatShortest(party.votes),
                in ? party.quotient : std::string(underThresholdText),
                in ? std::to_string(party.wholeSeats) : std::string(),
                in ? party.remainder : std::string(),
                in ? std::to_string(party.rank) : std::string(),
                in ? (party.extraSeat ? "1" : "0") : std::string(), std::to_string(party.seats) };
            for (std::size_t step = 0; step < cells.size(); ++step)
                table.workingRows[step].push_back(cells[step]);
        }
    }

} // namespace

ComparisonTable MakeComparisonTable(const MethodComparison& comparison)
{
    ComparisonTable table;
    table.title = "Сравнение на методите";
    if (comparison.threshold > 0)
        table.title += ", праг " + FormatShortest(comparison.threshold) + " %";
    table.header.push_back("Метод");
    for (int i = 0; i < partyCount; ++i)
        table.header.push_back("Партия " + std::to_string(i + 1));
    table.header.push_back("Индекс на Галахър");
    table.header.push_back("Ефективен брой партии");

    std::vector<ComparisonTable::Cell> votes { textCell("Гласове") };
    for (int i = 0; i < partyCount; ++i) {
        const std::string count = FormatShortest(comparison.votes[i]);
        votes.push_back(countCell(count, count, comparison.voteShares[i]));
        votes.back().underThreshold = !comparison.takesPart[i];
    }
    votes.push_back(textCell(""));
    votes.push_back(indexCell(comparison.effectivePartiesByVotes));
    table.rows.push_back(std::move(votes));

    const MethodResult& reference = comparison.methods[0];
    std::vector<const MethodResult*> results;
    for (const MethodResult& result : comparison.methods)
        results.push_back(&result);
    results.push_back(&comparison.hareNiemeyer);
    for (const MethodResult* result : results) {
        const auto seatShares = shares(result->seats);
        std::vector<ComparisonTable::Cell> row { textCell(result->caption) };
        for (int i = 0; i < partyCount; ++i) {
            const int change = result->seats[i] - reference.seats[i];
            const std::string count = std::to_string(result->seats[i]);
            const std::string shown = change == 0 ? count : count + (change > 0 ? " ▲" : " ▼");
            row.push_back(countCell(shown, count, seatShares[i], change));
            row.back().underThreshold = !comparison.takesPart[i];
        }
        row.push_back(indexCell(result->gallagher));
        row.push_back(indexCell(result->effectiveParties));
        table.rows.push_back(std::move(row));
    }

    addNotes(table, comparison);
    addWorking(table, comparison.quota);
    return table;
}

std::string SeatsSummary(const MethodResult& result)
{
    std::string text = result.caption + ": ";
    for (int i = 0; i < partyCount; ++i)
        text += (i > 0 ? ", " : "") + std::to_string(result.seats[i]);
    return text;
}

} // namespace apportion
