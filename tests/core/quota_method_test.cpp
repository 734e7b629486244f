#include "core/allocation/final_seats.h"
#include "core/comparison/comparison_table.h"
#include "core/comparison/quota_method.h"

#include <gtest/gtest.h>

using namespace apportion;

namespace {

const std::vector<bool> everyone { true, true, true, true, true };

struct QuotaCase {
    const char* name;
    std::vector<std::string> votes;
    int seats;
    std::vector<int> expected;
    const char* quota;
    std::vector<int> ranks;
};

class Quota : public testing::TestWithParam<QuotaCase> { };

TEST_P(Quota, GivesTheSeatsAsWorkedByHand)
{
    const auto& c = GetParam();
    const QuotaWorking working = HareNiemeyer(c.votes, c.seats, everyone);
    std::vector<int> seats(defaultPartyCount, 0);
    std::vector<int> ranks(defaultPartyCount, 0);
    for (int i = 0; i < defaultPartyCount; ++i) {
        seats[i] = working.parties[i].seats;
        ranks[i] = working.parties[i].rank;
    }
    EXPECT_EQ(seats, c.expected);
    EXPECT_EQ(working.quotaText, c.quota);
    EXPECT_EQ(ranks, c.ranks);
}

INSTANTIATE_TEST_SUITE_P(Votes, Quota,
    testing::Values(
        // 159349 ÷ 7: whole parts 2, 2, 1, 0, 0 and the two largest remainders, .70 and .55.
        QuotaCase { "DefaultVotes", { "58125", "45871", "27142", "15947", "12264" }, 7,
            { 3, 2, 1, 1, 0 }, "22764.1428", { 2, 5, 4, 1, 3 } },
        // 1/3, 4/3 and 7/3 leave equal remainders; in doubles 7/3 − 2 reads larger than 1/3,
        // so only exact arithmetic gives the tie to the party further left.
        QuotaCase { "EqualRemainders", { "1", "4", "7", "0", "0" }, 4, { 1, 1, 2, 0, 0 }, "3.0000",
            { 1, 2, 3, 4, 5 } },
        QuotaCase { "FractionalVotes", { "10.5", "10.5", "0", "0", "0" }, 3, { 2, 1, 0, 0, 0 },
            "7.0000", { 1, 2, 3, 4, 5 } }),
    [](const auto& row) { return std::string(row.param.name); });

TEST(Quota, ShowsRemaindersThatDifferAsDifferent)
{
    // 1000 and 1001 of ten million votes: remainders that read 0.0001 both at four decimals.
    const QuotaWorking working = HareNiemeyer(
        std::vector<std::string> { "1000", "1001", "9997999", "0", "0" }, 1, everyone);
    EXPECT_NE(working.parties[0].remainder, working.parties[1].remainder);
    EXPECT_EQ(working.parties[0].remainder, "0.0001000");
    EXPECT_EQ(working.parties[2].seats, 1);
}

TEST(Quota, AlabamaParadoxWhenTheSeatTotalGrows)
{
    const std::vector<std::string> votes { "16", "64", "98", "58", "61" };
    const auto seats = [&votes](int total) {
        const QuotaWorking working = HareNiemeyer(votes, total, everyone);
        std::vector<int> result(defaultPartyCount, 0);
        for (int i = 0; i < defaultPartyCount; ++i)
            result[i] = working.parties[i].seats;
        return result;
    };
    EXPECT_EQ(seats(6), (std::vector { 1, 1, 2, 1, 1 }));
    EXPECT_EQ(seats(7), (std::vector { 0, 2, 2, 1, 2 }));
    EXPECT_EQ(AlabamaLosers(votes, 7, everyone), std::vector<int> { 0 });
    EXPECT_TRUE(AlabamaLosers(votes, 6, everyone).empty());

    const ComparisonTable table = MakeComparisonTable(CompareMethods(votes, 7));
    ASSERT_EQ(table.notes.size(), 1u);
    EXPECT_NE(table.notes[0].find("с 7 мандата партия 1 губи мандата, който има при 6"),
        std::string::npos);
    EXPECT_EQ(table.rows.back().front().text, "Hare–Niemeyer");
    EXPECT_EQ(table.rows.size(), 7u);
}

TEST(Quota, ThresholdLeavesAPartyOut)
{
    // Party 5 has 7.7 % of the votes: under 8 %, no seat by any method, and no part in the quota.
    const MethodComparison comparison
        = CompareMethods({ "58125", "45871", "27142", "15947", "12264" }, 20, 8);
    EXPECT_TRUE(comparison.thresholdApplies);
    EXPECT_EQ(comparison.takesPart, (std::vector { true, true, true, true, false }));
    EXPECT_EQ(comparison.quota.quotaText, "7354.2500"); // 147085 ÷ 20
    for (const auto& result : comparison.methods)
        EXPECT_EQ(result.seats[4], 0) << result.caption;
    EXPECT_EQ(comparison.hareNiemeyer.seats, (std::vector { 8, 6, 4, 2, 0 }));
    // Shares and indices still count all five parties' votes.
    EXPECT_NEAR(comparison.voteShares[4], 7.696, 0.001);
    EXPECT_GT(comparison.hareNiemeyer.gallagher, 5);
    const auto without = CompareMethods({ "58125", "45871", "27142", "15947", "12264" }, 20);
    EXPECT_GT(without.methods[1].seats[4], 0);
    const ComparisonTable table = MakeComparisonTable(comparison);
    EXPECT_EQ(table.notes.at(0),
        "Праг 8 % = 12\u00A0747.92 (8 % от 159\u00A0349); минават 12\u00A0748 или повече гласа: "
        "под прага е партия 5 — без мандати при всеки метод; индексите броят и техните гласове.");
    EXPECT_EQ(table.notes.at(1),
        "Партия 5: 12\u00A0264 гласа — 483.92 по-малко от прага 12\u00A0747.92 (8 % от "
        "159\u00A0349).");
    EXPECT_TRUE(table.rows[0][5].underThreshold);
    EXPECT_EQ(table.workingRows[1][5], "под прага");
    EXPECT_EQ(table.workingRows[1][1], "7.9035…"); // 58125 ÷ 7354.25 = 7.90358…, cut
    EXPECT_EQ(table.workingRows[6][1], "8");
}

TEST(Quota, NoThresholdWhereSharesAreUndefined)
{
    const auto negative = CompareMethods({ "-5", "10", "", "", "" }, 7, 4);
    EXPECT_FALSE(negative.thresholdApplies);
    EXPECT_EQ(negative.takesPart, everyone);
    EXPECT_EQ(negative.hareNiemeyer.seats, (std::vector { 0, 7, 0, 0, 0 }));
    const ComparisonTable table = MakeComparisonTable(negative);
    EXPECT_NE(table.notes.at(0).find("не се прилага"), std::string::npos);
    // With no threshold applied, a negative total is not counted, not "under the threshold".
    EXPECT_EQ(table.workingRows[1][1], "не се брои");
    // One seat by the whole parts: "1 мандат", never "1 мандата".
    const auto one = CompareMethods({ "70", "30", "", "", "" }, 2);
    EXPECT_EQ(MakeComparisonTable(one).workingSentence.rfind(
                  "Hare–Niemeyer: квота 50.0000 гласа на мандат; 1 мандат по цели части, 1 по "
                  "най-големите остатъци (партия 2)",
                  0),
        0u)
        << MakeComparisonTable(one).workingSentence;

    const auto zero = CompareMethods({ "0", "", "", "", "" }, 7, 4);
    EXPECT_FALSE(zero.quota.defined);
    EXPECT_EQ(zero.hareNiemeyer.seats, (std::vector { 0, 0, 0, 0, 0 }));
    const ComparisonTable none = MakeComparisonTable(zero);
    EXPECT_TRUE(none.workingRows.empty());
    // Every seat went left by the tie rule, and a method that gave nothing is marked with nothing.
    ASSERT_EQ(none.notes.size(), 2u); // the threshold that does not apply, then why
    EXPECT_EQ(none.notes[1].rfind("Никоя партия няма гласове", 0), 0u);
    EXPECT_EQ(none.rows.back()[1].text, "0");
    EXPECT_EQ(none.rows.back()[1].change, 0);
    // Half a vote is a vote: no note says that no party has any.
    for (const auto& note :
        MakeComparisonTable(CompareMethods({ "0.5", "1", "", "", "" }, 2)).notes)
        EXPECT_EQ(note.find("Никоя партия"), std::string::npos) << note;
}

} // namespace
