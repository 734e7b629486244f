#pragma once

#include "core/allocation/divisor_series.h"

#include <string>
#include <vector>

namespace apportion {

// Each party's final seats when the method gives out seatTotal seats (clamped to 0..300) for
// these vote texts, by the board's own rules: quotients rounded to one decimal, the leftmost
// party winning a tie, and divisors past the listed ones continuing the series. The same seats
// as the board gives one seat turn at a time.
// A party for which `takesPart` is false (under a threshold) takes no seat; an empty `takesPart`
// lets every party take part, and a shorter one the parties past it.
std::vector<int> FinalSeats(DivisorMethod method, const std::vector<std::string>& votes,
    int seatTotal, const std::vector<bool>& takesPart = {});
// The same for the vote totals read already, as ParseNumber reads the texts.
std::vector<int> FinalSeats(DivisorMethod method, const std::vector<double>& votes, int seatTotal,
    const std::vector<bool>& takesPart = {});

} // namespace apportion
