#include "core/allocation/divisor_series.h"

#include <gtest/gtest.h>

#include <map>

using namespace apportion;

namespace {

struct SeriesCase {
    const char* name;
    DivisorMethod method;
    std::map<int, const char*> texts; // position -> text
    std::map<int, const char*> beyond; // a party's seat past the list -> divisor text
};

class DivisorSeriesTest : public testing::TestWithParam<SeriesCase> { };

TEST_P(DivisorSeriesTest, HoldsTheDivisorsForSeatsTwoToHundred)
{
    const auto& c = GetParam();
    const DivisorSeries series = BuildDivisorSeries(c.method);
    ASSERT_EQ(series.size(), 99u);
    for (const auto& [position, text] : c.texts)
        EXPECT_EQ(series[position], text) << c.name << " position " << position;
    for (const auto& text : series)
        EXPECT_EQ(text.find_first_not_of("0123456789."), std::string::npos) << text;
    EXPECT_EQ(DivisorText(c.method, 100), series.back());
    for (const auto& [seat, text] : c.beyond)
        EXPECT_EQ(DivisorText(c.method, seat), text) << c.name << " seat " << seat;
}

INSTANTIATE_TEST_SUITE_P(Methods, DivisorSeriesTest,
    testing::Values(SeriesCase { "DHondt", DivisorMethod::DHondt,
                        { { 0, "2" }, { 1, "3" }, { 2, "4" }, { 98, "100" } }, { { 101, "101" } } },
        SeriesCase { "SainteLague", DivisorMethod::SainteLague,
            { { 0, "3" }, { 1, "5" }, { 2, "7" }, { 4, "11" }, { 98, "199" } },
            { { 301, "601" } } },
        SeriesCase { "Danish", DivisorMethod::Danish,
            { { 0, "4" }, { 1, "7" }, { 2, "10" }, { 3, "13" }, { 98, "298" } },
            { { 101, "301" } } },
        SeriesCase { "Imperali", DivisorMethod::Imperali,
            { { 0, "1.5" }, { 1, "2" }, { 2, "2.5" }, { 3, "3" }, { 98, "50.5" } },
            { { 101, "51" }, { 102, "51.5" } } },
        SeriesCase { "EqualProportions", DivisorMethod::EqualProportions,
            { { 0, "1.41" }, { 1, "2.45" }, { 2, "3.46" }, { 3, "4.47" }, { 4, "5.48" },
                { 5, "6.48" }, { 6, "7.48" }, { 98, "99.50" } },
            { { 101, "100.50" }, { 301, "300.50" } } }),
    [](const auto& row) { return std::string(row.param.name); });

TEST(DivisorSeries, UnknownMethodGivesNoDivisors)
{
    EXPECT_TRUE(BuildDivisorSeries(static_cast<DivisorMethod>(5)).empty());
    EXPECT_TRUE(BuildDivisorSeries(static_cast<DivisorMethod>(-1)).empty());
    EXPECT_EQ(DivisorText(static_cast<DivisorMethod>(5), 2), "");
    EXPECT_EQ(DivisorText(DivisorMethod::DHondt, 1), "");
}

} // namespace
