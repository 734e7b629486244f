#include "core/comparison/comparison_table.h"
#include "core/comparison/method_comparison.h"
#include "core/comparison/quota_method.h"
#include "core/comparison/vote_threshold.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

using namespace apportion;

namespace {

const std::string nbsp = "\u00A0";

// Bulgaria's 51st National Assembly (27 October 2024): the nine largest parties' valid votes,
// and all valid votes 2 436 475, so that the others had 99 453.
const std::vector<std::string> assembly51 { "642931", "346063", "325460", "281366", "184403",
    "182263", "165160", "111946", "97430" };
constexpr long long assembly51Others = 2436475 - 2337022;

struct LineCase {
    const char* name;
    std::vector<std::string> votes;
    VoteCount count;
    std::vector<bool> passes;
    std::string line;
    std::string wholeVotesPassing;
    std::vector<std::string> lacking;
};

class ThresholdLineTest : public testing::TestWithParam<LineCase> { };

TEST_P(ThresholdLineTest, PassesExactlyAtTheLine)
{
    const LineCase& c = GetParam();
    const ThresholdLine drawn = DrawThresholdLine(c.votes, c.count);
    EXPECT_EQ(drawn.passes, c.passes);
    EXPECT_EQ(drawn.line, c.line);
    EXPECT_EQ(drawn.wholeVotesPassing, c.wholeVotesPassing);
    EXPECT_EQ(drawn.lacking, c.lacking);
    EXPECT_EQ(drawn.applies, !drawn.line.empty());
}

INSTANTIATE_TEST_SUITE_P(Lines, ThresholdLineTest,
    testing::Values(
        // 4 % of 2 436 475 is 97 459 exactly; Величие is 29 short.
        LineCase { "Assembly51", assembly51, { 4, assembly51Others },
            { true, true, true, true, true, true, true, true, false }, "97" + nbsp + "459", "",
            { "", "", "", "", "", "", "", "", "29" } },
        // Without the others' votes the line is lower and Величие passes.
        LineCase { "Assembly51WithoutOthers", assembly51, { 4, 0 },
            { true, true, true, true, true, true, true, true, true }, "93" + nbsp + "480.88",
            "93" + nbsp + "481", { "", "", "", "", "", "", "", "", "" } },
        // 8 of 200 is exactly 4 %: in doubles 8 ÷ 200 × 100 falls just short.
        LineCase { "AtTheLine", { "96", "60", "24", "12", "8" }, { 4, 0 },
            { true, true, true, true, true }, "8", "", { "", "", "", "", "" } },
        LineCase { "OneVoteShort", { "96", "60", "24", "13", "7" }, { 4, 0 },
            { true, true, true, true, false }, "8", "", { "", "", "", "", "1" } },
        // Decimal votes compare exactly too: 0.3 of 7.5 is 4 %.
        LineCase { "Decimals", { "4.8", "2.4", "0.3" }, { 4, 0 }, { true, true, true }, "0.3", "1",
            { "", "", "" } },
        LineCase { "DecimalsShort", { "4.8", "2.41", "0.29" }, { 4, 0 }, { true, true, false },
            "0.3", "1", { "", "", "0.01" } },
        // No threshold, or shares that are not defined: everyone takes part.
        LineCase { "NoThreshold", { "10", "1" }, { 0, 5 }, { true, true }, "", "", { "", "" } },
        LineCase { "NegativeVotes", { "10", "-1" }, { 50, 0 }, { true, true }, "", "", { "", "" } },
        LineCase { "NoVotes", { "0", "0" }, { 4, 0 }, { true, true }, "", "", { "", "" } },
        // Twenty digits are as exact as five.
        LineCase { "TwentyDigits", { "1e20", "1" }, { 4, 0 }, { true, false },
            GroupedDigits("4000000000000000000.04"), GroupedDigits("4000000000000000001"),
            { "", GroupedDigits("3999999999999999999.04") } }),
    [](const auto& row) { return std::string(row.param.name); });

struct ReadCase {
    const char* text;
    std::string read; // exactly, with its sign
    int scale;
};

class ReadExactlyTest : public testing::TestWithParam<ReadCase> { };

TEST_P(ReadExactlyTest, ReadsAsParseNumberDoes)
{
    const auto& c = GetParam();
    const ExactNumber read = ReadExactly(c.text);
    EXPECT_EQ((read.negative ? "-" : "") + ExactText(read.units, read.scale), c.read) << c.text;
    EXPECT_EQ(read.scale, c.scale) << c.text;
}

const std::string largestDouble = // 2^1024 − 2^971
    "1797693134862315708145274237317043567980705675258449965989174768"
    "0315726078002853876058955863276687817154045895351438246423432132"
    "6889464182768467546703537516986049910576551282076245490090389328"
    "9440758685084551339423045832369032229481658085593321233482747978"
    "26204144723168738177180919299881250404026184124858368";

INSTANTIATE_TEST_SUITE_P(Texts, ReadExactlyTest,
    testing::Values(ReadCase { "58 125", "58125", 0 }, ReadCase { "1.50", "1.5", 1 },
        ReadCase { "1e3", "1000", 0 }, ReadCase { "2.5e-1", "0.25", 2 },
        ReadCase { "12,5", "12", 0 }, ReadCase { "abc", "0", 0 }, ReadCase { "007", "7", 0 },
        ReadCase { "0.00", "0", 0 }, ReadCase { "-0.0", "0", 0 },
        ReadCase { "1e12", "1000000000000", 0 },
        ReadCase { "9007199254740993", "9007199254740993", 0 }, ReadCase { "-5.20", "-5.2", 1 },
        ReadCase { "1e40", "1" + std::string(40, '0'), 0 },
        ReadCase { "0.0000000000000000001", "0.0000000000000000001", 19 },
        ReadCase { "123456789.123456789e-9", "0.123456789123456789", 18 },
        // Past a double's range, as the board reads it.
        ReadCase { "1e400", largestDouble, 0 }, ReadCase { "-1e400", "-" + largestDouble, 0 },
        ReadCase { "1e-400", "0", 0 }, ReadCase { "1e99999999999999999999", largestDouble, 0 }));

TEST(VoteThreshold, GroupsDigitsByThrees)
{
    EXPECT_EQ(GroupedDigits("2436475"), "2" + nbsp + "436" + nbsp + "475");
    EXPECT_EQ(GroupedDigits("97459.04"), "97" + nbsp + "459.04");
    EXPECT_EQ(GroupedDigits("459"), "459");
    EXPECT_EQ(GroupedDigits("abc"), "abc");
}

// A threshold under one percent is a threshold too: its line and what a party lacks are said.
TEST(VoteThreshold, NotesAThresholdUnderOnePercent)
{
    const ComparisonTable table = MakeComparisonTable(CompareMethods({ "996", "4" }, 7, 0.5));
    ASSERT_EQ(table.notes.size(), 2u);
    EXPECT_EQ(
        table.notes[1], "Партия 2: 4 гласа — 1 по-малко от прага 5 (0.5 % от 1" + nbsp + "000).");
}

// The official result: Hare–Niemeyer among the eight over 4 % of all the votes gives the
// announced seats, and the note says what Величие lacks.
TEST(VoteThreshold, ReproducesTheFiftyFirstAssembly)
{
    const MethodComparison comparison = CompareMethods(assembly51, 240,
        VoteCount { 4, assembly51Others }, { "", "", "", "", "", "", "", "", "Величие" });
    EXPECT_EQ(comparison.hareNiemeyer.seats, (std::vector { 69, 37, 35, 30, 20, 19, 18, 12, 0 }));
    EXPECT_NEAR(comparison.otherShare, 4.08, 0.01);
    EXPECT_NEAR(comparison.voteShares[0], 26.39, 0.01); // of all the votes, the others' too
    const ComparisonTable table = MakeComparisonTable(comparison);
    const std::string lacking = "Величие: 97" + nbsp + "430 гласа — 29 по-малко от прага 97" + nbsp
        + "459 (4 % от 2" + nbsp + "436" + nbsp + "475).";
    bool found = false;
    for (const auto& note : table.notes)
        found = found || note.find(lacking) != std::string::npos;
    EXPECT_TRUE(found);
}

} // namespace

namespace {

struct DecimalCase {
    const char* name;
    std::vector<std::string> votes;
    int seats;
    std::vector<int> expected;
    std::string quota; // as the working writes it
};

class DecimalVotesTest : public testing::TestWithParam<DecimalCase> { };

// Decimal vote texts are worked exactly, as whole ones are: ties read as ties, whole quotients
// as whole, and the seats the same as for the votes times ten.
TEST_P(DecimalVotesTest, WorkedExactly)
{
    const DecimalCase& c = GetParam();
    const std::vector<bool> all(c.votes.size(), true);
    const QuotaWorking working = HareNiemeyer(c.votes, c.seats, all);
    std::vector<int> seats;
    for (const auto& party : working.parties)
        seats.push_back(party.seats);
    EXPECT_EQ(seats, c.expected);
    EXPECT_EQ(working.quotaText, c.quota);
}

INSTANTIATE_TEST_SUITE_P(Votes, DecimalVotesTest,
    testing::Values(
        // 13.5 and 4.5: the remainders tie and the left party takes the seat.
        DecimalCase { "TieGoesLeft", { "4.8", "1.6" }, 18, { 14, 4 }, "0.3555" },
        DecimalCase { "TieOfTwoSmaller", { "4.6", "5.5", "1.6" }, 3, { 1, 2, 0 }, "3.9000" },
        DecimalCase { "WholeQuotient", { "2.4", "1.2" }, 9, { 6, 3 }, "0.4000" },
        DecimalCase { "QuotaOfOneSeat", { "2.1", "0" }, 1, { 1, 0 }, "2.1000" },
        DecimalCase { "MixedScales", { "1.25", "3", "0.5" }, 10, { 3, 6, 1 }, "0.4750" },
        // Votes with a decimal more than the working shows: the quota is cut to its four.
        DecimalCase { "OneDecimalMore", { "10.00001", "20" }, 3, { 1, 2 }, "10.0000" },
        // Past a double's 16 digits: the same tie, and totals a double cannot tell apart.
        DecimalCase {
            "TieOfHugeTotals", { "4.8e20", "1.6e20" }, 18, { 14, 4 }, "35555555555555555555.5555" },
        DecimalCase { "ThirtyDigits", { "99999999999999999999999999999", "1e29" }, 1, { 0, 1 },
            "199999999999999999999999999999.0000" },
        // Totals alike in their first nine digits and apart in the last.
        DecimalCase {
            "AlikeAtTheTop", { "1000000001", "1000000002" }, 1, { 0, 1 }, "2000000003.0000" }),
    [](const auto& row) { return std::string(row.param.name); });

TEST(DecimalVotes, NoParadoxTheWholeVotesDoNotHave)
{
    const std::vector<bool> all(4, true);
    EXPECT_EQ(AlabamaLosers(std::vector<std::string> { "47", "29", "2", "3" }, 22, all),
        std::vector<int> {});
    EXPECT_EQ(AlabamaLosers(std::vector<std::string> { "4.7", "2.9", "0.2", "0.3" }, 22, all),
        std::vector<int> {});
    const QuotaWorking six
        = HareNiemeyer(std::vector<std::string> { "2.4", "1.2" }, 9, { true, true });
    EXPECT_EQ(six.parties[0].quotient, "6.0000");
}

} // namespace

namespace {

// A value cut short of its digits says so; one written whole does not.
TEST(DecimalVotes, CutValuesEndInAnEllipsis)
{
    const ComparisonTable cut
        = MakeComparisonTable(CompareMethods({ "16", "64", "98", "58", "61" }, 7));
    EXPECT_EQ(cut.quotaLine, "Квота: 297 ÷ 7 = 42.4285…");
    EXPECT_EQ(cut.quota, "42.4285");
    EXPECT_EQ(cut.workingRows[3][2], "0.5084…");
    const ComparisonTable whole = MakeComparisonTable(CompareMethods({ "2.1", "0" }, 1));
    EXPECT_EQ(whole.quotaLine, "Квота: 2.1 ÷ 1 = 2.1000");
    EXPECT_EQ(whole.workingRows[1][1], "1.0000");
}

} // namespace

namespace {

// The quota's dividend is the exact sum of the votes, however many decimals they have.
TEST(DecimalVotes, QuotaDividendIsExact)
{
    const ComparisonTable table = MakeComparisonTable(
        CompareMethods({ "0.100000000000000001", "0.2", "1000000000000000" }, 3));
    EXPECT_EQ(table.quotaLine.substr(0, table.quotaLine.find(" ÷ ")),
        "Квота: 1000000000000000.300000000000000001");
}

} // namespace

namespace {

// An Alabama paradox that rests on a tie of remainders at one seat fewer says that seat went by
// lot; one that does not, does not.
TEST(Alabama, SaysWhenTheSeatLostWentByLot)
{
    const ComparisonTable byLot = MakeComparisonTable(CompareMethods({ "1", "3", "8" }, 7));
    ASSERT_FALSE(byLot.notes.empty());
    EXPECT_EQ(byLot.notes.back(),
        "Парадоксът Алабама: с 7 мандата партия 1 губи мандата, който има при 6 (Hare–Niemeyer); "
        "при 6 мандата той е неин при равни остатъци — по закона с жребий, тук на партията "
        "най-вляво. Методите на делителя не допускат това.");
    const ComparisonTable plain
        = MakeComparisonTable(CompareMethods({ "16", "64", "98", "58", "61" }, 7));
    EXPECT_EQ(plain.notes.back(),
        "Парадоксът Алабама: с 7 мандата партия 1 губи мандата, който има при 6 (Hare–Niemeyer). "
        "Методите на делителя не допускат това.");
}

} // namespace
