#include "core/input/html_table.h"

#include "core/numbers/number_text.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <vector>

namespace apportion {

namespace {

    struct Cell {
        std::string text;
        int span = 1;
        int rows = 1; // how many rows it spans down
        bool header = false;
    };
    using Row = std::vector<Cell>;
    using Table = std::vector<Row>;

    char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

    std::string lowered(std::string_view text)
    {
        std::string result(text);
        std::transform(result.begin(), result.end(), result.begin(), lower);
        return result;
    }

    void appendUtf8(std::string& out, std::uint32_t code)
    {
        if (code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            code = 0xFFFD;
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (code >> 18));
            out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }

    // Decodes the character reference at `at` ("&amp;", "&#160;", "&#xA0;") into `out` and
    // returns its length; 0 where there is none, and the "&" stands as it is.
    std::size_t decodeReference(std::string_view html, std::size_t at, std::string& out)
    {
        const std::size_t end = html.find(';', at);
        if (end == std::string_view::npos || end - at > 10)
            return 0;
        const std::string_view name = html.substr(at + 1, end - at - 1);
        if (name.size() > 1 && name.front() == '#') {
            const bool hex = name[1] == 'x' || name[1] == 'X';
            const std::string_view digits = name.substr(hex ? 2 : 1);
            std::uint32_t code = 0;
            const auto [ptr, error] = std::from_chars(
                digits.data(), digits.data() + digits.size(), code, hex ? 16 : 10);
            if (error != std::errc() || ptr != digits.data() + digits.size())
                return 0;
            appendUtf8(out, code);
            return end - at + 1;
        }
        static constexpr std::pair<std::string_view, std::uint32_t> named[] = { { "amp", '&' },
            { "lt", '<' }, { "gt", '>' }, { "quot", '"' }, { "apos", '\'' }, { "nbsp", 0xA0 },
            { "thinsp", 0x2009 }, { "ensp", 0x2002 }, { "emsp", 0x2003 }, { "ndash", 0x2013 },
            { "mdash", 0x2014 }, { "minus", 0x2212 }, { "hellip", 0x2026 }, { "bdquo", 0x201E },
            { "ldquo", 0x201C }, { "rdquo", 0x201D }, { "sup1", 0xB9 }, { "sup2", 0xB2 },
            { "sup3", 0xB3 }, { "dagger", 0x2020 }, { "Dagger", 0x2021 }, { "plusmn", 0xB1 } };
        for (const auto& [entity, code] : named) {
            if (name == entity) {
                appendUtf8(out, code);
                return end - at + 1;
            }
        }
        return 0;
    }

    // The value of attribute `name` in a tag's text ("colspan=\"3\""), or empty.
    std::string attribute(std::string_view tag, std::string_view name)
    {
        const std::string low = lowered(tag);
        for (std::size_t at = low.find(name); at != std::string::npos;
             at = low.find(name, at + 1)) {
            if (at == 0 || (low[at - 1] != ' ' && low[at - 1] != '\t' && low[at - 1] != '\n'))
                continue;
            std::size_t i = at + name.size();
            while (i < low.size() && low[i] == ' ')
                ++i;
            if (i >= low.size() || low[i] != '=')
                continue;
            ++i;
            while (i < low.size() && low[i] == ' ')
                ++i;
            const char quote = i < low.size() && (low[i] == '"' || low[i] == '\'') ? low[i] : 0;
            if (quote)
                ++i;
            const std::size_t end = quote ? low.find(quote, i) : low.find_first_of(" \t\n>/", i);
            return std::string(tag.substr(i, (end == std::string::npos ? low.size() : end) - i));
        }
        return {};
    }

    // A cell's text with runs of ASCII white space made one blank and trimmed; other blanks (a
    // no-break space between thousands) are kept for the number reader.
    std::string tidied(std::string_view text)
    {
        std::string result;
        bool space = false;
        for (char c : text) {
            if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f') {
                space = !result.empty();
                continue;
            }
            if (space)
                result += ' ';
            space = false;
            result += c;
        }
        return result;
    }

    class Reader {
    public:
        explicit Reader(std::string_view html)
            : m_html(html)
        {
        }

        std::vector<Table> read()
        {
            std::size_t i = 0;
            while (i < m_html.size()) {
                const char c = m_html[i];
                if (c == '<') {
                    i = tag(i);
                } else if (c == '&') {
                    std::string decoded;
                    const std::size_t length = decodeReference(m_html, i, decoded);
                    text(length ? decoded : std::string(1, c));
                    i += length ? length : 1;
                } else {
                    text(std::string(1, c));
                    ++i;
                }
            }
            endTable();
            return std::move(m_tables);
        }

    private:
        void text(const std::string& piece)
        {
            if (m_inCell && m_depth >= 1)
                m_cell.text += piece;
        }

        std::size_t tag(std::size_t at)
        {
            if (m_html.compare(at, 4, "<!--") == 0) {
                const std::size_t end = m_html.find("-->", at + 4);
                return end == std::string_view::npos ? m_html.size() : end + 3;
            }
            // The tag runs to the ">" outside quotes.
            std::size_t i = at + 1;
            char quote = 0;
            for (; i < m_html.size(); ++i) {
                const char c = m_html[i];
                if (quote) {
                    quote = c == quote ? 0 : quote;
                } else if (c == '"' || c == '\'') {
                    quote = c;
                } else if (c == '>') {
                    break;
                }
            }
            const std::string_view inside = m_html.substr(at + 1, i - at - 1);
            const bool closing = !inside.empty() && inside.front() == '/';
            const std::size_t nameStart = closing ? 1 : 0;
            std::size_t nameEnd = nameStart;
            while (nameEnd < inside.size() && inside[nameEnd] != ' ' && inside[nameEnd] != '\t'
                && inside[nameEnd] != '\n' && inside[nameEnd] != '\r' && inside[nameEnd] != '/')
                ++nameEnd;
            const std::string name = lowered(inside.substr(nameStart, nameEnd - nameStart));
            std::size_t next = std::min(i + 1, m_html.size());
            if (!closing && (name == "script" || name == "style")) {
                const std::size_t end = lowered(m_html.substr(next)).find("</" + name);
                return end == std::string::npos ? m_html.size() : next + end;
            }
            element(name, closing, inside);
            return next;
        }

        void element(const std::string& name, bool closing, std::string_view inside)
        {
            if (name == "table") {
                if (!closing) {
                    if (++m_depth == 1)
                        m_table.clear();
                    else
                        text(" ");
                } else if (m_depth > 0 && --m_depth == 0) {
                    endTable();
                }
                return;
            }
            if (m_depth != 1) {
                if (m_depth > 1 && (name == "td" || name == "th" || name == "br" || name == "p"))
                    text(" ");
                return;
            }
            if (name == "tr") {
                endRow();
            } else if (name == "td" || name == "th") {
                endCell();
                if (!closing) {
                    m_inCell = true;
                    m_cell = Cell {};
                    m_cell.header = name == "th";
                    int span = 1;
                    const std::string value = attribute(inside, "colspan");
                    std::from_chars(value.data(), value.data() + value.size(), span);
                    m_cell.span = std::clamp(span, 1, 50);
                    int rows = 1;
                    const std::string down = attribute(inside, "rowspan");
                    std::from_chars(down.data(), down.data() + down.size(), rows);
                    m_cell.rows = std::clamp(rows, 1, 1000);
                }
            } else if (name == "br" || name == "p" || name == "div" || name == "li") {
                text(" ");
            }
        }

        void endCell()
        {
            if (!m_inCell)
                return;
            m_inCell = false;
            m_cell.text = tidied(m_cell.text);
            m_row.push_back(std::move(m_cell));
        }

        void endRow()
        {
            endCell();
            if (!m_row.empty())
                m_table.push_back(std::move(m_row));
            m_row.clear();
        }

        void endTable()
        {
            endRow();
            if (!m_table.empty())
                m_tables.push_back(std::move(m_table));
            m_table.clear();
        }

        std::string_view m_html;
        std::vector<Table> m_tables;
        Table m_table;
        Row m_row;
        Cell m_cell;
        int m_depth = 0;
        bool m_inCell = false;
    };

} // namespace

std::optional<std::string> HtmlTableText(std::string_view html)
{
    const std::vector<Table> tables = Reader(html).read();
    if (tables.empty())
        return std::nullopt;
    const Table& largest = *std::max_element(tables.begin(), tables.end(),
        [](const Table& a, const Table& b) { return a.size() < b.size(); });
    // Laid out on a grid: a cell spanning rows down stands in the rows under it too, so that
    // the cells after it keep their columns.
    struct Pending {
        int rows = 0;
        const Cell* cell = nullptr;
    };
    std::vector<Pending> down;
    std::string text;
    const auto write = [&text](const Cell& cell, bool first) {
        if (!first)
            text += '\t';
        // A cell that starts with a quote is quoted, as the block's reader expects.
        if (!cell.text.empty() && cell.text.front() == '"') {
            text += '"';
            for (char c : cell.text)
                text += c == '"' ? std::string("\"\"") : std::string(1, c);
            text += '"';
        } else {
            text += cell.text;
        }
    };
    const Cell empty;
    for (const Row& row : largest) {
        std::size_t column = 0;
        const auto fillFromAbove = [&] {
            while (column < down.size() && down[column].rows > 0) {
                --down[column].rows;
                write(down[column].cell->header ? *down[column].cell : empty, column == 0);
                ++column;
            }
        };
        for (const Cell& cell : row) {
            fillFromAbove();
            for (int span = 0; span < cell.span; ++span, ++column) {
                write(span == 0 || cell.header ? cell : empty, column == 0);
                if (down.size() <= column)
                    down.resize(column + 1);
                if (cell.rows > 1)
                    down[column] = { cell.rows - 1, &cell };
            }
        }
        fillFromAbove();
        text += '\n';
    }
    return text;
}

} // namespace apportion
