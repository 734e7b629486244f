#include "core/numbers/number_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <locale>
#include <string>

using namespace apportion;

namespace {

struct ParseCase {
    const char* text;
    double expected;
};

class ParseNumberTest : public testing::TestWithParam<ParseCase> { };

TEST_P(ParseNumberTest, ReadsTheNumberAtTheStart)
{
    const auto& c = GetParam();
    EXPECT_EQ(ParseNumber(c.text), c.expected) << '"' << c.text << '"';
}

INSTANTIATE_TEST_SUITE_P(Texts, ParseNumberTest,
    testing::Values(ParseCase { "", 0 }, ParseCase { " 12 264 ", 12264 },
        ParseCase { "58 125", 58125 }, ParseCase { "\t4\n5", 45 }, ParseCase { "-7", -7 },
        ParseCase { "+5", 5 }, ParseCase { ".5", 0.5 }, ParseCase { "5.", 5 },
        ParseCase { "1e3", 1000 }, ParseCase { "1E+3", 1000 }, ParseCase { "25e-1", 2.5 },
        ParseCase { "2,5", 2 }, ParseCase { "12,5", 12 }, ParseCase { "3066,8", 3066 },
        ParseCase { "12.5.3", 12.5 }, ParseCase { "abc", 0 }, ParseCase { "1e", 1 },
        ParseCase { "1e+", 1 }, ParseCase { "7x9", 7 }, ParseCase { ".", 0 }, ParseCase { "-", 0 },
        ParseCase { "+.e1", 0 }, ParseCase { "--5", 0 }, ParseCase { "&H10", 0 },
        ParseCase { "0x10", 0 }, ParseCase { "Търси", 0 }, ParseCase { "12\xD0\x9F", 12 },
        ParseCase { "\r5", 5 }, ParseCase { "00042", 42 },
        // Every space a keyboard, a locale's grouping or a web page brings is a blank.
        ParseCase { "642\xC2\xA0"
                    "931",
            642931 },
        ParseCase { "1\xE2\x80\xAF"
                    "147\xE2\x80\x89"
                    "292",
            1147292 },
        ParseCase { "\xEF\xBB\xBF"
                    "12\xE2\x80\x8B"
                    "3",
            123 },
        ParseCase { "4\xE3\x80\x80"
                    "5",
            45 },
        ParseCase { "7\xE2\x80\xA8"
                    "8\xC2\x85"
                    "9",
            789 },
        // Other bytes of the same leads are not: "5—6" reads 5.
        ParseCase { "5\xE2\x80\x94"
                    "6",
            5 },
        ParseCase { "5\xC2\xB2"
                    "6",
            5 },
        ParseCase { "1e999", std::numeric_limits<double>::max() },
        ParseCase { "-1e999", -std::numeric_limits<double>::max() }, ParseCase { "1e-999", 0 },
        ParseCase { "0.0000e99999999999999999999", 0 },
        ParseCase { "1e99999999999999999999999", std::numeric_limits<double>::max() },
        ParseCase { "0.001e-99999", 0 }));

// What a vote box shows of a pasted or typed text, and what a name keeps once trimmed.
TEST(Blanks, ShownAsSpacesAndTrimmed)
{
    const struct {
        std::string text, spaced, trimmed;
    } cases[] = {
        { "642\xC2\xA0"
          "931",
            "642 931",
            "642\xC2\xA0"
            "931" },
        { "\xE2\x80\x89МЕЧ \xC2\xA0", " МЕЧ  ", "МЕЧ" },
        { "\xE2\x80\xAF\xE2\x80\xAF", "  ", "" },
        { "А\xE2\x80\x94Б\t", "А\xE2\x80\x94Б ", "А\xE2\x80\x94Б" },
        { "ПП\xE3\x80\x80", "ПП ", "ПП" },
        { "\xE1\x9A\x80"
          "7",
            " 7", "7" }, // the ogham space mark
        { "", "", "" },
        // A lead byte cut short at the end is no blank.
        { "5\xE2\x80", "5\xE2\x80", "5\xE2\x80" },
    };
    for (const auto& c : cases) {
        EXPECT_EQ(BlanksAsSpaces(c.text), c.spaced) << c.text;
        EXPECT_EQ(TrimBlanks(c.text), c.trimmed) << c.text;
    }
}

TEST(ParseNumber, HugeDigitRunsStayFinite)
{
    EXPECT_EQ(ParseNumber(std::string(400, '9')), std::numeric_limits<double>::max());
    EXPECT_EQ(ParseNumber("0." + std::string(400, '0') + "1"), 0);
    EXPECT_EQ(ParseNumber(std::string(300, '0') + "12"), 12);
    EXPECT_DOUBLE_EQ(ParseNumber("1" + std::string(300, '0')), 1e300);
}

struct FormatCase {
    double value;
    const char* expected;
};

class FormatShortestTest : public testing::TestWithParam<FormatCase> { };

TEST_P(FormatShortestTest, WritesFifteenDigitsWithoutTrailingZeros)
{
    EXPECT_EQ(FormatShortest(GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Values, FormatShortestTest,
    testing::Values(FormatCase { 12264, "12264" }, FormatCase { 29062.5, "29062.5" },
        FormatCase { 2, "2" }, FormatCase { 1.5, "1.5" }, FormatCase { 0.5, "0.5" },
        FormatCase { 15290.3, "15290.3" }, FormatCase { 7973.5, "7973.5" },
        FormatCase { 6553, "6553" }, FormatCase { 0, "0" }, FormatCase { -0.0, "0" },
        FormatCase { -12.25, "-12.25" }, FormatCase { 0.1 + 0.2, "0.3" },
        FormatCase { 58125.0 / 3, "19375" }, FormatCase { 1.0 / 3, "0.333333333333333" },
        FormatCase { 0.0001, "0.0001" }, FormatCase { 0.00001, "0.00001" },
        FormatCase { 999999999999999, "999999999999999" },
        FormatCase { 123456789012345.6, "123456789012346" },
        // Outside the range the program produces: exponent form that reads back.
        FormatCase { 1e15, "1E+15" }, FormatCase { 1.5e20, "1.5E+20" },
        FormatCase { 0.000001, "1E-6" }, FormatCase { -2.5e-300, "-2.5E-300" },
        FormatCase { std::numeric_limits<double>::max(), "1.79769313486232E+308" },
        FormatCase { std::numeric_limits<double>::infinity(), "inf" },
        FormatCase { -std::numeric_limits<double>::infinity(), "-inf" },
        FormatCase { std::numeric_limits<double>::quiet_NaN(), "nan" }));

struct RoundCase {
    double value;
    int places;
    double expected;
};

class RoundHalfAwayTest : public testing::TestWithParam<RoundCase> { };

TEST_P(RoundHalfAwayTest, RoundsTheFifteenDigitTextHalvesAway)
{
    const auto& c = GetParam();
    EXPECT_EQ(RoundHalfAway(c.value, c.places), c.expected) << c.value << " at " << c.places;
}

INSTANTIATE_TEST_SUITE_P(Values, RoundHalfAwayTest,
    testing::Values(RoundCase { 58125.0 / 4, 1, 14531.3 }, RoundCase { 3066.25, 1, 3066.3 },
        RoundCase { 45871.0 / 3, 1, 15290.3 }, RoundCase { 0.15, 1, 0.2 },
        RoundCase { -0.15, 1, -0.2 }, RoundCase { 2.675, 2, 2.68 }, RoundCase { 1.005, 2, 1.01 },
        RoundCase { 99.95, 1, 100 }, RoundCase { 9.96, 1, 10 }, RoundCase { 0.04, 1, 0 },
        RoundCase { 0.05, 1, 0.1 }, RoundCase { 0.004, 1, 0 }, RoundCase { 58125.0 / 3, 1, 19375 },
        RoundCase { 1250, -2, 1300 }, RoundCase { 1e300, 1, 1e300 }, RoundCase { 0, 2, 0 },
        RoundCase { std::sqrt(2.0), 2, 1.41 },
        RoundCase { std::numeric_limits<double>::max(), 1, std::numeric_limits<double>::max() },
        RoundCase { 0.5, 2'000'000'000, 0.5 }, RoundCase { 12345, -2'000'000'000, 0 }));

TEST(RoundHalfAway, NonFiniteValuesPassThrough)
{
    EXPECT_TRUE(std::isnan(RoundHalfAway(std::numeric_limits<double>::quiet_NaN(), 1)));
    EXPECT_EQ(RoundHalfAway(std::numeric_limits<double>::infinity(), 1),
        std::numeric_limits<double>::infinity());
}

struct FixedCase {
    double value;
    int places;
    const char* expected;
};

class FormatFixedTest : public testing::TestWithParam<FixedCase> { };

TEST_P(FormatFixedTest, WritesExactlyThePlaces)
{
    const auto& c = GetParam();
    EXPECT_EQ(FormatFixed(c.value, c.places), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Values, FormatFixedTest,
    testing::Values(FixedCase { std::sqrt(2.0), 2, "1.41" },
        FixedCase { std::sqrt(6.0), 2, "2.45" }, FixedCase { std::sqrt(9900.0), 2, "99.50" },
        FixedCase { 3, 2, "3.00" }, FixedCase { 0.004, 2, "0.00" }, FixedCase { -0.004, 2, "0.00" },
        FixedCase { 0.5, 2, "0.50" }, FixedCase { -1.005, 2, "-1.01" }, FixedCase { 2.5, 0, "3" },
        FixedCase { 1e15, 1, "1000000000000000.0" }, FixedCase { 1.25, -3, "1" },
        FixedCase { std::numeric_limits<double>::infinity(), 2, "inf" }));

TEST(FormatFixed, HugeValuesStayPositional)
{
    const auto text = FormatFixed(std::numeric_limits<double>::max(), 2);
    EXPECT_EQ(text.size(), 309u + 3u);
    EXPECT_EQ(text.substr(0, 15), "179769313486232");
    EXPECT_EQ(text.substr(text.size() - 3), ".00");
}

TEST(NumberText, WrittenTextsReadBack)
{
    for (double value : { 14531.3, 0.0001, 99.5, 1e14 + 0.5, 1.5e20, -3e-9, 1.7976931348623e308 })
        EXPECT_EQ(ParseNumber(FormatShortest(value)), RoundHalfAway(value, 400)) << value;
}

// The program runs under the user's locale; a comma decimal point must change nothing. Windows
// names its locales otherwise, and MinGW's std::locale knows only "C".
#ifdef _WIN32
constexpr const char* bulgarian = "Bulgarian_Bulgaria.1251";
#else
constexpr const char* bulgarian = "bg_BG.UTF-8";
#endif

TEST(NumberText, IndependentOfTheLocale)
{
    const char* previous = std::setlocale(LC_ALL, nullptr);
    const std::string saved = previous ? previous : "C";
    ASSERT_NE(std::setlocale(LC_ALL, bulgarian), nullptr) << bulgarian << " is not installed";
    ASSERT_STREQ(std::localeconv()->decimal_point, ",");
#ifndef _WIN32
    const auto savedGlobal = std::locale::global(std::locale(bulgarian));
#endif

    EXPECT_EQ(ParseNumber("12.5"), 12.5);
    EXPECT_EQ(ParseNumber("12,5"), 12);
    EXPECT_EQ(FormatShortest(29062.5), "29062.5");
    EXPECT_EQ(FormatShortest(1.5e20), "1.5E+20");
    EXPECT_EQ(RoundHalfAway(14531.25, 1), 14531.3);
    EXPECT_EQ(FormatFixed(std::sqrt(9900.0), 2), "99.50");

#ifndef _WIN32
    std::locale::global(savedGlobal);
#endif
    std::setlocale(LC_ALL, saved.c_str());
}

} // namespace
