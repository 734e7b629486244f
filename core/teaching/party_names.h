#pragma once

#include <string>
#include <vector>

namespace apportion {

// Every party's name, from the leftmost; an empty name stands for a party the user has not named,
// which the program calls by its number as the window counts parties (from 1). A list shorter
// than the parties named leaves the rest unnamed.
using PartyNames = std::vector<std::string>;

// A party (numbered from 0) inside a sentence: its name, or "партия 3".
std::string PartyName(const PartyNames& names, int party);
// A party as a column's heading: its name, or "Партия 3".
std::string PartyHeading(const PartyNames& names, int party);
// Parties inside a sentence, joined as a sentence joins them: "партия 5", "партии 4 и 5",
// "ГЕРБ-СДС и ПП-ДБ", "ГЕРБ-СДС, партия 3 и ПП-ДБ", in the order given.
std::string PartiesNamed(const PartyNames& names, const std::vector<int>& parties);

} // namespace apportion
