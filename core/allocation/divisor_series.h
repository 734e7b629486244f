#pragma once

#include <string>
#include <vector>

namespace apportion {

// The five highest-averages methods, numbered as the method options of the window.
enum class DivisorMethod {
    DHondt = 0,
    SainteLague = 1,
    Danish = 2,
    Imperali = 3,
    EqualProportions = 4
};

inline constexpr int divisorMethodCount = 5;

// Divisor texts for a party's 2nd to 100th seat: position k holds the divisor that gives the
// party's quotient once it holds k + 1 seats. The first divisor is 1 under every method and is
// not stored.
using DivisorSeries = std::vector<std::string>;

inline constexpr int divisorSeriesLength = 99;

// The series of the method, written as the window shows it. The seat turns divide by the value
// read back from these texts, so the square-root divisors act as their two-decimal roundings.
// A value outside the enumeration gives an empty series.
DivisorSeries BuildDivisorSeries(DivisorMethod method);

// The divisor text for a party's `seat`-th seat (from the 2nd on), written as the series writes
// it. Beyond the 100th seat it continues the series for the parties that need more than the
// list holds. Empty for a seat below 2 or above a million, or a method outside the
// enumeration.
std::string DivisorText(DivisorMethod method, int seat);

// The caption of a method's option ("D’Hondt", "Sainte-Lague", …); empty outside the enumeration.
std::string MethodCaption(DivisorMethod method);

// The value an equal-proportions divisor is rounded from: the square root of seat × (seat − 1).
double EqualProportionsRoot(int seat);

} // namespace apportion
