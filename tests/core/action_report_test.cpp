#include "core/allocation/undo_history.h"
#include "core/teaching/action_report.h"
#include "core/teaching/explanation.h"

#include <gtest/gtest.h>

#include <string>

using namespace apportion;

namespace {

// Votes typed, then: e enter, s a seat, c clear, n a new example, 1 the seat total lowered to 1.
// The seat total is 7.
Board played(std::vector<std::string> votes, const std::string& actions, UndoHistory& history)
{
    Board board;
    board.LoadWindow();
    for (int i = 0; i < defaultPartyCount; ++i)
        board.parties[i].entryText = votes[i];
    for (const char action : actions) {
        if (action == 'e')
            history.EnterVotes(board);
        else if (action == 's')
            history.GiveNextSeat(board);
        else if (action == 'c')
            history.ClearAll(board);
        else if (action == 'n')
            history.NewExample(board);
        else if (action == '1')
            board.seatSelection = 0;
    }
    return board;
}

const std::vector<std::string> defaults { "58125", "45871", "27142", "15947", "12264" };
const std::vector<std::string> roundingTie { "16", "4", "3", "45", "34" };

struct ReportCase {
    const char* name;
    std::vector<std::string> votes;
    const char* actions;
    std::string (*report)(const Board&);
    const char* expected;
};

class Report : public testing::TestWithParam<ReportCase> { };

TEST_P(Report, SaysWhatTheLastActionDid)
{
    const auto& c = GetParam();
    UndoHistory history;
    EXPECT_EQ(c.report(played(c.votes, c.actions, history)), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Actions, Report,
    testing::Values(ReportCase { "Seat", defaults, "essssss", ReportSeat,
                        "Мандат № 6 — партия 1: 58125 ÷ 3 = 19375 (D’Hondt); партията има 3 "
                        "мандата." },
        ReportCase { "Tie", roundingTie, "esssssss", ReportSeat,
            "Мандат № 7 — партия 4: 45 ÷ 4 = 11.25 → 11.3 (D’Hondt); равно с партия 5, печели "
            "по-лявата." },
        ReportCase { "AllSeatsGiven", defaults, "esssssss", ReportNoSeat,
            "Всички 7 мандата са дадени — изберете по-голям брой мандати, за да продължите." },
        ReportCase { "BeforeEntering", defaults, "", ReportNoSeat,
            "Няма частни: първо въведете гласовете с „Въведи“." },
        ReportCase { "AfterClearing", defaults, "essc", ReportNoSeat,
            "Списъците са празни: Ctrl+N започва нов пример, Ctrl+Z връща изчистеното." },
        ReportCase { "NothingToCopyBeforeEntering", defaults, "", ReportNothingToCopy,
            "Няма какво да се копира: първо въведете гласовете с „Въведи“." },
        ReportCase { "NothingToCopyAfterClearing", defaults, "esc", ReportNothingToCopy,
            "Няма какво да се копира: списъците са изчистени (Ctrl+Z ги връща)." },
        ReportCase { "Copied", defaults, "ess", ReportCopied,
            "Таблицата е копирана (2 мандата и сравнението на методите): поставете я в "
            "електронна таблица." },
        // Every vote text that reads as another number than it shows, not only in a tooltip.
        ReportCase { "VotesReadOtherwise", { "12,5", "100", "abc", "-5", "7" }, "e",
            ReportVotesEntered,
            "Гласовете са въведени: всяко натискане на „Търси“ дава един мандат от 7. Партия 1: "
            "„12,5“ се чете като 12. Партия 3: „abc“ се чете като 0. Партия 4: отрицателен брой "
            "гласове." },
        ReportCase { "SeatTotalBeforeEntering", defaults, "", ReportSeatTotal, "Брой мандати: 7." },
        ReportCase { "SeatTotalWithSeatsLeft", defaults, "ess", ReportSeatTotal,
            "Брой мандати: 7 — „Търси“ дава следващия." },
        ReportCase { "SeatTotalReached", defaults, "esssssss", ReportSeatTotal,
            "Брой мандати: 7 — 7 са дадени." },
        ReportCase { "SeatTotalLoweredToTheOneGiven", defaults, "es1", ReportSeatTotal,
            "Брой мандати: 1 — 1 е даден." }),
    [](const auto& row) { return std::string(row.param.name); });

TEST(Report, TellsUndoAndRedoApart)
{
    UndoHistory history;
    Board board = played(roundingTie, "esssssss", history);
    Board before = board;
    history.Undo(board);
    EXPECT_EQ(ReportHistoryStep(before, board, false), "Отменено: мандат № 7 за партия 4.");
    before = board;
    history.Redo(board);
    EXPECT_EQ(
        ReportHistoryStep(before, board, true).rfind("Повторено: Мандат № 7 — партия 4", 0), 0u);
    before = board;
    history.Redo(board);
    EXPECT_EQ(ReportHistoryStep(before, board, true), "Няма какво да се повтори.");
    // A second clear changes nothing and is no step: one undo brings the votes back.
    history.ClearAll(board);
    history.ClearAll(board);
    before = board;
    history.Undo(board);
    EXPECT_EQ(ReportHistoryStep(before, board, false), "Отменено: изчистването.");
    EXPECT_EQ(board.parties[0].rows.size(), 9u);
    // A step none of the others names: a lesson opened that differs in its seat total alone.
    Board opened = board;
    opened.seatSelection = 11;
    EXPECT_EQ(ReportHistoryStep(opened, board, false), "Отменено: последното действие.");
}

// With every seat of the largest total given there is no larger total to choose.
TEST(Report, AllOfTheLargestSeatTotalGiven)
{
    UndoHistory history;
    Board board = played(defaults, "e", history);
    board.seatSelection = seatChoiceCount - 1;
    for (int seat = 0; seat < seatChoiceCount; ++seat)
        history.GiveNextSeat(board);
    EXPECT_EQ(ReportNoSeat(board), "Всички 300 мандата са дадени.");
}

// Values the explanations cut: four decimals, or four significant digits of a small value.
TEST(Report, ApproximateValuesKeepTheirDigits)
{
    const std::pair<double, const char*> cases[] { { 11.25, "11.25" }, { 34.0 / 3, "11.3333…" },
        { 0.00001234, "0.00001234" }, { 0.000012345678, "0.00001234…" }, { -0.5, "-0.5" },
        { 19375, "19375" }, { 1.5e-7, "1.5E-7" } };
    for (const auto& [value, text] : cases)
        EXPECT_EQ(ApproximateText(value), text) << value;
    // A party's seats and the allocation's seat numbers are never both "мандат №".
    EXPECT_EQ(ExplainDivisor(DivisorMethod::DHondt, 2),
        "Делител 4: щом партията има 3 мандата, частното ѝ за следващия ѝ мандат е гласовете ÷ "
        "4.");
}

} // namespace

// A typed text of 24 letters is quoted whole; one letter more and it is quoted by its start.
TEST(Report, QuotesTextsUpToTwentyFourLetters)
{
    EXPECT_EQ(ReadingOf("abcdefghijklmnopqrstuvwx"), "„abcdefghijklmnopqrstuvwx“ се чете като 0.");
    EXPECT_EQ(ReadingOf("abcdefghijklmnopqrstuvwxy"),
        "„abcdefghijklmnopqrstuvwx…“ (25 знака) се чете като 0.");
}
