#include "core/explanation.h"

#include "core/number_text.h"

#include <algorithm>

namespace apportion {

namespace {

    constexpr std::size_t explainedDecimals = 4;

    std::string partyName(int party) { return "партия " + std::to_string(party + 1); }

    std::string seatCount(int seats)
    {
        return std::to_string(seats) + (seats == 1 ? " мандат" : " мандата");
    }

    // "партии 4 и 5", "партии 1, 3 и 5".
    std::string partyList(const std::vector<TiedQuotient>& tie)
    {
        std::string text = "партии ";
        for (std::size_t i = 0; i < tie.size(); ++i) {
            if (i > 0)
                text += i + 1 == tie.size() ? " и " : ", ";
            text += std::to_string(tie[i].party + 1);
        }
        return text;
    }

    std::string division(double votes, const std::string& divisorText, double unrounded)
    {
        return FormatShortest(votes) + " ÷ " + divisorText + " = " + ApproximateText(unrounded);
    }

    std::string explainTie(const SeatRecord& record, const std::string& competing)
    {
        std::string text = "\nРавенство: частните на " + partyList(record.tie) + " са " + competing
            + ".\nПри равенство мандатът отива при партията най-вляво — " + partyName(record.winner)
            + ".\nБез закръгляване:";
        const TiedQuotient* highest = &record.tie.front();
        bool allEqual = true;
        for (const auto& tied : record.tie) {
            text += "\n  " + partyName(tied.party) + ": "
                + division(tied.votes, tied.divisorText, tied.unrounded);
            allEqual = allEqual && tied.unrounded == record.tie.front().unrounded;
            if (tied.unrounded > highest->unrounded)
                highest = &tied;
        }
        if (allEqual)
            text += "\nЧастните са равни и без закръгляване.";
        else if (highest->party != record.winner)
            text
                += "\nБез закръгляването мандатът би отишъл при " + partyName(highest->party) + ".";
        else
            text += "\nИ без закръгляването мандатът е на " + partyName(record.winner) + ".";
        return text;
    }

    std::string explainSeatRow(
        const SeatRecord& record, const std::vector<std::string>& rows, std::size_t row)
    {
        const int seatsHeld = record.divisorPosition + 1;
        std::string text = "Мандат № " + std::to_string(record.seat) + " за "
            + partyName(record.winner) + ": "
            + division(ParseNumber(record.voteText), record.divisorText, record.quotient);
        if (ApproximateText(record.quotient) != record.row)
            text += " → " + record.row;
        text += "\nС него партията има " + seatCount(seatsHeld) + "; " + record.divisorText
            + " е делителят за следващия ѝ мандат, № " + std::to_string(seatsHeld + 1);
        text += record.divisorPosition >= divisorSeriesLength
            ? " (след последния делител в списъка)."
            : ".";
        if (!record.tie.empty())
            text += explainTie(record, FormatShortest(ParseNumber(rows[row - 1])));
        return text;
    }

} // namespace

std::string ApproximateText(double value)
{
    std::string text = FormatShortest(value);
    const auto point = text.find('.');
    if (point == std::string::npos || text.find('E') != std::string::npos)
        return text;
    if (text.size() - point - 1 > explainedDecimals) {
        text.resize(point + 1 + explainedDecimals);
        text += "…";
    }
    return text;
}

RowMark MarkOfRow(const Board& board, int party, std::size_t row)
{
    if (row < 2 || row - 2 >= board.seatHistory.size())
        return {};
    const SeatRecord& record = board.seatHistory[row - 2];
    if (record.winner != party)
        return {};
    return { true, !record.tie.empty() };
}

std::string ExplainRow(const Board& board, int party, std::size_t row)
{
    if (party < 0 || party >= partyCount)
        return {};
    const auto& rows = board.parties[static_cast<std::size_t>(party)].rows;
    if (row >= rows.size())
        return {};
    if (row == 0)
        return "Гласове на " + partyName(party) + ": " + rows[0];
    if (row == 1) {
        return "Първо частно на " + partyName(party) + ": " + FormatShortest(ParseNumber(rows[0]))
            + " ÷ 1 = " + rows[1];
    }
    if (row - 2 >= board.seatHistory.size())
        return {};

    const SeatRecord& record = board.seatHistory[row - 2];
    if (record.winner == party)
        return explainSeatRow(record, rows, row);

    std::string text = "Без промяна след мандат № " + std::to_string(record.seat) + " (за "
        + partyName(record.winner) + "): " + rows[row];
    const bool tied = std::any_of(record.tie.begin(), record.tie.end(),
        [party](const TiedQuotient& tiedParty) { return tiedParty.party == party; });
    if (tied) {
        text += "\nЧастното ѝ беше равно на това на " + partyName(record.winner)
            + "; при равенство мандатът отива при партията най-вляво.";
    }
    return text;
}

std::string ExplainDivisor(DivisorMethod method, int position)
{
    const int seat = position + 2;
    const std::string divisor = DivisorText(method, seat);
    if (position < 0 || divisor.empty())
        return {};
    std::string text = "Делител " + divisor + " за мандат № " + std::to_string(seat)
        + " на партия: щом партията има " + seatCount(seat - 1) + ", частното ѝ е гласовете ÷ "
        + divisor + ".";
    if (method == DivisorMethod::EqualProportions) {
        text += "\n√(" + std::to_string(seat) + "·" + std::to_string(seat - 1)
            + ") = " + ApproximateText(EqualProportionsRoot(seat)) + " → " + divisor
            + " (закръглено до две десетични)";
    }
    return text;
}

} // namespace apportion
