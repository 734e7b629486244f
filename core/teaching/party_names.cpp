#include "core/teaching/party_names.h"

namespace apportion {

namespace {

    const std::string* nameOf(const PartyNames& names, int party)
    {
        if (party < 0 || static_cast<std::size_t>(party) >= names.size()
            || names[static_cast<std::size_t>(party)].empty())
            return nullptr;
        return &names[static_cast<std::size_t>(party)];
    }

    std::string joined(const std::vector<std::string>& words)
    {
        std::string text;
        for (std::size_t i = 0; i < words.size(); ++i) {
            if (i > 0)
                text += i + 1 == words.size() ? " и " : ", ";
            text += words[i];
        }
        return text;
    }

} // namespace

std::string PartyName(const PartyNames& names, int party)
{
    const std::string* name = nameOf(names, party);
    return name ? *name : "партия " + std::to_string(party + 1);
}

std::string PartyHeading(const PartyNames& names, int party)
{
    const std::string* name = nameOf(names, party);
    return name ? *name : "Партия " + std::to_string(party + 1);
}

std::string PartiesNamed(const PartyNames& names, const std::vector<int>& parties)
{
    // Unnamed parties alone under one noun ("партии 4 и 5"); with names, each as it is called,
    // in their order.
    bool anyNamed = false;
    std::vector<std::string> words;
    for (const int party : parties) {
        anyNamed = anyNamed || nameOf(names, party) != nullptr;
        words.push_back(PartyName(names, party));
    }
    if (anyNamed)
        return joined(words);
    std::vector<std::string> numbers;
    for (const int party : parties)
        numbers.push_back(std::to_string(party + 1));
    return (numbers.size() == 1 ? "партия " : "партии ") + joined(numbers);
}

} // namespace apportion
