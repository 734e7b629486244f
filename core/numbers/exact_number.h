#pragma once

#include <compare>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace apportion {

// A whole number of any size, 0 or more: vote totals worked exactly, however many digits they
// were typed with. Only what the quota method and the threshold need: sums, differences,
// products and quotients by small numbers, and quotients that are known to be small.
class WholeNumber {
public:
    WholeNumber(std::uint64_t value = 0); // NOLINT: implicit, as for any number
    // The decimal digits given, leading zeros allowed; any other character reads as 0.
    static WholeNumber FromDigits(std::string_view digits);
    static WholeNumber PowerOfTen(int exponent); // exponent 0 or more

    bool IsZero() const { return m_limbs.empty(); }
    WholeNumber& operator+=(const WholeNumber& other);
    // Leaves 0 where `other` is larger: callers subtract only what is there.
    WholeNumber& operator-=(const WholeNumber& other);
    WholeNumber& operator*=(std::uint32_t factor);
    // × 10^places.
    WholeNumber ShiftedUp(int places) const;
    // Divides by `divisor` (above 0) and gives the remainder.
    std::uint32_t DivideBy(std::uint32_t divisor);
    // The quotient ⌊this ÷ divisor⌋ where it is at most `most`, leaving the remainder in this;
    // `most` where the quotient would be larger. `divisor` above 0.
    std::uint32_t TakeSmallQuotient(const WholeNumber& divisor, std::uint32_t most);
    std::string Digits() const; // "0" for zero

    friend std::strong_ordering operator<=>(const WholeNumber& a, const WholeNumber& b);
    friend bool operator==(const WholeNumber& a, const WholeNumber& b) = default;

private:
    void trim();
    std::vector<std::uint32_t> m_limbs; // base 10^9, least significant first, none of 0 on top
};

// A number read exactly: `units` × 10^-`scale`, with its sign.
struct ExactNumber {
    WholeNumber units;
    int scale = 0;
    bool negative = false; // never for zero

    bool operator==(const ExactNumber&) const = default;
};

// Reads a vote text exactly as the board reads it (ParseNumber's grammar: blanks anywhere, a
// sign, digits, a point, digits, an exponent; anything after that is ignored), with every digit
// typed: "4.8" is 48 × 10^-1, not the double nearest to it. Where ParseNumber leaves the range
// of a double, so does this reading: what reads as 0 there is 0, and what reads as the largest
// double is that double's exact value. Never fails.
ExactNumber ReadExactly(std::string_view text);
// A number text read once, both ways the program works with it: its value as ParseNumber reads
// it, and exactly as ReadExactly reads it.
struct NumberRead {
    double value = 0;
    ExactNumber exact;
    bool operator==(const NumberRead&) const = default;
};
NumberRead ReadBothWays(std::string_view text);

// `units` × 10^-`scale` written with "." and no trailing zeros after it ("11.7", "6").
std::string ExactText(const WholeNumber& units, int scale = 0);

// `units` × 10^-`scale` ÷ `divisor`, cut (never rounded up) to `places` digits after the point
// and written with all of them ("42.4285"); `cut`, where given, tells whether digits other than
// 0 were left. `divisor` above 0.
std::string CutQuotient(
    const WholeNumber& units, int scale, std::uint32_t divisor, int places, bool* cut = nullptr);

// Vote totals read exactly (ReadVotes), each in units of the smallest decimal any of them has:
// what the quota method, the threshold and their notes work with.
struct VoteTotals {
    std::vector<WholeNumber> units; // each total's size in units of 10^-scale
    std::vector<bool> negative;
    std::vector<std::string> written; // each total exactly, with "-" where negative ("4.8")
    int scale = 0;
    bool operator==(const VoteTotals&) const = default;
};
// The totals of numbers read exactly, in the order given.
VoteTotals TotalsOf(const std::vector<ExactNumber>& read);

} // namespace apportion
