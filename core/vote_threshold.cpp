#include "core/vote_threshold.h"

#include "core/number_text.h"

#include <algorithm>
#include <cmath>

namespace apportion {

namespace {

    using Wide = ExactUnits;

    // Values below 10^16 (2^53 and more) with up to 18 decimals: twelve of them and the others'
    // votes, times a threshold of 1000 tenths, stay below 2^127 at any common scale.
    constexpr int mostScale = 18;
    constexpr int mostDigits = 16; // before the point
    constexpr long long mostOthers = 9'999'999'999'999'999;
    constexpr int tenthsInWhole = 1000; // a threshold in tenths of a percent, of 100 %

    bool isDigit(char c) { return c >= '0' && c <= '9'; }

} // namespace

ExactUnits PowerOfTen(int exponent)
{
    ExactUnits value = 1;
    for (int i = 0; i < exponent; ++i)
        value *= 10;
    return value;
}

std::string ExactText(ExactUnits units, int scale)
{
    const auto digits = [](ExactUnits value) {
        std::string written;
        do {
            written += static_cast<char>('0' + static_cast<int>(value % 10));
            value /= 10;
        } while (value > 0);
        return std::string(written.rbegin(), written.rend());
    };
    const ExactUnits unit = PowerOfTen(scale);
    std::string text = digits(units / unit);
    if (units % unit != 0) {
        std::string fraction = digits(units % unit);
        fraction.insert(0, static_cast<std::size_t>(scale) - fraction.size(), '0');
        fraction.erase(fraction.find_last_not_of('0') + 1);
        text += "." + fraction;
    }
    return text;
}

std::optional<ExactVotes> ReadExactly(std::string_view text)
{
    // The grammar ParseNumber reads: blanks anywhere, a sign, digits, a point, digits, an
    // exponent; anything after that is ignored.
    std::string s;
    for (const char c : text) {
        if (c != ' ' && c != '\t' && c != '\n')
            s += c;
    }
    std::size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        negative = s[i++] == '-';
    std::string digits;
    int scale = 0;
    bool any = false;
    for (; i < s.size() && isDigit(s[i]); ++i, any = true)
        digits += s[i];
    if (i < s.size() && s[i] == '.') {
        for (++i; i < s.size() && isDigit(s[i]); ++i, any = true) {
            digits += s[i];
            ++scale;
        }
    }
    if (!any)
        return ExactVotes {};
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t j = i + 1;
        bool exponentNegative = false;
        if (j < s.size() && (s[j] == '+' || s[j] == '-'))
            exponentNegative = s[j++] == '-';
        long long exponent = 0;
        const std::size_t first = j;
        for (; j < s.size() && isDigit(s[j]); ++j)
            exponent = std::min(exponent * 10 + (s[j] - '0'), 100000LL);
        if (j > first) {
            if (exponentNegative) {
                scale += static_cast<int>(std::min<long long>(exponent, mostScale + 1));
            } else {
                const long long shift = std::min<long long>(exponent, 100000LL);
                const long long kept = std::min<long long>(shift, scale);
                scale -= static_cast<int>(kept);
                if (shift > kept) {
                    if (shift - kept > mostDigits + 1)
                        return std::nullopt;
                    digits.append(static_cast<std::size_t>(shift - kept), '0');
                }
            }
        }
    }
    digits.erase(0, std::min(digits.find_first_not_of('0'), digits.size()));
    // Trailing zeros after the point do not count against the scale.
    while (scale > 0 && !digits.empty() && digits.back() == '0') {
        digits.pop_back();
        --scale;
    }
    if (digits.empty())
        return ExactVotes {};
    if (negative || scale > mostScale || static_cast<int>(digits.size()) - scale > mostDigits)
        return std::nullopt;
    ExactVotes exact;
    for (const char c : digits)
        exact.units = exact.units * 10 + static_cast<unsigned>(c - '0');
    exact.scale = scale;
    return exact;
}

std::string GroupedDigits(const std::string& number)
{
    const std::size_t point = number.find('.');
    const std::size_t whole = point == std::string::npos ? number.size() : point;
    if (whole == 0
        || !std::all_of(number.begin(), number.begin() + static_cast<long>(whole), isDigit))
        return number;
    std::string grouped;
    for (std::size_t i = 0; i < whole; ++i) {
        if (i > 0 && (whole - i) % 3 == 0)
            grouped += "\u00A0";
        grouped += number[i];
    }
    return grouped + number.substr(whole);
}

ThresholdLine DrawThresholdLine(const std::vector<std::string>& votes, const VoteCount& count)
{
    ThresholdLine drawn;
    const std::size_t parties = votes.size();
    drawn.passes.assign(parties, true);
    drawn.lacking.assign(parties, {});
    const double percent
        = std::isfinite(count.threshold) ? std::clamp(count.threshold, 0.0, 100.0) : 0;
    const long long tenths = std::llround(percent * 10);
    const long long others = std::max(0LL, count.otherVotes);

    std::vector<std::optional<ExactVotes>> exact;
    int scale = 0;
    bool allExact = true;
    for (const auto& text : votes) {
        exact.push_back(ReadExactly(text));
        allExact = allExact && exact.back().has_value();
        if (exact.back())
            scale = std::max(scale, exact.back()->scale);
    }

    if (allExact && others <= mostOthers) {
        // Every amount in units of 10^-scale.
        const Wide unit = PowerOfTen(scale);
        std::vector<Wide> scaled;
        Wide base = static_cast<Wide>(others) * unit;
        for (const auto& value : exact) {
            scaled.push_back(value->units * PowerOfTen(scale - value->scale));
            base += scaled.back();
        }
        if (tenths <= 0 || base == 0)
            return drawn;
        drawn.applies = true;
        // The line, in units of 10^-(scale + 3): tenths of a percent of the base.
        const Wide line = static_cast<Wide>(tenths) * base;
        drawn.base = GroupedDigits(ExactText(base, scale));
        drawn.line = GroupedDigits(ExactText(line, scale + 3));
        const Wide whole = PowerOfTen(scale + 3);
        if (line % whole != 0)
            drawn.wholeVotesPassing = GroupedDigits(ExactText(line / whole + 1));
        for (std::size_t i = 0; i < parties; ++i) {
            const Wide have = scaled[i] * tenthsInWhole;
            drawn.passes[i] = have >= line;
            if (!drawn.passes[i])
                drawn.lacking[i] = GroupedDigits(ExactText(line - have, scale + 3));
        }
        return drawn;
    }

    // Beyond exact reading (a negative total, or more digits than the program is meant for):
    // in long doubles, where negative totals leave the shares undefined.
    long double base = static_cast<long double>(others);
    std::vector<long double> values;
    for (const auto& text : votes) {
        values.push_back(ParseNumber(text));
        if (!(values.back() >= 0))
            return drawn;
        base += values.back();
    }
    if (tenths <= 0 || !(base > 0) || !std::isfinite(static_cast<double>(base)))
        return drawn;
    drawn.applies = true;
    const long double line = base * tenths / tenthsInWhole;
    drawn.base = GroupedDigits(FormatShortest(static_cast<double>(base)));
    drawn.line = GroupedDigits(FormatShortest(static_cast<double>(line)));
    for (std::size_t i = 0; i < parties; ++i) {
        drawn.passes[i] = values[i] >= line;
        if (!drawn.passes[i])
            drawn.lacking[i] = GroupedDigits(FormatShortest(static_cast<double>(line - values[i])));
    }
    return drawn;
}

} // namespace apportion
