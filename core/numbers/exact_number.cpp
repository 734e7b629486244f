#include "core/numbers/exact_number.h"

#include "core/numbers/number_text.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

namespace apportion {

namespace {

    constexpr std::uint32_t limbBase = 1'000'000'000;
    constexpr int limbDigits = 9;

    // The largest double, 2^1024 − 2^971, as a whole number.
    WholeNumber largestDouble()
    {
        WholeNumber value((std::uint64_t { 1 } << 53) - 1);
        for (int i = 0; i < 971; ++i)
            value *= 2;
        return value;
    }

} // namespace

WholeNumber::WholeNumber(std::uint64_t value)
{
    for (; value > 0; value /= limbBase)
        m_limbs.push_back(static_cast<std::uint32_t>(value % limbBase));
}

WholeNumber WholeNumber::FromDigits(std::string_view digits)
{
    WholeNumber number;
    for (std::size_t end = digits.size(); end > 0;) {
        const std::size_t begin = end > limbDigits ? end - limbDigits : 0;
        std::uint32_t limb = 0;
        for (std::size_t i = begin; i < end; ++i)
            limb = limb * 10
                + (IsDigit(digits[i]) ? static_cast<std::uint32_t>(digits[i] - '0') : 0);
        number.m_limbs.push_back(limb);
        end = begin;
    }
    number.trim();
    return number;
}

WholeNumber WholeNumber::PowerOfTen(int exponent) { return WholeNumber(1).ShiftedUp(exponent); }

void WholeNumber::trim()
{
    while (!m_limbs.empty() && m_limbs.back() == 0)
        m_limbs.pop_back();
}

WholeNumber& WholeNumber::operator+=(const WholeNumber& other)
{
    if (m_limbs.size() < other.m_limbs.size())
        m_limbs.resize(other.m_limbs.size(), 0);
    std::uint32_t carry = 0;
    for (std::size_t i = 0; i < m_limbs.size(); ++i) {
        const std::uint32_t sum
            = m_limbs[i] + carry + (i < other.m_limbs.size() ? other.m_limbs[i] : 0);
        carry = sum >= limbBase ? 1 : 0;
        m_limbs[i] = sum - carry * limbBase;
    }
    if (carry)
        m_limbs.push_back(carry);
    return *this;
}

WholeNumber& WholeNumber::operator-=(const WholeNumber& other)
{
    if (*this < other) {
        m_limbs.clear();
        return *this;
    }
    std::uint32_t borrow = 0;
    for (std::size_t i = 0; i < m_limbs.size(); ++i) {
        const std::uint32_t taken = borrow + (i < other.m_limbs.size() ? other.m_limbs[i] : 0);
        borrow = m_limbs[i] < taken ? 1 : 0;
        m_limbs[i] = m_limbs[i] + borrow * limbBase - taken;
    }
    trim();
    return *this;
}

WholeNumber& WholeNumber::operator*=(std::uint32_t factor)
{
    std::uint64_t carry = 0;
    for (auto& limb : m_limbs) {
        const std::uint64_t product = std::uint64_t { limb } * factor + carry;
        limb = static_cast<std::uint32_t>(product % limbBase);
        carry = product / limbBase;
    }
    for (; carry > 0; carry /= limbBase)
        m_limbs.push_back(static_cast<std::uint32_t>(carry % limbBase));
    trim();
    return *this;
}

WholeNumber WholeNumber::ShiftedUp(int places) const
{
    WholeNumber shifted = *this;
    if (shifted.IsZero() || places <= 0)
        return shifted;
    std::uint32_t factor = 1;
    for (int i = 0; i < places % limbDigits; ++i)
        factor *= 10;
    shifted *= factor;
    shifted.m_limbs.insert(
        shifted.m_limbs.begin(), static_cast<std::size_t>(places / limbDigits), 0);
    return shifted;
}

std::uint32_t WholeNumber::DivideBy(std::uint32_t divisor)
{
    std::uint64_t rest = 0;
    for (auto limb = m_limbs.rbegin(); limb != m_limbs.rend(); ++limb) {
        const std::uint64_t current = rest * limbBase + *limb;
        *limb = static_cast<std::uint32_t>(current / divisor);
        rest = current % divisor;
    }
    trim();
    return static_cast<std::uint32_t>(rest);
}

std::uint32_t WholeNumber::TakeSmallQuotient(const WholeNumber& divisor, std::uint32_t most)
{
    // The largest q up to `most` with divisor × q ≤ this, by halving the range.
    std::uint32_t low = 0;
    std::uint32_t high = most;
    while (low < high) {
        const std::uint32_t middle = low + (high - low + 1) / 2;
        WholeNumber product = divisor;
        product *= middle;
        if (product <= *this)
            low = middle;
        else
            high = middle - 1;
    }
    WholeNumber taken = divisor;
    taken *= low;
    *this -= taken;
    return low;
}

std::string WholeNumber::Digits() const
{
    if (m_limbs.empty())
        return "0";
    std::string digits = std::to_string(m_limbs.back());
    for (auto limb = m_limbs.rbegin() + 1; limb != m_limbs.rend(); ++limb) {
        const std::string part = std::to_string(*limb);
        digits.append(limbDigits - part.size(), '0');
        digits += part;
    }
    return digits;
}

std::strong_ordering operator<=>(const WholeNumber& a, const WholeNumber& b)
{
    if (a.m_limbs.size() != b.m_limbs.size())
        return a.m_limbs.size() <=> b.m_limbs.size();
    for (std::size_t i = a.m_limbs.size(); i > 0; --i) {
        if (a.m_limbs[i - 1] != b.m_limbs[i - 1])
            return a.m_limbs[i - 1] <=> b.m_limbs[i - 1];
    }
    return std::strong_ordering::equal;
}

NumberRead ReadBothWays(std::string_view text)
{
    std::string buffer;
    const std::string_view s = WithoutBlanks(text, buffer);
    const ScannedNumber scanned = ScanNumber(s);
    const double read = ScannedValue(s, scanned);
    if (read == 0)
        return {};
    if (std::fabs(read) == DBL_MAX) {
        static const WholeNumber largest = largestDouble();
        return { read, { largest, 0, read < 0 } };
    }
    std::string digits(s.substr(scanned.integerStart, scanned.integerEnd - scanned.integerStart));
    digits += s.substr(scanned.fractionStart, scanned.fractionEnd - scanned.fractionStart);
    long long scale
        = static_cast<long long>(scanned.fractionEnd - scanned.fractionStart) - scanned.exponent;
    // The value is inside a double's range, so the zeros an exponent adds are few.
    if (scale < 0) {
        digits.append(static_cast<std::size_t>(-scale), '0');
        scale = 0;
    }
    while (scale > 0 && !digits.empty() && digits.back() == '0') {
        digits.pop_back();
        --scale;
    }
    return { read, { WholeNumber::FromDigits(digits), static_cast<int>(scale), scanned.negative } };
}

ExactNumber ReadExactly(std::string_view text) { return ReadBothWays(text).exact; }

std::string ExactText(const WholeNumber& units, int scale)
{
    std::string digits = units.Digits();
    if (scale <= 0)
        return digits;
    const auto places = static_cast<std::size_t>(scale);
    if (digits.size() <= places)
        digits.insert(0, places + 1 - digits.size(), '0');
    std::string fraction = digits.substr(digits.size() - places);
    digits.erase(digits.size() - places);
    fraction.erase(fraction.find_last_not_of('0') + 1);
    if (!fraction.empty()) {
        digits += '.';
        digits += fraction;
    }
    return digits;
}

std::string CutQuotient(
    const WholeNumber& units, int scale, std::uint32_t divisor, int places, bool* cut)
{
    // units × 10^(places − scale) ÷ divisor, whole, is the answer's digits with `places` after
    // the point; a shift down drops digits, which are cut.
    WholeNumber quotient = units.ShiftedUp(std::max(0, places - scale));
    const bool restLeft = quotient.DivideBy(divisor) != 0;
    std::string digits = quotient.Digits();
    const auto dropped = static_cast<std::size_t>(std::max(0, scale - places));
    bool droppedDigits = false;
    if (dropped > 0) {
        if (digits.size() <= dropped)
            digits.insert(0, dropped + 1 - digits.size(), '0');
        droppedDigits = digits.find_first_not_of('0', digits.size() - dropped) != std::string::npos;
        digits.erase(digits.size() - dropped);
    }
    const auto fraction = static_cast<std::size_t>(std::max(0, places));
    if (digits.size() <= fraction)
        digits.insert(0, fraction + 1 - digits.size(), '0');
    if (cut)
        *cut = restLeft || droppedDigits;
    if (fraction == 0)
        return digits;
    digits.insert(digits.end() - static_cast<std::ptrdiff_t>(fraction), '.');
    return digits;
}

VoteTotals TotalsOf(const std::vector<ExactNumber>& read)
{
    VoteTotals totals;
    for (const auto& number : read)
        totals.scale = std::max(totals.scale, number.scale);
    for (const auto& number : read) {
        totals.units.push_back(number.units.ShiftedUp(totals.scale - number.scale));
        totals.negative.push_back(number.negative);
        std::string written = ExactText(number.units, number.scale);
        if (number.negative)
            written.insert(written.begin(), '-');
        totals.written.push_back(std::move(written));
    }
    return totals;
}

} // namespace apportion
