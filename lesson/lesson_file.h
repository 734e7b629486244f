#pragma once

#include "core/allocation/board.h"
#include "core/comparison/vote_threshold.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace apportion {

// A lesson as a file keeps it: what the teacher typed and chose, and how far the allocation went.
// The rows and marks follow from these, so an opened lesson gives its seats again one by one.
struct Lesson {
    // Seats given one after another under one method.
    struct SeatRun {
        DivisorMethod method = DivisorMethod::DHondt;
        int seats = 0; // 1 to 300
        bool operator==(const SeatRun&) const = default;
    };

    std::string title; // "51-во Народно събрание", empty where the lesson has none
    std::string source; // where its numbers come from, empty where not said
    std::vector<Board::PartyFill> parties; // names and vote texts as typed, 2 to 12
    DivisorMethod method = DivisorMethod::DHondt;
    int seatTotal = 7; // 1 to 300
    VoteCount count; // the threshold (0 to 20 %) and the other votes
    // Seats given since `method` was last chosen, 0 to 300; none while the votes are not entered.
    std::optional<int> seatsGiven;
    // Seats given before that, under the methods chosen in the middle of the allocation, in
    // order; empty where the method did not change. At most largestEarlierSeats in all.
    std::vector<SeatRun> earlierSeats;
    // Once the votes are entered, the boxes show each party's seat count; a box typed over since
    // keeps what was typed: its party, from 0, and its text, in the parties' order.
    std::vector<std::pair<int, std::string>> typedOver;

    bool operator==(const Lesson&) const = default;
};

inline constexpr int lessonVersion = 1;
inline constexpr const char* lessonExtension = "mandati";
inline constexpr double largestLessonThreshold = 20;
inline constexpr int largestEarlierSeats = 10 * seatChoiceCount;
inline constexpr std::size_t largestLessonFile = 1 << 20; // bytes: a lesson is a few hundred

// The lesson on the board.
Lesson LessonOf(const Board& board);
// A board that shows the lesson: its parties, method and seat total, and, where the votes were
// entered, its seats given again in turn, each under the method that gave it, and the seat count
// since the method was chosen as it was, whatever the seat total was changed to since.
Board BoardOf(const Lesson& lesson);

// The lesson as UTF-8 text, one field to a line:
//   мандати-урок 1
//   заглавие: 51-во Народно събрание, 27 октомври 2024 г.
//   източник: Централна избирателна комисия
//   метод: D’Hondt
//   мандати: 240
//   праг: 4
//   други гласове: 99453
//   дадени мандати: 240
//   партия: ГЕРБ-СДС
//   гласове: 642931
// and a "партия" and "гласове" line for each party in turn, with "в кутията: …" after them for a
// box typed over once the votes were entered. "заглавие" and "източник" are left
// out where empty, and "дадени мандати" while the votes are not entered. Seats given before the
// method was last changed come in one more line, run by run: "по-рано дадени: 3 D’Hondt, 2
// Sainte-Lague".
std::string WriteLesson(const Lesson& lesson);

// Reads a lesson written by WriteLesson or by hand: blank lines and lines starting with "#" are
// skipped, the fields may come in any order after the first line, a missing field keeps its
// value at start. Never fails on any input: what it cannot read it refuses with the line and what
// is wrong, in a sentence ("ред 3: „мандати“ трябва да е цяло число от 1 до 300, а е „3OO“.").
struct LessonReading {
    std::optional<Lesson> lesson;
    std::string error; // empty when read
};
LessonReading ReadLesson(std::string_view text);

} // namespace apportion
