#include "board_check.h"
#include "core/allocation/undo_history.h"

#include <gtest/gtest.h>

#include <string>

using namespace apportion;

namespace {

// Actions by letter: e enter the votes, s give a seat, 0-4 choose a method, c clear, u undo,
// r redo. Every undo is checked both ways: redoing it gives back the board before it, and undoing
// again the board after it.
Board run(const std::string& actions, bool withHistory)
{
    Board board;
    board.LoadWindow();
    board.seatSelection = 9;
    UndoHistory history;
    for (char action : actions) {
        switch (action) {
        case 'e':
            withHistory ? history.EnterVotes(board) : board.EnterVotes();
            break;
        case 's':
            withHistory ? history.GiveNextSeat(board) : board.GiveNextSeat();
            break;
        case 'c':
            withHistory ? history.ClearAll(board) : board.ClearAll();
            break;
        case 'u': {
            const Board before = board;
            if (!history.CanUndo()) {
                history.Undo(board);
                EXPECT_EQ(board, before) << "undo with nothing to undo, at " << actions;
                break;
            }
            history.Undo(board);
            const Board undone = board;
            history.Redo(board);
            EXPECT_EQ(board, before) << "redo after undo, at " << actions;
            history.Undo(board);
            EXPECT_EQ(board, undone) << "undo after redo, at " << actions;
            break;
        }
        case 'r':
            history.Redo(board);
            break;
        default: {
            const auto method = static_cast<DivisorMethod>(action - '0');
            withHistory ? history.SelectMethod(board, method) : board.SelectMethod(method);
        }
        }
        EXPECT_EQ(BoardInvariantViolation(board), "") << "after " << action << " in " << actions;
    }
    return board;
}

struct UndoCase {
    const char* name;
    const char* actions;
    const char* sameAs; // the same board built without the history
};

class Undo : public testing::TestWithParam<UndoCase> { };

TEST_P(Undo, GivesBackTheBoardBuiltWithoutTheUndoneActions)
{
    const auto& c = GetParam();
    EXPECT_EQ(run(c.actions, true), run(c.sameAs, false));
}

INSTANTIATE_TEST_SUITE_P(Sequences, Undo,
    testing::Values(UndoCase { "Seats", "esssssuu", "esss" },
        UndoCase { "MistakenClear", "esssscu", "essss" },
        UndoCase { "MethodChangeAndItsSeat", "esss2suu", "esss" },
        UndoCase { "RedoReplays", "esssuurr", "esss" },
        UndoCase { "NewActionDropsRedo", "esssuusr", "ess" },
        UndoCase { "ClearThenEarlierSeats", "esscuuu", "e" },
        UndoCase { "EnteringCannotBeUndone", "1essuuuu", "1e" },
        UndoCase { "RefusedSeatsAreNoActions", "essssssssssssu", "esssssssss" },
        UndoCase { "NothingToUndo", "uur", "" }),
    [](const auto& row) { return std::string(row.param.name); });

TEST(Undo, KeepsWhatWasTypedBetweenActions)
{
    Board board;
    board.LoadWindow();
    UndoHistory history;
    history.EnterVotes(board);
    history.GiveNextSeat(board);
    board.parties[4].entryText = "typed";
    history.GiveNextSeat(board);
    history.Undo(board);
    history.Undo(board);
    EXPECT_EQ(board.parties[0].entryText, "0");
    EXPECT_EQ(board.parties[4].entryText, "typed");
}

// After a clear, a new example takes the cleared votes only into the boxes left empty.
TEST(Undo, NewExampleAfterAClearKeepsTypedVotes)
{
    Board board;
    board.LoadWindow();
    UndoHistory history;
    history.EnterVotes(board);
    history.GiveNextSeat(board);
    history.ClearAll(board);
    board.parties[1].entryText = "1234567";
    history.NewExample(board);
    EXPECT_EQ(board.parties[0].entryText, "58125");
    EXPECT_EQ(board.parties[1].entryText, "1234567");
    EXPECT_EQ(board.parties[4].entryText, "12264");
    history.Undo(board);
    history.Redo(board);
    EXPECT_EQ(board.parties[1].entryText, "1234567");
}

} // namespace
