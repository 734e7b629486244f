#include "core/teaching/explanation.h"

#include "core/numbers/number_text.h"

#include <algorithm>

namespace apportion {

namespace {

    constexpr std::size_t explainedDecimals = 4;
    // A vote text longer than this is quoted by its start and its length.
    constexpr std::size_t quotedLength = 24;

    std::string seatNumber(int seat) { return "мандат № " + std::to_string(seat); }

    std::string seatCount(const std::string& seatsText) { return SeatCountText(seatsText); }

    // A text as typed, in quotation marks; a long one by its first letters and its length in
    // letters (UTF-8 sequences, never cut inside one).
    std::string quoted(const std::string& text)
    {
        std::size_t letters = 0;
        std::size_t cut = text.size();
        for (std::size_t i = 0; i < text.size(); ++i) {
            if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80)
                continue; // inside a letter
            if (letters == quotedLength)
                cut = i;
            ++letters;
        }
        if (letters <= quotedLength)
            return "„" + text + "“";
        return "„" + text.substr(0, cut) + "…“ (" + std::to_string(letters) + " знака)";
    }

    std::string readAs(const std::string& text) { return ReadingOf(text); }

    // Where the seat a row competes for lies past the seat total, it competes for it only once
    // the total is raised; where it has been given, it competed for it.
    // `subject` starts the sentence ("с него партията").
    std::string competesFor(
        const Board& board, int seat, const std::string& subject, const std::string& goesOn)
    {
        // A seat already given went to another party; the next one is given while the seat
        // total has room, whatever method the seats were counted under before.
        const auto given = static_cast<int>(board.seatHistory.size());
        if (seat >= 1 && seat <= given) {
            const int winner = board.seatHistory[static_cast<std::size_t>(seat - 1)].winner;
            return subject + " се състезаваше за " + seatNumber(seat) + ", който спечели "
                + PartyName(NamesOf(board.parties), winner) + ".";
        }
        if (!(board.SeatTotal() > board.seatsGiven)) {
            return subject + " би се състезавала за " + seatNumber(seat)
                + ", ако броят на мандатите се увеличи.";
        }
        return subject + " " + goesOn + " за " + seatNumber(seat) + ".";
    }

    std::string division(const TiedQuotient& quotient)
    {
        return FormatShortest(quotient.votes) + " ÷ " + quotient.divisorText + " = "
            + ApproximateText(quotient.unrounded);
    }

    std::string divisionTo(const TiedQuotient& quotient, double competed)
    {
        return DivisionText(quotient, competed);
    }

    std::string explainTie(const PartyNames& names, const SeatRecord& record, double competed)
    {
        const auto partyName = [&names](int party) { return PartyName(names, party); };
        std::string text = "Равенство за " + seatNumber(record.seat) + ": частните на "
            + PartiesNamed(names, PartiesOf(record.tie)) + " са " + FormatShortest(competed)
            + ".\nПри равенство мандатът отива при партията най-вляво — " + partyName(record.winner)
            + ".\nБез закръгляване:";
        const TiedQuotient* highest = &record.tie.front();
        bool allEqual = true;
        for (const auto& tied : record.tie) {
            text += "\n  " + partyName(tied.party) + ": " + division(tied);
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

    std::string explainWin(const PartyNames& names, const SeatRecord& record, double competed)
    {
        const auto partyName = [&names](int party) { return PartyName(names, party); };
        std::string text = "Мандат № " + std::to_string(record.seat) + " за "
            + partyName(record.winner) + " (" + MethodCaption(record.method)
            + "): " + divisionTo(record.won, competed);
        // After a method change a party competes with a quotient the earlier method computed.
        if (record.won.method && *record.won.method != record.method) {
            text += " — частното е изчислено по " + MethodCaption(*record.won.method)
                + ", преди смяната на метода";
        }
        text += "\nС него партията има " + seatCount(record.seatsAfter) + ".";
        // Appended a piece at a time: GCC 12 warns falsely (-Wrestrict) of a literal added to a
        // temporary string once this is inlined.
        if (!record.tie.empty()) {
            text += '\n';
            text += explainTie(names, record, competed);
        }
        return text;
    }

    std::string explainNewQuotient(
        const Board& board, const PartyNames& names, const SeatRecord& record)
    {
        const auto partyName = [&names](int party) { return PartyName(names, party); };
        const TiedQuotient quotient { record.winner, ParseNumber(record.voteText),
            record.divisorText, record.quotient, record.method };
        std::string text = "Ново частно на " + partyName(record.winner) + " след "
            + seatNumber(record.seat) + " (" + MethodCaption(record.method) + "): "
            + divisionTo(quotient, ParseNumber(record.row)) + "\nДелител " + record.divisorText
            + " — за партия с " + seatCount(std::to_string(record.divisorPosition + 1));
        if (record.divisorPosition >= divisorSeriesLength)
            text += ", след последния делител в списъка";
        return text + "; "
            + competesFor(board, record.seat + 1, "с това частно тя", "се състезава");
    }

} // namespace

std::string ReadingOf(const std::string& text) { return ReadingOf(text, ParseNumber(text)); }

std::string ReadingOf(const std::string& text, double read)
{
    const std::string value = FormatShortest(read);
    if (value == text)
        return {};
    return quoted(text) + " се чете като " + value + ".";
}

std::string SeatCountText(const std::string& seatsText)
{
    const double seats = ParseNumber(seatsText);
    return FormatShortest(seats) + (seats == 1 ? " мандат" : " мандата");
}

std::vector<int> PartiesOf(const std::vector<TiedQuotient>& quotients)
{
    std::vector<int> parties;
    for (const auto& quotient : quotients)
        parties.push_back(quotient.party);
    return parties;
}

std::string DivisionText(const TiedQuotient& quotient, double competed)
{
    std::string text = division(quotient);
    const std::string rounded = FormatShortest(competed);
    if (ApproximateText(quotient.unrounded) != rounded)
        text += " → " + rounded;
    return text;
}

std::string ApproximateText(double value)
{
    std::string text = FormatShortest(value);
    const auto point = text.find('.');
    if (point == std::string::npos || text.find('E') != std::string::npos)
        return text;
    // Four decimals, or four significant digits where the value is smaller than that shows.
    std::size_t keep = point + 1 + explainedDecimals;
    const auto significant = text.find_first_not_of("-0.");
    if (significant != std::string::npos && significant > point)
        keep = std::max(keep, significant + explainedDecimals);
    if (text.size() > keep) {
        text.resize(keep);
        text += "…";
    }
    return text;
}

RowMark MarkOfRow(const Board& board, int party, std::size_t row)
{
    if (row < 1 || row - 1 >= board.seatHistory.size())
        return {};
    const SeatRecord& record = board.seatHistory[row - 1];
    const bool tied = std::any_of(record.tie.begin(), record.tie.end(),
        [party](const TiedQuotient& quotient) { return quotient.party == party; });
    return { record.winner == party ? record.seat : 0, tied };
}

std::string ExplainRow(const Board& board, int party, std::size_t row)
{
    if (party < 0 || static_cast<std::size_t>(party) >= board.parties.size())
        return {};
    const PartyNames names = NamesOf(board.parties);
    const auto partyName = [&names](int p) { return PartyName(names, p); };
    const auto& rows = board.parties[static_cast<std::size_t>(party)].rows;
    if (row >= rows.size())
        return {};
    if (row == 0) {
        const std::string reading = readAs(rows[0]);
        return "Гласове на " + partyName(party) + ": "
            + (reading.empty() ? rows[0] : FormatShortest(ParseNumber(rows[0])) + "\n" + reading);
    }

    const double competed = ParseNumber(rows[row]);
    // Only the first quotient is a text as typed; every later row is the number's own form.
    const std::string reading = row == 1 ? readAs(rows[1]) : std::string();
    const std::string readingLine = reading.empty() ? reading : "\n" + reading;

    // The seat this row competed for, if it has been given.
    const SeatRecord* contest
        = row - 1 < board.seatHistory.size() ? &board.seatHistory[row - 1] : nullptr;
    if (contest && contest->winner == party) {
        const std::string under = UnderThresholdSentence(board);
        return explainWin(names, *contest, competed) + readingLine
            + (under.empty() ? std::string() : "\n" + under);
    }
    if (contest && MarkOfRow(board, party, row).tie) {
        return "Частното на " + partyName(party) + " е равно на това на "
            + partyName(contest->winner) + ".\n" + explainTie(names, *contest, competed)
            + readingLine;
    }

    const int next = static_cast<int>(row); // the seat this row competes, or competed, for
    const std::vector<bool> takingPart = board.TakingPart();
    if (!takingPart[static_cast<std::size_t>(party)]) {
        return "Частното на " + partyName(party) + " е " + FormatShortest(competed)
            + ", но то не се състезава: " + UnderThresholdText(board) + ".";
    }
    if (row == 1) {
        return "Първо частно на " + partyName(party) + ": " + FormatShortest(competed)
            + " ÷ 1 = " + FormatShortest(competed) + readingLine + "\n"
            + competesFor(board, next, "С него партията", "се състезава");
    }
    if (row - 2 >= board.seatHistory.size())
        return {};
    const SeatRecord& previous = board.seatHistory[row - 2];
    if (previous.winner == party)
        return explainNewQuotient(board, names, previous);
    return "Частното на " + partyName(party) + " остава " + FormatShortest(competed) + " след "
        + seatNumber(previous.seat) + " (за " + partyName(previous.winner) + "); "
        + competesFor(board, next, "с него партията", "продължава да се състезава");
}

std::string UnderThresholdText(const Board& board)
{
    const std::vector<bool> takingPart = board.TakingPart();
    std::vector<int> under;
    for (std::size_t i = 0; i < takingPart.size(); ++i) {
        if (!takingPart[i])
            under.push_back(static_cast<int>(i));
    }
    if (under.empty())
        return {};
    const ThresholdLine line = DrawThresholdLine(board.Votes().totals, board.voteCount);
    const PartyNames names = NamesOf(board.parties);
    std::string text = "под прага " + FormatShortest(board.voteCount.threshold) + " % (" + line.line
        + " гласа) " + (under.size() == 1 ? "е " : "са ");
    for (std::size_t k = 0; k < under.size(); ++k) {
        const int party = under[k];
        text += (k == 0 ? "" : ", ") + PartyName(names, party) + " — не достигат "
            + line.lacking[static_cast<std::size_t>(party)] + " гласа";
    }
    return text;
}

std::string UnderThresholdSentence(const Board& board)
{
    const std::string under = UnderThresholdText(board);
    // The text starts with "под", capitalised here at the start of its own sentence.
    return under.empty() ? under : "П" + under.substr(std::string("п").size()) + ".";
}

std::string ExplainDivisor(DivisorMethod method, int position)
{
    const int seat = position + 2;
    const std::string divisor = DivisorText(method, seat);
    if (position < 0 || divisor.empty())
        return {};
    std::string text = "Делител " + divisor + ": щом партията има "
        + seatCount(std::to_string(seat - 1)) + ", частното ѝ за следващия ѝ мандат е гласовете ÷ "
        + divisor + ".";
    if (method == DivisorMethod::EqualProportions) {
        text += "\n√(" + std::to_string(seat) + "·" + std::to_string(seat - 1)
            + ") = " + ApproximateText(EqualProportionsRoot(seat)) + " → " + divisor
            + " (закръглено до две десетични)";
    }
    return text;
}

} // namespace apportion
