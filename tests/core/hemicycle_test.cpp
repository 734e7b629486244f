// The chamber a class watches fill, the coalitions it tries, and the guessed seats.
#include "core/allocation/undo_history.h"
#include "core/chamber/hemicycle.h"
#include "core/comparison/method_comparison.h"
#include "core/teaching/seat_guess.h"
#include "lesson/lesson_file.h"

#include <gtest/gtest.h>

#include <map>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

using namespace apportion;

namespace {

class ChamberLayoutTest : public testing::TestWithParam<int> { };

// Every seat has a place of its own, above the floor and inside the outer row, the places run
// from the left end to the right, and the majority line has the majority on its left.
TEST_P(ChamberLayoutTest, SeatsApartInOrderWithTheMajorityLeftOfTheLine)
{
    const int seats = GetParam();
    const ChamberLayout layout = LayOutChamber(seats);
    ASSERT_EQ(layout.places.size(), static_cast<std::size_t>(seats));
    ASSERT_GT(layout.seatRadius, 0);
    for (std::size_t a = 0; a < layout.places.size(); ++a) {
        const SeatPlace& seat = layout.places[a];
        EXPECT_GE(seat.y, layout.seatRadius * 0.99) << "seat " << a << " below the floor";
        EXPECT_LE(std::hypot(seat.x, seat.y), 1.0 + 1e-9);
        EXPECT_GE(std::hypot(seat.x, seat.y), layout.innerRadius - 1e-9);
        if (a > 0) {
            EXPECT_GT(std::atan2(layout.places[a - 1].y, layout.places[a - 1].x),
                std::atan2(seat.y, seat.x))
                << "seat " << a << " out of order";
        }
        for (std::size_t b = a + 1; b < layout.places.size(); ++b) {
            const double apart
                = std::hypot(seat.x - layout.places[b].x, seat.y - layout.places[b].y);
            ASSERT_GE(apart, 2 * layout.seatRadius) << "seats " << a << " and " << b << " overlap";
        }
    }
    const int majority = MajorityOf(seats);
    const double line = MajorityAngle(layout, majority);
    int leftOfLine = 0;
    for (const SeatPlace& seat : layout.places)
        leftOfLine += std::atan2(seat.y, seat.x) > line ? 1 : 0;
    EXPECT_EQ(leftOfLine, majority);
    // Large chambers are drawn in several rows, as the news draws them.
    if (seats >= 100) {
        EXPECT_GE(layout.rows, 6);
    }
    // Each row holds seats in proportion to its length, within a seat: dots as far apart in
    // the outer rows as in the inner ones.
    std::map<long, int> perRow;
    double lengths = 0;
    for (const SeatPlace& seat : layout.places) {
        const long radius = std::lround(std::hypot(seat.x, seat.y) * 1e6);
        if (perRow[radius]++ == 0)
            lengths += static_cast<double>(radius);
    }
    EXPECT_EQ(perRow.size(), static_cast<std::size_t>(layout.rows));
    for (const auto& [radius, count] : perRow)
        EXPECT_NEAR(count, seats * static_cast<double>(radius) / lengths, 1.0) << radius;
}

INSTANTIATE_TEST_SUITE_P(Seats, ChamberLayoutTest, testing::Values(1, 2, 7, 17, 240, 300, 600));

TEST(Chamber, MajorityIsMoreThanHalf)
{
    const std::vector<std::pair<int, std::string>> cases { { 7, "мнозинство: 4 от 7" },
        { 240, "мнозинство: 121 от 240" }, { 300, "мнозинство: 151 от 300" },
        { 1, "мнозинство: 1 от 1" } };
    for (const auto& [seats, text] : cases)
        EXPECT_EQ(MajorityText(ChamberOfSeats({}, seats)), text);
    EXPECT_EQ(MajorityOf(0), 0);
    EXPECT_TRUE(LayOutChamber(0).places.empty());
    EXPECT_EQ(LayOutChamber(5000).places.size(), 600u);
}

// The start's example seat by seat: after each seat the chamber holds the seats the boxes count,
// the parties' wedges in the columns' order, and the newest seat ringed at the end of its wedge.
TEST(Chamber, FollowsTheBoardSeatBySeatAndThroughUndo)
{
    Board board;
    board.LoadWindow();
    UndoHistory history;
    EXPECT_EQ(ChamberOfBoard(board).total, 7);
    EXPECT_FALSE(ChamberOfBoard(board).newestPlace);
    history.EnterVotes(board);
    std::vector<Chamber> seen { ChamberOfBoard(board) };
    const std::vector<int> winners { 0, 1, 0, 2, 1, 0, 3 };
    for (std::size_t seat = 0; seat < winners.size(); ++seat) {
        history.GiveNextSeat(board);
        const Chamber chamber = ChamberOfBoard(board);
        for (std::size_t party = 0; party < board.parties.size(); ++party)
            EXPECT_EQ(std::to_string(chamber.seats[party]), board.parties[party].entryText);
        EXPECT_EQ(chamber.newestParty, winners[seat]);
        EXPECT_EQ(chamber.newestSeat, static_cast<int>(seat) + 1);
        ASSERT_TRUE(chamber.newestPlace);
        EXPECT_EQ(chamber.occupant[static_cast<std::size_t>(*chamber.newestPlace)], winners[seat]);
        const auto after = static_cast<std::size_t>(*chamber.newestPlace) + 1;
        EXPECT_TRUE(after == chamber.occupant.size() || chamber.occupant[after] != winners[seat]);
        EXPECT_TRUE(std::is_sorted(
            chamber.occupant.begin(), chamber.occupant.begin() + static_cast<long>(seat) + 1));
        EXPECT_EQ(std::count(chamber.occupant.begin(), chamber.occupant.end(), -1),
            6 - static_cast<long>(seat));
        seen.push_back(chamber);
    }
    EXPECT_EQ(NewestSeatText(seen.back(), NamesOf(board.parties)), "мандат 7: Партия 4");
    for (std::size_t back = seen.size() - 1; back-- > 0;) {
        history.Undo(board);
        const Chamber chamber = ChamberOfBoard(board);
        EXPECT_EQ(chamber.occupant, seen[back].occupant) << "after undo to seat " << back;
        EXPECT_EQ(chamber.newestPlace, seen[back].newestPlace);
    }
}

// After a method change the seats go on past the seat total, and the chamber grows with them.
TEST(Chamber, GrowsWithSeatsGivenPastTheTotal)
{
    Board board;
    board.LoadWindow();
    UndoHistory history;
    history.EnterVotes(board);
    for (int seat = 0; seat < 7; ++seat)
        history.GiveNextSeat(board);
    history.SelectMethod(board, DivisorMethod::SainteLague);
    history.GiveNextSeat(board);
    const Chamber chamber = ChamberOfBoard(board);
    EXPECT_EQ(chamber.total, 8);
    EXPECT_EQ(chamber.majority, 5);
    EXPECT_EQ(std::count(chamber.occupant.begin(), chamber.occupant.end(), -1), 0);
}

Board assembly51()
{
    std::ifstream file(std::filesystem::path(LESSON_EXAMPLES_DIR)
            / std::filesystem::u8path("народно-събрание-51.mandati"),
        std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    const LessonReading reading = ReadLesson(text.str());
    EXPECT_TRUE(reading.lesson);
    return reading.lesson ? BoardOf(*reading.lesson) : Board();
}

// The 51st National Assembly's official seats, and coalitions a class tries with them.
TEST(Chamber, CoalitionsOfTheFiftyFirstAssembly)
{
    const Board board = assembly51();
    const Chamber chamber = ChamberOfSeats(
        CompareMethods(board).hareNiemeyer.seats, static_cast<int>(board.SeatTotal()));
    const PartyNames names = NamesOf(board.parties);
    const std::vector<std::pair<std::vector<int>, std::string>> cases {
        { { 0, 4, 6 }, "ГЕРБ-СДС + БСП-Обединена левица + Има такъв народ: 107 — не стигат 121" },
        { { 0, 1, 4 }, "ГЕРБ-СДС + ПП-ДБ + БСП-Обединена левица: 126 — стигат 121" },
        { { 0, 1, 2 }, "ГЕРБ-СДС + ПП-ДБ + Възраждане: 141 — стигат 121" },
        { { 0 }, "ГЕРБ-СДС: 69 — не стига 121" },
        { { 8 }, "Величие: 0 — не стига 121" },
        { { 0, 3, 4, 5, 6 },
            "ГЕРБ-СДС + ДПС-Ново начало + БСП-Обединена левица + Алианс за права и "
            "свободи + Има такъв народ: 156 — стигат 121" },
        { {}, "" },
        { { 12 }, "" },
    };
    for (const auto& [chosen, text] : cases)
        EXPECT_EQ(CoalitionText(chamber, names, chosen), text);
    // A chamber of no seats has no majority to reach.
    EXPECT_EQ(CoalitionText(ChamberOfSeats({ 0, 0 }, 0), {}, { 0 }), "Партия 1: 0 — не стига 0");
    EXPECT_EQ(LegendEntry(chamber, names, 1), "ПП-ДБ: 37");
    EXPECT_EQ(DescribeChamber(chamber, names),
        "Парламент с 240 места, мнозинство: 121 от 240. ГЕРБ-СДС: 69, ПП-ДБ: 37, Възраждане: 35, "
        "ДПС-Ново начало: 30, БСП-Обединена левица: 20, Алианс за права и свободи: 19, Има такъв "
        "народ: 18, МЕЧ: 12, Величие: 0.");
}

// The picture for a slide: one circle per seat, coloured by its party, empty rings for seats
// not yet given, and names written safely.
TEST(Chamber, SvgHasOneCirclePerSeat)
{
    struct Case {
        std::vector<int> seats;
        int total;
        int filled;
    };
    for (const Case& c : { Case { { 69, 37, 35, 30, 20, 19, 18, 12, 0 }, 240, 240 },
             Case { { 3, 2 }, 7, 5 }, Case { { 4, 3, 0 }, 7, 7 } }) {
        const Chamber chamber = ChamberOfSeats(c.seats, c.total);
        const std::string svg = ChamberSvg(
            chamber, { "A & B", "<C>" }, { "#0072b2", "#d55e00", "bad\"colour" }, "Заглавие");
        std::size_t circles = 0;
        std::size_t empty = 0;
        for (std::size_t at = svg.find("class=\"seat\""); at != std::string::npos;
             at = svg.find("class=\"seat\"", at + 1)) {
            ++circles;
            empty += svg.compare(svg.find("fill=", at), 14, "fill=\"#ffffff\"") == 0 ? 1 : 0;
        }
        EXPECT_EQ(circles, static_cast<std::size_t>(c.total));
        EXPECT_EQ(empty, static_cast<std::size_t>(c.total - c.filled));
        EXPECT_NE(svg.find("A &amp; B: " + std::to_string(c.seats[0])), std::string::npos);
        EXPECT_NE(svg.find("&lt;C&gt;"), std::string::npos);
        EXPECT_EQ(svg.find("bad\"colour"), std::string::npos);
        EXPECT_NE(svg.find(MajorityText(chamber)), std::string::npos);
        EXPECT_NE(svg.find("class=\"majority\""), std::string::npos);
        EXPECT_FALSE(std::regex_search(svg, std::regex("=\"[0-9.]*,")))
            << "a decimal comma in the numbers";
    }
}

// The picture's geometry for a slide: every seat inside the picture and apart from the others, the
// newest ringed round its seat, the line past the rows, the texts under the floor, and the legend
// in two columns under everything.
namespace {

    // The SVG's majority line has the majority's seats on one side and the others on the other
    // (a seat whose centre it passes within the SVG's rounding to a tenth may be on either).
    void ExpectMajorityLineSplits(const std::string& svg, std::size_t majority)
    {
        auto number = [](const std::string& element, const std::string& attribute) {
            std::smatch found;
            std::regex_search(element, found, std::regex(" " + attribute + "=\"([-0-9.]+)\""));
            return found.empty() ? 0.0 : std::stod(found[1]);
        };
        std::smatch found;
        ASSERT_TRUE(std::regex_search(svg, found, std::regex("<line class=\"majority\"[^>]*>")));
        const std::string line = found.str();
        const double x1 = number(line, "x1"), y1 = number(line, "y1");
        const double x2 = number(line, "x2"), y2 = number(line, "y2");
        std::vector<double> distances;
        const std::regex seat("<circle class=\"seat\"[^>]*>");
        for (auto it = std::sregex_iterator(svg.begin(), svg.end(), seat);
             it != std::sregex_iterator(); ++it) {
            const double x = number(it->str(), "cx"), y = number(it->str(), "cy");
            distances.push_back(
                ((x2 - x1) * (y - y1) - (y2 - y1) * (x - x1)) / std::hypot(x2 - x1, y2 - y1));
        }
        ASSERT_GT(distances.size(), majority);
        const bool majoritySide = distances.front() > 0;
        for (std::size_t a = 0; a < distances.size(); ++a) {
            if (std::abs(distances[a]) > 0.2) {
                EXPECT_EQ((distances[a] > 0) == majoritySide, a < majority) << "seat " << a;
            }
        }
    }

} // namespace

TEST(Chamber, SvgIsLaidOutForASlide)
{
    Chamber chamber = ChamberOfSeats({ 69, 37, 35, 30, 20, 19, 18, 12, 0 }, 240);
    chamber.newestPlace = 68;
    chamber.newestParty = 0;
    chamber.newestSeat = 240;
    const std::string svg = ChamberSvg(chamber, { "ГЕРБ-СДС" }, {}, "51");
    auto number = [](const std::string& element, const std::string& attribute) {
        std::smatch found;
        EXPECT_TRUE(
            std::regex_search(element, found, std::regex(" " + attribute + "=\"([-0-9.]+)\"")))
            << attribute << " in " << element;
        return found.empty() ? 0.0 : std::stod(found[1]);
    };
    auto elements = [&](const std::string& pattern) {
        std::vector<std::string> found;
        const std::regex element(pattern);
        for (auto it = std::sregex_iterator(svg.begin(), svg.end(), element);
             it != std::sregex_iterator(); ++it)
            found.push_back(it->str());
        return found;
    };
    const std::vector<std::string> svgTag = elements("<svg [^>]*>");
    ASSERT_EQ(svgTag.size(), 1u);
    const double width = number(svgTag[0], "width");
    const double height = number(svgTag[0], "height");
    struct Dot {
        double x, y, r;
    };
    std::vector<Dot> seats;
    for (const std::string& seat : elements("<circle class=\"seat\"[^>]*>"))
        seats.push_back({ number(seat, "cx"), number(seat, "cy"), number(seat, "r") });
    ASSERT_EQ(seats.size(), 240u);
    double lowest = 0;
    for (std::size_t a = 0; a < seats.size(); ++a) {
        EXPECT_GE(seats[a].x - seats[a].r, 0);
        EXPECT_LE(seats[a].x + seats[a].r, width);
        EXPECT_GE(seats[a].y - seats[a].r, 0);
        lowest = std::max(lowest, seats[a].y + seats[a].r);
        for (std::size_t b = a + 1; b < seats.size(); ++b)
            ASSERT_GE(
                std::hypot(seats[a].x - seats[b].x, seats[a].y - seats[b].y), 2 * seats[a].r - 0.2);
    }
    ExpectMajorityLineSplits(svg, 121);
    ExpectMajorityLineSplits(ChamberSvg(ChamberOfSeats({ 4, 3 }, 7), {}, {}, "7"), 4);
    const std::vector<std::string> ring = elements("<circle class=\"newest\"[^>]*>");
    ASSERT_EQ(ring.size(), 1u);
    EXPECT_EQ(number(ring[0], "cx"), seats[68].x);
    EXPECT_EQ(number(ring[0], "cy"), seats[68].y);
    EXPECT_GT(number(ring[0], "r"), seats[68].r);
    // The texts under the floor stand below every seat, one under the other.
    std::vector<double> under;
    for (const std::string& text : elements("<text [^>]*text-anchor=\"middle\">[^<]*</text>")) {
        if (text.find("мнозинство") != std::string::npos
            || text.find("мандат 240") != std::string::npos)
            under.push_back(number(text, "y"));
    }
    ASSERT_EQ(under.size(), 2u);
    EXPECT_GT(under[1], under[0] + 30);
    EXPECT_GT(under[1], lowest);
    // The legend: two columns, the second from the middle, every swatch under the texts.
    std::set<double> columns;
    for (const std::string& swatch : elements("<rect x=[^>]*>")) {
        columns.insert(number(swatch, "x"));
        EXPECT_GT(number(swatch, "y"), under[1]);
        EXPECT_LE(number(swatch, "y") + number(swatch, "height"), height);
    }
    ASSERT_EQ(columns.size(), 2u);
    EXPECT_LT(*columns.begin(), width / 4);
    EXPECT_GE(*columns.rbegin(), width / 2);
}

// A round of guesses on the start's example: right, wrong, a tie lost to the party further left,
// and a seat given with no guess, which is not counted.
TEST(SeatGuess, RightWrongAndScore)
{
    Board board;
    board.LoadWindow();
    UndoHistory history;
    EXPECT_FALSE(CanGuess(board, 0));
    history.EnterVotes(board);
    GuessScore score;
    struct Turn {
        int guess; // -1 for no guess
        std::string said;
    };
    const std::vector<Turn> turns {
        { 0, "Позна! Мандат № 1 — Партия 1 с 58125. Познати: 1 от 1." },
        { 0,
            "Не позна: мандат № 2 взе партия 2 с 45871, а партия 1 имаше 29062.5. Познати: 1 от "
            "2." },
        { -1, "" },
        { 2, "Позна! Мандат № 4 — Партия 3 с 27142. Познати: 2 от 3." },
        { 4,
            "Не позна: мандат № 5 взе партия 2 с 22935.5, а партия 5 имаше 12264. Познати: 2 от "
            "4." },
    };
    for (const Turn& turn : turns) {
        if (turn.guess >= 0) {
            EXPECT_TRUE(CanGuess(board, turn.guess));
            EXPECT_EQ(ReportGuessTaken(board, turn.guess),
                "Предположение: Партия " + std::to_string(turn.guess + 1)
                    + " — „Търси“ ще покаже.");
        }
        history.GiveNextSeat(board);
        EXPECT_EQ(turn.guess < 0 ? "" : JudgeGuess(board, turn.guess, score), turn.said);
    }
    EXPECT_EQ(score, (GuessScore { 2, 4 }));
    EXPECT_FALSE(CanGuess(board, 5));
    EXPECT_FALSE(CanGuess(board, -1));
    history.GiveNextSeat(board);
    history.GiveNextSeat(board);
    EXPECT_FALSE(CanGuess(board, 0)) << "every seat is given";
}

TEST(SeatGuess, TieGoesToThePartyFurtherLeft)
{
    Board board;
    board.LoadWindow();
    for (PartyColumn& party : board.parties)
        party.entryText = "1";
    board.parties[0].entryText = "100";
    board.parties[1].entryText = "100";
    UndoHistory history;
    history.EnterVotes(board);
    history.GiveNextSeat(board);
    GuessScore score { 3, 4 };
    EXPECT_EQ(JudgeGuess(board, 1, score),
        "Не позна: мандат № 1 взе партия 1 с 100, а партия 2 имаше 100 — равно, печели "
        "по-лявата. Познати: 3 от 5.");
}

} // namespace
