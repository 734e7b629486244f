#include "core/teaching/seat_guess.h"

#include "core/numbers/number_text.h"
#include "core/teaching/party_names.h"

#include <algorithm>

namespace apportion {

namespace {

    // The row party `party` competed with for seat `seat`: its row `seat`, which a turn it lost
    // repeats and a turn it won follows with its next quotient.
    std::string competedRow(const Board& board, int party, int seat)
    {
        const auto& rows = board.parties[static_cast<std::size_t>(party)].rows;
        const auto row = static_cast<std::size_t>(seat);
        return row < rows.size() ? rows[row] : std::string();
    }

} // namespace

std::string ScoreText(const GuessScore& score)
{
    return std::to_string(score.right) + " от " + std::to_string(score.guessed);
}

bool CanGuess(const Board& board, int party)
{
    return party >= 0 && static_cast<std::size_t>(party) < board.parties.size()
        && !board.enterEnabled && !board.parties.front().rows.empty()
        && board.seatsGiven < board.SeatTotal();
}

std::string ReportGuessingOn(const Board& board)
{
    const std::string how = "Познай следващия мандат: преди „Търси“ изберете партията, която ще го "
                            "вземе — щракнете колоната ѝ или натиснете номера ѝ (1–"
        + std::to_string(std::min<std::size_t>(board.parties.size(), 9))
        + (board.parties.size() >= 10 ? ", 0 за 10-та, 1 и 1 за 11-та" : "") + ").";
    return board.enterEnabled ? how + " Първо „Въведи“." : how;
}

std::string ReportGuessingOff(const GuessScore& score)
{
    return "Познай следващия мандат е изключено."
        + (score.guessed > 0 ? " Познати: " + ScoreText(score) + "." : std::string());
}

std::string ReportNoGuess(const Board& board, int party)
{
    if (party < 0 || static_cast<std::size_t>(party) >= board.parties.size())
        return "Няма партия " + std::to_string(party + 1) + ": партиите са "
            + std::to_string(board.parties.size()) + ".";
    if (board.enterEnabled || board.parties.front().rows.empty())
        return "Предположението идва след „Въведи“: първо въведете гласовете.";
    return "Всички мандати са дадени: няма следващ за познаване.";
}

std::string ReportGuessTaken(const Board& board, int party)
{
    return "Предположение: " + PartyHeading(NamesOf(board.parties), party)
        + " — „Търси“ ще покаже.";
}

std::string JudgeGuess(const Board& after, int guessed, GuessScore& score)
{
    if (after.seatHistory.empty() || guessed < 0
        || static_cast<std::size_t>(guessed) >= after.parties.size())
        return {};
    const SeatRecord& record = after.seatHistory.back();
    const PartyNames names = NamesOf(after.parties);
    const std::string won = competedRow(after, record.winner, record.seat);
    ++score.guessed;
    std::string text;
    if (guessed == record.winner) {
        ++score.right;
        text = "Позна! Мандат № " + std::to_string(record.seat) + " — "
            + PartyHeading(names, record.winner) + " с " + won + ".";
    } else {
        const std::string had = competedRow(after, guessed, record.seat);
        text = "Не позна: мандат № " + std::to_string(record.seat) + " взе "
            + PartyName(names, record.winner) + " с " + won + ", а " + PartyName(names, guessed)
            + " имаше " + had;
        // Equal quotients go to the party further left.
        text += ParseNumber(had) == ParseNumber(won) ? " — равно, печели по-лявата." : ".";
    }
    return text + " Познати: " + ScoreText(score) + ".";
}

} // namespace apportion
