// Fuzzes the reading of a pasted results table: any clipboard text, any room left in the boxes.
// A table read holds at most the parties there is room for, each with votes the board reads as
// a number that is not negative, and, filled into a board, leaves it whole.
#include "board_check.h"
#include "core/number_text.h"
#include "core/results_table.h"
#include "core/undo_history.h"

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
    if (size == 0)
        return 0;
    const int first = data[0] % maxPartyCount;
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    const auto table = ReadResultsTable(text, maxPartyCount - first);
    if (!table)
        return 0;
    if (table->parties.empty()
        || table->parties.size() > static_cast<std::size_t>(maxPartyCount - first))
        fail("a table with no parties, or more than there is room for");
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
    return 0;
}
