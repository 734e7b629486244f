#include "board_check.h"
#include "core/allocation/undo_history.h"
#include "core/comparison/comparison_table.h"
#include "core/input/results_table.h"
#include "core/teaching/action_report.h"
#include "core/teaching/explanation.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace apportion;

namespace {

struct NamesCase {
    const char* name;
    PartyNames names;
    std::vector<int> parties;
    std::string sentence;
};

class PartiesNamedIn : public ::testing::TestWithParam<NamesCase> { };

TEST_P(PartiesNamedIn, Sentences)
{
    EXPECT_EQ(PartiesNamed(GetParam().names, GetParam().parties), GetParam().sentence);
}

INSTANTIATE_TEST_SUITE_P(Names, PartiesNamedIn,
    ::testing::Values(NamesCase { "OneUnnamed", {}, { 4 }, "партия 5" },
        NamesCase { "UnnamedByNumber", { "", "" }, { 0, 2, 4 }, "партии 1, 3 и 5" },
        NamesCase { "Named", { "ГЕРБ-СДС", "ПП-ДБ" }, { 0, 1 }, "ГЕРБ-СДС и ПП-ДБ" },
        NamesCase {
            "MixedInOrder", { "ГЕРБ-СДС", "", "МЕЧ" }, { 0, 1, 2 }, "ГЕРБ-СДС, партия 2 и МЕЧ" }),
    [](const auto& row) { return std::string(row.param.name); });

TEST(PartyNames, HeadingsAndSentences)
{
    const PartyNames names { "ГЕРБ-СДС" };
    EXPECT_EQ(PartyHeading(names, 0), "ГЕРБ-СДС");
    EXPECT_EQ(PartyHeading(names, 1), "Партия 2");
    EXPECT_EQ(PartyName(names, 1), "партия 2");
    EXPECT_EQ(PartyName(names, -1), "партия 0"); // never read past the list
}

Board loaded()
{
    Board board;
    board.LoadWindow();
    return board;
}

// Adding and removing stop at two and twelve parties, and at any rows on the board.
TEST(Parties, AddAndRemoveWithinTheLimits)
{
    Board board = loaded();
    UndoHistory history;
    for (int i = 0; i < 10; ++i)
        history.AddParty(board);
    EXPECT_EQ(board.parties.size(), static_cast<std::size_t>(maxPartyCount));
    EXPECT_EQ(board.parties.back(), PartyColumn {});
    for (int i = 0; i < 15; ++i)
        history.RemoveLastParty(board);
    EXPECT_EQ(board.parties.size(), static_cast<std::size_t>(minPartyCount));
    EXPECT_EQ(board.parties[1].entryText, "45871");
    // Each change was one step: undone back to the start's five parties and redone.
    int undone = 0;
    while (history.CanUndo()) {
        history.Undo(board);
        ++undone;
    }
    EXPECT_EQ(undone, 7 + 10);
    EXPECT_EQ(board, loaded());

    history.EnterVotes(board);
    history.AddParty(board);
    history.RemoveLastParty(board);
    history.FillParties(board, 0, { { "А", "1" }, { "Б", "2" } });
    EXPECT_EQ(board.parties.size(), static_cast<std::size_t>(defaultPartyCount));
    EXPECT_FALSE(history.CanUndo());
    EXPECT_EQ(BoardInvariantViolation(board), "");
}

struct FillCase {
    const char* name;
    int first;
    std::vector<Board::PartyFill> fill;
    std::vector<std::string> votes;
    PartyNames names;
};

class FillParties : public ::testing::TestWithParam<FillCase> { };

TEST_P(FillParties, ReplacesThePartiesFromTheBoxPastedInto)
{
    const FillCase& c = GetParam();
    Board board = loaded();
    board.parties[1].name = "Стара";
    UndoHistory history;
    history.FillParties(board, c.first, c.fill);
    EXPECT_EQ(VoteTexts(board.parties), c.votes);
    EXPECT_EQ(NamesOf(board.parties), c.names);
    history.Undo(board);
    Board start = loaded();
    start.parties[1].name = "Стара";
    EXPECT_EQ(board, start);
}

INSTANTIATE_TEST_SUITE_P(Blocks, FillParties,
    ::testing::Values(FillCase { "FromTheFirst", 0, { { "А", "10" }, { "Б", "20" }, { "В", "30" } },
                          { "10", "20", "30" }, { "А", "Б", "В" } },
        // A block without names keeps the names there were.
        FillCase { "NumbersFromTheSecond", 1, { { "", "7" }, { "", "8" } }, { "58125", "7", "8" },
            { "", "Стара", "" } },
        // One party pasted into the first box keeps the second, the fewest a board holds.
        FillCase {
            "OneRowKeepsTwoParties", 0, { { "А", "10" } }, { "10", "45871" }, { "А", "Стара" } },
        FillCase { "PastTheMost", 10, { { "", "1" }, { "", "2" }, { "", "3" } },
            { "58125", "45871", "27142", "15947", "12264", "", "", "", "", "", "1", "2" },
            { "", "Стара", "", "", "", "", "", "", "", "", "", "" } }),
    [](const auto& row) { return std::string(row.param.name); });

// Twelve parties through the board and the comparison alike; the 51st National Assembly's eight
// parties over the line get their official seats by Hare–Niemeyer.
TEST(Parties, TwelvePartiesAndTheOfficialSeats)
{
    const std::vector<std::string> votes { "642931", "346063", "325460", "281366", "184403",
        "182263", "165160", "111946", "97430", "50000", "40000", "30000" };
    Board board = loaded();
    UndoHistory history;
    std::vector<Board::PartyFill> fill;
    for (const auto& vote : votes)
        fill.push_back({ "", vote });
    history.FillParties(board, 0, fill);
    board.seatSelection = 239;
    history.EnterVotes(board);
    for (int seat = 0; seat < 240; ++seat)
        history.GiveNextSeat(board);
    EXPECT_EQ(BoardInvariantViolation(board), "");
    std::vector<int> seats(votes.size(), 0);
    for (const SeatRecord& record : board.seatHistory)
        ++seats[static_cast<std::size_t>(record.winner)];
    const MethodComparison comparison = CompareMethods(board);
    EXPECT_EQ(comparison.methods[0].seats, seats);
    EXPECT_EQ(ComparisonViolation(comparison), "");
    EXPECT_EQ(MakeComparisonTable(comparison).header.size(), votes.size() + 3);

    const std::vector<std::string> overTheLine { "642931", "346063", "325460", "281366", "184403",
        "182263", "165160", "111946", "97430" };
    std::vector<bool> takesPart(overTheLine.size(), true);
    takesPart.back() = false; // Величие, 29 votes short
    std::vector<int> official;
    for (const auto& party : HareNiemeyer(overTheLine, 240, takesPart).parties)
        official.push_back(party.seats);
    EXPECT_EQ(official, (std::vector { 69, 37, 35, 30, 20, 19, 18, 12, 0 }));
}

struct PartyReportCase {
    const char* name;
    char action; // a add, r remove, p paste three named parties from the second box
    std::string report;
    std::string undone;
};

class PartyReports : public ::testing::TestWithParam<PartyReportCase> { };

// What the line under the controls says of each change of the parties, and of its undo.
TEST_P(PartyReports, SayWhatChanged)
{
    const PartyReportCase& c = GetParam();
    Board board = loaded();
    UndoHistory history;
    std::string report;
    if (c.action == 'a') {
        history.AddParty(board);
        report = ReportPartyAdded(board);
    } else if (c.action == 'r') {
        history.RemoveLastParty(board);
        report = ReportPartyRemoved(board);
    } else {
        const auto table = ReadResultsTable("А\t10\nБ\t20\nВ\t30\n", maxPartyCount - 1);
        ASSERT_TRUE(table.has_value());
        std::vector<Board::PartyFill> fill;
        for (const auto& party : table->parties)
            fill.push_back({ party.name, party.votes });
        history.FillParties(board, 1, fill);
        ResultsTable told = *table;
        told.leftOut = 2;
        told.leftOutVotes = 12345;
        report = ReportTablePasted(board, 1, told);
    }
    EXPECT_EQ(report, c.report);
    const Board after = board;
    history.Undo(board);
    EXPECT_EQ(ReportHistoryStep(after, board, false), c.undone);
    const Board before = board;
    history.Redo(board);
    EXPECT_EQ(board, after);
    EXPECT_EQ(ReportHistoryStep(before, board, true), "Повторено: " + c.undone.substr(18));
}

INSTANTIATE_TEST_SUITE_P(Actions, PartyReports,
    ::testing::Values(
        PartyReportCase { "Add", 'a', "Добавена е партия 6: въведете гласовете ѝ (партиите са 6).",
            "Отменено: добавянето на партия." },
        PartyReportCase { "Remove", 'r',
            "Последната партия е премахната: остават 4 партии. Ctrl+Z я връща.",
            "Отменено: премахването на партия." },
        PartyReportCase { "Paste", 'p',
            "Поставени са гласовете на 3 партии с имената им от колона 2 нататък; партиите са 4. "
            "Гласове: колона 2. 2 партии с най-малко гласове (12\xC2\xA0"
            "345 гласа) не са поставени — "
            "най-много 12 партии; гласовете им са в „Други гласове“ (сега 0).",
            "Отменено: поставените гласове." }),
    [](const auto& row) { return std::string(row.param.name); });

// Every row left out is told, with the column the votes came from.
TEST(PartyReport, PastesTellWhatTheyLeftOut)
{
    Board board = loaded();
    board.parties.resize(maxPartyCount);
    board.voteCount.otherVotes = 1500;
    ResultsTable table;
    table.parties.resize(12);
    table.leftOut = 1;
    table.leftOutVotes = 500;
    EXPECT_EQ(ReportTablePasted(board, 0, table),
        "Поставени са гласовете на 12 партии; партиите са 12. 1 партия с най-малко гласове (500 "
        "гласа) не е поставена — най-много 12 партии; гласовете им са в „Други гласове“ (сега "
        "1\xC2\xA0"
        "500).");
    table = {};
    table.parties = { { "А", "600" } };
    table.voteColumn = 3;
    table.voteHeading = "Votes";
    table.choices = 2;
    table.choice = 1;
    table.unread = { { 3, "B 300?" }, { 5, "D —" } };
    table.counts = { "Общо" };
    table.footnotes = 1;
    EXPECT_EQ(ReportTablePasted(board, 0, table),
        "Поставени са гласовете на 1 партия с имената им; партиите са 12. Гласове: колона 3, "
        "„Votes“ (Ctrl+Shift+V взима друга: 2 от 2). Не са поставени — гласовете не се четат: "
        "ред 3 „B 300?“, ред 5 „D —“. Без реда „Общо“ — сбор, не партия. Знакът за бележка "
        "след 1 число е пропуснат.");
    table.counts = { "Voters", "Valid" };
    table.footnotes = 2;
    EXPECT_NE(ReportTablePasted(board, 0, table)
                  .find("Без редовете „Voters“, „Valid“ — сборове, не партии. Знаците за "
                        "бележка след 2 числа са пропуснати."),
        std::string::npos);
}

// Once parties have names, every sentence and heading uses them.
TEST(Parties, NamesInTheTexts)
{
    Board board = loaded();
    board.parties[0].name = "ГЕРБ-СДС";
    board.parties[1].name = "ПП-ДБ";
    board.EnterVotes();
    board.GiveNextSeat();
    EXPECT_EQ(ReportSeat(board),
        "Мандат № 1 — ГЕРБ-СДС: 58125 ÷ 1 = 58125 (D’Hondt); партията има 1 мандат.");
    EXPECT_NE(ExplainRow(board, 1, 2).find("ПП-ДБ"), std::string::npos);
    const ComparisonTable table = MakeComparisonTable(CompareMethods(board, 30));
    EXPECT_EQ(table.header[1], "ГЕРБ-СДС");
    EXPECT_EQ(table.header[3], "Партия 3");
    ASSERT_FALSE(table.notes.empty());
    EXPECT_NE(table.notes.front().find("под прага са ПП-ДБ, партия 3, партия 4 и партия 5"),
        std::string::npos)
        << table.notes.front();
}

} // namespace
