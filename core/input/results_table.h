#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace apportion {

// A block of results copied from a spreadsheet or a results web page, read as parties: each row
// a party with its name (its text cell) and its vote total. Cells are separated by tabs (a cell
// in double quotes may hold tabs and line breaks, as a spreadsheet copies them), rows by line
// breaks. Numbers are read with the program's one definition of a blank; thousands may also be
// grouped with "," or "." between groups of three digits, which reads as grouping only where
// the column's other cells agree ("48,000" alone is 48, beside "642,931" it is 48000). A mark
// of a footnote after a number ("334 284*", "12 345¹", "642 931[a]") is passed over.
//
// The votes are the leftmost column headed like votes ("Гласове", "Votes", "Party vote"…) or,
// with none so headed, the leftmost column of numbers right of the names that is not a share
// (a "%" or a column summing to about 100), a ballot number (1, 2, 3… in order) or a seat
// count by its heading; then the columns left of the names. The other columns that hold numbers
// are further choices, in that order.
//
// Header rows (texts only, or texts and years) are passed over, as are the rows of the count: a
// row named as a total, the voters or the valid or invalid votes ("Общо", "Действителни
// гласове", "Grand Total", "Sum", "Valid"…) anywhere in the block, or, where none is so named, a
// first or last row without a name whose votes are the sum of the others (at least of those
// read). A column of changes since an earlier election ("+8.2", "Diff.") is no vote column. A row
// with a name whose votes cannot be read is left out and told. A single row or a single column
// of numbers gives one party per number, in order, without a last number that is the sum of the
// others.
struct ResultsTable {
    struct Party {
        std::string name; // empty where the block has no names
        std::string votes; // the vote total as the board reads it: digits, "." for a decimal
    };
    std::vector<Party> parties; // in the block's order

    // The party rows past `most` that were left out, those with the fewest votes, and their votes
    // added up, rounded to a whole number.
    int leftOut = 0;
    std::uint64_t leftOutVotes = 0;

    // A row that looks like a party whose votes could not be read: its line in the block, from
    // 1, and its text, cells joined by blanks.
    struct Unread {
        int line = 0;
        std::string text;
    };
    std::vector<Unread> unread;
    int footnotes = 0; // vote cells read past a footnote mark
    // The rows of the count left out: a total, the voters, the valid or invalid votes; each by
    // its name, or its number where it has none.
    std::vector<std::string> counts;

    // The column the votes came from, from 1 (0 for a single row or column of numbers), and its
    // heading, empty where it has none.
    int voteColumn = 0;
    std::string voteHeading;
    int choices = 1; // how many columns could hold the votes
    int choice = 0; // which of them was read, from 0
};

// The parties in `text`, at most `most` of them: where the block has more, those with the most
// votes, in the block's order. The votes come from the `choice`-th column that could hold them
// (counted round). None where the text is not such a block (a single number, a sentence): it
// is then pasted as it stands.
std::optional<ResultsTable> ReadResultsTable(const std::string& text, int most, int choice = 0);

} // namespace apportion
