// Fuzzes the board with sequences of user actions decoded from the input, through the undo
// history as the window runs them, and checks the board's invariants after every one, the
// all-or-nothing rule after every seat turn, that every undo can be redone to the board it
// undid, with parties added, removed, filled and named on the way, and, at the end, the comparison
// of the methods under a threshold.
#include "board_check.h"
#include "core/allocation/undo_history.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

using namespace apportion;

namespace {

class Input {
public:
    Input(const std::uint8_t* data, std::size_t size)
        : m_data(data)
        , m_size(size)
    {
    }
    bool empty() const { return m_position >= m_size; }
    std::uint8_t byte() { return empty() ? 0 : m_data[m_position++]; }
    std::string text(std::size_t length)
    {
        std::string result;
        while (length-- > 0 && !empty())
            result += static_cast<char>(byte());
        return result;
    }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_position = 0;
};

void check(const std::string& violation, const char* operation)
{
    if (!violation.empty()) {
        std::fprintf(stderr, "after %s: %s\n", operation, violation.c_str());
        std::abort();
    }
}

void giveSeat(Board& board, UndoHistory& history)
{
    const SeatTurnSnapshot before(board);
    history.GiveNextSeat(board);
    check(SeatTurnViolation(before, board), "GiveNextSeat");
}

void undo(Board& board, UndoHistory& history)
{
    if (!history.CanUndo()) {
        const Board before = board;
        history.Undo(board);
        check(board == before ? "" : "an undo with nothing to undo changed the board", "Undo");
        return;
    }
    const Board before = board;
    history.Undo(board);
    const Board undone = board;
    check(BoardInvariantViolation(board), "Undo");
    history.Redo(board);
    check(board == before ? "" : "redo did not give back the board before the undo", "Redo");
    history.Undo(board);
    check(board == undone ? "" : "undo after redo did not give back the undone board", "Undo");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Input input(data, size);
    Board board;
    UndoHistory history;
    while (!input.empty()) {
        const char* operation = "";
        switch (input.byte() % 15) {
        case 0:
            // A new run of the program: a new board and history.
            operation = "LoadWindow";
            board = Board();
            history = UndoHistory();
            board.LoadWindow();
            break;
        case 1:
            operation = "SelectMethod";
            history.SelectMethod(
                board, static_cast<DivisorMethod>(input.byte() % divisorMethodCount));
            break;
        case 2:
            operation = "EnterVotes";
            history.EnterVotes(board);
            break;
        case 3:
            operation = "GiveNextSeat";
            giveSeat(board, history);
            break;
        case 4:
            operation = "ClearAll";
            history.ClearAll(board);
            break;
        case 5: {
            operation = "typing";
            const auto party = input.byte() % board.parties.size();
            board.parties[party].entryText = input.text(input.byte());
            break;
        }
        case 6: {
            operation = "seat selection";
            const int high = input.byte();
            board.seatSelection = (high * 256 + input.byte()) % seatChoiceCount;
            break;
        }
        case 7: {
            operation = "GiveNextSeat, repeated";
            for (int turns = input.byte(); turns > 0; --turns)
                giveSeat(board, history);
            break;
        }
        case 8:
            operation = "Undo";
            undo(board, history);
            break;
        case 9:
            operation = "Redo";
            history.Redo(board);
            break;
        case 10: {
            operation = "NewExample";
            const Board before = board;
            history.NewExample(board);
            check(NewExampleViolation(before, board), operation);
            break;
        }
        case 11:
            if (input.byte() % 2 == 0) {
                operation = "AddParty";
                history.AddParty(board);
            } else {
                operation = "RemoveLastParty";
                history.RemoveLastParty(board);
            }
            break;
        case 12: {
            // A pasted block: its length and its first party from the input, names and votes too.
            operation = "FillParties";
            const int first = input.byte() % (maxPartyCount + 2) - 1;
            std::vector<Board::PartyFill> fill(input.byte() % (maxPartyCount + 3));
            for (auto& party : fill) {
                party.name = input.text(input.byte() % 8);
                party.votes = input.text(input.byte() % 12);
            }
            history.FillParties(board, first, fill);
            break;
        }
        case 13: {
            operation = "naming";
            const auto party = input.byte() % board.parties.size();
            board.parties[party].name = input.text(input.byte() % 16);
            break;
        }
        case 14: {
            // A threshold of 0 % to 20 % and other votes, possibly going on from the last change.
            operation = "SetVoteCount";
            const double threshold = (input.byte() % 41) * 0.5;
            const long long others = input.byte() * 100000LL;
            history.SetVoteCount(board, { threshold, others }, input.byte() % 2 == 0);
            break;
        }
        }
        check(BoardInvariantViolation(board), operation);
    }
    // The methods compared for what the input left, under a threshold of 0 % to 20 %.
    check(ComparisonViolation(CompareMethods(board, (input.byte() % 41) * 0.5)), "CompareMethods");
    return 0;
}
