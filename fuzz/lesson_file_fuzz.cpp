// Fuzzes the reading of a lesson file: any bytes either read as a lesson or are refused with a
// reason. A lesson read gives a whole board, writing it and reading it back gives it again, and
// the board it opens on, saved, opens the same.
#include "board_check.h"
#include "lesson/lesson_file.h"

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
    const std::string text(reinterpret_cast<const char*>(data), size);
    const LessonReading reading = ReadLesson(text);
    if (reading.lesson.has_value() == !reading.error.empty())
        fail("a lesson both read and refused, or neither");
    if (!reading.lesson)
        return 0;
    const Lesson& lesson = *reading.lesson;
    if (lesson.parties.size() < static_cast<std::size_t>(minPartyCount)
        || lesson.parties.size() > static_cast<std::size_t>(maxPartyCount))
        fail("a lesson with too few or too many parties");
    const Board board = BoardOf(lesson);
    if (!BoardInvariantViolation(board).empty())
        fail(BoardInvariantViolation(board).c_str());
    // Fewer only where a party would pass the most seats one party can hold.
    if (lesson.seatsGiven && board.seatsGiven > *lesson.seatsGiven)
        fail("an opened lesson gives more seats than it says were given");
    if (!(BoardOf(LessonOf(board)) == board))
        fail("a lesson opened and saved again does not open the same");
    const LessonReading again = ReadLesson(WriteLesson(lesson));
    if (!again.lesson || !(*again.lesson == lesson))
        fail("a lesson written does not read back as itself");
    return 0;
}
