#include "core/numbers/vote_reading.h"

namespace apportion {

VoteReading ReadVotes(const std::vector<std::string>& texts)
{
    VoteReading reading;
    UpdateVotes(reading, std::vector<std::string_view>(texts.begin(), texts.end()));
    return reading;
}

std::size_t UpdateVotes(VoteReading& reading, const std::vector<std::string_view>& texts)
{
    const std::size_t count = texts.size();
    bool changed = reading.texts.size() != count;
    reading.texts.resize(count);
    reading.values.resize(count);
    reading.exact.resize(count);
    std::size_t read = 0;
    for (std::size_t i = 0; i < count; ++i) {
        // A new position starts as the empty text read as 0, which is what an empty text reads.
        if (reading.texts[i] == texts[i])
            continue;
        NumberRead number = ReadBothWays(texts[i]);
        reading.texts[i] = texts[i];
        reading.values[i] = number.value;
        reading.exact[i] = std::move(number.exact);
        changed = true;
        ++read;
    }
    if (changed)
        reading.totals = TotalsOf(reading.exact);
    return read;
}

} // namespace apportion
