#include "core/teaching/action_report.h"

#include "core/comparison/vote_threshold.h"
#include "core/numbers/number_text.h"
#include "core/teaching/explanation.h"

#include <algorithm>
#include <cstdlib>

namespace apportion {

namespace {

    std::string seatOf(const Board& board, const SeatRecord& record)
    {
        return "мандат № " + std::to_string(record.seat) + " за "
            + PartyName(NamesOf(board.parties), record.winner);
    }

    bool hasRows(const Board& board) { return !board.CanChangeParties(); }

    std::string methodName(const Board& board)
    {
        return board.method ? MethodCaption(*board.method) : std::string();
    }

    // Each party's seats by the seat history.
    std::vector<int> seatsHeld(const Board& board)
    {
        std::vector<int> seats(board.parties.size(), 0);
        for (const SeatRecord& record : board.seatHistory) {
            if (record.winner >= 0 && static_cast<std::size_t>(record.winner) < seats.size())
                ++seats[static_cast<std::size_t>(record.winner)];
        }
        return seats;
    }

    // What one step of the history changed, told from the board before and after it.
    std::string stepDone(const Board& earlier, const Board& later)
    {
        if (later.seatHistory.size() == earlier.seatHistory.size() + 1 && hasRows(earlier))
            return seatOf(later, later.seatHistory.back());
        if (earlier.method != later.method && later.method)
            return "изборът на метод " + MethodCaption(*later.method);
        if (hasRows(earlier) && !hasRows(later))
            return later.enterEnabled ? "новият пример" : "изчистването";
        // The same parties with the same votes: the lesson's threshold, other votes or title.
        const bool sameParties = VoteTexts(earlier.parties) == VoteTexts(later.parties)
            && NamesOf(earlier.parties) == NamesOf(later.parties);
        if (sameParties && earlier.voteCount.threshold != later.voteCount.threshold)
            return "промяната на прага от " + FormatShortest(earlier.voteCount.threshold) + " % на "
                + FormatShortest(later.voteCount.threshold) + " %";
        if (sameParties && earlier.voteCount.otherVotes != later.voteCount.otherVotes)
            return "промяната на другите гласове от "
                + GroupedDigits(std::to_string(earlier.voteCount.otherVotes)) + " на "
                + GroupedDigits(std::to_string(later.voteCount.otherVotes));
        if (sameParties && (earlier.title != later.title || earlier.source != later.source))
            return later.title.empty() ? "заглавието на урока"
                                       : "заглавието на урока („" + later.title + "“)";
        // A party added or removed leaves the others as they were; a paste changes them.
        const std::size_t kept = std::min(earlier.parties.size(), later.parties.size());
        const bool othersKept = std::equal(earlier.parties.begin(),
            earlier.parties.begin() + static_cast<std::ptrdiff_t>(kept), later.parties.begin());
        if (othersKept && earlier.parties.size() + 1 == later.parties.size())
            return "добавянето на партия";
        if (othersKept && earlier.parties.size() == later.parties.size() + 1)
            return "премахването на партия";
        if (earlier.parties != later.parties)
            return "поставените гласове";
        return "последното действие";
    }

} // namespace

std::string ReportStart()
{
    return "Въведете гласовете, изберете метод и брой мандати и натиснете „Въведи“.";
}

std::string ReportVotesEntered(const Board& board)
{
    std::string text = "Гласовете са въведени: всяко натискане на „Търси“ дава един мандат от "
        + FormatShortest(board.SeatTotal()) + ".";
    // A vote text that reads as another number than it shows is told for every party, not
    // only in its row's tooltip.
    const PartyNames names = NamesOf(board.parties);
    const VoteReading& votes = board.Votes();
    for (std::size_t i = 0; i < board.parties.size(); ++i) {
        if (board.parties[i].rows.empty())
            continue;
        const std::string reading = ReadingOf(votes.texts[i], votes.values[i]);
        const std::string called = PartyHeading(names, static_cast<int>(i));
        if (!reading.empty())
            text += " " + called + ": " + reading;
        else if (votes.values[i] < 0)
            text += " " + called + ": отрицателен брой гласове.";
    }
    return text;
}

std::string ReportSeat(const Board& board)
{
    if (board.seatHistory.empty())
        return {};
    const SeatRecord& record = board.seatHistory.back();
    const auto& rows = board.parties[static_cast<std::size_t>(record.winner)].rows;
    // The winning quotient is the winner's row that competed for this seat.
    const auto competedRow = static_cast<std::size_t>(record.seat);
    const double competed
        = competedRow < rows.size() ? ParseNumber(rows[competedRow]) : record.won.unrounded;
    const PartyNames names = NamesOf(board.parties);
    std::string text = "Мандат № " + std::to_string(record.seat) + " — "
        + PartyName(names, record.winner) + ": " + DivisionText(record.won, competed) + " ("
        + MethodCaption(record.method) + ")";
    // After a method change a party competes with a quotient the earlier method computed.
    if (record.won.method && *record.won.method != record.method)
        text += ", частното е по " + MethodCaption(*record.won.method) + " отпреди смяната";
    if (!record.tie.empty()) {
        const std::vector<int> tied = PartiesOf(record.tie);
        return text + "; равно с " + PartiesNamed(names, { tied.begin() + 1, tied.end() })
            + ", печели по-лявата.";
    }
    text += "; партията има " + SeatCountText(record.seatsAfter) + ".";
    const std::string under = UnderThresholdSentence(board);
    return under.empty() ? text : text + " " + under;
}

std::string ReportVoteCount(const Board& before, const Board& after)
{
    std::string text = before.voteCount.threshold != after.voteCount.threshold
        ? "Праг " + FormatShortest(after.voteCount.threshold) + " %"
        : "Други гласове " + GroupedDigits(std::to_string(after.voteCount.otherVotes));
    const std::string under = UnderThresholdText(after);
    text += under.empty()
        ? (after.voteCount.threshold > 0 ? ": всички партии са над прага." : ": без праг.")
        : ": " + under + ".";
    if (before.seatHistory.empty())
        return text;
    // The seats are given again under the new line: what moved, party by party.
    const std::vector<int> was = seatsHeld(before);
    const std::vector<int> now = seatsHeld(after);
    const PartyNames names = NamesOf(after.parties);
    std::string moved;
    for (std::size_t i = 0; i < now.size() && i < was.size(); ++i) {
        if (now[i] == was[i])
            continue;
        moved += (moved.empty() ? "" : ", ") + PartyName(names, static_cast<int>(i)) + " "
            + (now[i] > was[i] ? "+" : "−") + std::to_string(std::abs(now[i] - was[i]));
    }
    const std::size_t given = after.seatHistory.size();
    text += " " + std::to_string(given) + (given == 1 ? " мандат е даден" : " мандата са дадени")
        + " отново" + (moved.empty() ? " — без промяна." : ": " + moved + ".");
    if (given < before.seatHistory.size())
        text += " Никоя партия не минава прага за останалите.";
    return text + " Ctrl+Z връща предишното.";
}

std::string ReportNoSeat(const Board& board)
{
    if (!hasRows(board)) {
        if (board.enterEnabled)
            return "Няма частни: първо въведете гласовете с „Въведи“.";
        return "Списъците са празни: Ctrl+N започва нов пример, Ctrl+Z връща изчистеното.";
    }
    if (!(board.SeatTotal() > board.seatsGiven)) {
        const std::string given = "Всички " + FormatShortest(board.SeatTotal())
            + (board.SeatTotal() == 1 ? " мандат е даден" : " мандата са дадени");
        // Past the largest seat total there is none larger to choose.
        if (board.SeatTotal() >= seatChoiceCount)
            return given + ".";
        return given + " — изберете по-голям брой мандати, за да продължите.";
    }
    const std::vector<bool> takingPart = board.TakingPart();
    if (std::find(takingPart.begin(), takingPart.end(), true) == takingPart.end())
        return "Никоя партия не минава прага от " + FormatShortest(board.voteCount.threshold)
            + " %: мандатът няма на кого да се даде — намалете прага или другите гласове.";
    return "Мандатът не може да се даде: проверете броя мандати в полетата на партиите.";
}

std::string ReportSeatTotal(const Board& board)
{
    const std::string total = "Брой мандати: " + FormatShortest(board.SeatTotal());
    if (!hasRows(board))
        return total + ".";
    if (board.SeatTotal() > board.seatsGiven)
        return total + " — „Търси“ дава следващия.";
    return total + " — " + std::to_string(board.seatsGiven)
        + (board.seatsGiven == 1 ? " е даден." : " са дадени.");
}

std::string KeptLessonSummary(
    const std::string& when, const std::string& title, int seatsGiven, int seatTotal)
{
    std::string text = (title.empty() ? "" : "„" + title + "“, ") + when + ", ";
    if (seatsGiven > 0)
        return text + std::to_string(seatsGiven)
            + (seatsGiven == 1 ? " мандат даден от " : " мандата дадени от ")
            + std::to_string(seatTotal);
    return text + std::to_string(seatTotal) + (seatTotal == 1 ? " мандат" : " мандата");
}

std::string ReportLastLessonOffered(
    const std::string& when, const std::string& title, int seatsGiven, int seatTotal, int others)
{
    std::string text = "Последният урок (" + KeptLessonSummary(when, title, seatsGiven, seatTotal)
        + ") — Ctrl+Shift+T го връща";
    if (others > 0)
        text += "; още " + std::to_string(others)
            + (others == 1 ? " запазен урок" : " запазени урока") + " в „Последни уроци“";
    return text + ".";
}

std::string ReportLessonNotKept(const std::string& why)
{
    return "Урокът не се пази за връщане след срив: " + why + " Запазете го с Ctrl+S.";
}

std::string ReportTitle(const Board& board)
{
    if (board.title.empty())
        return "Урокът е без заглавие.";
    return "Заглавие на урока: „" + board.title + "“"
        + (board.source.empty() ? "." : " (източник: " + board.source + ").");
}

std::string ReportLessonInputsCleared(const Board& before)
{
    std::vector<std::string> cleared;
    if (!before.title.empty())
        cleared.push_back("заглавието „" + before.title + "“");
    else if (!before.source.empty())
        cleared.push_back("източникът");
    if (before.voteCount.otherVotes > 0)
        cleared.push_back(
            "другите гласове (" + GroupedDigits(std::to_string(before.voteCount.otherVotes)) + ")");
    if (cleared.empty())
        return {};
    std::string text = "Нов урок — изчистени: ";
    for (std::size_t i = 0; i < cleared.size(); ++i)
        text += (i == 0 ? "" : " и ") + cleared[i];
    if (before.voteCount.threshold > 0)
        text += "; прагът " + FormatShortest(before.voteCount.threshold) + " % остава";
    return text + ". Ctrl+Z ги връща.";
}

namespace {

    // "9 партии, 240 мандата, D’Hondt; 6 са дадени."
    std::string lessonSummary(const Board& board)
    {
        const double total = board.SeatTotal();
        const std::string text = std::to_string(board.parties.size()) + " партии, "
            + FormatShortest(total) + (total == 1 ? " мандат, " : " мандата, ") + methodName(board);
        if (!hasRows(board))
            return text + "; гласовете не са въведени.";
        // Seats given before the method last changed count too; the method's own are said apart.
        const std::size_t given = board.seatHistory.size();
        return text + "; " + std::to_string(given) + (given == 1 ? " е даден" : " са дадени")
            + (given > static_cast<std::size_t>(std::max<int>(board.seatsGiven, 0))
                    ? " (" + std::to_string(board.seatsGiven) + " с " + methodName(board) + ")."
                    : ".");
    }

} // namespace

std::string ReportLessonOpened(const Board& board, const std::string& fileName)
{
    return "Отворен е урокът „" + fileName + "“: " + lessonSummary(board);
}

std::string ReportLastLessonBack(const Board& board, const std::string& when)
{
    return "Последният урок (" + when + ") е върнат: " + lessonSummary(board);
}

std::string ReportMethod(const Board& board)
{
    if (!hasRows(board))
        return "Метод " + methodName(board) + ".";
    return "Метод " + methodName(board)
        + ": мандатите се броят отначало, частните продължават с неговите делители.";
}

std::string ReportCleared()
{
    return "Списъците са изчистени: Ctrl+N започва нов пример с тези гласове, Ctrl+Z ги връща.";
}

std::string ReportNewExample()
{
    return "Нов пример: гласовете са в полетата — променете ги и натиснете „Въведи“.";
}

std::string ReportHistoryStep(const Board& before, const Board& after, bool redo)
{
    if (before == after)
        return redo ? "Няма какво да се повтори." : "Няма какво да се отмени.";
    if (redo) {
        if (after.seatHistory.size() == before.seatHistory.size() + 1 && hasRows(before))
            return "Повторено: " + ReportSeat(after);
        return "Повторено: " + stepDone(before, after) + ".";
    }
    return "Отменено: " + stepDone(after, before) + ".";
}

std::string ReportPartyAdded(const Board& board)
{
    const int added = static_cast<int>(board.parties.size());
    return "Добавена е партия " + std::to_string(added) + ": въведете гласовете ѝ (партиите са "
        + std::to_string(added) + ").";
}

std::string ReportPartyRemoved(const Board& board)
{
    return "Последната партия е премахната: остават " + std::to_string(board.parties.size())
        + " партии. Ctrl+Z я връща.";
}

std::string ReportTablePasted(const Board& board, int first, const ResultsTable& table)
{
    const auto pasted = static_cast<int>(table.parties.size());
    const bool named = std::any_of(table.parties.begin(), table.parties.end(),
        [](const ResultsTable::Party& party) { return !party.name.empty(); });
    std::string text = "Поставени "
        + std::string(pasted == 1 ? "са гласовете на 1 партия"
                                  : "са гласовете на " + std::to_string(pasted) + " партии")
        + (named ? " с имената им" : "")
        + (first > 0 ? " от колона " + std::to_string(first + 1) + " нататък" : "")
        + "; партиите са " + std::to_string(board.parties.size()) + ".";
    if (table.voteColumn > 0) {
        text += " Гласове: колона " + std::to_string(table.voteColumn);
        if (!table.voteHeading.empty())
            text += ", „" + table.voteHeading + "“";
        text += table.choices > 1 ? " (Ctrl+Shift+V взима друга: "
                + std::to_string(table.choice + 1) + " от " + std::to_string(table.choices) + ")."
                                  : ".";
    }
    if (!table.unread.empty()) {
        text += " Не са поставени — гласовете не се четат: ";
        for (std::size_t i = 0; i < table.unread.size(); ++i) {
            const auto& row = table.unread[i];
            text += (i > 0 ? ", ред " : "ред ") + std::to_string(row.line) + " „" + row.text + "“";
        }
        text += ".";
    }
    if (!table.counts.empty()) {
        text += table.counts.size() == 1 ? " Без реда " : " Без редовете ";
        for (std::size_t i = 0; i < table.counts.size(); ++i)
            text += (i > 0 ? ", „" : "„") + table.counts[i] + "“";
        text += table.counts.size() == 1 ? " — сбор, не партия." : " — сборове, не партии.";
    }
    if (table.leftOut > 0) {
        const int leftOut = table.leftOut;
        text += ' '; // a piece at a time, as GCC 12 warns falsely of a literal + a temporary
        text += std::to_string(leftOut) + (leftOut == 1 ? " партия" : " партии")
            + " с най-малко гласове (" + GroupedDigits(std::to_string(table.leftOutVotes))
            + " гласа) не " + (leftOut == 1 ? "е поставена" : "са поставени") + " — най-много "
            + std::to_string(maxPartyCount) + " партии; гласовете им са в „Други гласове“ (сега "
            + GroupedDigits(std::to_string(board.voteCount.otherVotes)) + ").";
    }
    if (table.footnotes > 0) {
        text += table.footnotes == 1 ? " Знакът за бележка след 1 число е пропуснат."
                                     : " Знаците за бележка след " + std::to_string(table.footnotes)
                + " числа са пропуснати.";
    }
    return text;
}

std::string ReportTableNotPasted()
{
    return "Таблицата не е поставена: гласовете са въведени и партиите не се менят. „Нов пример“ "
           "или „Изчисти“ ги освобождава; после поставете отново.";
}

std::string ReportCopied(const Board& board)
{
    const std::size_t seats = board.seatHistory.size();
    return "Таблицата е копирана (" + std::to_string(seats) + (seats == 1 ? " мандат" : " мандата")
        + " и сравнението на методите): поставете я в електронна таблица.";
}

std::string ReportNothingToCopy(const Board& board)
{
    if (board.enterEnabled)
        return "Няма какво да се копира: първо въведете гласовете с „Въведи“.";
    return "Няма какво да се копира: списъците са изчистени (Ctrl+Z ги връща).";
}

} // namespace apportion
