#include "board_check.h"
#include "core/allocation/board.h"
#include "core/numbers/number_text.h"
#include "core/teaching/action_report.h"
#include "core/teaching/explanation.h"
#include "core/teaching/worked_table.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <vector>

using namespace apportion;

namespace {

struct ExpectedSeat {
    int winner;
    const char* divisor;
    const char* row;
};

struct HistoryCase {
    const char* name;
    DivisorMethod method;
    std::vector<const char*> votes;
    std::vector<ExpectedSeat> seats;
    int tiedSeat; // the seat number decided by a tie, or 0
    std::vector<TiedQuotient> tie;
};

Board allocate(DivisorMethod method, const std::vector<const char*>& votes, int seats)
{
    Board board;
    board.LoadWindow();
    board.SelectMethod(method);
    for (int i = 0; i < defaultPartyCount; ++i)
        board.parties[i].entryText = votes[i];
    board.seatSelection = seats - 1;
    board.EnterVotes();
    for (int seat = 0; seat < seats; ++seat) {
        const SeatTurnSnapshot before(board);
        board.GiveNextSeat();
        EXPECT_EQ(SeatTurnViolation(before, board), "") << "seat " << seat + 1;
        EXPECT_EQ(BoardInvariantViolation(board), "") << "seat " << seat + 1;
    }
    return board;
}

class SeatHistory : public testing::TestWithParam<HistoryCase> { };

TEST_P(SeatHistory, RecordsEverySeat)
{
    const auto& c = GetParam();
    const Board board = allocate(c.method, c.votes, static_cast<int>(c.seats.size()));
    ASSERT_EQ(board.seatHistory.size(), c.seats.size());
    for (std::size_t i = 0; i < c.seats.size(); ++i) {
        const SeatRecord& record = board.seatHistory[i];
        const ExpectedSeat& expected = c.seats[i];
        const int seat = static_cast<int>(i) + 1;
        EXPECT_EQ(record.seat, seat);
        EXPECT_EQ(record.winner, expected.winner) << "seat " << seat;
        EXPECT_EQ(record.divisorText, expected.divisor) << "seat " << seat;
        EXPECT_EQ(record.row, expected.row) << "seat " << seat;
        EXPECT_EQ(record.voteText, c.votes[static_cast<std::size_t>(expected.winner)]);
        EXPECT_EQ(FormatShortest(RoundHalfAway(record.quotient, 1)), record.row);
        EXPECT_EQ(record.tie, seat == c.tiedSeat ? c.tie : std::vector<TiedQuotient> {})
            << "seat " << seat;
        EXPECT_EQ(record.method, c.method);
        // The quotient that won seat k is the winner's row k.
        EXPECT_EQ(MarkOfRow(board, expected.winner, i + 1), (RowMark { seat, seat == c.tiedSeat }));
        // The tie's mark stands on every party in the tie and on no other.
        for (int p = 0; p < defaultPartyCount; ++p) {
            const bool inTie = seat == c.tiedSeat
                && std::any_of(c.tie.begin(), c.tie.end(),
                    [p](const TiedQuotient& quotient) { return quotient.party == p; });
            EXPECT_EQ(MarkOfRow(board, p, i + 1).tie, inTie) << "seat " << seat << " party " << p;
        }
        EXPECT_EQ(MarkOfRow(board, expected.winner, i + 2).seat == seat + 1,
            i + 1 < c.seats.size() && c.seats[i + 1].winner == expected.winner);
    }
}

INSTANTIATE_TEST_SUITE_P(Allocations, SeatHistory,
    testing::Values(HistoryCase { "DHondt", DivisorMethod::DHondt,
                        { "58125", "45871", "27142", "15947", "12264" },
                        { { 0, "2", "29062.5" }, { 1, "2", "22935.5" }, { 0, "3", "19375" },
                            { 2, "2", "13571" }, { 1, "3", "15290.3" }, { 0, "4", "14531.3" },
                            { 3, "2", "7973.5" } },
                        0, {} },
        HistoryCase { "SainteLague", DivisorMethod::SainteLague,
            { "58125", "45871", "27142", "15947", "12264" },
            { { 0, "3", "19375" }, { 1, "3", "15290.3" }, { 2, "3", "9047.3" }, { 0, "5", "11625" },
                { 3, "3", "5315.7" }, { 1, "5", "9174.2" }, { 4, "3", "4088" } },
            0, {} },
        // Party 4's 45 ÷ 4 = 11.25 and party 5's 34 ÷ 3 = 11.33… both read 11.3 at seat 7.
        HistoryCase { "RoundingTie", DivisorMethod::DHondt, { "16", "4", "3", "45", "34" },
            { { 3, "2", "22.5" }, { 4, "2", "17" }, { 3, "3", "15" }, { 4, "3", "11.3" },
                { 0, "2", "8" }, { 3, "4", "11.3" }, { 3, "5", "9" } },
            7,
            { { 3, 45, "4", 11.25, DivisorMethod::DHondt },
                { 4, 34, "3", 34.0 / 3, DivisorMethod::DHondt } } }),
    [](const auto& row) { return std::string(row.param.name); });

TEST(SeatHistory, ExplainsRowsFromTheHistory)
{
    Board board = allocate(DivisorMethod::DHondt, { "16", "4", "3", "45", "34" }, 7);
    // What the user types afterwards changes no explanation.
    board.parties[3].entryText = "999";
    const std::string won = ExplainRow(board, 3, 7);
    EXPECT_EQ(won.rfind("Мандат № 7 за партия 4 (D’Hondt): 45 ÷ 4 = 11.25 → 11.3\n"
                        "С него партията има 4 мандата.\nРавенство за мандат № 7",
                  0),
        0u)
        << won;
    const std::string lost = ExplainRow(board, 4, 7);
    EXPECT_NE(lost.find("партия 5: 34 ÷ 3 = 11.3333…"), std::string::npos) << lost;
    EXPECT_NE(lost.find("би отишъл при партия 5"), std::string::npos) << lost;
    // Seven of seven seats given: the last row competes only if the total is raised.
    EXPECT_EQ(ExplainRow(board, 3, 8),
        "Ново частно на партия 4 след мандат № 7 (D’Hondt): 45 ÷ 5 = 9\nДелител 5 — за партия "
        "с 4 мандата; с това частно тя би се състезавала за мандат № 8, ако броят на мандатите "
        "се увеличи.");
    board.seatSelection = 7;
    EXPECT_EQ(ExplainRow(board, 3, 8).substr(ExplainRow(board, 3, 8).find("; ")),
        "; с това частно тя се състезава за мандат № 8.");
    EXPECT_EQ(ExplainRow(board, 0, 0), "Гласове на партия 1: 16");
    EXPECT_EQ(ExplainRow(board, 0, 9), "");

    board = allocate(DivisorMethod::DHondt, { "58125", "45871", "27142", "15947", "12264" }, 7);
    EXPECT_EQ(ExplainRow(board, 0, 6),
        "Мандат № 6 за партия 1 (D’Hondt): 58125 ÷ 3 = 19375\nС него партията има 3 мандата.");
    EXPECT_EQ(ExplainRow(board, 4, 8),
        "Частното на партия 5 остава 12264 след мандат № 7 (за партия 4); с него партията "
        "би се състезавала за мандат № 8, ако броят на мандатите се увеличи.");
    EXPECT_EQ(ExplainRow(board, 4, 7),
        "Частното на партия 5 остава 12264 след мандат № 6 (за партия 1); с него партията "
        "се състезаваше за мандат № 7, който спечели партия 4.");
    EXPECT_NE(ExplainDivisor(DivisorMethod::EqualProportions, 0).find("√(2·1) = 1.4142… → 1.41"),
        std::string::npos);
}

// Explanations are built from what was computed, whatever the texts held.
TEST(SeatHistory, ExplainsOddTextsByTheirReading)
{
    const std::string huge(5000, '9');
    Board board = allocate(DivisorMethod::DHondt, { "3066,8", huge.c_str(), "", "", "" }, 1);
    EXPECT_EQ(ExplainRow(board, 0, 1),
        "Първо частно на партия 1: 3066 ÷ 1 = 3066\n„3066,8“ се чете като 3066.\nС него партията "
        "се състезаваше за мандат № 1, който спечели партия 2.");
    EXPECT_EQ(ExplainRow(board, 0, 0), "Гласове на партия 1: 3066\n„3066,8“ се чете като 3066.");
    const std::string winner = ExplainRow(board, 1, 1);
    EXPECT_EQ(winner.rfind("Мандат № 1 за партия 2 (D’Hondt): 1.79769313486232E+308 ÷ 1 = "
                           "1.79769313486232E+308\n",
                  0),
        0u)
        << winner.substr(0, 200);
    EXPECT_NE(
        winner.find("…“ (5000 знака) се чете като 1.79769313486232E+308."), std::string::npos);
    // Quoted by letters, not bytes: 24 Cyrillic letters of 36, and their count.
    EXPECT_EQ(ReadingOf("абвгдежзийклмнопрстуфхцчшщъьюяабвгде"),
        "„абвгдежзийклмнопрстуфхцч…“ (36 знака) се чете като 0.");
    EXPECT_LT(winner.size(), 400u);

    // A seat count typed over before the turn: the explanation says what the box then held.
    board = allocate(DivisorMethod::DHondt, { "58125", "", "", "", "" }, 1);
    board.parties[0].entryText = "1.5";
    board.seatSelection = 1;
    board.GiveNextSeat();
    EXPECT_EQ(board.parties[0].entryText, "2.5");
    EXPECT_NE(ExplainRow(board, 0, 2).find("С него партията има 2.5 мандата."), std::string::npos)
        << ExplainRow(board, 0, 2);
}

// A method chosen after three seats: the numbering runs on and each seat keeps its method.
// After a method change the seat count starts again: the newest rows compete for the next seat,
// and the line says a quotient from before the change was the earlier method's.
TEST(SeatHistory, NextSeatAfterAMethodChange)
{
    Board board
        = allocate(DivisorMethod::DHondt, { "58125", "45871", "27142", "15947", "12264" }, 7);
    board.SelectMethod(DivisorMethod::SainteLague);
    EXPECT_EQ(ExplainRow(board, 4, 8).substr(ExplainRow(board, 4, 8).find("; с него")),
        "; с него партията продължава да се състезава за мандат № 8.");
    board.GiveNextSeat();
    EXPECT_EQ(ReportSeat(board),
        "Мандат № 8 — партия 2: 45871 ÷ 3 = 15290.3333… → 15290.3 (Sainte-Lague), частното е по "
        "D’Hondt отпреди смяната; партията има 3 мандата.");
}

TEST(SeatHistory, NumbersSeatsAcrossAMethodChange)
{
    Board board
        = allocate(DivisorMethod::DHondt, { "58125", "45871", "27142", "15947", "12264" }, 3);
    board.SelectMethod(DivisorMethod::SainteLague);
    board.seatSelection = 1;
    board.GiveNextSeat();
    board.GiveNextSeat();
    ASSERT_EQ(board.seatHistory.size(), 5u);
    EXPECT_EQ(BoardInvariantViolation(board), "");
    EXPECT_EQ(board.seatsGiven, 2); // the board's own counter restarts with the method

    const WorkedTable table = MakeWorkedTable(board);
    const std::vector<std::array<std::string, 5>> expected { { "1", "D’Hondt", "1", "1", "58125" },
        { "2", "D’Hondt", "2", "1", "45871" }, { "3", "D’Hondt", "1", "2", "29062.5" },
        { "4", "Sainte-Lague", "3", "1", "27142" }, { "5", "Sainte-Lague", "2", "2", "22935.5" } };
    ASSERT_EQ(table.rows.size(), expected.size());
    for (std::size_t s = 0; s < expected.size(); ++s) {
        const auto& row = table.rows[s];
        EXPECT_EQ((std::array { row.seat, row.method, row.party, row.divisor, row.quotient }),
            expected[s]);
        const auto winner = static_cast<std::size_t>(std::stoi(row.party) - 1);
        for (std::size_t i = 0; i < defaultPartyCount; ++i)
            EXPECT_EQ(row.quotients[i].won, i == winner) << "seat " << s + 1;
        EXPECT_EQ(MarkOfRow(board, static_cast<int>(winner), s + 1).seat, static_cast<int>(s) + 1);
    }
    EXPECT_EQ(table.seats, (std::vector { 2, 2, 1, 0, 0 }));
    EXPECT_EQ(
        ExplainRow(board, 2, 4).rfind("Мандат № 4 за партия 3 (Sainte-Lague): 27142 ÷ 1", 0), 0u);
    // Party 2 competed with a quotient D'Hondt computed before the change.
    EXPECT_EQ(ExplainRow(board, 1, 5),
        "Мандат № 5 за партия 2 (Sainte-Lague): 45871 ÷ 2 = 22935.5 — частното е изчислено по "
        "D’Hondt, преди смяната на метода\nС него партията има 2 мандата.");
}

TEST(SeatHistory, DominantPartyGoesPastTheListedDivisors)
{
    const Board board = allocate(DivisorMethod::DHondt, { "1000", "1", "1", "1", "1" }, 120);
    EXPECT_EQ(board.seatsGiven, 120);
    EXPECT_EQ(board.parties[0].entryText, "120");
    EXPECT_FALSE(board.divisorSelection.has_value());
    const SeatRecord& hundredth = board.seatHistory[99];
    EXPECT_EQ(hundredth.divisorPosition, 99);
    EXPECT_EQ(hundredth.divisorText, "101");
    EXPECT_EQ(hundredth.row, "9.9");
    EXPECT_EQ(board.seatHistory.back().divisorText, "121");
    EXPECT_EQ(board.parties[0].rows.back(), "8.3");
    EXPECT_EQ(board.divisors.size(), 99u);
}

TEST(SeatHistory, EmptiedWithTheRowsAndKeptAcrossMethods)
{
    Board board
        = allocate(DivisorMethod::DHondt, { "58125", "45871", "27142", "15947", "12264" }, 3);
    board.SelectMethod(DivisorMethod::SainteLague);
    EXPECT_EQ(board.seatHistory.size(), 3u);
    board.GiveNextSeat();
    EXPECT_EQ(board.seatHistory.back().seat, 4);
    EXPECT_EQ(BoardInvariantViolation(board), "");
    board.ClearAll();
    EXPECT_TRUE(board.seatHistory.empty());
}

} // namespace
