// Fuzzes the reading of a pasted results table: any clipboard text or HTML, any room left in the
// boxes, any vote column chosen. A table read holds at most the parties there is room for, each
// with votes the board reads as a number that is not negative, and, filled into a board, leaves
// it whole; what it leaves out it tells (rows within the block, a column among the choices), and
// its report says so.
#include "board_check.h"
#include "core/allocation/undo_history.h"
#include "core/input/html_table.h"
#include "core/input/results_table.h"
#include "core/numbers/number_text.h"
#include "core/teaching/action_report.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

using namespace apportion;

namespace {

void fail(const char* what)
{
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    const int first = data[0] % maxPartyCount;
    // The second byte: its high bit says HTML, the rest the column chosen.
    const bool html = (data[1] & 0x80) != 0;
    const int choice = data[1] & 0x7F;
    std::string text(reinterpret_cast<const char*>(data + 2), size - 2);
    if (html) {
        const auto table = HtmlTableText(text);
        if (!table)
            return 0;
        text = *table;
    }
    const auto table = ReadResultsTable(text, maxPartyCount - first, choice);
    if (!table)
        return 0;
    if (table->parties.empty()
        || table->parties.size() > static_cast<std::size_t>(maxPartyCount - first))
        fail("a table with no parties, or more than there is room for");
    if (table->choices < 1 || table->choice < 0 || table->choice >= table->choices)
        fail("the column read is not among the choices");
    const auto lines = static_cast<int>(std::count(text.begin(), text.end(), '\n')) + 1;
    for (const auto& row : table->unread) {
        if (row.line < 1 || row.line > lines)
            fail("an unread row told at a line the block does not have");
    }
    std::vector<Board::PartyFill> fill;
    for (const auto& party : table->parties) {
        if (party.votes.empty() || !(ParseNumber(party.votes) >= 0))
            fail("a party's votes do not read as a number of votes");
        fill.push_back({ party.name, party.votes });
    }
    Board board;
    board.LoadWindow();
    UndoHistory history;
    history.FillParties(board, first, fill);
    const std::string violation = BoardInvariantViolation(board);
    if (!violation.empty())
        fail(violation.c_str());
    const std::string report = ReportTablePasted(board, first, *table);
    if (!table->unread.empty() && report.find("не се четат") == std::string::npos)
        fail("rows left unread and not told");
    return 0;
}
