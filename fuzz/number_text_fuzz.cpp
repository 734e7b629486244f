// Fuzzes the number conversions. The input is read as text by ParseNumber and exactly, and its
// first nine bytes also as a double's bit pattern and a count of places for the writing
// functions. Every conversion runs under a Bulgarian locale, whose decimal point is a comma.
#include "core/numbers/exact_number.h"
#include "core/numbers/number_text.h"

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

using namespace apportion;

namespace {

[[noreturn]] void fail(const char* what, double value, const std::string& text)
{
    std::fprintf(stderr, "%s: value %.17g, text \"%s\"\n", what, value, text.c_str());
    std::abort();
}

// The value rounded to 15 significant digits, by the standard library alone.
double roundedTo15(double value)
{
    char buffer[64];
    const auto written
        = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14);
    double rounded = 0;
    std::from_chars(buffer, written.ptr, rounded);
    return rounded;
}

void checkWriting(double value, int places)
{
    const std::string shortest = FormatShortest(value);
    const double rounded = RoundHalfAway(value, places);
    if (std::isfinite(value) != std::isfinite(rounded))
        fail("RoundHalfAway changed finiteness", value, shortest);
    if (shortest.find(',') != std::string::npos)
        fail("FormatShortest wrote a comma", value, shortest);

    const double magnitude = std::fabs(value);
    if (magnitude >= 1e-4 && magnitude < 1e15) {
        if (ParseNumber(shortest) != roundedTo15(value))
            fail("FormatShortest does not read back as the 15-digit rounding", value, shortest);
        if (std::fabs(roundedTo15(value)) < 1e15 && shortest.find('E') != std::string::npos)
            fail("FormatShortest used an exponent inside the written range", value, shortest);
        const std::string fixed = FormatFixed(value, 2);
        const auto point = fixed.find('.');
        if (point == std::string::npos || fixed.size() - point - 1 != 2
            || fixed.find_first_not_of("-0123456789.") != std::string::npos)
            fail("FormatFixed did not write exactly two places", value, fixed);
        if (ParseNumber(fixed) != RoundHalfAway(value, 2))
            fail("FormatFixed does not read back as RoundHalfAway", value, fixed);
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // Windows names the same locale otherwise.
    if (!std::setlocale(LC_ALL, "bg_BG.UTF-8"))
        std::setlocale(LC_ALL, "Bulgarian_Bulgaria.1251");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const double read = ParseNumber(text);
    if (!std::isfinite(read))
        fail("ParseNumber gave a non-finite value", 0, std::string(text));
    // The exact reading is the same number with every digit kept: written out, it reads back as
    // ParseNumber reads the text.
    const ExactNumber exact = ReadExactly(text);
    const std::string exactText = (exact.negative ? "-" : "") + ExactText(exact.units, exact.scale);
    if (ParseNumber(exactText) != read)
        fail("the exact reading differs from ParseNumber's", read, exactText);

    if (size >= sizeof(double) + 1) {
        double value = 0;
        std::memcpy(&value, data, sizeof value);
        checkWriting(value, static_cast<std::int8_t>(data[sizeof value]));
        checkWriting(ParseNumber(text.substr(sizeof value + 1)), 1);
    }
    return 0;
}
