#pragma once

#include "core/allocation/board.h"

#include <cstddef>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace apportion {

// Undo and redo of the actions that change an allocation: seat turns, method choices, clearing
// and leaving it for a new example. Each action is kept as what it changed, not as a copy of the
// board, so a 300-seat allocation costs a few hundred bytes a seat. Entering the votes starts the
// history afresh: it cannot be undone. Typing and choosing a seat total are not actions; what they
// changed stays when an action around them is undone.
//
// The board must change only through this history (typing aside) for undo to find it as the
// action left it.
class UndoHistory {
public:
    void EnterVotes(Board& board);
    void SelectMethod(Board& board, DivisorMethod method);
    void GiveNextSeat(Board& board);
    // Nothing is recorded where the board was clear already.
    void ClearAll(Board& board);
    // Leaves the allocation for a new example with the same votes (Board::StartNewExample): the
    // vote totals of the allocation, or of the one a clear emptied where nothing was typed into
    // the emptied box since. Does nothing while the votes can still be entered.
    void NewExample(Board& board);
    // Board::AddParty, RemoveLastParty and FillParties, each one step; nothing is recorded where
    // the parties could not change.
    void AddParty(Board& board);
    void RemoveLastParty(Board& board);
    void FillParties(Board& board, int first, const std::vector<Board::PartyFill>& fill);
    // Puts a whole other board in place, a lesson opened or brought back: one step, undone by
    // putting the board before back (what was typed since goes back with redo). Nothing is
    // recorded where the board is already the same.
    void ReplaceBoard(Board& board, Board replacement);
    // Board::SetVoteCount as one step. With `continuing`, a change that goes on from the last
    // step, itself a change of the threshold or the other votes with nothing done or undone
    // since, joins that step: a burst of typing in one box is undone at once. Nothing is
    // recorded where the count is the same.
    void SetVoteCount(Board& board, const VoteCount& count, bool continuing = false);
    // Gives the lesson a title and a source, as one step; nothing is recorded where both are
    // the same.
    void SetTitle(Board& board, const std::string& title, const std::string& source);

    bool CanUndo() const { return m_done > 0; }
    bool CanRedo() const { return m_done < m_steps.size(); }
    // Each does nothing when there is nothing to undo or redo.
    void Undo(Board& board);
    void Redo(Board& board);

private:
    // What an action changed. What it left that the user typed over afterwards is taken when it
    // is undone, so redo gives back the board exactly as undo found it.
    struct SeatStep {
        std::int16_t seatsBefore = 0;
        std::optional<int> selectionBefore;
        std::optional<int> selectionAfter;
        std::string entryBefore; // the winner's seat count
        std::string entryAfter;
        std::vector<std::string> rows; // the row appended to each column
        SeatRecord record;
    };
    struct MethodStep {
        std::optional<DivisorMethod> before;
        DivisorMethod after = DivisorMethod::DHondt;
        std::optional<int> selectionBefore;
        std::int16_t seatsBefore = 0;
    };
    // An allocation left whole, by a clear or for a new example.
    struct LeftAllocation {
        std::vector<PartyColumn> parties;
        std::vector<SeatRecord> seatHistory;
        std::int16_t seatsBefore = 0;
        std::vector<std::string> entriesAfter; // empty or the votes, or typed since
    };
    struct ClearStep : LeftAllocation { };
    struct NewExampleStep : LeftAllocation {
        std::optional<int> selectionBefore;
    };
    // Parties added, removed or filled while no column held rows: the columns before and after,
    // names and vote texts, with what was typed since kept for redo.
    struct PartiesStep {
        std::vector<PartyColumn> before;
        std::vector<PartyColumn> after;
    };
    // A whole board replaced: the other one, swapped in by undo and by redo alike.
    struct BoardStep {
        Board other;
    };
    // The threshold or the other votes changed, with the seats given again under them: swapped
    // whole like a board replaced, and told apart so that a burst of changes joins one step.
    struct CountStep : BoardStep { };
    // The lesson's title and source before or after, swapped in by undo and redo alike.
    struct TitleStep {
        std::string title;
        std::string source;
    };
    using Step = std::variant<SeatStep, MethodStep, ClearStep, NewExampleStep, PartiesStep,
        BoardStep, CountStep, TitleStep>;

    static void swapTitle(Board& board, TitleStep& step);
    // Puts a left allocation back on the board, keeping what was typed since for redo.
    static void bringBack(Board& board, LeftAllocation& left);
    // The vote texts of the allocation on the board or, once cleared, of the one the clear emptied.
    std::vector<std::string> lastVotes(const Board& board) const;
    // Records the change of parties `change` makes, if it makes one.
    template <typename Change> void changeParties(Board& board, Change change);

    void record(Step step);

    std::vector<Step> m_steps;
    std::size_t m_done = 0; // steps [0, m_done) are done, the rest undone
};

} // namespace apportion
