#include "board_check.h"
#include "core/allocation/undo_history.h"
#include "core/comparison/method_comparison.h"
#include "core/teaching/action_report.h"
#include "core/teaching/explanation.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

using namespace apportion;

namespace {

// The 51st National Assembly of Bulgaria, elected on 27 October 2024: the valid votes of the nine
// parties the Central Election Commission lists with 4 % or near it, and the other 99 453 valid
// votes, 2 436 475 in all. Величие stands 29 votes under the 4 % line of 97 459.
const std::vector<Board::PartyFill> assembly51 { { "ГЕРБ-СДС", "642931" }, { "ПП-ДБ", "346063" },
    { "Възраждане", "325460" }, { "ДПС-Ново начало", "281366" },
    { "БСП-Обединена левица", "184403" }, { "Алианс за права и свободи", "182263" },
    { "Има такъв народ", "165160" }, { "МЕЧ", "111946" }, { "Величие", "97430" } };
const VoteCount official { 4, 99453 };

Board enteredBoard(DivisorMethod method, int seatTotal, const VoteCount& count)
{
    Board board;
    board.LoadWindow();
    board.FillParties(0, assembly51);
    board.SelectMethod(method);
    board.seatSelection = seatTotal - 1;
    board.SetVoteCount(count);
    board.EnterVotes();
    return board;
}

std::vector<int> seatsHeld(const Board& board)
{
    std::vector<int> seats(board.parties.size(), 0);
    for (const SeatRecord& record : board.seatHistory)
        ++seats[static_cast<std::size_t>(record.winner)];
    return seats;
}

void giveAll(Board& board)
{
    while (board.SeatTotal() > board.seatsGiven) {
        const std::size_t before = board.seatHistory.size();
        board.GiveNextSeat();
        if (board.seatHistory.size() == before)
            break;
    }
}

// Seat by seat, every method gives what the same lesson's comparison gives it, under the
// threshold and without it.
struct SeatByThresholdCase {
    DivisorMethod method;
    VoteCount count;
};

class SeatsUnderThreshold : public testing::TestWithParam<SeatByThresholdCase> { };

TEST_P(SeatsUnderThreshold, AgreeWithTheComparison)
{
    Board board = enteredBoard(GetParam().method, 240, GetParam().count);
    giveAll(board);
    EXPECT_EQ(board.seatHistory.size(), 240u);
    EXPECT_EQ(seatsHeld(board),
        CompareMethods(board).methods[static_cast<std::size_t>(GetParam().method)].seats);
    EXPECT_EQ(BoardInvariantViolation(board), "");
    if (GetParam().count.threshold > 0) {
        EXPECT_EQ(seatsHeld(board).back(), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Assembly51, SeatsUnderThreshold,
    testing::Values(SeatByThresholdCase { DivisorMethod::DHondt, official },
        SeatByThresholdCase { DivisorMethod::SainteLague, official },
        SeatByThresholdCase { DivisorMethod::Danish, official },
        SeatByThresholdCase { DivisorMethod::Imperali, official },
        SeatByThresholdCase { DivisorMethod::EqualProportions, official },
        SeatByThresholdCase { DivisorMethod::DHondt, {} },
        SeatByThresholdCase { DivisorMethod::SainteLague, { 0, 99453 } }));

TEST(SeatsUnderThreshold, Assembly51ByDHondtAsOnPaper)
{
    Board board = enteredBoard(DivisorMethod::DHondt, 240, official);
    giveAll(board);
    EXPECT_EQ(seatsHeld(board), (std::vector { 70, 37, 35, 30, 20, 19, 17, 12, 0 }));
    // The line under the controls and every row of Величие say why it has none.
    EXPECT_EQ(ReportSeat(board),
        "Мандат № 240 — ГЕРБ-СДС: 642931 ÷ 70 = 9184.7285… → 9184.7 (D’Hondt); партията има 70 "
        "мандата. Под прага 4 % (97\u00A0459 гласа) е Величие — не достигат 29 гласа.");
    EXPECT_NE(ExplainRow(board, 8, 5).find("не се състезава: под прага 4 %"), std::string::npos)
        << ExplainRow(board, 8, 5);
    EXPECT_NE(ExplainRow(board, 0, 1).find("Под прага 4 %"), std::string::npos)
        << ExplainRow(board, 0, 1);

    // Without a threshold Величие wins ten of the seats.
    Board without = enteredBoard(DivisorMethod::DHondt, 240, {});
    giveAll(without);
    EXPECT_EQ(seatsHeld(without).back(), 10);
    EXPECT_EQ(UnderThresholdText(without), "");
    EXPECT_EQ(ExplainRow(without, 8, 5).find("прага"), std::string::npos);
}

// A threshold changed after seats were given gives them again under the new line, as one step:
// undo gives back the seats before it, the method and its seat count stay, and a burst of
// changes in one box is one step.
TEST(SeatsUnderThreshold, ChangedAfterSeatsGivesThemAgain)
{
    Board board = enteredBoard(DivisorMethod::DHondt, 240, {});
    UndoHistory history;
    for (int seat = 0; seat < 200; ++seat)
        history.GiveNextSeat(board);
    history.SelectMethod(board, DivisorMethod::SainteLague);
    for (int seat = 0; seat < 40; ++seat)
        history.GiveNextSeat(board);
    board.seatSelection = 99; // a seat total chosen since, lower than the seats given
    const Board before = board;
    ASSERT_EQ(seatsHeld(before).back(), 10);

    history.SetVoteCount(board, { 3.5, 0 });
    history.SetVoteCount(board, official, true);
    EXPECT_EQ(board.voteCount, official);
    EXPECT_EQ(board.seatHistory.size(), 240u);
    EXPECT_EQ(seatsHeld(board).back(), 0);
    EXPECT_EQ(board.method, DivisorMethod::SainteLague);
    EXPECT_EQ(board.seatsGiven, 40);
    EXPECT_EQ(board.seatHistory[199].method, DivisorMethod::DHondt);
    EXPECT_EQ(board.seatHistory[200].method, DivisorMethod::SainteLague);
    ASSERT_TRUE(board.divisorSelection);
    EXPECT_EQ(*board.divisorSelection, board.seatHistory.back().divisorPosition);
    EXPECT_EQ(BoardInvariantViolation(board), "");
    const std::string report = ReportVoteCount(before, board);
    EXPECT_NE(report.find("240 мандата са дадени отново"), std::string::npos) << report;
    // Every party whose seats moved, the first included, and only those.
    const std::vector<int> was = seatsHeld(before);
    const std::vector<int> now = seatsHeld(board);
    std::string moved;
    for (std::size_t i = 0; i < now.size(); ++i) {
        if (now[i] != was[i])
            moved += (moved.empty() ? "" : ", ") + assembly51[i].name + " "
                + (now[i] > was[i] ? "+" : "−") + std::to_string(std::abs(now[i] - was[i]));
    }
    ASSERT_NE(now[0], was[0]);
    EXPECT_NE(report.find("отново: " + moved + ". Ctrl+Z"), std::string::npos) << report;
    EXPECT_NE(report.find("Величие −10"), std::string::npos) << report;

    // The two changes are one step; a name typed since stays through undo and redo.
    board.parties[1].name = "ПП–ДБ";
    history.Undo(board);
    EXPECT_EQ(board.voteCount, VoteCount {});
    EXPECT_EQ(seatsHeld(board), seatsHeld(before));
    EXPECT_EQ(board.parties[1].name, "ПП–ДБ");
    EXPECT_EQ(board.seatSelection, 99);
    EXPECT_EQ(ReportHistoryStep(before, before, false), "Няма какво да се отмени.");
    const Board undone = board;
    history.Redo(board);
    EXPECT_EQ(board.voteCount, official);
    EXPECT_EQ(
        ReportHistoryStep(undone, board, true), "Повторено: промяната на прага от 0 % на 4 %.");
    history.Undo(board);
    history.Undo(board);
    EXPECT_EQ(board.seatHistory.size(), 239u); // the step before: the last seat

    // A change that does not go on from one just made is a step of its own.
    history.Redo(board);
    history.SetVoteCount(board, { 0, 5 }, true);
    history.SetVoteCount(board, { 0, 6 }, false);
    history.Undo(board);
    EXPECT_EQ(board.voteCount, (VoteCount { 0, 5 }));
}

// A single other vote is counted apart from the parties: their shares, the others' own and the
// line.
TEST(SeatsUnderThreshold, OneOtherVoteCountsApart)
{
    const MethodComparison compared = CompareMethods({ "1", "1" }, 2, VoteCount { 0, 1 });
    ASSERT_EQ(compared.voteShares.size(), 2u);
    EXPECT_NEAR(compared.otherShare, 100.0 / 3, 1e-9);
    EXPECT_NEAR(compared.voteShares[0], 100.0 / 3, 1e-9);
}

// A clear as the first step after the votes were entered: a new example then takes back the
// votes it emptied.
TEST(SeatsUnderThreshold, NewExampleAfterTheFirstStepsClear)
{
    Board board = enteredBoard(DivisorMethod::DHondt, 7, official);
    UndoHistory history;
    history.ClearAll(board);
    history.NewExample(board);
    EXPECT_EQ(board.parties[0].entryText, "642931");
    EXPECT_EQ(board.parties[8].entryText, "97430");
}

TEST(SeatsUnderThreshold, NoPartyOverTheLineTakesNoSeat)
{
    Board board = enteredBoard(DivisorMethod::DHondt, 7, {});
    giveAll(board);
    board.SetVoteCount({ 20, 100000000 });
    EXPECT_TRUE(board.seatHistory.empty());
    EXPECT_EQ(board.seatsGiven, 0);
    EXPECT_FALSE(board.divisorSelection);
    EXPECT_EQ(board.parties[0].rows.size(), 2u);
    EXPECT_EQ(board.parties[0].entryText, "0");
    board.GiveNextSeat();
    EXPECT_TRUE(board.seatHistory.empty());
    EXPECT_NE(ReportNoSeat(board).find("Никоя партия не минава прага от 20 %"), std::string::npos);
    EXPECT_EQ(BoardInvariantViolation(board), "");
}

} // namespace
