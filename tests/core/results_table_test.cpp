// Results tables in the shapes real pages and programs give them, as text and as HTML: each
// row names where its shape comes from.
#include "core/allocation/board.h"
#include "core/comparison/method_comparison.h"
#include "core/input/html_table.h"
#include "core/input/results_table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace apportion;

namespace {

using Parties = std::vector<std::pair<std::string, std::string>>; // name, votes

Parties partiesOf(const ResultsTable& table)
{
    Parties parties;
    for (const auto& party : table.parties)
        parties.emplace_back(party.name, party.votes);
    return parties;
}

struct PasteCase {
    const char* name;
    std::string text;
    Parties expected; // empty: not a table
    int leftOut = 0;
    std::uint64_t leftOutVotes = 0;
};

class ResultsTableRead : public ::testing::TestWithParam<PasteCase> { };

TEST_P(ResultsTableRead, ReadsThePartiesAndTheirVotes)
{
    const PasteCase& c = GetParam();
    const auto table = ReadResultsTable(c.text, maxPartyCount);
    if (c.expected.empty()) {
        EXPECT_FALSE(table.has_value());
        return;
    }
    ASSERT_TRUE(table.has_value());
    EXPECT_EQ(partiesOf(*table), c.expected);
    EXPECT_EQ(table->leftOut, c.leftOut);
    EXPECT_EQ(table->leftOutVotes, c.leftOutVotes);
}

// The nine largest of the 51st National Assembly, as a results page lists them: ballot number,
// name, votes grouped by thin and no-break spaces, share.
const std::string resultsPage = "№\tПартия\tГласове\t%\n"
                                "18\tГЕРБ-СДС\t642\xE2\x80\xAF"
                                "931\t26,39 %\n"
                                "26\tПП-ДБ\t346\xC2\xA0"
                                "063\t14,20 %\n"
                                "12\tВъзраждане\t325 460\t13,36 %\n";
const Parties resultsParties { { "ГЕРБ-СДС", "642931" }, { "ПП-ДБ", "346063" },
    { "Възраждане", "325460" } };

std::string manyParties(int count)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += "Партия " + std::to_string(i + 1) + "\t" + std::to_string(1000 + (i % 5) * 100)
            + "\n";
    return text;
}

INSTANTIATE_TEST_SUITE_P(Blocks, ResultsTableRead,
    ::testing::Values(
        PasteCase { "ResultsPageWithBallotNumbersAndShares", resultsPage, resultsParties },
        // LibreOffice Calc under a Bulgarian locale: a no-break space between thousands, a
        // decimal comma in the share column, CRLF line ends.
        PasteCase { "CalcBulgarian",
            "ГЕРБ-СДС\t642\xC2\xA0"
            "931\t26,39\r\nПП-ДБ\t346\xC2\xA0"
            "063\t14,2\r\n",
            { { "ГЕРБ-СДС", "642931" }, { "ПП-ДБ", "346063" } } },
        PasteCase { "CalcEnglish", "Party\tVotes\nGERB\t642,931\nPP-DB\t346,063\n",
            { { "GERB", "642931" }, { "PP-DB", "346063" } } },
        PasteCase { "PointsBetweenThousands", "А\t1.147.292\nБ\t642.931\n",
            { { "А", "1147292" }, { "Б", "642931" } } },
        PasteCase { "RowOfNumbers", "58125\t45871\t27142",
            { { "", "58125" }, { "", "45871" }, { "", "27142" } } },
        PasteCase { "ColumnOfNumbersUnderAHeader", "Гласове\n58 125\n\n45871\n",
            { { "", "58125" }, { "", "45871" } } },
        PasteCase { "TotalRowLeftOut", "А\t300\nБ\t200\nВ\t100\nОбщо за страната\t600\n",
            { { "А", "300" }, { "Б", "200" }, { "В", "100" } } },
        // A party with as many votes as the others is no total.
        PasteCase { "PartyAsLargeAsTheRest", "А\t10\nБ\t20\nВ\t30\n",
            { { "А", "10" }, { "Б", "20" }, { "В", "30" } } },
        PasteCase { "OneNamedRow", "ГЕРБ-СДС\t642 931", { { "ГЕРБ-СДС", "642931" } } },
        // A page pads its cells with spaces of every kind; a name keeps the spaces inside it.
        PasteCase { "NamesTrimmed", " Има такъв народ \xC2\xA0\t165 160\n\xE2\x80\x89МЕЧ \t111 946",
            { { "Има такъв народ", "165160" }, { "МЕЧ", "111946" } } },
        // The twelve with the most votes stay, in order; the three with 1000 go.
        PasteCase { "MoreThanTwelve", manyParties(15),
            { { "Партия 2", "1100" }, { "Партия 3", "1200" }, { "Партия 4", "1300" },
                { "Партия 5", "1400" }, { "Партия 7", "1100" }, { "Партия 8", "1200" },
                { "Партия 9", "1300" }, { "Партия 10", "1400" }, { "Партия 12", "1100" },
                { "Партия 13", "1200" }, { "Партия 14", "1300" }, { "Партия 15", "1400" } },
            3, 3000 },
        PasteCase { "OneNumber", "642 931", {} }, PasteCase { "Sentence", "гласове за всички", {} },
        PasteCase { "Empty", "\n\n", {} }),
    [](const auto& row) { return std::string(row.param.name); });

TEST(ResultsTable, KeepsAsManyAsTheBoxesLeft)
{
    const auto table = ReadResultsTable(resultsPage, 2);
    ASSERT_TRUE(table.has_value());
    EXPECT_EQ(partiesOf(*table), (Parties { { "ГЕРБ-СДС", "642931" }, { "ПП-ДБ", "346063" } }));
    EXPECT_EQ(table->leftOut, 1);
}

// The 51st National Assembly (27 October 2024) as the Central Election Commission's results page
// lists it: ballot number, name, valid votes grouped by no-break spaces, the share without "%",
// the seats, and the total over all parties.
const std::string cikPage = "№\tПартия/коалиция\tДействителни гласове\t%\tМандати\n"
                            "18\tГЕРБ-СДС\t642 931\t26,39\t69\n"
                            "26\tПП-ДБ\t346 063\t14,20\t37\n"
                            "12\tВъзраждане\t325 460\t13,36\t35\n"
                            "8\tДПС-Ново начало\t281 366\t11,55\t30\n"
                            "7\tБСП-Обединена левица\t184 403\t7,57\t20\n"
                            "11\tАлианс за права и свободи\t182 263\t7,48\t19\n"
                            "13\tИма такъв народ\t165 160\t6,78\t18\n"
                            "21\tМЕЧ\t111 946\t4,59\t12\n"
                            "17\tВеличие\t97 430\t4,00\t0\n"
                            "\tОбщо\t2 436 475\t100,00\t240\n";
const Parties assembly51 { { "ГЕРБ-СДС", "642931" }, { "ПП-ДБ", "346063" },
    { "Възраждане", "325460" }, { "ДПС-Ново начало", "281366" },
    { "БСП-Обединена левица", "184403" }, { "Алианс за права и свободи", "182263" },
    { "Има такъв народ", "165160" }, { "МЕЧ", "111946" }, { "Величие", "97430" } };

// The Federal Returning Officer's page of the 2021 Bundestag election in Brandenburg, copied
// from a browser (its first heading as the German page has it): two header rows, the count over the
// parties, first and second votes side by side with their shares and changes, dashes where a party
// did not stand, 21 parties.
const std::string brandenburg2021
    = "Merkmal\tFirst votes\tSecond votes\n"
      "\tNumber\t%\tDiff. on 2017 in p.p.\tNumber\t%\tDiff. on 2017 in p.p.\n"
      "Persons entitled to vote\t2,048,844\t-\t-\t2,048,844\t-\t-\n"
      "Voters\t1,549,464\t75.6\t+1.9\t1,549,464\t75.6\t+1.9\n"
      "Invalid\t21,706\t1.4\t-0.2\t19,821\t1.3\t-0.1\n"
      "Valid\t1,527,758\t98.6\t+0.2\t1,529,643\t98.7\t+0.1\n"
      "CDU\t283,668\t18.6\t-10.5\t233,891\t15.3\t-11.4\n"
      "AfD\t279,978\t18.3\t-1.1\t277,412\t18.1\t-2.1\n"
      "SPD\t437,753\t28.7\t+8.2\t450,573\t29.5\t+11.9\n"
      "DIE LINKE\t142,628\t9.3\t-7.9\t129,762\t8.5\t-8.7\n"
      "FDP\t121,094\t7.9\t+2.8\t142,426\t9.3\t+2.2\n"
      "GRÜNE/B 90\t120,005\t7.9\t+3.3\t137,472\t9.0\t+4.0\n"
      "Tierschutzpartei\t6,735\t0.4\t-\t39,823\t2.6\t+0.8\n"
      "Die PARTEI\t27,429\t1.8\t+0.6\t19,199\t1.3\t-0.1\n"
      "FREIE WÄHLER\t47,029\t3.1\t+1.2\t40,509\t2.6\t+1.5\n"
      "NPD\t-\t-\t-0.1\t4,868\t0.3\t-0.6\n"
      "DKP\t1,785\t0.1\t-0.2\t1,978\t0.1\t±0.0\n"
      "ÖDP\t4,499\t0.3\t-\t2,835\t0.2\t±0.0\n"
      "MLPD\t304\t0.0\t±0.0\t842\t0.1\t±0.0\n"
      "dieBasis\t26,766\t1.8\t-\t23,062\t1.5\t-\n"
      "Die Humanisten\t458\t0.0\t-\t1,892\t0.1\t-\n"
      "PIRATEN\t5,848\t0.4\t+0.1\t6,340\t0.4\t-\n"
      "Team Todenhöfer\t-\t-\t-\t3,353\t0.2\t-\n"
      "UNABHÄNGIGE\t7,339\t0.5\t-\t9,113\t0.6\t-\n"
      "Volt\t1,004\t0.1\t-\t4,293\t0.3\t-\n"
      "FAMILIE\t1,817\t0.1\t-\t-\t-\t-\n"
      "Individual candidates\t11,619\t0.8\t+0.4\t-\t-\t-0.7\n";

struct ShapeCase {
    const char* name;
    std::string text;
    int choice;
    Parties expected; // empty: not a table
    int voteColumn = 0;
    std::vector<std::string> counts = {};
    std::vector<int> unreadLines = {};
    int footnotes = 0;
    int leftOut = 0;
    std::uint64_t leftOutVotes = 0;
};

class RealShapes : public ::testing::TestWithParam<ShapeCase> { };

TEST_P(RealShapes, ReadRightOrTold)
{
    const ShapeCase& c = GetParam();
    const auto table = ReadResultsTable(c.text, maxPartyCount, c.choice);
    if (c.expected.empty()) {
        EXPECT_FALSE(table.has_value());
        return;
    }
    ASSERT_TRUE(table.has_value());
    EXPECT_EQ(partiesOf(*table), c.expected);
    EXPECT_EQ(table->voteColumn, c.voteColumn);
    EXPECT_EQ(table->counts, c.counts);
    std::vector<int> unread;
    for (const auto& row : table->unread)
        unread.push_back(row.line);
    EXPECT_EQ(unread, c.unreadLines);
    EXPECT_EQ(table->footnotes, c.footnotes);
    EXPECT_EQ(table->leftOut, c.leftOut);
    EXPECT_EQ(table->leftOutVotes, c.leftOutVotes);
}

INSTANTIATE_TEST_SUITE_P(Pages, RealShapes,
    ::testing::Values(ShapeCase { "ElectionCommissionPage", cikPage, 0, assembly51, 3, { "Общо" } },
        ShapeCase { "BundestagFirstVotes", brandenburg2021, 0,
            { { "CDU", "283668" }, { "AfD", "279978" }, { "SPD", "437753" },
                { "DIE LINKE", "142628" }, { "FDP", "121094" }, { "GRÜNE/B 90", "120005" },
                { "Tierschutzpartei", "6735" }, { "Die PARTEI", "27429" },
                { "FREIE WÄHLER", "47029" }, { "dieBasis", "26766" }, { "UNABHÄNGIGE", "7339" },
                { "Individual candidates", "11619" } },
            2, { "Persons entitled to vote", "Voters", "Invalid", "Valid" }, { 16, 23 }, 0, 7,
            15715 },
        // The next choice is the second vote.
        ShapeCase { "BundestagSecondVotes", brandenburg2021, 1,
            { { "CDU", "233891" }, { "AfD", "277412" }, { "SPD", "450573" },
                { "DIE LINKE", "129762" }, { "FDP", "142426" }, { "GRÜNE/B 90", "137472" },
                { "Tierschutzpartei", "39823" }, { "Die PARTEI", "19199" },
                { "FREIE WÄHLER", "40509" }, { "dieBasis", "23062" }, { "PIRATEN", "6340" },
                { "UNABHÄNGIGE", "9113" } },
            5, { "Persons entitled to vote", "Voters", "Invalid", "Valid" }, { 26, 27 }, 0, 7,
            20061 },
        // A spreadsheet's pivot table of the same results, as Excel lays it out.
        ShapeCase { "ExcelPivotTable",
            "Row Labels\tSum of Votes\nГЕРБ-СДС\t642931\nПП-ДБ\t346063\nВъзраждане\t325460\n"
            "Grand Total\t1314454\n",
            0, { assembly51[0], assembly51[1], assembly51[2] }, 2, { "Grand Total" } },
        // Totals named as results pages name them, anywhere in the block.
        ShapeCase { "ValidVotesOverTheParties",
            "Общ брой действителни гласове\t1314454\nГЕРБ-СДС\t642931\nПП-ДБ\t346063\n"
            "Възраждане\t325460\n",
            0, { assembly51[0], assembly51[1], assembly51[2] }, 2,
            { "Общ брой действителни гласове" } },
        // A footnote mark after a number is passed over and counted; the total is still found
        // by its name.
        ShapeCase { "FootnoteMarks", "A\t600\nB\t300*\nC\t100¹\nОбщо\t1000\n", 0,
            { { "A", "600" }, { "B", "300" }, { "C", "100" } }, 2, { "Общо" }, {}, 2 },
        ShapeCase { "UnreadVotesTold", "A\t600\nB\t—\nC\t100\n\t1000\n", 0,
            { { "A", "600" }, { "C", "100" } }, 2, { "1000" }, { 2 } },
        // A column of numbers with its sum under it, as a spreadsheet's AutoSum leaves it.
        ShapeCase { "ColumnWithItsSum", "642931\n334284\n318771\n1295986\n", 0,
            { { "", "642931" }, { "", "334284" }, { "", "318771" } }, 0, { "1295986" } },
        // Ballot numbers in order and decimal votes: the votes are the decimals.
        ShapeCase { "BallotNumbersAndDecimalVotes", "1\tA\t12.5\n2\tB\t7.5\n3\tC\t3.25\n", 0,
            { { "A", "12.5" }, { "B", "7.5" }, { "C", "3.25" } }, 3 },
        // A class's election: the votes, then the share with a decimal comma.
        ShapeCase { "ClassElectionWithShares", "Иван\t12\t48,000\nМария\t13\t52,000\n", 0,
            { { "Иван", "12" }, { "Мария", "13" } }, 2 },
        // Years over the columns are a header, not a party; the leftmost year is taken.
        ShapeCase { "YearsInTheHeader", "Партия\t2021\t2024\nА\t100\t150\nБ\t200\t250\n", 0,
            { { "А", "100" }, { "Б", "200" } }, 2 },
        // Cells of separators alone, or a sign, are no numbers.
        ShapeCase { "SeparatorsAlone", "А\t,\t10\nБ\t.\t20\nВ\t,.\t30\n", 0,
            { { "А", "10" }, { "Б", "20" }, { "В", "30" } }, 3 },
        // Decimal votes that happen to sum to nearly a hundred are still votes.
        ShapeCase { "DecimalVotesNearAHundred", "А\t50,5\t3\nБ\t48,0\t2\n", 0,
            { { "А", "50.5" }, { "Б", "48.0" } }, 2 },
        // A quote left open runs to the end of the block, and no further.
        ShapeCase { "QuoteLeftOpen", "10\tА\n20\t\"Б", 0, { { "А", "10" }, { "Б", "20" } }, 1 },
        // A name with a line break in it, quoted as a spreadsheet copies it.
        ShapeCase { "QuotedCellFromCalc", "\"ГЕРБ-\nСДС\"\t642931\nПП-ДБ\t346063\n", 0,
            { { "ГЕРБ- СДС", "642931" }, { "ПП-ДБ", "346063" } }, 2 }),
    [](const auto& row) { return std::string(row.param.name); });

// The choices go round: past the last comes the first again.
TEST(ResultsTable, ChoicesGoRound)
{
    const auto first = ReadResultsTable(brandenburg2021, maxPartyCount, 0);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->voteHeading, "First votes Number");
    EXPECT_GE(first->choices, 2);
    const auto round = ReadResultsTable(brandenburg2021, maxPartyCount, first->choices);
    ASSERT_TRUE(round);
    EXPECT_EQ(round->choice, 0);
    EXPECT_EQ(partiesOf(*round), partiesOf(*first));
    // Ballot numbers, shares and seats are no choice where a vote column stands beside them.
    EXPECT_EQ(ReadResultsTable(cikPage, maxPartyCount)->choices, 1);
}

// The election commission's page pasted whole gives the official seats once the threshold and
// the votes of the parties not pasted are set as the law sets them.
TEST(ResultsTable, CommissionPageGivesTheOfficialSeats)
{
    const auto table = ReadResultsTable(cikPage, maxPartyCount);
    ASSERT_TRUE(table);
    Board board;
    board.LoadWindow();
    std::vector<Board::PartyFill> fill;
    for (const auto& party : table->parties)
        fill.push_back({ party.name, party.votes });
    board.FillParties(0, fill);
    board.seatSelection = 239;
    board.SetVoteCount({ 4, 2436475 - 2337022 });
    EXPECT_EQ(CompareMethods(board).hareNiemeyer.seats,
        (std::vector { 69, 37, 35, 30, 20, 19, 18, 12, 0 }));
}

struct HtmlCase {
    const char* name;
    std::string html;
    std::string text; // empty: no table
};

class HtmlTables : public ::testing::TestWithParam<HtmlCase> { };

TEST_P(HtmlTables, ReadAsTheyLook)
{
    const auto text = HtmlTableText(GetParam().html);
    if (GetParam().text.empty()) {
        EXPECT_FALSE(text.has_value());
        return;
    }
    ASSERT_TRUE(text.has_value());
    EXPECT_EQ(*text, GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Clipboards, HtmlTables,
    ::testing::Values(
        // Firefox copying an encyclopedia's results table: a header cell over two columns, one
        // spanning two rows, references in the cells, entities.
        HtmlCase { "Browser",
            "<meta http-equiv=\"content-type\" content=\"text/html; charset=utf-8\">"
            "<table class=\"wikitable\"><tbody><tr><th rowspan=\"2\">Party</th>"
            "<th colspan=\"2\">Party vote</th><th colspan=2>Electorate vote</th></tr>\n"
            "<tr><th>Votes</th><th>%</th><th>Votes</th><th>%</th></tr>\n"
            "<tr><td><a href=\"/wiki/A\">A &amp; B</a></td><td>1,085,851<sup>[a]</sup></td>"
            "<td>38.06</td><td>1,192,251</td><td>43.5</td></tr>\n"
            "<!-- a comment <td>x</td> --><tr><td>C</td><td>&#160;93&nbsp;452</td>"
            "<td>3.3</td><td>-</td><td>-</td></tr></tbody></table>",
            "Party\tParty vote\tParty vote\tElectorate vote\tElectorate vote\n"
            "Party\tVotes\t%\tVotes\t%\n"
            "A & B\t1,085,851[a]\t38.06\t1,192,251\t43.5\n"
            "C\t\xC2\xA0"
            "93\xC2\xA0"
            "452\t3.3\t-\t-\n" },
        // LibreOffice Writer: paragraphs in the cells, a line break in a name, the largest of two
        // tables.
        HtmlCase { "Writer",
            "<html><head><style>p { margin: 0 }</style></head><body>"
            "<table><tr><td><p>Бележка</p></td></tr></table>"
            "<table width=\"100%\" cellpadding=\"4\"><col width=\"128*\"/>"
            "<tr valign=\"top\"><td><p>Партия</p></td><td><p>Гласове</p></td></tr>"
            "<tr><td><p>ГЕРБ-<br/>СДС</p></td><td><p align=\"right\">642 931</p></td></tr>"
            "<tr><td><p>\"ПП\"-ДБ</p></td><td><p align=\"right\">346 063</p></td></tr>"
            "</table></body></html>",
            "Партия\tГласове\nГЕРБ- СДС\t642 931\n\"\"\"ПП\"\"-ДБ\"\t346 063\n" },
        // A word processor's HTML: conditional comments inside the cells, attributes on lines
        // and after tabs of their own.
        HtmlCase { "OfficeMarkup",
            "<table><tr><td\ncolspan=\"2\">Партия и гласове</td><td>Мандати</td></tr>"
            "<tr><td>А</td><td><!--[if !supportLists]-->120<!--[endif]--></td>"
            "<td\tcolspan=\"2\">3</td></tr></table>",
            "Партия и гласове\t\tМандати\nА\t120\t3\t\n" },
        // Spans written loosely, the last column's heading standing over two rows.
        HtmlCase { "LooseSpans",
            "<table><tr><th>Партия</th><th rowspan = \"2\">Гласове</th></tr><tr><td>А</td></tr>"
            "<tr><td colspan = 2>Б</td></tr></table>",
            "Партия\tГласове\nА\tГласове\nБ\t\n" },
        HtmlCase { "NoTable", "<p>Гласове: <b>642 931</b></p>", "" }),
    [](const auto& row) { return std::string(row.param.name); });

// What a browser gives reads as the parties it shows.
TEST(HtmlTables, PasteAsTheyLook)
{
    const auto text = HtmlTableText(
        "<table><tr><th>Партия</th><th>Гласове</th><th>Мандати</th></tr>"
        "<tr><td>ГЕРБ-СДС</td><td>642&nbsp;931</td><td>69</td></tr>"
        "<tr><td>ПП-ДБ<table><tr><td>коалиция</td></tr></table></td><td>346&#8239;063</td>"
        "<td>37</td></tr></table>");
    ASSERT_TRUE(text);
    const auto table = ReadResultsTable(*text, maxPartyCount);
    ASSERT_TRUE(table);
    EXPECT_EQ(
        partiesOf(*table), (Parties { { "ГЕРБ-СДС", "642931" }, { "ПП-ДБ коалиция", "346063" } }));
    EXPECT_EQ(table->voteHeading, "Гласове");
}

} // namespace
