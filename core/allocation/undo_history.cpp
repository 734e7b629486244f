#include "core/allocation/undo_history.h"

namespace apportion {

namespace {

    template <class... Visitors> struct Overloaded : Visitors... {
        using Visitors::operator()...;
    };
    // Clang 14 does not deduce an aggregate's template arguments by itself.
    template <class... Visitors> Overloaded(Visitors...) -> Overloaded<Visitors...>;

    // A change of the threshold or the other votes undone or done again: the seats of the other
    // board come back, while the seat total chosen and the names typed since stay, as they do
    // around every other step.
    void swapCount(Board& board, Board& other)
    {
        std::swap(board, other);
        std::swap(board.seatSelection, other.seatSelection);
        for (std::size_t i = 0; i < board.parties.size() && i < other.parties.size(); ++i)
            std::swap(board.parties[i].name, other.parties[i].name);
    }

} // namespace

void UndoHistory::record(Step step)
{
    m_steps.resize(m_done);
    m_steps.push_back(std::move(step));
    ++m_done;
}

void UndoHistory::ReplaceBoard(Board& board, Board replacement)
{
    if (replacement == board)
        return;
    std::swap(board, replacement);
    record(BoardStep { std::move(replacement) });
}

void UndoHistory::SetVoteCount(Board& board, const VoteCount& count, bool continuing)
{
    if (board.voteCount == count)
        return;
    const bool joins = continuing && m_done > 0 && m_done == m_steps.size()
        && std::holds_alternative<CountStep>(m_steps.back());
    if (joins) {
        board.SetVoteCount(count);
        return;
    }
    CountStep step { { board } };
    board.SetVoteCount(count);
    record(std::move(step));
}

void UndoHistory::SetTitle(Board& board, const std::string& title, const std::string& source)
{
    if (board.title == title && board.source == source)
        return;
    TitleStep step { title, source };
    swapTitle(board, step);
    record(std::move(step));
}

void UndoHistory::swapTitle(Board& board, TitleStep& step)
{
    std::swap(board.title, step.title);
    std::swap(board.source, step.source);
}

void UndoHistory::EnterVotes(Board& board)
{
    board.EnterVotes();
    m_steps.clear();
    m_done = 0;
}

void UndoHistory::SelectMethod(Board& board, DivisorMethod method)
{
    MethodStep step { board.method, method, board.divisorSelection, board.seatsGiven };
    board.SelectMethod(method);
    record(std::move(step));
}

void UndoHistory::GiveNextSeat(Board& board)
{
    SeatStep step;
    step.seatsBefore = board.seatsGiven;
    step.selectionBefore = board.divisorSelection;
    const std::size_t recordsBefore = board.seatHistory.size();
    std::vector<std::string> entries;
    entries.reserve(board.parties.size());
    for (const auto& party : board.parties)
        entries.push_back(party.entryText);

    board.GiveNextSeat();
    if (board.seatHistory.size() == recordsBefore)
        return; // refused: nothing changed

    step.record = board.seatHistory.back();
    const int winner = step.record.winner;
    step.entryBefore = std::move(entries[static_cast<std::size_t>(winner)]);
    step.entryAfter = board.parties[static_cast<std::size_t>(winner)].entryText;
    step.selectionAfter = board.divisorSelection;
    step.rows.reserve(board.parties.size());
    for (const auto& party : board.parties)
        step.rows.push_back(party.rows.back());
    record(std::move(step));
}

void UndoHistory::ClearAll(Board& board)
{
    ClearStep step { { board.parties, board.seatHistory, board.seatsGiven, {} } };
    board.ClearAll();
    // A clear of what is already clear is no step: undo goes straight to what it emptied.
    if (board.parties == step.parties && board.seatsGiven == step.seatsBefore)
        return;
    record(std::move(step));
}

std::vector<std::string> UndoHistory::lastVotes(const Board& board) const
{
    if (!board.CanChangeParties())
        return VoteTexts(board.parties);
    for (std::size_t step = m_done; step-- > 0;) {
        const auto* clear = std::get_if<ClearStep>(&m_steps[step]);
        if (clear && !clear->parties.front().rows.empty())
            return VoteTexts(clear->parties);
    }
    return VoteTexts(board.parties);
}

void UndoHistory::NewExample(Board& board)
{
    if (board.enterEnabled)
        return;
    NewExampleStep step { { board.parties, board.seatHistory, board.seatsGiven, lastVotes(board) },
        board.divisorSelection };
    // Parties added since a clear start empty, and those removed leave their votes behind.
    step.entriesAfter.resize(board.parties.size());
    // After a clear the boxes are empty until the user types into them: what was typed stays.
    if (board.CanChangeParties()) {
        for (std::size_t i = 0; i < board.parties.size(); ++i) {
            if (!board.parties[i].entryText.empty())
                step.entriesAfter[i] = board.parties[i].entryText;
        }
    }
    board.StartNewExample(step.entriesAfter);
    record(std::move(step));
}

template <typename Change> void UndoHistory::changeParties(Board& board, Change change)
{
    PartiesStep step { board.parties, {} };
    change();
    if (board.parties == step.before)
        return;
    step.after = board.parties;
    record(std::move(step));
}

void UndoHistory::AddParty(Board& board)
{
    changeParties(board, [&board] { board.AddParty(); });
}

void UndoHistory::RemoveLastParty(Board& board)
{
    changeParties(board, [&board] { board.RemoveLastParty(); });
}

void UndoHistory::FillParties(Board& board, int first, const std::vector<Board::PartyFill>& fill)
{
    changeParties(board, [&] { board.FillParties(first, fill); });
}

void UndoHistory::bringBack(Board& board, LeftAllocation& left)
{
    left.entriesAfter.resize(board.parties.size());
    for (std::size_t i = 0; i < board.parties.size(); ++i)
        left.entriesAfter[i] = std::move(board.parties[i].entryText);
    // Names are typed, not done: those given since the allocation was left stay.
    std::vector<PartyColumn> parties = left.parties;
    for (std::size_t i = 0; i < parties.size() && i < board.parties.size(); ++i)
        parties[i].name = std::move(board.parties[i].name);
    board.parties = std::move(parties);
    board.seatHistory = left.seatHistory;
    board.seatsGiven = left.seatsBefore;
}

void UndoHistory::Undo(Board& board)
{
    if (!CanUndo())
        return;
    --m_done;
    std::visit(
        Overloaded {
            [&board](SeatStep& step) {
                for (auto& party : board.parties) {
                    if (!party.rows.empty())
                        party.rows.pop_back();
                }
                if (!board.seatHistory.empty())
                    board.seatHistory.pop_back();
                // A seat count typed over since is what redo gives back.
                auto& entry = board.parties[static_cast<std::size_t>(step.record.winner)].entryText;
                step.entryAfter = std::move(entry);
                entry = step.entryBefore;
                board.divisorSelection = step.selectionBefore;
                board.seatsGiven = step.seatsBefore;
            },
            [&board](MethodStep& step) {
                board.method = step.before;
                board.divisors = step.before ? BuildDivisorSeries(*step.before) : DivisorSeries {};
                board.divisorSelection = step.selectionBefore;
                board.seatsGiven = step.seatsBefore;
            },
            [&board](ClearStep& step) { bringBack(board, step); },
            [&board](NewExampleStep& step) {
                bringBack(board, step);
                board.divisorSelection = step.selectionBefore;
                board.enterEnabled = false;
            },
            [&board](PartiesStep& step) {
                // What was typed since goes back with redo.
                step.after = std::move(board.parties);
                board.parties = step.before;
            },
            [&board](BoardStep& step) { std::swap(board, step.other); },
            [&board](CountStep& step) { swapCount(board, step.other); },
            [&board](TitleStep& step) { swapTitle(board, step); },
        },
        m_steps[m_done]);
}

void UndoHistory::Redo(Board& board)
{
    if (!CanRedo())
        return;
    std::visit(
        Overloaded {
            [&board](const SeatStep& step) {
                for (std::size_t i = 0; i < board.parties.size() && i < step.rows.size(); ++i)
                    board.parties[i].rows.push_back(step.rows[i]);
                board.seatHistory.push_back(step.record);
                board.parties[static_cast<std::size_t>(step.record.winner)].entryText
                    = step.entryAfter;
                board.divisorSelection = step.selectionAfter;
                board.seatsGiven = static_cast<std::int16_t>(step.seatsBefore + 1);
            },
            [&board](const MethodStep& step) { board.SelectMethod(step.after); },
            [&board](const ClearStep& step) {
                board.ClearAll();
                for (std::size_t i = 0; i < board.parties.size() && i < step.entriesAfter.size();
                     ++i)
                    board.parties[i].entryText = step.entriesAfter[i];
            },
            [&board](const NewExampleStep& step) { board.StartNewExample(step.entriesAfter); },
            [&board](const PartiesStep& step) { board.parties = step.after; },
            [&board](BoardStep& step) { std::swap(board, step.other); },
            [&board](CountStep& step) { swapCount(board, step.other); },
            [&board](TitleStep& step) { swapTitle(board, step); },
        },
        m_steps[m_done]);
    ++m_done;
}

} // namespace apportion
