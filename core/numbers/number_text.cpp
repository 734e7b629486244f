#include "core/numbers/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <system_error>

namespace apportion {

namespace {

    constexpr int significantDigits = 15;
    constexpr int maxPlaces = 400;

    // A finite, non-zero value as decimal digits: d0.d1d2... times 10^exponent.
    struct Decimal {
        bool negative = false;
        std::string digits;
        long long exponent = 0;
    };

    std::string integerText(long long value)
    {
        char buffer[24];
        const auto result = std::to_chars(std::begin(buffer), std::end(buffer), value);
        return std::string(buffer, result.ptr);
    }

    double signedValue(bool negative, double magnitude)
    {
        return negative ? -magnitude : magnitude;
    }

    // The value rounded to 15 significant digits. The shortest text that reads back as the value
    // is that rounding whenever it has at most 15 digits (the value lies within half an ulp of
    // it, far less than half a unit of the 15th digit), and it is much cheaper to find; otherwise
    // to_chars rounds the exact binary value, so a 16th digit that is exactly a half goes to the
    // even neighbour.
    Decimal toDecimal15(double value)
    {
        char buffer[64];
        auto result = std::to_chars(
            std::begin(buffer), std::end(buffer), std::fabs(value), std::chars_format::scientific);
        std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
        auto e = text.find('e');
        const auto shortestDigits = e > 1 ? e - 1 : e; // "d.ddd" or a lone "d"
        if (shortestDigits > significantDigits) {
            result = std::to_chars(std::begin(buffer), std::end(buffer), std::fabs(value),
                std::chars_format::scientific, significantDigits - 1);
            text = std::string_view(buffer, static_cast<std::size_t>(result.ptr - buffer));
            e = text.find('e');
        }

        Decimal decimal;
        decimal.negative = std::signbit(value);
        for (char c : text.substr(0, e)) {
            if (IsDigit(c))
                decimal.digits += c;
        }
        std::string_view exponentText = text.substr(e + 1);
        if (!exponentText.empty() && exponentText.front() == '+')
            exponentText.remove_prefix(1);
        int exponent = 0;
        std::from_chars(exponentText.data(), exponentText.data() + exponentText.size(), exponent);
        decimal.exponent = exponent;
        return decimal;
    }

    std::string trimTrailingZeros(std::string digits)
    {
        const auto last = digits.find_last_not_of('0');
        digits.erase(last == std::string::npos ? 1 : last + 1);
        return digits;
    }

    // Reads digits and exponent back into the nearest double. Beyond the range of a double the
    // result is the largest finite value; below it, zero.
    double fromDecimal(const Decimal& decimal)
    {
        std::string text;
        text += decimal.digits.front();
        if (decimal.digits.size() > 1) {
            text += '.';
            text.append(decimal.digits, 1);
        }
        text += 'e';
        text += integerText(decimal.exponent);

        double magnitude = 0;
        const auto result = std::from_chars(text.data(), text.data() + text.size(), magnitude);
        if (result.ec == std::errc::result_out_of_range)
            magnitude = decimal.exponent > 0 ? std::numeric_limits<double>::max() : 0.0;
        return signedValue(decimal.negative, magnitude);
    }

    // Splits a decimal into the digits before and after the point, in plain positional notation.
    struct Positional {
        std::string integer;
        std::string fraction;
    };

    Positional toPositional(const Decimal& decimal)
    {
        const auto& digits = decimal.digits;
        const auto length = static_cast<long long>(digits.size());
        const long long e = decimal.exponent;
        Positional result;
        if (e >= 0) {
            const auto integerDigits = static_cast<std::size_t>(std::min(length, e + 1));
            result.integer.assign(digits.data(), integerDigits);
            result.integer.resize(static_cast<std::size_t>(e + 1), '0');
            result.fraction.assign(digits.data() + integerDigits, digits.size() - integerDigits);
        } else {
            result.integer.assign(1, '0');
            const auto leadingZeros = static_cast<std::size_t>(-e - 1);
            result.fraction.reserve(leadingZeros + digits.size());
            result.fraction.append(leadingZeros, '0');
            result.fraction.append(digits.data(), digits.size());
        }
        return result;
    }

    std::string nonFiniteText(double value)
    {
        if (std::isnan(value))
            return "nan";
        return value < 0 ? "-inf" : "inf";
    }

} // namespace

std::size_t BlankLength(std::string_view text, std::size_t at)
{
    if (at >= text.size())
        return 0;
    const auto byte = [&text, at](std::size_t i) {
        return at + i < text.size() ? static_cast<unsigned char>(text[at + i]) : 0u;
    };
    const unsigned lead = byte(0);
    if (lead == ' ' || (lead >= '\t' && lead <= '\r'))
        return 1;
    if (lead == 0xC2) // U+0085 next line, U+00A0 no-break space
        return byte(1) == 0x85 || byte(1) == 0xA0 ? 2 : 0;
    if (lead == 0xE1) // U+1680 ogham space mark
        return byte(1) == 0x9A && byte(2) == 0x80 ? 3 : 0;
    if (lead == 0xE2 && byte(1) == 0x80) {
        // U+2000..U+200B the typographic spaces and the zero-width space, U+2028 and U+2029
        // the line and paragraph separators, U+202F the narrow no-break space.
        const unsigned last = byte(2);
        return (last >= 0x80 && last <= 0x8B) || last == 0xA8 || last == 0xA9 || last == 0xAF ? 3
                                                                                              : 0;
    }
    if (lead == 0xE2) // U+205F medium mathematical space
        return byte(1) == 0x81 && byte(2) == 0x9F ? 3 : 0;
    if (lead == 0xE3) // U+3000 ideographic space
        return byte(1) == 0x80 && byte(2) == 0x80 ? 3 : 0;
    if (lead == 0xEF) // U+FEFF byte-order mark
        return byte(1) == 0xBB && byte(2) == 0xBF ? 3 : 0;
    return 0;
}

std::string BlanksAsSpaces(std::string_view text)
{
    std::string spaced;
    spaced.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        if (const std::size_t length = BlankLength(text, i)) {
            spaced += ' ';
            i += length;
        } else {
            spaced += text[i++];
        }
    }
    return spaced;
}

std::string_view TrimBlanks(std::string_view text)
{
    std::size_t begin = 0;
    while (const std::size_t length = BlankLength(text, begin))
        begin += length;
    // From the end, a blank is the last one that ends exactly there: at most three bytes back.
    std::size_t end = text.size();
    while (end > begin) {
        std::size_t length = 0;
        for (std::size_t back = 1; back <= 3 && back <= end - begin && length == 0; ++back) {
            if (BlankLength(text, end - back) == back)
                length = back;
        }
        if (length == 0)
            break;
        end -= length;
    }
    return text.substr(begin, end - begin);
}

std::string_view WithoutBlanks(std::string_view text, std::string& buffer)
{
    // Most texts have none: no ASCII blank and no byte that could start another one.
    const bool plain = std::none_of(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte == ' ' || (byte >= '\t' && byte <= '\r') || byte >= 0xC2;
    });
    if (plain)
        return text;
    buffer.clear();
    buffer.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        if (const std::size_t length = BlankLength(text, i))
            i += length;
        else
            buffer += text[i++];
    }
    return buffer;
}

namespace {
    thread_local std::uint64_t textsScanned = 0;
} // namespace

std::uint64_t NumberTextsScanned() { return textsScanned; }

ScannedNumber ScanNumber(std::string_view s)
{
    ++textsScanned;
    ScannedNumber scanned;
    const std::size_t n = s.size();
    std::size_t i = 0;
    if (i < n && (s[i] == '+' || s[i] == '-')) {
        scanned.negative = s[i] == '-';
        ++i;
    }
    scanned.integerStart = i;
    while (i < n && IsDigit(s[i]))
        ++i;
    scanned.integerEnd = i;
    scanned.fractionStart = i;
    if (i < n && s[i] == '.') {
        ++i;
        scanned.fractionStart = i;
        while (i < n && IsDigit(s[i]))
            ++i;
    }
    scanned.fractionEnd = i;
    scanned.hasDigits
        = scanned.integerEnd > scanned.integerStart || scanned.fractionEnd > scanned.fractionStart;
    scanned.end = i;

    // The exponent is saturated so that a thousand-digit exponent cannot overflow a range check.
    if (scanned.hasDigits && i < n && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t j = i + 1;
        bool exponentNegative = false;
        if (j < n && (s[j] == '+' || s[j] == '-')) {
            exponentNegative = s[j] == '-';
            ++j;
        }
        const std::size_t exponentDigits = j;
        long long exponent = 0;
        while (j < n && IsDigit(s[j])) {
            exponent = std::min(exponent * 10 + (s[j] - '0'), 1'000'000'000LL);
            ++j;
        }
        if (j > exponentDigits) {
            scanned.end = j;
            scanned.exponent = exponentNegative ? -exponent : exponent;
        }
    }
    return scanned;
}

double ParseNumber(std::string_view text)
{
    std::string buffer;
    const std::string_view s = WithoutBlanks(text, buffer);
    return ScannedValue(s, ScanNumber(s));
}

double ScannedValue(std::string_view s, const ScannedNumber& scanned)
{
    if (!scanned.hasDigits)
        return 0.0;
    double magnitude = 0;
    const auto result = std::from_chars(s.data() + scanned.integerStart, s.data() + scanned.end,
        magnitude, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        // The decimal order of the first non-zero digit tells overflow from underflow.
        const auto firstNonZero = s.find_first_not_of("0.", scanned.integerStart);
        long long order = 0;
        if (firstNonZero < scanned.integerEnd)
            order = static_cast<long long>(scanned.integerEnd - firstNonZero);
        else if (firstNonZero < scanned.end)
            order = -static_cast<long long>(firstNonZero - scanned.fractionStart);
        magnitude = order + scanned.exponent > 0 ? std::numeric_limits<double>::max() : 0.0;
    } else if (result.ec != std::errc()) {
        magnitude = 0;
    }
    return signedValue(scanned.negative, magnitude);
}

std::string FormatShortest(double value)
{
    if (!std::isfinite(value))
        return nonFiniteText(value);
    if (value == 0)
        return "0";

    // Quotients, votes and seat counts are nearly always short decimals within the positional
    // range: their shortest round-trip text is already the answer.
    const double magnitude = std::fabs(value);
    if (magnitude >= 1e-5 && magnitude < 1e15) {
        char buffer[64];
        const auto result
            = std::to_chars(std::begin(buffer), std::end(buffer), value, std::chars_format::fixed);
        if (result.ec == std::errc()) {
            const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
            const auto first = text.find_first_of("123456789");
            const auto point = text.find('.');
            const auto digits
                = text.size() - first - (point != std::string_view::npos && point > first);
            if (digits <= significantDigits)
                return std::string(text);
        }
    }

    Decimal decimal = toDecimal15(value);
    decimal.digits = trimTrailingZeros(decimal.digits);

    std::string text = decimal.negative ? "-" : "";
    if (decimal.exponent >= -5 && decimal.exponent < 15) {
        const Positional positional = toPositional(decimal);
        text += positional.integer;
        if (!positional.fraction.empty())
            text += '.' + positional.fraction;
    } else {
        text += decimal.digits.front();
        if (decimal.digits.size() > 1)
            text += '.' + decimal.digits.substr(1);
        text += decimal.exponent < 0 ? "E-" : "E+";
        text += integerText(std::llabs(decimal.exponent));
    }
    return text;
}

double RoundHalfAway(double value, int places)
{
    if (!std::isfinite(value))
        return value;
    if (value == 0)
        return 0.0;
    places = std::clamp(places, -maxPlaces, maxPlaces);

    Decimal decimal = toDecimal15(value);
    // How many of the digits stand at or before the last place kept.
    const long long keep = decimal.exponent + places + 1;
    if (keep >= static_cast<long long>(decimal.digits.size()))
        return fromDecimal(decimal);
    if (keep < 0)
        return 0.0;

    const bool roundUp = decimal.digits[static_cast<std::size_t>(keep)] >= '5';
    decimal.digits.resize(static_cast<std::size_t>(keep));
    if (roundUp) {
        auto it = decimal.digits.rbegin();
        for (; it != decimal.digits.rend() && *it == '9'; ++it)
            *it = '0';
        if (it == decimal.digits.rend()) {
            decimal.digits.insert(decimal.digits.begin(), '1');
            ++decimal.exponent;
        } else {
            ++*it;
        }
    }
    if (decimal.digits.find_first_not_of('0') == std::string::npos)
        return 0.0;
    return fromDecimal(decimal);
}

std::string FormatFixed(double value, int places)
{
    places = std::clamp(places, 0, maxPlaces);
    const double rounded = RoundHalfAway(value, places);
    if (!std::isfinite(rounded))
        return nonFiniteText(rounded);

    Positional positional { "0", "" };
    bool negative = false;
    if (rounded != 0) {
        const Decimal decimal = toDecimal15(rounded);
        negative = decimal.negative;
        positional = toPositional(decimal);
    }
    // The rounded value has no non-zero digit past the kept places, so resizing only pads.
    positional.fraction.resize(static_cast<std::size_t>(places), '0');

    std::string text = negative ? "-" : "";
    text += positional.integer;
    if (places > 0)
        text += '.' + positional.fraction;
    return text;
}

} // namespace apportion
