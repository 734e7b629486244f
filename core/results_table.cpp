#include "core/results_table.h"

#include "core/number_text.h"

#include <algorithm>
#include <limits>

namespace apportion {

namespace {

    enum class Kind { Empty, Whole, Decimal, Percent, Text, Other };

    struct Cell {
        Kind kind = Kind::Empty;
        std::string shown; // trimmed, for a name
        std::string number; // the number as the board reads it, for Whole and Decimal
        std::uint64_t whole = 0;
    };

    // The spaces a results table groups digits with, or pads cells with, in UTF-8.
    constexpr const char* spaces[]
        = { " ", "\xC2\xA0", "\xE2\x80\xAF", "\xE2\x80\x89", "\xE2\x80\x87", "\r" };

    std::size_t spaceAt(const std::string& text, std::size_t at)
    {
        for (const char* space : spaces) {
            const std::string_view s(space);
            if (text.compare(at, s.size(), s) == 0)
                return s.size();
        }
        return 0;
    }

    std::string withoutSpaces(const std::string& text)
    {
        std::string result;
        for (std::size_t i = 0; i < text.size();) {
            if (const std::size_t length = spaceAt(text, i)) {
                i += length;
                continue;
            }
            result += text[i++];
        }
        return result;
    }

    std::string trimmed(const std::string& text)
    {
        std::size_t begin = 0;
        while (begin < text.size()) {
            const std::size_t length = spaceAt(text, begin);
            if (length == 0)
                break;
            begin += length;
        }
        std::size_t end = text.size();
        while (end > begin) {
            std::size_t length = 0;
            for (const char* space : spaces) {
                const std::string_view s(space);
                if (end - begin >= s.size() && text.compare(end - s.size(), s.size(), s) == 0) {
                    length = s.size();
                    break;
                }
            }
            if (length == 0)
                break;
            end -= length;
        }
        return text.substr(begin, end - begin);
    }

    bool isDigit(char c) { return c >= '0' && c <= '9'; }

    bool allDigits(std::string_view text)
    {
        return !text.empty() && std::all_of(text.begin(), text.end(), isDigit);
    }

    // Digits grouped by threes with one separator throughout: "642,931", "1.147.292".
    bool groupedByThrees(const std::string& text, char separator)
    {
        const std::size_t first = text.find(separator);
        if (first == std::string::npos || first == 0 || first > 3
            || !allDigits(text.substr(0, first)))
            return false;
        for (std::size_t at = first; at < text.size(); at += 4) {
            if (text[at] != separator || at + 4 > text.size()
                || !allDigits(std::string_view(text).substr(at + 1, 3)))
                return false;
        }
        return (text.size() - first) % 4 == 0;
    }

    bool hasLetter(const std::string& text)
    {
        return std::any_of(text.begin(), text.end(), [](char c) {
            const auto byte = static_cast<unsigned char>(c);
            return byte >= 0x80 || (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z');
        });
    }

    // A whole number's digits without leading zeros, and its value where it fits 18 digits.
    bool readWhole(const std::string& digits, Cell& cell)
    {
        const std::size_t start = std::min(digits.find_first_not_of('0'), digits.size() - 1);
        cell.number = digits.substr(start);
        if (cell.number.size() > 18)
            return false;
        cell.whole = std::stoull(cell.number);
        cell.kind = Kind::Whole;
        return true;
    }

    Cell classify(const std::string& text)
    {
        Cell cell;
        cell.shown = trimmed(text);
        std::string compact = withoutSpaces(text);
        if (compact.empty())
            return cell;
        if (compact.front() == '+')
            compact.erase(0, 1);
        if (compact.find('%') != std::string::npos) {
            cell.kind = Kind::Percent;
            return cell;
        }
        if (allDigits(compact) && readWhole(compact, cell))
            return cell;
        for (const char separator : { ',', '.' }) {
            if (groupedByThrees(compact, separator)) {
                std::string digits = compact;
                digits.erase(std::remove(digits.begin(), digits.end(), separator), digits.end());
                if (readWhole(digits, cell))
                    return cell;
            }
        }
        const std::size_t point = compact.find_first_of(",.");
        if (point != std::string::npos && point > 0 && allDigits(compact.substr(0, point))
            && allDigits(compact.substr(point + 1))) {
            cell.kind = Kind::Decimal;
            cell.number = compact.substr(0, point) + "." + compact.substr(point + 1);
            return cell;
        }
        cell.kind = hasLetter(cell.shown) ? Kind::Text : Kind::Other;
        return cell;
    }

    bool isNumber(const Cell& cell)
    {
        return cell.kind == Kind::Whole || cell.kind == Kind::Decimal;
    }

    using Row = std::vector<Cell>;

    std::vector<Row> readRows(const std::string& text)
    {
        std::vector<Row> rows;
        std::size_t start = 0;
        while (start <= text.size()) {
            std::size_t end = text.find('\n', start);
            if (end == std::string::npos)
                end = text.size();
            Row row;
            std::size_t cellStart = start;
            while (true) {
                const std::size_t tab = text.find('\t', cellStart);
                const std::size_t cellEnd = tab == std::string::npos || tab > end ? end : tab;
                row.push_back(classify(text.substr(cellStart, cellEnd - cellStart)));
                if (cellEnd == end)
                    break;
                cellStart = cellEnd + 1;
            }
            if (std::any_of(
                    row.begin(), row.end(), [](const Cell& c) { return c.kind != Kind::Empty; }))
                rows.push_back(std::move(row));
            start = end + 1;
        }
        return rows;
    }

    std::vector<const Cell*> filled(const Row& row)
    {
        std::vector<const Cell*> cells;
        for (const Cell& cell : row) {
            if (cell.kind != Kind::Empty)
                cells.push_back(&cell);
        }
        return cells;
    }

    // A single row, or a single column, of numbers (a header over the column allowed).
    std::optional<ResultsTable> numbersAlone(const std::vector<Row>& rows)
    {
        std::vector<const Cell*> numbers;
        int others = 0;
        if (rows.size() == 1) {
            for (const Cell* cell : filled(rows.front())) {
                if (!isNumber(*cell))
                    return std::nullopt;
                numbers.push_back(cell);
            }
        } else {
            for (std::size_t r = 0; r < rows.size(); ++r) {
                const auto cells = filled(rows[r]);
                if (cells.size() != 1)
                    return std::nullopt;
                if (isNumber(*cells.front()))
                    numbers.push_back(cells.front());
                else if (r > 0 || ++others > 1)
                    return std::nullopt; // text other than a header: not numbers alone
            }
        }
        if (numbers.size() < 2)
            return std::nullopt;
        ResultsTable table;
        for (const Cell* cell : numbers)
            table.parties.push_back({ {}, cell->number });
        return table;
    }

    // Rows of parties: the vote column is the whole-number column with the largest sum, the
    // name column the one with the most texts among the rows that have votes.
    std::optional<ResultsTable> partyRows(const std::vector<Row>& rows)
    {
        std::size_t columns = 0;
        for (const Row& row : rows)
            columns = std::max(columns, row.size());
        std::optional<std::size_t> voteColumn;
        long double largestSum = -1;
        for (std::size_t c = 0; c < columns; ++c) {
            long double sum = 0;
            int count = 0;
            for (const Row& row : rows) {
                if (c < row.size() && row[c].kind == Kind::Whole) {
                    sum += static_cast<long double>(row[c].whole);
                    ++count;
                }
            }
            if (count > 0 && sum > largestSum) {
                largestSum = sum;
                voteColumn = c;
            }
        }
        if (!voteColumn)
            return std::nullopt;

        std::vector<const Row*> partiesRows;
        for (const Row& row : rows) {
            if (*voteColumn < row.size() && row[*voteColumn].kind == Kind::Whole)
                partiesRows.push_back(&row);
        }
        std::optional<std::size_t> nameColumn;
        int mostTexts = 0;
        for (std::size_t c = 0; c < columns; ++c) {
            const int texts = static_cast<int>(std::count_if(partiesRows.begin(), partiesRows.end(),
                [c](const Row* row) { return c < row->size() && (*row)[c].kind == Kind::Text; }));
            if (texts > mostTexts) {
                mostTexts = texts;
                nameColumn = c;
            }
        }
        if (!nameColumn && partiesRows.size() < 2)
            return std::nullopt;

        // A total under (or over) the parties: the sum of all the others, with no name or one
        // that says it is a total (a party may well have as many votes as the rest).
        std::uint64_t sum = 0;
        for (const Row* row : partiesRows)
            sum += (*row)[*voteColumn].whole;
        const auto namedTotal = [&nameColumn](const Row* row) {
            if (!nameColumn || *nameColumn >= row->size() || (*row)[*nameColumn].kind != Kind::Text)
                return true;
            const std::string& name = (*row)[*nameColumn].shown;
            for (const char* word : { "Общо", "ОБЩО", "общо", "Всичко", "ВСИЧКО", "всичко", "Сума",
                     "СУМА", "Total", "TOTAL", "total", "Sum", "SUM" }) {
                if (name.rfind(word, 0) == 0)
                    return true;
            }
            return false;
        };
        if (partiesRows.size() >= 3) {
            for (const bool last : { true, false }) {
                const Row* edge = last ? partiesRows.back() : partiesRows.front();
                if (2 * (*edge)[*voteColumn].whole == sum && namedTotal(edge)) {
                    if (last)
                        partiesRows.pop_back();
                    else
                        partiesRows.erase(partiesRows.begin());
                    break;
                }
            }
        }

        ResultsTable table;
        for (const Row* row : partiesRows) {
            const Cell& votes = (*row)[*voteColumn];
            std::string name;
            if (nameColumn && *nameColumn < row->size() && (*row)[*nameColumn].kind == Kind::Text)
                name = (*row)[*nameColumn].shown;
            table.parties.push_back({ std::move(name), votes.number });
        }
        return table;
    }

    // Keeps the `most` parties with the most votes, in their order; the leftmost on equal votes.
    void keepLargest(ResultsTable& table, int most)
    {
        const auto count = static_cast<int>(table.parties.size());
        if (count <= most)
            return;
        std::vector<int> order(static_cast<std::size_t>(count));
        for (int i = 0; i < count; ++i)
            order[static_cast<std::size_t>(i)] = i;
        std::stable_sort(order.begin(), order.end(), [&table](int a, int b) {
            return ParseNumber(table.parties[static_cast<std::size_t>(a)].votes)
                > ParseNumber(table.parties[static_cast<std::size_t>(b)].votes);
        });
        std::vector<bool> kept(static_cast<std::size_t>(count), false);
        for (int r = 0; r < most; ++r)
            kept[static_cast<std::size_t>(order[static_cast<std::size_t>(r)])] = true;
        std::vector<ResultsTable::Party> parties;
        for (int i = 0; i < count; ++i) {
            auto& party = table.parties[static_cast<std::size_t>(i)];
            if (kept[static_cast<std::size_t>(i)]) {
                parties.push_back(std::move(party));
                continue;
            }
            ++table.leftOut;
            const bool whole = allDigits(party.votes) && party.votes.size() <= 18;
            if (whole)
                table.leftOutVotes += std::stoull(party.votes);
        }
        table.parties = std::move(parties);
    }

} // namespace

std::optional<ResultsTable> ReadResultsTable(const std::string& text, int most)
{
    if (most < 1)
        return std::nullopt;
    const std::vector<Row> rows = readRows(text);
    if (rows.empty())
        return std::nullopt;
    std::optional<ResultsTable> table = numbersAlone(rows);
    if (!table)
        table = partyRows(rows);
    if (!table || table->parties.empty())
        return std::nullopt;
    keepLargest(*table, most);
    return table;
}

} // namespace apportion
