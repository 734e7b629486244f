#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace apportion {

// Every number of the program lives as text, exactly as the window shows it. These four
// conversions are the only way numbers go in and out of text. None of them depends on the
// process locale: "." is always the decimal point, whatever LC_NUMERIC says.

// A decimal digit, "0" to "9" (no other script's digits).
constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The one definition of a blank for every number the program reads, typed, pasted or opened:
// every Unicode space (ordinary, no-break, narrow no-break, thin, figure, ideographic…), tab,
// line and paragraph break, and the invisible zero-width space and byte-order mark a web page
// leaves in its figures. Returns the length in bytes of the blank that starts at `at` in the
// UTF-8 text, 0 where none does (or `at` is past the end).
std::size_t BlankLength(std::string_view text, std::size_t at);
// The text with each blank in it replaced by one " ", as a vote box shows it.
std::string BlanksAsSpaces(std::string_view text);
// The text without the blanks at its start and end.
std::string_view TrimBlanks(std::string_view text);

// The grammar every reading of a number text follows, in one place: after removing every
// blank, an optional sign, digits, a point and digits (at least one digit in
// all), and an exponent that counts only where a digit follows "E" and its sign. Positions are
// into the text without blanks; the exponent is saturated at ±10^9.
struct ScannedNumber {
    bool negative = false;
    bool hasDigits = false;
    std::size_t integerStart = 0; // the digits before the point: [integerStart, integerEnd)
    std::size_t integerEnd = 0;
    std::size_t fractionStart = 0; // the digits after it: [fractionStart, fractionEnd)
    std::size_t fractionEnd = 0;
    std::size_t end = 0; // past the exponent where it counts, else past the fraction
    long long exponent = 0;
};
// The text without blanks: the text itself where it has none, else
// `buffer` filled with the rest.
std::string_view WithoutBlanks(std::string_view text, std::string& buffer);
// Scans a text without blanks.
ScannedNumber ScanNumber(std::string_view stripped);
// The value of a scanned text without blanks, as ParseNumber reads it.
double ScannedValue(std::string_view stripped, const ScannedNumber& scanned);
// How many number texts this thread has scanned. Every reading of a number scans its text once,
// so a test or a benchmark can count what an operation reads.
std::uint64_t NumberTextsScanned();

// Reads the longest number at the start of the text, after removing every blank; a text with no
// number at its start reads as 0. Never fails. Values beyond the range of a double read as the
// largest finite double of their sign, and values too small to be told from zero read as zero, so
// the result is always finite.
double ParseNumber(std::string_view text);

// Writes the value rounded to 15 significant digits, in plain positional notation without
// trailing zeros ("12264", "29062.5", "0.5"). Magnitudes below 0.00001 or from 10^15 up, which
// the program does not produce in normal use, are written in exponent form ("1.5E+20") so that
// ParseNumber still reads them back. Non-finite values, which ParseNumber never produces, are
// written "inf", "-inf" and "nan".
std::string FormatShortest(double value);

// Rounds the value's 15-significant-digit decimal text to the given number of places after the
// point, halves going away from zero (14531.25 gives 14531.3). Non-finite values are returned
// as they are. The number of places is clamped to -400..400, beyond which nothing changes.
double RoundHalfAway(double value, int places);

// Writes RoundHalfAway(value, places) with exactly that many digits after the point, trailing
// zeros kept ("99.50"). Finite values are always written positionally; places is clamped to
// 0..400; non-finite values are written as FormatShortest writes them.
std::string FormatFixed(double value, int places);

} // namespace apportion
