#include "core/input/results_table.h"

#include "core/numbers/number_text.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace apportion {

namespace {

    enum class Kind {
        Empty,
        Number, // digits, perhaps grouped or with a decimal separator
        Percent, // a number with "%"
        Missing, // a dash or "n/a": a value the table does not give
        Text, // has a letter
        Other,
    };

    // How a number's separator reads: no separator, grouping proved (two or more groups, or
    // grouping and a decimal point), a decimal, or one "," or "." before three digits, which
    // is either.
    enum class Separator { None, Grouping, Decimal, Either };

    struct Cell {
        Kind kind = Kind::Empty;
        std::string shown; // without the blanks around it
        Separator separator = Separator::None;
        std::string asGrouped; // the number read with its separators as grouping, for None,
                               // Grouping and Either: digits only
        std::string asDecimal; // read with its last separator as the point, for Decimal and
                               // Either
        bool footnote = false;
    };

    struct Row {
        int line = 0; // in the block, from 1
        std::vector<Cell> cells;
    };

    bool allDigits(std::string_view text)
    {
        return !text.empty() && std::all_of(text.begin(), text.end(), IsDigit);
    }

    bool hasLetter(std::string_view text)
    {
        return std::any_of(text.begin(), text.end(), [](char c) {
            const auto byte = static_cast<unsigned char>(c);
            return byte >= 0x80 || (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z');
        });
    }

    // Lower case for the Latin and Bulgarian letters, in UTF-8, so that headings and total rows
    // are known whatever their case.
    std::string lowered(std::string_view text)
    {
        std::string result(text);
        for (std::size_t i = 0; i < result.size(); ++i) {
            auto& c = result[i];
            if (c >= 'A' && c <= 'Z') {
                c = static_cast<char>(c - 'A' + 'a');
            } else if (static_cast<unsigned char>(c) == 0xD0 && i + 1 < result.size()) {
                // А..П (D0 90..9F) to а..п (D0 B0..BF), Р..Я (D0 A0..AF) to р..я (D1 80..8F).
                auto& next = result[i + 1];
                const auto low = static_cast<unsigned char>(next);
                if (low >= 0x90 && low <= 0x9F) {
                    next = static_cast<char>(low + 0x20);
                } else if (low >= 0xA0 && low <= 0xAF) {
                    c = static_cast<char>(0xD1);
                    next = static_cast<char>(low - 0x20);
                }
                ++i;
            }
        }
        return result;
    }

    bool containsAny(std::string_view text, std::initializer_list<std::string_view> words)
    {
        return std::any_of(words.begin(), words.end(),
            [text](std::string_view word) { return text.find(word) != std::string_view::npos; });
    }

    // Whether `word` stands in `text` as a whole word (not inside a longer one).
    bool hasWord(std::string_view text, std::string_view word)
    {
        const auto isLetter = [](char c) {
            return (c >= 'a' && c <= 'z') || static_cast<unsigned char>(c) >= 0x80;
        };
        for (auto at = text.find(word); at != std::string_view::npos;
             at = text.find(word, at + 1)) {
            const bool startsWord = at == 0 || !isLetter(text[at - 1]);
            const std::size_t end = at + word.size();
            if (startsWord && (end == text.size() || !isLetter(text[end])))
                return true;
        }
        return false;
    }

    // Removes the marks of a footnote from the end of a number: "*", "†", "‡", superscript
    // digits, and a bracketed reference such as "[a]" or "[12]".
    bool stripFootnote(std::string& text)
    {
        bool stripped = false;
        for (bool again = true; again && !text.empty();) {
            again = false;
            for (std::string_view mark : { "*", "\xE2\x80\xA0", "\xE2\x80\xA1", "\xC2\xB9",
                     "\xC2\xB2", "\xC2\xB3", "\xE2\x81\xB0", "\xE2\x81\xB4", "\xE2\x81\xB5",
                     "\xE2\x81\xB6", "\xE2\x81\xB7", "\xE2\x81\xB8", "\xE2\x81\xB9" }) {
                if (text.size() > mark.size() && text.ends_with(mark)) {
                    text.resize(text.size() - mark.size());
                    again = stripped = true;
                }
            }
            const std::size_t open = text.rfind('[');
            if (text.ends_with("]") && open != std::string::npos && open > 0
                && text.size() - open <= 6) {
                text.resize(open);
                again = stripped = true;
            }
        }
        return stripped;
    }

    // Digits in groups of three after a first group of one to three, with `mark` between.
    bool groupedByThrees(std::string_view text, char mark)
    {
        const std::size_t first = text.find(mark);
        if (first == std::string_view::npos || first == 0 || first > 3
            || !allDigits(text.substr(0, first)))
            return false;
        for (std::size_t at = first; at < text.size(); at += 4) {
            if (text[at] != mark || at + 4 > text.size() || !allDigits(text.substr(at + 1, 3)))
                return false;
        }
        return (text.size() - first) % 4 == 0;
    }

    // "0" for digits that are all zeros, or none.
    std::string withoutLeadingZeros(const std::string& digits)
    {
        const std::size_t start = digits.find_first_not_of('0');
        return start == std::string::npos ? std::string("0") : digits.substr(start);
    }

    std::string withoutChar(std::string_view text, char removed)
    {
        std::string result;
        for (char c : text) {
            if (c != removed)
                result += c;
        }
        return result;
    }

    // Reads `compact` (no blanks, no sign, no "%") as a number into the cell.
    bool readNumber(std::string_view compact, Cell& cell)
    {
        if (allDigits(compact)) {
            cell.separator = Separator::None;
            cell.asGrouped = withoutLeadingZeros(std::string(compact));
            return true;
        }
        const std::size_t comma = compact.find(',');
        const std::size_t point = compact.find('.');
        if (comma != std::string_view::npos && point != std::string_view::npos) {
            // Both: the last is the point, the other groups ("1,234.5", "1.234,5").
            const std::size_t last = compact.find_last_of(",.");
            const char grouping = compact[last] == '.' ? ',' : '.';
            const std::string_view whole = compact.substr(0, last);
            const std::string_view fraction = compact.substr(last + 1);
            if (!groupedByThrees(whole, grouping) || !allDigits(fraction))
                return false;
            cell.separator = Separator::Grouping;
            cell.asGrouped
                = withoutLeadingZeros(withoutChar(whole, grouping)) + "." + std::string(fraction);
            return true;
        }
        for (const char mark : { ',', '.' }) {
            const std::size_t first = compact.find(mark);
            if (first == std::string_view::npos)
                continue;
            const std::string digits = withoutLeadingZeros(withoutChar(compact, mark));
            if (groupedByThrees(compact, mark)) {
                const bool several = compact.find(mark, first + 1) != std::string_view::npos;
                cell.separator = several ? Separator::Grouping : Separator::Either;
                cell.asGrouped = digits;
                if (!several)
                    cell.asDecimal = withoutLeadingZeros(std::string(compact.substr(0, first)))
                        + "." + std::string(compact.substr(first + 1));
                return true;
            }
            const std::string_view whole = compact.substr(0, first);
            const std::string_view fraction = compact.substr(first + 1);
            if (allDigits(fraction) && (whole.empty() || allDigits(whole))) {
                cell.separator = Separator::Decimal;
                cell.asDecimal
                    = (whole.empty() ? std::string("0") : withoutLeadingZeros(std::string(whole)))
                    + "." + std::string(fraction);
                return true;
            }
        }
        return false;
    }

    Cell classify(std::string_view text)
    {
        Cell cell;
        cell.shown = std::string(TrimBlanks(text));
        std::string buffer;
        std::string compact(WithoutBlanks(cell.shown, buffer));
        if (compact.empty())
            return cell;
        for (std::string_view dash : { "-", "\xE2\x80\x93", "\xE2\x80\x94", "\xE2\x88\x92",
                 "\xE2\x80\xA6", "...", "n/a", "N/A", "х", "x" }) {
            if (compact == dash) {
                cell.kind = Kind::Missing;
                return cell;
            }
        }
        cell.footnote = stripFootnote(compact);
        if (!compact.empty() && compact.front() == '+')
            compact.erase(0, 1);
        bool percent = false;
        if (!compact.empty() && compact.back() == '%') {
            compact.pop_back();
            percent = true;
        }
        if (readNumber(compact, cell)) {
            cell.kind = percent ? Kind::Percent : Kind::Number;
            return cell;
        }
        cell.footnote = false;
        cell.separator = Separator::None;
        cell.asGrouped.clear();
        cell.asDecimal.clear();
        cell.kind = hasLetter(cell.shown) ? Kind::Text : Kind::Other;
        return cell;
    }

    // Splits the block into rows of cells; a cell that starts with a double quote runs to the
    // closing one, "" standing for a quote inside it. Empty rows are dropped.
    std::vector<Row> readRows(const std::string& text)
    {
        std::vector<Row> rows;
        Row row { 1, {} };
        std::string cell;
        int line = 1;
        std::size_t i = 0;
        const auto endRow = [&rows, &row, &line] {
            if (std::any_of(row.cells.begin(), row.cells.end(),
                    [](const Cell& c) { return c.kind != Kind::Empty; }))
                rows.push_back(std::move(row));
            row = Row { line, {} };
        };
        while (i <= text.size()) {
            const bool quoted = i < text.size() && text[i] == '"';
            cell.clear();
            if (quoted) {
                std::size_t j = i + 1;
                for (; j < text.size(); ++j) {
                    if (text[j] != '"') {
                        // A line break inside a quoted cell is one of its lines: a blank.
                        line += text[j] == '\n';
                        cell += text[j] == '\n' || text[j] == '\r' ? ' ' : text[j];
                    } else if (j + 1 < text.size() && text[j + 1] == '"') {
                        cell += '"';
                        ++j;
                    } else {
                        break;
                    }
                }
                i = j + 1;
                // Anything after the closing quote up to the cell's end belongs to it.
                while (i < text.size() && text[i] != '\t' && text[i] != '\n')
                    cell += text[i++];
            } else {
                while (i < text.size() && text[i] != '\t' && text[i] != '\n')
                    cell += text[i++];
            }
            row.cells.push_back(classify(cell));
            if (i >= text.size()) {
                endRow();
                break;
            }
            if (text[i] == '\n') {
                ++line;
                endRow();
            }
            ++i;
        }
        return rows;
    }

    bool isNumber(const Cell& cell) { return cell.kind == Kind::Number; }

    // How a column's cells read where "," or "." could be grouping or a decimal point: as
    // grouping only where another cell of it is grouped too and none is a decimal.
    bool readsAsGrouping(const std::vector<const Cell*>& cells)
    {
        int grouped = 0;
        for (const Cell* cell : cells) {
            if (cell->separator == Separator::Decimal)
                return false;
            grouped
                += cell->separator == Separator::Grouping || cell->separator == Separator::Either;
        }
        return grouped >= 2;
    }

    std::string valueOf(const Cell& cell, bool grouping)
    {
        if (cell.separator == Separator::Decimal
            || (cell.separator == Separator::Either && !grouping))
            return cell.asDecimal;
        return cell.asGrouped;
    }

    double numberOf(const Cell& cell, bool grouping)
    {
        return ParseNumber(valueOf(cell, grouping));
    }

    const Cell* cellAt(const Row& row, std::size_t column)
    {
        return column < row.cells.size() ? &row.cells[column] : nullptr;
    }

    std::vector<const Cell*> numbersIn(const std::vector<const Row*>& rows, std::size_t column)
    {
        std::vector<const Cell*> cells;
        for (const Row* row : rows) {
            const Cell* cell = cellAt(*row, column);
            if (cell && isNumber(*cell))
                cells.push_back(cell);
        }
        return cells;
    }

    // A row of the count rather than of a party: a total, or the voters, valid or invalid votes
    // a results page lists over the parties.
    bool namesCount(std::string_view name)
    {
        const std::string low = lowered(name);
        return containsAny(low,
                   { "общо", "общ брой", "действителни", "гласували", "избиратели", "всичко",
                       "сума", "сбор", "итого", "insgesamt", "gesamt", "entitled", "turnout" })
            || hasWord(low, "total") || hasWord(low, "totals") || hasWord(low, "sum")
            || hasWord(low, "valid") || hasWord(low, "invalid") || hasWord(low, "voters");
    }

    // A header row: texts only, or texts and years over their columns ("Партия 2021 2024").
    bool isHeader(const Row& row)
    {
        bool text = false;
        for (const Cell& cell : row.cells) {
            if (cell.kind == Kind::Text)
                text = true;
            else if (cell.kind == Kind::Number) {
                const double year = ParseNumber(cell.asGrouped);
                if (cell.separator != Separator::None || year < 1800 || year > 2100)
                    return false;
            } else if (cell.kind == Kind::Percent)
                return false;
        }
        return text;
    }

    // Drops the last (then the first) of `values` where it is the sum of the rest (at least of
    // those read, where `unread` rows have no votes), and its row may be a total.
    template <typename MayBeTotal>
    std::optional<std::size_t> sumAt(
        const std::vector<double>& values, bool unread, MayBeTotal mayBeTotal)
    {
        if (values.size() < 3)
            return std::nullopt;
        double all = 0;
        for (double v : values)
            all += v;
        for (const std::size_t at : { values.size() - 1, std::size_t(0) }) {
            const double rest = all - values[at];
            const double tolerance = 0.5e-9 * std::max(1.0, values[at]);
            const bool sum
                = std::fabs(values[at] - rest) <= tolerance || (unread && values[at] > rest);
            if (sum && mayBeTotal(at))
                return at;
        }
        return std::nullopt;
    }

    // A single row, or a single column, of numbers (a header over the column allowed).
    std::optional<ResultsTable> numbersAlone(const std::vector<Row>& rows)
    {
        std::vector<const Cell*> numbers;
        if (rows.size() == 1) {
            for (const Cell& cell : rows.front().cells) {
                if (cell.kind == Kind::Empty)
                    continue;
                if (!isNumber(cell))
                    return std::nullopt;
                numbers.push_back(&cell);
            }
        } else {
            for (std::size_t r = 0; r < rows.size(); ++r) {
                const Cell* only = nullptr;
                for (const Cell& cell : rows[r].cells) {
                    if (cell.kind == Kind::Empty)
                        continue;
                    if (only)
                        return std::nullopt;
                    only = &cell;
                }
                if (isNumber(*only))
                    numbers.push_back(only);
                else if (r > 0)
                    return std::nullopt; // text other than a header: not numbers alone
            }
        }
        if (numbers.size() < 2)
            return std::nullopt;
        const bool grouping = readsAsGrouping(numbers);
        std::vector<double> values;
        for (const Cell* cell : numbers)
            values.push_back(numberOf(*cell, grouping));
        ResultsTable table;
        // A column's sum stands under it; a row's at its end.
        const auto sum
            = sumAt(values, false, [&values](std::size_t at) { return at + 1 == values.size(); });
        for (std::size_t i = 0; i < numbers.size(); ++i) {
            if (sum == i) {
                table.counts.push_back(numbers[i]->shown);
                continue;
            }
            table.parties.push_back({ {}, valueOf(*numbers[i], grouping) });
            table.footnotes += numbers[i]->footnote;
        }
        return table;
    }

    enum class Role { HeadedVotes, Plain, LeftOfNames, Seats, Ballot, Share, Change };

    // A change since an earlier election ("+8.2", "-10.5", "±0.0"), which no count of votes is.
    bool isChange(const Cell& cell)
    {
        const std::string_view text = cell.shown;
        for (std::string_view sign : { "+", "-", "\xE2\x88\x92", "\xC2\xB1" }) {
            if (text.size() > sign.size() && text.starts_with(sign) && IsDigit(text[sign.size()]))
                return true;
        }
        return false;
    }

    Role roleOf(const std::vector<const Row*>& rows, std::size_t column, const std::string& heading,
        std::optional<std::size_t> nameColumn)
    {
        const std::string low = lowered(heading);
        if (containsAny(low, { "diff", "change", "разлика", "промяна", "+/-", "\xC2\xB1" }))
            return Role::Change;
        for (const Row* row : rows) {
            const Cell* cell = cellAt(*row, column);
            if (cell && isChange(*cell))
                return Role::Change;
        }
        if (containsAny(low, { "%", "дял", "процент", "share", "pct" }))
            return Role::Share;
        if (containsAny(low, { "мандат", "места", "seat", "sitz", "mandat" }))
            return Role::Seats;
        if (containsAny(low, { "№", "#", "номер", "бюлетин" }) || hasWord(low, "no")
            || hasWord(low, "nr"))
            return Role::Ballot;
        const std::vector<const Cell*> cells = numbersIn(rows, column);
        const bool grouping = readsAsGrouping(cells);
        bool percent = false;
        for (const Row* row : rows) {
            const Cell* cell = cellAt(*row, column);
            percent = percent || (cell && cell->kind == Kind::Percent);
        }
        if (percent)
            return Role::Share;
        double sum = 0;
        double sumAsDecimals = 0;
        bool inOrder = cells.size() >= 2;
        for (std::size_t i = 0; i < cells.size(); ++i) {
            sum += numberOf(*cells[i], grouping);
            sumAsDecimals += numberOf(*cells[i], false);
            inOrder = inOrder && cells[i]->separator == Separator::None
                && cells[i]->asGrouped == std::to_string(i + 1);
        }
        // Shares have decimals; whole numbers that sum to 100 are as likely a class's votes.
        const bool decimals = std::any_of(cells.begin(), cells.end(), [](const Cell* cell) {
            return cell->separator == Separator::Decimal || cell->separator == Separator::Either;
        });
        if (cells.size() >= 2 && decimals
            && ((sum >= 99 && sum <= 101) || (sumAsDecimals >= 99 && sumAsDecimals <= 101)))
            return Role::Share;
        if (inOrder)
            return Role::Ballot;
        if (containsAny(low, { "глас", "vote", "stimm", "voix", "voto" }))
            return Role::HeadedVotes;
        if (nameColumn && column < *nameColumn)
            return Role::LeftOfNames;
        return Role::Plain;
    }

    std::string rowText(const Row& row)
    {
        std::string text;
        for (const Cell& cell : row.cells) {
            if (cell.shown.empty())
                continue;
            if (!text.empty())
                text += ' ';
            text += cell.shown;
        }
        return text;
    }

    std::optional<ResultsTable> partyRows(const std::vector<Row>& rows, int choice)
    {
        std::size_t headers = 0;
        while (headers + 1 < rows.size() && isHeader(rows[headers]))
            ++headers;
        std::vector<const Row*> data;
        for (std::size_t r = headers; r < rows.size(); ++r)
            data.push_back(&rows[r]);
        std::size_t columns = 0;
        for (const Row& row : rows)
            columns = std::max(columns, row.cells.size());

        // The names: the column with the most texts.
        std::optional<std::size_t> nameColumn;
        int mostTexts = 0;
        for (std::size_t c = 0; c < columns; ++c) {
            const auto texts
                = static_cast<int>(std::count_if(data.begin(), data.end(), [c](const Row* row) {
                      return cellAt(*row, c) && row->cells[c].kind == Kind::Text;
                  }));
            if (texts > mostTexts) {
                mostTexts = texts;
                nameColumn = c;
            }
        }

        struct Candidate {
            std::size_t column;
            Role role;
        };
        std::vector<Candidate> candidates;
        std::vector<std::string> headings(columns);
        for (std::size_t c = 0; c < columns; ++c) {
            for (std::size_t h = 0; h < headers; ++h) {
                const Cell* cell = cellAt(rows[h], c);
                if (cell && !cell->shown.empty())
                    headings[c] += (headings[c].empty() ? "" : " ") + cell->shown;
            }
            if (c != nameColumn && !numbersIn(data, c).empty())
                candidates.push_back({ c, roleOf(data, c, headings[c], nameColumn) });
        }
        if (candidates.empty())
            return std::nullopt;
        std::stable_sort(candidates.begin(), candidates.end(),
            [](const Candidate& a, const Candidate& b) { return a.role < b.role; });
        // Seats, ballot numbers, shares and changes are choices only where nothing else is.
        const auto votesEnd = std::find_if(candidates.begin(), candidates.end(),
            [](const Candidate& c) { return c.role > Role::LeftOfNames; });
        if (votesEnd != candidates.begin())
            candidates.erase(votesEnd, candidates.end());
        const auto count = static_cast<int>(candidates.size());
        const int chosen = ((choice % count) + count) % count;
        const std::size_t voteColumn = candidates[static_cast<std::size_t>(chosen)].column;
        const bool grouping = readsAsGrouping(numbersIn(data, voteColumn));

        const auto nameOf = [&nameColumn](const Row& row) -> std::string {
            const Cell* cell = nameColumn ? cellAt(row, *nameColumn) : nullptr;
            return cell && cell->kind == Kind::Text ? cell->shown : std::string();
        };

        ResultsTable table;
        table.voteColumn = static_cast<int>(voteColumn) + 1;
        table.voteHeading = headings[voteColumn];
        table.choices = count;
        table.choice = chosen;

        // Rows with votes; rows named as a total; rows with a name whose votes do not read.
        std::vector<const Row*> voted;
        for (const Row* row : data) {
            const Cell* votes = cellAt(*row, voteColumn);
            const std::string name = nameOf(*row);
            if (!name.empty() && namesCount(name)) {
                table.counts.push_back(name);
                continue;
            }
            if (votes && isNumber(*votes)) {
                voted.push_back(row);
                continue;
            }
            // A name alone is a caption or a group's heading; a name with anything else is a
            // party whose votes the table does not give in this column.
            const bool more = std::count_if(row->cells.begin(), row->cells.end(),
                                  [](const Cell& c) { return c.kind != Kind::Empty; })
                > 1;
            if (!name.empty() && more)
                table.unread.push_back({ row->line, rowText(*row) });
        }
        if (!nameColumn && voted.size() < 2)
            return std::nullopt;

        std::vector<double> values;
        for (const Row* row : voted)
            values.push_back(numberOf(row->cells[voteColumn], grouping));
        if (table.counts.empty()) {
            const auto sum = sumAt(values, !table.unread.empty(),
                [&voted, &nameOf](std::size_t at) { return nameOf(*voted[at]).empty(); });
            if (sum) {
                table.counts.push_back(voted[*sum]->cells[voteColumn].shown);
                voted.erase(voted.begin() + static_cast<long>(*sum));
            }
        }

        for (const Row* row : voted) {
            const Cell& votes = row->cells[voteColumn];
            table.parties.push_back({ nameOf(*row), valueOf(votes, grouping) });
            table.footnotes += votes.footnote;
        }
        return table;
    }

    // Keeps the `most` parties with the most votes, in their order; the leftmost on equal votes.
    void keepLargest(ResultsTable& table, int most)
    {
        const auto count = static_cast<int>(table.parties.size());
        if (count <= most)
            return;
        std::vector<double> votes;
        for (const auto& party : table.parties)
            votes.push_back(ParseNumber(party.votes));
        std::vector<int> order(static_cast<std::size_t>(count));
        for (int i = 0; i < count; ++i)
            order[static_cast<std::size_t>(i)] = i;
        std::stable_sort(order.begin(), order.end(), [&votes](int a, int b) {
            return votes[static_cast<std::size_t>(a)] > votes[static_cast<std::size_t>(b)];
        });
        std::vector<bool> kept(static_cast<std::size_t>(count), false);
        for (int r = 0; r < most; ++r)
            kept[static_cast<std::size_t>(order[static_cast<std::size_t>(r)])] = true;
        std::vector<ResultsTable::Party> parties;
        long double leftOutVotes = 0;
        for (int i = 0; i < count; ++i) {
            auto& party = table.parties[static_cast<std::size_t>(i)];
            if (kept[static_cast<std::size_t>(i)]) {
                parties.push_back(std::move(party));
                continue;
            }
            ++table.leftOut;
            leftOutVotes += votes[static_cast<std::size_t>(i)];
        }
        constexpr auto largest = static_cast<long double>(std::numeric_limits<std::int64_t>::max());
        table.leftOutVotes
            = static_cast<std::uint64_t>(std::llround(std::min(leftOutVotes, largest)));
        table.parties = std::move(parties);
    }

} // namespace

std::optional<ResultsTable> ReadResultsTable(const std::string& text, int most, int choice)
{
    if (most < 1)
        return std::nullopt;
    const std::vector<Row> rows = readRows(text);
    if (rows.empty())
        return std::nullopt;
    std::optional<ResultsTable> table = numbersAlone(rows);
    if (!table)
        table = partyRows(rows, choice);
    if (!table || table->parties.empty())
        return std::nullopt;
    keepLargest(*table, most);
    return table;
}

} // namespace apportion
