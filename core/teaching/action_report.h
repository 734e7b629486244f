#pragma once

#include "core/allocation/board.h"
#include "core/input/results_table.h"

#include <cstdint>
#include <string>

namespace apportion {

// What the last action did, in one line a class can read aloud from the window: the seat and its
// division, why a seat or a copy was refused and what to do next, what undo, redo, a clear or a
// new example changed. Built from the board and its seat history, in Bulgarian.

// At start, and when nothing has been done yet.
std::string ReportStart();
// After entering the votes, with every party whose vote text reads as another number than it
// shows ("„12,5“ се чете като 12.") or as fewer than none.
std::string ReportVotesEntered(const Board& board);
// After a seat turn: the seat, the party, the division that won unrounded and rounded, the seats
// the party now holds; for a tie, the tied parties and the rule that settled it.
std::string ReportSeat(const Board& board);
// After the threshold or the other votes changed from `before` to `after`: the new line and
// who is under it, and, where seats were given, how they moved when given again.
std::string ReportVoteCount(const Board& before, const Board& after);
// After "Търси" gave no seat: why, and what lets the allocation go on.
std::string ReportNoSeat(const Board& board);
// After a seat total was chosen: the total, and whether seats are left to give.
std::string ReportSeatTotal(const Board& board);
// After a method was chosen.
std::string ReportMethod(const Board& board);
// After the lists were cleared.
std::string ReportCleared();
// After the allocation was left for a new example.
std::string ReportNewExample();
// After an undo or a redo took the board from `before` to `after`.
std::string ReportHistoryStep(const Board& before, const Board& after, bool redo);
// After a party was added or the last one removed.
std::string ReportPartyAdded(const Board& board);
std::string ReportPartyRemoved(const Board& board);
// After a results table was pasted into the parties from `first` on: how many, whether with
// names, the column the votes came from and how to take another, the rows left out (unread,
// the count's, the smallest for want of room, whose votes went into the other votes, which now
// stand on the board) and the footnote marks passed over.
std::string ReportTablePasted(const Board& board, int first, const ResultsTable& table);
// Why a results table on the clipboard was not pasted: the votes are entered.
std::string ReportTableNotPasted();
// After the worked table was copied, or why nothing was.
std::string ReportCopied(const Board& board);
// A kept lesson in a few words: its title where it has one, when it was kept ("14:05"), and the
// seats given of the seat total where any were ("„…“, 14:05, 12 мандата дадени от 240").
std::string KeptLessonSummary(
    const std::string& when, const std::string& title, int seatsGiven, int seatTotal);
// At start, the lesson a window kept when it was last used: how to bring it back, and how many
// more were kept by windows no longer open.
std::string ReportLastLessonOffered(const std::string& when, const std::string& title,
    int seatsGiven, int seatTotal, int others = 0);
// Once, where the lessons cannot be kept: why (a sentence).
std::string ReportLessonNotKept(const std::string& why);
// After the lesson's title was set.
std::string ReportTitle(const Board& board);
// After a paste that began a new lesson's inputs: what of the lesson before was cleared (its
// title and other votes) and that its threshold stays; empty where nothing was cleared.
std::string ReportLessonInputsCleared(const Board& before);
// A lesson opened from the named file, or the last one brought back from `when`: what it holds
// and how far it went.
std::string ReportLessonOpened(const Board& board, const std::string& fileName);
std::string ReportLastLessonBack(const Board& board, const std::string& when);
std::string ReportNothingToCopy(const Board& board);

} // namespace apportion
