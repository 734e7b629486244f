// Fuzzes the board with sequences of user actions decoded from the input, and checks the
// board's invariants after every one and the all-or-nothing rule after every seat turn.
#include "board_check.h"

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

void giveSeat(Board& board)
{
    const SeatTurnSnapshot before(board);
    board.GiveNextSeat();
    check(SeatTurnViolation(before, board), "GiveNextSeat");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Input input(data, size);
    Board board;
    while (!input.empty()) {
        const char* operation = "";
        switch (input.byte() % 8) {
        case 0:
            operation = "LoadWindow";
            board.LoadWindow();
            break;
        case 1:
            operation = "SelectMethod";
            board.SelectMethod(static_cast<DivisorMethod>(input.byte() % divisorMethodCount));
            break;
        case 2:
            operation = "EnterVotes";
            board.EnterVotes();
            break;
        case 3:
            operation = "GiveNextSeat";
            giveSeat(board);
            break;
        case 4:
            operation = "ClearAll";
            board.ClearAll();
            break;
        case 5: {
            operation = "typing";
            const int party = input.byte() % partyCount;
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
                giveSeat(board);
            break;
        }
        }
        check(BoardInvariantViolation(board), operation);
    }
    return 0;
}
