#include "core/allocation/undo_history.h"
#include "core/teaching/action_report.h"
#include "lesson/lesson_file.h"

#include "core/comparison/method_comparison.h"
#include "core/numbers/exact_number.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

using namespace apportion;

namespace {

// A lesson saved midway reads back as itself, and opens on a board that shows the same rows.
TEST(LessonFile, SavedMidwayOpensTheSame)
{
    Board board;
    board.LoadWindow();
    board.FillParties(0, { { "ГЕРБ-СДС", "642931" }, { "", "346 063" }, { "Величие", "97430.5" } });
    board.SelectMethod(DivisorMethod::SainteLague);
    board.seatSelection = 11;
    board.EnterVotes();
    for (int seat = 0; seat < 5; ++seat)
        board.GiveNextSeat();
    board.SetVoteCount({ 4.5, 1234 });
    const Lesson lesson = LessonOf(board);
    const std::string text = WriteLesson(lesson);
    EXPECT_NE(text.find("метод: Sainte-Lague\nмандати: 12\nпраг: 4.5\nдруги гласове: 1234\n"
                        "дадени мандати: 5\nпартия: ГЕРБ-СДС\nгласове: 642931\n"),
        std::string::npos)
        << text;
    const LessonReading reading = ReadLesson(text);
    ASSERT_TRUE(reading.lesson) << reading.error;
    EXPECT_EQ(*reading.lesson, lesson);
    EXPECT_EQ(BoardOf(*reading.lesson), board);

    // Before the votes are entered nothing is given, and the boxes keep what was typed.
    Board typed;
    typed.LoadWindow();
    typed.parties[0].entryText = "12,5";
    const Lesson notEntered = LessonOf(typed);
    EXPECT_FALSE(notEntered.seatsGiven);
    EXPECT_EQ(WriteLesson(notEntered).find("дадени"), std::string::npos);
    EXPECT_EQ(BoardOf(*ReadLesson(WriteLesson(notEntered)).lesson), typed);
}

// A box typed over once the votes were entered (where the seat count stands) comes back as it
// was, and the next seat counts on from what it shows, as it would have.
TEST(LessonFile, BoxTypedOverAfterEnteringComesBack)
{
    Board board;
    board.LoadWindow();
    board.EnterVotes();
    board.GiveNextSeat(); // the first party's
    board.parties[0].entryText = "5";
    board.parties[2].entryText = "";
    const Lesson lesson = LessonOf(board);
    EXPECT_EQ(
        lesson.typedOver, (std::vector<std::pair<int, std::string>> { { 0, "5" }, { 2, "" } }));
    const std::string text = WriteLesson(lesson);
    EXPECT_NE(text.find("гласове: 58125\nв кутията: 5\n"), std::string::npos) << text;
    const LessonReading reading = ReadLesson(text);
    ASSERT_TRUE(reading.lesson) << reading.error;
    EXPECT_EQ(*reading.lesson, lesson);
    Board opened = BoardOf(*reading.lesson);
    EXPECT_EQ(opened.parties[0].entryText, "5");
    EXPECT_EQ(opened.parties[2].entryText, "");
    EXPECT_EQ(opened.parties[1].entryText, "0");
    board.GiveNextSeat();
    opened.GiveNextSeat();
    EXPECT_EQ(opened.parties, board.parties);
    // Before the votes are entered there is no seat count to type over: none is kept.
    EXPECT_TRUE(ReadLesson("мандати-урок 1\nпартия: А\nгласове: 1\nв кутията: 7\nпартия: Б\n")
                    .lesson->typedOver.empty());
}

// An allocation whose method or seat total changed midway opens as it was: every row, the seat
// count since the last method was chosen, and what the next seat does.
struct Midway {
    const char* name;
    std::vector<std::pair<DivisorMethod, int>> runs; // a method chosen, then seats given
    int seatTotalAfter; // the seat total chosen at the end, 1 to 300
    std::string earlier; // the line the lesson writes for the runs before the last, or empty
    std::string said; // how the line under the controls ends when it opens
};

class MidwayTest : public testing::TestWithParam<Midway> { };

TEST_P(MidwayTest, OpensAsItWas)
{
    Board board;
    board.LoadWindow();
    board.seatSelection = 9;
    board.EnterVotes();
    for (const auto& [method, seats] : GetParam().runs) {
        board.SelectMethod(method);
        for (int seat = 0; seat < seats; ++seat)
            board.GiveNextSeat();
    }
    board.seatSelection = GetParam().seatTotalAfter - 1;
    const std::string text = WriteLesson(LessonOf(board));
    const auto at = text.find("по-рано дадени: ");
    EXPECT_EQ(at == std::string::npos ? "" : text.substr(at, text.find('\n', at) - at),
        GetParam().earlier);
    const LessonReading reading = ReadLesson(text);
    ASSERT_TRUE(reading.lesson) << reading.error;
    Board opened = BoardOf(*reading.lesson);
    EXPECT_EQ(opened, board) << text;
    const std::string said = ReportLessonOpened(opened, "урок.mandati");
    EXPECT_EQ(said.substr(said.rfind("; ") + 2), GetParam().said);
    opened.seatSelection = board.seatSelection = 299;
    opened.GiveNextSeat();
    board.GiveNextSeat();
    EXPECT_EQ(opened, board);
}

INSTANTIATE_TEST_SUITE_P(Allocations, MidwayTest,
    testing::Values(
        Midway { "OneMethod", { { DivisorMethod::DHondt, 4 } }, 10, "", "4 са дадени." },
        Midway { "MethodChanged",
            { { DivisorMethod::DHondt, 3 }, { DivisorMethod::SainteLague, 2 },
                { DivisorMethod::Danish, 1 } },
            10, "по-рано дадени: 3 D’Hondt, 2 Sainte-Lague", "6 са дадени (1 с Danish)." },
        // Chosen again, the same method starts its count anew.
        Midway { "SameMethodAgain", { { DivisorMethod::DHondt, 6 }, { DivisorMethod::DHondt, 2 } },
            10, "по-рано дадени: 6 D’Hondt", "8 са дадени (2 с D’Hondt)." },
        Midway { "ChangedThenNoSeats",
            { { DivisorMethod::DHondt, 2 }, { DivisorMethod::Imperali, 0 } }, 10,
            "по-рано дадени: 2 D’Hondt", "2 са дадени (0 с Imperali)." },
        // The seat total lowered under the seats given keeps every seat.
        Midway { "SeatTotalLowered", { { DivisorMethod::DHondt, 8 } }, 3, "", "8 са дадени." }),
    [](const auto& row) { return std::string(row.param.name); });

struct Refused {
    const char* name;
    std::string text;
    std::string error; // the start of the reason
};

class LessonRefusedTest : public testing::TestWithParam<Refused> { };

TEST_P(LessonRefusedTest, SaysWhichLineAndWhy)
{
    const LessonReading reading = ReadLesson(GetParam().text);
    EXPECT_FALSE(reading.lesson);
    EXPECT_EQ(reading.error.substr(0, GetParam().error.size()), GetParam().error) << reading.error;
}

const std::string head = "мандати-урок 1\n";
const std::string twoParties = "партия: А\nгласове: 1\nпартия: Б\nгласове: 2\n";

INSTANTIATE_TEST_SUITE_P(Files, LessonRefusedTest,
    testing::Values(Refused { "Empty", "", "файлът е празен" },
        Refused { "AnotherProgram", "<html>\n", "ред 1: не е урок на „Мандати“" },
        Refused { "Newer", "мандати-урок 2\n", "ред 1: урокът е от по-нова версия" },
        Refused { "NotUtf8", head + "партия: \xE0\xE1\n", "файлът не е текст в UTF-8" },
        Refused { "CutMidLetter", head + "партия: \xD0", "файлът не е текст в UTF-8" },
        Refused { "TypoInSeats", head + "# ръчно\nмандати: 3OO\n",
            "ред 3: „мандати“ трябва да е цяло число от 1 до 300, а е „3OO“." },
        Refused { "SeatsPastTheMost", head + "мандати: 301\n", "ред 2: „мандати“" },
        Refused { "NoSeats", head + "мандати: 0\n", "ред 2: „мандати“" },
        Refused { "BoxBeforeAnyParty", head + "в кутията: 3\n", "ред 2: „в кутията“ без ред" },
        Refused { "TwoBoxesForAParty", head + "партия: А\nв кутията: 3\nв кутията: 4\n",
            "ред 4: „в кутията“ без ред" },
        Refused { "ThresholdPastTwenty", head + "праг: 25\n", "ред 2: „праг“" },
        Refused { "ThresholdHundredths", head + "праг: 4.55\n", "ред 2: „праг“" },
        Refused { "NegativeOthers", head + "други гласове: -5\n", "ред 2: „други гласове“" },
        Refused { "UnknownMethod", head + "метод: Hare\n", "ред 2: непознат метод „Hare“" },
        Refused { "UnknownField", head + "цвят: син\n", "ред 2: непознато поле „цвят“" },
        Refused { "NoColon", head + "партия А\n", "ред 2: липсва „:“" },
        Refused { "VotesBeforeParty", head + "гласове: 5\n", "ред 2: „гласове“ без ред" },
        Refused { "OneParty", head + "партия: А\n", "урокът има 1 партии" },
        Refused { "ThirteenParties",
            [] {
                std::string text = head;
                for (int i = 0; i < 13; ++i)
                    text += "партия: П\n";
                return text;
            }(),
            "ред 14: партиите са повече от 12" },
        Refused { "EarlierRunOfNoMethod", head + "дадени мандати: 1\nпо-рано дадени: 3 Hare\n",
            "ред 3: „по-рано дадени“ трябва да е списък" },
        Refused { "EarlierRunPastTheMost", head + "по-рано дадени: 301 Danish\n",
            "ред 2: „по-рано дадени“" },
        Refused { "EarlierRunOfNoSeats", head + "по-рано дадени: 2 Danish, 0 D’Hondt\n",
            "ред 2: „по-рано дадени“" },
        Refused { "EarlierBeforeVotes", head + "по-рано дадени: 2 Danish\n" + twoParties,
            "„по-рано дадени“ без „дадени мандати“" }),
    [](const auto& row) { return std::string(row.param.name); });

// Written by hand: comments, blank lines, any order, a keyboard's apostrophe, "," in the
// threshold, a byte-order mark, Windows line ends.
TEST(LessonFile, ReadsAFileWrittenByHand)
{
    const LessonReading reading = ReadLesson(
        "\xEF\xBB\xBF# Урок за 7 клас\r\nмандати-урок 1\r\n\r\nпартия: А\r\nгласове: 1 000\r\n"
        "партия:\r\nпраг: 4,5\r\nметод: D'Hondt\r\n");
    ASSERT_TRUE(reading.lesson) << reading.error;
    const Lesson& lesson = *reading.lesson;
    EXPECT_EQ(lesson.parties.size(), 2u);
    EXPECT_EQ(lesson.parties[0].votes, "1 000");
    EXPECT_EQ(lesson.parties[1].name, "");
    EXPECT_EQ(lesson.count.threshold, 4.5);
    EXPECT_EQ(lesson.method, DivisorMethod::DHondt);
    EXPECT_EQ(lesson.seatTotal, 7);
    EXPECT_FALSE(lesson.seatsGiven);
}

// Numbers grouped as the Bulgarian locale groups them (no-break and narrow no-break spaces)
// open as the vote box would read them typed: the whole number, shown with plain blanks.
TEST(LessonFile, ReadsNumbersGroupedWithAnySpace)
{
    const LessonReading reading
        = ReadLesson("мандати-урок 1\nпраг: 4\xC2\xA0\nдруги гласове: 99\xC2\xA0"
                     "453\nпартия: ГЕРБ-СДС\nгласове: 642\xC2\xA0"
                     "931\nпартия: ДПС-Ново начало\nгласове: 281\xE2\x80\xAF"
                     "366\xC2\xA0\n");
    ASSERT_TRUE(reading.lesson) << reading.error;
    const Board board = BoardOf(*reading.lesson);
    EXPECT_EQ(board.parties[0].entryText, "642 931");
    EXPECT_EQ(board.parties[1].entryText, "281 366");
    EXPECT_EQ(ReadVotes(VoteTexts(board.parties)).totals.written,
        (std::vector<std::string> { "642931", "281366" }));
    EXPECT_EQ(reading.lesson->count.otherVotes, 99453);
    EXPECT_EQ(reading.lesson->count.threshold, 4);
}

std::optional<Lesson> example(const char* name)
{
    std::ifstream file(std::filesystem::path(LESSON_EXAMPLES_DIR) / std::filesystem::u8path(name),
        std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    const LessonReading reading = ReadLesson(text.str());
    EXPECT_TRUE(reading.error.empty()) << name << ": " << reading.error;
    return reading.lesson;
}

// The examples that come with the program open, and give the official seats.
TEST(LessonFile, ExamplesGiveTheOfficialSeats)
{
    const auto assembly = example("народно-събрание-51.mandati");
    ASSERT_TRUE(assembly);
    const MethodComparison compared = CompareMethods(BoardOf(*assembly));
    EXPECT_EQ(compared.hareNiemeyer.seats, (std::vector { 69, 37, 35, 30, 20, 19, 18, 12, 0 }));
    EXPECT_EQ(compared.thresholdLine.lacking.back(), "29");
    EXPECT_EQ(assembly->parties.back().name, "Величие");

    const auto start = example("пример.mandati");
    ASSERT_TRUE(start);
    Board atStart;
    atStart.LoadWindow();
    atStart.title = "Примерът от началото: пет партии, 7 мандата";
    EXPECT_EQ(BoardOf(*start), atStart);
    EXPECT_EQ(assembly->title, "51-во Народно събрание, 27 октомври 2024 г.");
    EXPECT_EQ(assembly->source, "Централна избирателна комисия, действителни гласове");
}

} // namespace
