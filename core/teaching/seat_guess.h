#pragma once

#include "core/allocation/board.h"

#include <optional>
#include <string>

namespace apportion {

// "Познай следващия мандат": before a seat is given the class names the party it expects to win
// it; the seat then tells whether it was right, with the winning quotient against the one
// guessed, and the score counts the seats guessed and those guessed right. A seat given with no
// guess is simply given and not counted.
struct GuessScore {
    int right = 0;
    int guessed = 0;
    bool operator==(const GuessScore&) const = default;
};

// "7 от 10".
std::string ScoreText(const GuessScore& score);

// Whether `party` can be guessed on this board: one of its parties, while the allocation can
// give a seat.
bool CanGuess(const Board& board, int party);

// The line as the mode is turned on: how to guess, and what to do first where the votes are not
// entered yet.
std::string ReportGuessingOn(const Board& board);
// The line as it is turned off, with the score.
std::string ReportGuessingOff(const GuessScore& score);
// Why `party` cannot be guessed now.
std::string ReportNoGuess(const Board& board, int party);

// The line while a guess waits for "Търси": "Предположение: ГЕРБ-СДС — „Търси“ ще покаже."
std::string ReportGuessTaken(const Board& board, int party);

// Judges the guess against the seat the board's newest turn gave, counts it in `score`, and says
// right or wrong and why: "Позна! Мандат № 8 — ГЕРБ-СДС с 64293.1. Познати: 7 от 10." or "Не
// позна: мандат № 8 взе ПП-ДБ с 69215.5, а Възраждане имаше 65092. Познати: 6 от 10." The
// quotients are the rows that competed, as the lists show them.
std::string JudgeGuess(const Board& after, int guessed, GuessScore& score);

} // namespace apportion
