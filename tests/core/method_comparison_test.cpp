#include "core/allocation/final_seats.h"
#include "core/comparison/comparison_table.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace apportion;

namespace {

using Votes = std::vector<std::string>;
using Seats = std::vector<int>;

const Votes defaults { "58125", "45871", "27142", "15947", "12264" };

struct FinalSeatsCase {
    const char* name;
    DivisorMethod method;
    Votes votes;
    int seatTotal;
    Seats seats; // worked by hand
};

class MethodFinalSeats : public testing::TestWithParam<FinalSeatsCase> { };

TEST_P(MethodFinalSeats, MatchHandWorkedSeats)
{
    const auto& c = GetParam();
    EXPECT_EQ(FinalSeats(c.method, c.votes, c.seatTotal), c.seats);
}

INSTANTIATE_TEST_SUITE_P(Methods, MethodFinalSeats,
    testing::Values(
        FinalSeatsCase { "DHondt", DivisorMethod::DHondt, defaults, 7, { 3, 2, 1, 1, 0 } },
        FinalSeatsCase {
            "SainteLague", DivisorMethod::SainteLague, defaults, 7, { 2, 2, 1, 1, 1 } },
        FinalSeatsCase { "Danish", DivisorMethod::Danish, defaults, 7, { 2, 2, 1, 1, 1 } },
        FinalSeatsCase { "Imperali", DivisorMethod::Imperali, defaults, 7, { 4, 2, 1, 0, 0 } },
        FinalSeatsCase {
            "EqualProportions", DivisorMethod::EqualProportions, defaults, 7, { 3, 2, 2, 0, 0 } },
        // A party without a seat competes with its votes (divisor 1), not ahead of every other:
        // 1000, then 1000 ÷ 1.41 = 709.2 and 1000 ÷ 2.45 = 408.2 all beat 10.
        FinalSeatsCase { "EqualProportionsFirstDivisorIsOne", DivisorMethod::EqualProportions,
            { "1000", "10", "", "", "" }, 3, { 3, 0, 0, 0, 0 } },
        // 45 ÷ 4 and 34 ÷ 3 both read 11.3 for the 7th seat: the leftmost party wins it.
        FinalSeatsCase { "RoundingTie", DivisorMethod::DHondt, { "16", "4", "3", "45", "34" }, 7,
            { 1, 0, 0, 4, 2 } },
        // 1000 ÷ 121 = 8.3 still beats 1: the divisors go on past the listed 99.
        FinalSeatsCase { "PastTheList", DivisorMethod::DHondt, { "1000", "1", "1", "1", "1" }, 120,
            { 120, 0, 0, 0, 0 } },
        FinalSeatsCase { "NoSeats", DivisorMethod::DHondt, defaults, 0, { 0, 0, 0, 0, 0 } }),
    [](const auto& row) { return std::string(row.param.name); });

// The comparison gives the same seats as the board, one seat turn at a time, odd texts included.
TEST(MethodComparison, AgreesWithTheBoard)
{
    const std::vector<Votes> voteSets { defaults, { "16", "4", "3", "45", "34" },
        { "3066,8", "58 125", "12.25", "abc", "-5" }, { "1e300", "9e299", "1", "", "" },
        { "123456789012345678", "123456789012345677", "5", "5", "5" } };
    for (const Votes& votes : voteSets) {
        for (int m = 0; m < divisorMethodCount; ++m) {
            const auto method = static_cast<DivisorMethod>(m);
            Board board;
            board.LoadWindow();
            board.SelectMethod(method);
            for (int i = 0; i < defaultPartyCount; ++i)
                board.parties[i].entryText = votes[i];
            board.seatSelection = 149;
            board.EnterVotes();
            for (int seat = 0; seat < 150; ++seat)
                board.GiveNextSeat();
            Seats seats(defaultPartyCount, 0);
            for (const SeatRecord& record : board.seatHistory)
                ++seats[static_cast<std::size_t>(record.winner)];
            EXPECT_EQ(FinalSeats(method, votes, 150), seats) << votes[0] << " method " << m;
            EXPECT_EQ(CompareMethods(board).methods[m].seats, seats);
        }
    }
}

TEST(MethodComparison, IndicesWorkedByHand)
{
    const MethodComparison comparison = CompareMethods(defaults, 7);
    // Vote shares 36.48, 28.79, 17.03, 10.01, 7.70 %; D'Hondt's seat shares 3/7, 2/7, 1/7, 1/7, 0.
    EXPECT_NEAR(comparison.voteShares[0], 36.4766, 1e-4);
    EXPECT_NEAR(comparison.methods[0].gallagher, 7.9323, 1e-4);
    EXPECT_NEAR(comparison.methods[0].effectiveParties, 49.0 / 15, 1e-12);
    EXPECT_NEAR(comparison.effectivePartiesByVotes, 3.8333, 1e-4);
    EXPECT_EQ(SeatsSummary(comparison.methods[0]), "D’Hondt: 3, 2, 1, 1, 0");

    const ComparisonTable table = MakeComparisonTable(comparison);
    ASSERT_EQ(
        table.rows.size(), 2u + divisorMethodCount); // votes, the divisor methods, Hare–Niemeyer
    EXPECT_EQ(table.rows[1][1].text, "3 (42.9 %)");
    EXPECT_EQ(table.rows[1][6].text, "7.93");
    EXPECT_EQ(table.rows[0][7].text, "3.83");
    // Sainte-Laguë gives party 1 one seat fewer than D'Hondt and party 5 one more.
    EXPECT_EQ(table.rows[2][1].text, "2 ▼ (28.6 %)");
    EXPECT_EQ(table.rows[2][1].change, -1);
    EXPECT_EQ(table.rows[2][5].text, "1 ▲ (14.3 %)");
    EXPECT_EQ(table.rows[2][2].change, 0);
}

TEST(MethodComparison, SharesUndefinedForNegativeOrNoVotes)
{
    for (const Votes& votes : { Votes { "10", "-5", "", "", "" }, Votes { "", "", "", "", "" } }) {
        const MethodComparison comparison = CompareMethods(votes, 3);
        EXPECT_TRUE(std::isnan(comparison.methods[0].gallagher));
        EXPECT_EQ(MakeComparisonTable(comparison).rows[1][6].text, "—");
    }
    // The votes row shows a negative vote total as typed, sign and all.
    EXPECT_EQ(
        MakeComparisonTable(CompareMethods({ "10", "-5", "", "", "" }, 3)).rows[0][2].text, "-5");
    // Vote totals near the largest double do not overflow the shares.
    const auto huge = CompareMethods({ "1e308", "1e308", "", "", "" }, 2);
    EXPECT_DOUBLE_EQ(huge.voteShares[0], 50);
    EXPECT_DOUBLE_EQ(huge.methods[0].gallagher, 0);
}

} // namespace
