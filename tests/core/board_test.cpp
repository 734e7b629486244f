#include "board_check.h"
#include "core/allocation/board.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

using namespace apportion;

namespace {

std::vector<std::string> entryTexts(const Board& board)
{
    std::vector<std::string> texts;
    for (const auto& party : board.parties)
        texts.push_back(party.entryText);
    return texts;
}

// Gives one seat and tells which party's entry text changed, or -1 when none did. Every turn
// must keep the board's invariants and be all or nothing.
int giveSeat(Board& board)
{
    const auto before = entryTexts(board);
    const SeatTurnSnapshot snapshot(board);
    board.GiveNextSeat();
    EXPECT_EQ(SeatTurnViolation(snapshot, board), "");
    EXPECT_EQ(BoardInvariantViolation(board), "");
    const auto after = entryTexts(board);
    for (int i = 0; i < defaultPartyCount; ++i) {
        if (before[i] != after[i])
            return i;
    }
    return -1;
}

Board loadedBoard(DivisorMethod method = DivisorMethod::DHondt)
{
    Board board;
    board.LoadWindow();
    if (method != DivisorMethod::DHondt)
        board.SelectMethod(method);
    return board;
}

// Board state compared whole, for the cases where an operation must change nothing.
bool sameState(const Board& a, const Board& b)
{
    for (int i = 0; i < defaultPartyCount; ++i) {
        if (a.parties[i].entryText != b.parties[i].entryText
            || a.parties[i].rows != b.parties[i].rows)
            return false;
    }
    return a.divisors == b.divisors && a.divisorSelection == b.divisorSelection
        && a.seatSelection == b.seatSelection && a.method == b.method
        && a.seatsGiven == b.seatsGiven && a.enterEnabled == b.enterEnabled
        && a.seatHistory == b.seatHistory;
}

TEST(Board, NewAndLoadedStates)
{
    Board board;
    EXPECT_EQ(entryTexts(board),
        (std::vector<std::string> { "58125", "45871", "27142", "15947", "12264" }));
    EXPECT_TRUE(board.divisors.empty());
    EXPECT_FALSE(board.method);
    EXPECT_FALSE(board.seatSelection);
    ASSERT_EQ(board.seatChoices.size(), 300u);
    EXPECT_EQ(board.seatChoices.front(), "1");
    EXPECT_EQ(board.seatChoices.back(), "300");

    board.LoadWindow();
    EXPECT_EQ(board.method, DivisorMethod::DHondt);
    EXPECT_EQ(board.divisors, BuildDivisorSeries(DivisorMethod::DHondt));
    EXPECT_FALSE(board.divisorSelection);
    EXPECT_EQ(board.seatSelection, 6);
    EXPECT_EQ(board.SeatTotal(), 7);
    EXPECT_EQ(board.seatsGiven, 0);
    EXPECT_TRUE(board.enterEnabled);
}

TEST(Board, EnterVotesCopiesTheTextsUnchanged)
{
    Board board = loadedBoard();
    board.parties[1].entryText = "45 871";
    board.EnterVotes();
    EXPECT_EQ(board.parties[1].rows, (std::vector<std::string> { "45 871", "45 871" }));
    EXPECT_EQ(entryTexts(board), (std::vector<std::string>(5, "0")));
    EXPECT_FALSE(board.enterEnabled);

    // The first seat goes to party 0; every other party's quotient is written again, normalised.
    EXPECT_EQ(giveSeat(board), 0);
    EXPECT_EQ(board.parties[1].rows.back(), "45871");
}

struct Allocation {
    const char* name;
    DivisorMethod method;
    std::vector<int> winners;
    std::vector<std::string> entryTexts;
    std::map<int, std::string> lastRows;
    std::map<std::pair<int, int>, std::string> rows; // (party, row) -> text
};

class WorkedAllocation : public testing::TestWithParam<Allocation> { };

TEST_P(WorkedAllocation, SevenSeatsOfTheDefaultVotes)
{
    const auto& c = GetParam();
    Board board = loadedBoard(c.method);
    board.EnterVotes();
    std::vector<int> winners;
    for (int seat = 0; seat < 7; ++seat)
        winners.push_back(giveSeat(board));

    EXPECT_EQ(winners, c.winners);
    EXPECT_EQ(entryTexts(board), c.entryTexts);
    EXPECT_EQ(board.seatsGiven, 7);
    for (const auto& party : board.parties)
        EXPECT_EQ(party.rows.size(), 9u);
    for (const auto& [party, text] : c.lastRows)
        EXPECT_EQ(board.parties[party].rows.back(), text) << "party " << party;
    for (const auto& [where, text] : c.rows)
        EXPECT_EQ(board.parties[where.first].rows[where.second], text)
            << "party " << where.first << " row " << where.second;

    // The seat total is reached: an eighth seat changes nothing until the total is raised.
    const Board complete = board;
    EXPECT_EQ(giveSeat(board), -1);
    EXPECT_TRUE(sameState(board, complete));
    board.seatSelection = 7;
    EXPECT_NE(giveSeat(board), -1);
    EXPECT_EQ(board.seatsGiven, 8);
}

INSTANTIATE_TEST_SUITE_P(Methods, WorkedAllocation,
    testing::Values(Allocation { "DHondt", DivisorMethod::DHondt, { 0, 1, 0, 2, 1, 0, 3 },
                        { "3", "2", "1", "1", "0" }, { { 3, "7973.5" }, { 4, "12264" } },
                        { { { 0, 0 }, "58125" }, { { 0, 1 }, "58125" }, { { 0, 2 }, "29062.5" },
                            { { 0, 3 }, "29062.5" }, { { 0, 4 }, "19375" }, { { 0, 5 }, "19375" },
                            { { 0, 6 }, "19375" }, { { 0, 7 }, "14531.3" }, { { 0, 8 }, "14531.3" },
                            { { 4, 0 }, "12264" } } },
        Allocation { "SainteLague", DivisorMethod::SainteLague, { 0, 1, 2, 0, 3, 1, 4 },
            { "2", "2", "1", "1", "1" }, { { 1, "9174.2" }, { 4, "4088" } }, {} },
        Allocation { "Danish", DivisorMethod::Danish, { 0, 1, 2, 3, 0, 4, 1 },
            { "2", "2", "1", "1", "1" }, { { 0, "8303.6" }, { 1, "6553" } }, {} },
        Allocation { "Imperali", DivisorMethod::Imperali, { 0, 1, 0, 1, 0, 2, 0 },
            { "4", "2", "1", "0", "0" }, { { 0, "19375" } }, {} },
        Allocation { "EqualProportions", DivisorMethod::EqualProportions, { 0, 1, 0, 1, 2, 0, 2 },
            { "3", "2", "2", "0", "0" }, {}, { { { 0, 2 }, "41223.4" } } }),
    [](const auto& row) { return std::string(row.param.name); });

TEST(Board, DHondtHighlightsTheDivisorLastUsed)
{
    Board board = loadedBoard();
    board.EnterVotes();
    for (int seat = 0; seat < 7; ++seat)
        board.GiveNextSeat();
    EXPECT_EQ(board.divisorSelection, 0);
}

TEST(Board, TiesGoToTheLowerParty)
{
    Board board = loadedBoard();
    board.parties = { PartyColumn { "100", {}, {} }, PartyColumn { "300", {}, {} },
        PartyColumn { "300", {}, {} }, PartyColumn { "1 00", {}, {} }, PartyColumn { "", {}, {} } };
    board.EnterVotes();
    EXPECT_EQ(giveSeat(board), 1);
    EXPECT_EQ(giveSeat(board), 2);
    EXPECT_EQ(giveSeat(board), 1); // 150 against 150: party 1 again
    EXPECT_EQ(giveSeat(board), 2);
    EXPECT_EQ(giveSeat(board), 0); // 100 ties with "1 00" and with 100s: the lowest party
    EXPECT_EQ(giveSeat(board), 1);
    EXPECT_EQ(giveSeat(board), 2);
}

TEST(Board, SelectMethodMidAllocationRestartsTheCount)
{
    Board board = loadedBoard();
    board.EnterVotes();
    for (int seat = 0; seat < 3; ++seat)
        board.GiveNextSeat();
    board.SelectMethod(DivisorMethod::SainteLague);
    EXPECT_EQ(board.seatsGiven, 0);
    EXPECT_FALSE(board.divisorSelection);
    for (const auto& party : board.parties)
        EXPECT_EQ(party.rows.size(), 5u);
    EXPECT_EQ(entryTexts(board), (std::vector<std::string> { "2", "1", "0", "0", "0" }));

    // Party 2 leads with 27142 and its first seat is divided by the Sainte-Laguë divisor 3.
    EXPECT_EQ(giveSeat(board), 2);
    EXPECT_EQ(board.parties[2].rows.size(), 6u);
    EXPECT_EQ(board.parties[2].rows.back(), "9047.3");
    EXPECT_EQ(board.divisorSelection, 0);
}

TEST(Board, ClearAllKeepsEnterDisabled)
{
    Board board = loadedBoard();
    board.EnterVotes();
    board.GiveNextSeat();
    board.ClearAll();
    EXPECT_EQ(entryTexts(board), (std::vector<std::string>(5, "")));
    for (const auto& party : board.parties)
        EXPECT_TRUE(party.rows.empty());
    EXPECT_EQ(board.seatsGiven, 0);
    EXPECT_FALSE(board.enterEnabled);
    EXPECT_EQ(board.divisorSelection, 0);
    EXPECT_EQ(board.method, DivisorMethod::DHondt);
}

// Seats that cannot be given leave every text and the counter as they were.
struct RefusedCase {
    const char* name;
    void (*prepare)(Board&);
};

class RefusedSeat : public testing::TestWithParam<RefusedCase> { };

TEST_P(RefusedSeat, ChangesNothing)
{
    Board board = loadedBoard();
    GetParam().prepare(board);
    const Board before = board;
    board.GiveNextSeat();
    EXPECT_TRUE(sameState(board, before));
    EXPECT_EQ(SeatTurnViolation(SeatTurnSnapshot(before), board), "");
}

void enterThenEditWinner(Board& board, const char* seats)
{
    board.EnterVotes();
    board.parties[0].entryText = seats;
}

INSTANTIATE_TEST_SUITE_P(Cases, RefusedSeat,
    testing::Values(RefusedCase { "BeforeEnterVotes", [](Board&) {} },
        RefusedCase { "AfterClearAll",
            [](Board& b) {
                b.EnterVotes();
                b.GiveNextSeat();
                b.ClearAll();
            } },
        RefusedCase { "NeverLoaded", [](Board& b) { b = Board(); } },
        RefusedCase { "NeverLoadedWithRows",
            [](Board& b) {
                b = Board();
                b.seatSelection = 6;
                b.EnterVotes();
            } },
        RefusedCase { "SeatTotalLowered",
            [](Board& b) {
                b.EnterVotes();
                for (int i = 0; i < 3; ++i)
                    b.GiveNextSeat();
                b.seatSelection = 1;
            } },
        RefusedCase { "UnequalLists",
            [](Board& b) {
                b.EnterVotes();
                b.parties[3].rows.pop_back();
            } },
        RefusedCase { "ThreeHundredFirstSeat", [](Board& b) { enterThenEditWinner(b, "300"); } },
        RefusedCase { "NegativeSeatCount", [](Board& b) { enterThenEditWinner(b, "-3"); } },
        RefusedCase { "FractionPastTheList", [](Board& b) { enterThenEditWinner(b, "150.5"); } },
        RefusedCase { "HugeSeatCount", [](Board& b) { enterThenEditWinner(b, "1e300"); } },
        RefusedCase { "OverflowingSeatCount", [](Board& b) { enterThenEditWinner(b, "1e999"); } },
        RefusedCase { "RoundsPastTheList", [](Board& b) { enterThenEditWinner(b, "98.7"); } }),
    [](const auto& row) { return std::string(row.param.name); });

struct EditedSeatCase {
    const char* seats;
    const char* newSeats;
    std::optional<int> divisorPosition; // none past the listed divisors
};

class EditedSeatCount : public testing::TestWithParam<EditedSeatCase> { };

TEST_P(EditedSeatCount, PicksTheDivisorByTheRoundedCount)
{
    const auto& c = GetParam();
    Board board = loadedBoard();
    enterThenEditWinner(board, c.seats);
    board.GiveNextSeat();
    EXPECT_EQ(board.parties[0].entryText, c.newSeats);
    EXPECT_EQ(board.divisorSelection, c.divisorPosition);
    EXPECT_EQ(board.seatsGiven, 1);
}

INSTANTIATE_TEST_SUITE_P(Counts, EditedSeatCount,
    testing::Values(EditedSeatCase { "98", "99", 98 }, EditedSeatCase { "-0.5", "0.5", 0 },
        EditedSeatCase { "1.5", "2.5", 2 }, EditedSeatCase { "2.5", "3.5", 2 },
        EditedSeatCase { "abc", "1", 0 }, EditedSeatCase { "99", "100", std::nullopt },
        EditedSeatCase { "299", "300", std::nullopt }));

TEST(Board, HugeVoteTotalsStayFinite)
{
    Board board = loadedBoard();
    board.parties[0].entryText = std::string(400, '9');
    board.parties[1].entryText = "1e999";
    board.EnterVotes();
    board.GiveNextSeat();
    board.GiveNextSeat();
    EXPECT_EQ(board.parties[0].rows.back(), "8.98846567431158E+307");
    EXPECT_EQ(board.parties[1].rows.back(), "8.98846567431158E+307");
    EXPECT_EQ(board.parties[2].rows.back(), "27142");
}

} // namespace
