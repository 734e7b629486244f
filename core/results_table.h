#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace apportion {

// A block of results copied from a spreadsheet or a results web page, read as parties: each row
// a party with its name (its text cell) and its vote total. Cells are separated by tabs, rows by
// line breaks. The vote total is the column of whole numbers with the largest sum, so a ballot
// number, a seat count or a percentage is never taken for it; thousands may be grouped with
// spaces (ordinary, no-break, narrow no-break or thin) or with "," or "." between groups of three
// digits. A header row, empty rows and a last row that is the sum of the others (a total) are
// skipped. A single row or a single column of numbers gives one party per number, in order.
struct ResultsTable {
    struct Party {
        std::string name; // empty where the block has no names
        std::string votes; // the vote total as the board reads it: digits, "." for a decimal
    };
    std::vector<Party> parties; // in the block's order
    // The party rows past `most` that were left out, those with the fewest votes, and their votes
    // added up (a whole number; 0 where they were not whole numbers).
    int leftOut = 0;
    std::uint64_t leftOutVotes = 0;
};

// The parties in `text`, at most `most` of them: where the block has more, those with the most
// votes, in the block's order. None where the text is not such a block (a single number, a
// sentence): it is then pasted as it stands.
std::optional<ResultsTable> ReadResultsTable(const std::string& text, int most);

} // namespace apportion
