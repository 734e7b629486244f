#include "core/comparison/comparison_table.h"

#include "core/numbers/number_text.h"

#include <algorithm>
#include <cmath>

namespace apportion {

namespace {

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
                for (std::size_t i = 0; i < comparison.takesPart.size(); ++i) {
                    if (!comparison.takesPart[i])
                        under.push_back(static_cast<int>(i));
                }
                const ThresholdLine& line = comparison.thresholdLine;
                // The line as the law states it: the share of all the votes, no rounding; a
                // line between whole numbers is passed by the next whole number of votes.
                const std::string where = line.line + " (" + FormatShortest(comparison.threshold)
                    + " % от " + line.base + ")";
                table.notes.push_back(threshold + " = " + where
                    + (line.wholeVotesPassing.empty()
                            ? ""
                            : "; минават " + line.wholeVotesPassing + " или повече гласа")
                    + (under.empty()
                            ? ": всички партии са над прага."
                            : ": под прага " + std::string(under.size() == 1 ? "е " : "са ")
                                + PartiesNamed(comparison.names, under)
                                + " — без мандати при всеки метод; индексите броят и техните "
                                  "гласове."));
                for (const int party : under) {
                    const auto i = static_cast<std::size_t>(party);
                    table.notes.push_back(PartyHeading(comparison.names, party) + ": "
                        + GroupedDigits(comparison.exactVotes.written[i]) + " гласа — "
                        + line.lacking[i] + " по-малко от прага " + where + ".");
                }
            }
        }
        if (comparison.otherVotes > 0) {
            table.notes.push_back(
                "Други гласове: " + GroupedDigits(std::to_string(comparison.otherVotes))
                + (std::isfinite(comparison.otherShare)
                        ? " (" + FormatFixed(comparison.otherShare, 1) + " %)"
                        : std::string())
                + " — броят се в основата на прага и в дяловете, без мандати; индексите ги "
                  "броят като още една партия без мандати.");
        }
        // With no votes every quotient is 0: each seat is a tie the leftmost party wins.
        const bool noVotes = std::none_of(comparison.votes.begin(), comparison.votes.end(),
            [](double votes) { return votes > 0; });
        if (noVotes && comparison.seatTotal > 0) {
            table.notes.push_back(
                "Никоя партия няма гласове: при методите на делителя всички частни са 0 и всеки "
                "мандат отива при партията най-вляво, както при равенство; Hare–Niemeyer няма "
                "квота и не дава мандати.");
        }
        for (std::size_t k = 0; k < comparison.alabamaLosers.size(); ++k) {
            const int party = comparison.alabamaLosers[k];
            const bool byLot = k < comparison.alabamaByLot.size() && comparison.alabamaByLot[k];
            const std::string before = std::to_string(comparison.seatTotal - 1);
            table.notes.push_back("Парадоксът Алабама: с " + std::to_string(comparison.seatTotal)
                + " мандата " + PartyName(comparison.names, party) + " губи мандата, който има при "
                + before + " (Hare–Niemeyer)"
                + (byLot ? "; при " + before
                            + " мандата той е неин при равни остатъци — по закона с жребий, тук "
                              "на партията най-вляво"
                         : std::string())
                + ". Методите на делителя не допускат това.");
        }
    }

    void addWorking(ComparisonTable& table, const MethodComparison& comparison)
    {
        const QuotaWorking& working = comparison.quota;
        const PartyNames& names = comparison.names;
        table.workingSentence = DescribeQuotaWorking(working, names);
        if (!working.defined)
            return;
        table.quotaLine = "Квота: " + working.totalText + " ÷ " + std::to_string(working.seatTotal)
            + " = " + working.quotaText + (working.quotaCut ? cutMark : "");
        table.quota = working.quotaText;
        // A column per party, as in the comparison, and a row per step of the working.
        table.workingHeader = { "" };
        for (std::size_t i = 0; i < working.parties.size(); ++i)
            table.workingHeader.push_back(PartyHeading(names, static_cast<int>(i)));
        const char* const steps[] = { "Гласове", "Гласове ÷ квота", "Цели мандати", "Остатък",
            "Ранг на остатъка", "Допълнителен мандат", "Мандати" };
        for (const char* step : steps)
            table.workingRows.push_back({ step });
        for (std::size_t i = 0; i < working.parties.size(); ++i) {
            const auto& party = working.parties[i];
            const bool in = party.takesPart;
            // Left out by the threshold, or by a vote total that is negative or not a number.
            const bool under = i < comparison.takesPart.size() && !comparison.takesPart[i];
            const std::array<std::string, 7> cells { party.votes,
                in ? party.quotient + (party.cut ? cutMark : "")
                   : std::string(under ? underThresholdText : notCountedText),
                in ? std::to_string(party.wholeSeats) : std::string(),
                in ? party.remainder + (party.cut ? cutMark : "") : std::string(),
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
    table.lessonTitle = comparison.lessonTitle;
    table.seatTotal = std::to_string(comparison.seatTotal);
    if (comparison.threshold > 0)
        table.title += ", праг " + FormatShortest(comparison.threshold) + " %";
    table.header.push_back("Метод");
    const std::size_t count = comparison.votes.size();
    for (std::size_t i = 0; i < count; ++i)
        table.header.push_back(PartyHeading(comparison.names, static_cast<int>(i)));
    table.header.push_back("Индекс на Галахър");
    table.header.push_back("Ефективен брой партии");

    std::vector<ComparisonTable::Cell> votes { textCell("Гласове") };
    for (std::size_t i = 0; i < count; ++i) {
        const std::string& votesText = comparison.exactVotes.written[i];
        votes.push_back(countCell(votesText, votesText, comparison.voteShares[i]));
        votes.back().underThreshold = !comparison.takesPart[i];
    }
    votes.push_back(textCell(""));
    votes.push_back(indexCell(comparison.effectivePartiesByVotes));
    table.rows.push_back(std::move(votes));

    const MethodResult& reference = comparison.methods[0];
    for (const MethodResult* result : comparison.results()) {
        const auto seatShares = SeatShares(result->seats);
        std::vector<ComparisonTable::Cell> row { textCell(result->caption) };
        // A method that gave no seats at all (Hare–Niemeyer without a quota) differs from
        // D'Hondt in nothing it did: its cells carry no mark.
        const bool gaveSeats = result != &comparison.hareNiemeyer || comparison.quota.defined;
        for (std::size_t i = 0; i < count; ++i) {
            const int change = gaveSeats ? result->seats[i] - reference.seats[i] : 0;
            const std::string seats = std::to_string(result->seats[i]);
            row.push_back(countCell(seats + ChangeMark(change), seats, seatShares[i], change));
            row.back().underThreshold = !comparison.takesPart[i];
        }
        row.push_back(indexCell(result->gallagher));
        row.push_back(indexCell(result->effectiveParties));
        table.rows.push_back(std::move(row));
    }

    addNotes(table, comparison);
    addWorking(table, comparison);
    return table;
}

std::string ChangeMark(int change)
{
    if (change == 0)
        return {};
    return change > 0 ? " ▲" : " ▼";
}

std::string SeatsSummary(const MethodResult& result)
{
    std::string text = result.caption + ": ";
    for (std::size_t i = 0; i < result.seats.size(); ++i)
        text += (i > 0 ? ", " : "") + std::to_string(result.seats[i]);
    return text;
}

} // namespace apportion
