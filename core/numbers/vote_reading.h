#pragma once

#include "core/numbers/exact_number.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace apportion {

// The parties' vote texts read once each and kept beside the texts: every consumer (the seat
// turns, the comparison, the threshold, the worked table) takes the values from here instead of
// reading the texts again.
struct VoteReading {
    std::vector<std::string> texts; // as typed, from the leftmost party
    std::vector<double> values; // each as ParseNumber reads it
    std::vector<ExactNumber> exact; // each exactly, at its own scale
    VoteTotals totals; // all of them exactly, in units of the smallest decimal any has

    bool operator==(const VoteReading&) const = default;
};

VoteReading ReadVotes(const std::vector<std::string>& texts);

// Brings the reading up to `texts`, reading again only the texts that differ from those kept at
// the same position. Returns how many texts it read.
std::size_t UpdateVotes(VoteReading& reading, const std::vector<std::string_view>& texts);

} // namespace apportion
