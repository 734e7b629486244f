#include "lesson/lesson_file.h"

#include "core/numbers/number_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

namespace apportion {

namespace {

    constexpr std::string_view header = "мандати-урок";
    constexpr std::string_view titleKey = "заглавие";
    constexpr std::string_view sourceKey = "източник";
    constexpr std::string_view methodKey = "метод";
    constexpr std::string_view seatsKey = "мандати";
    constexpr std::string_view thresholdKey = "праг";
    constexpr std::string_view othersKey = "други гласове";
    constexpr std::string_view givenKey = "дадени мандати";
    constexpr std::string_view earlierKey = "по-рано дадени";
    constexpr std::string_view partyKey = "партия";
    constexpr std::string_view votesKey = "гласове";
    constexpr std::string_view boxKey = "в кутията";

    std::string quoted(std::string_view text) { return "„" + std::string(text) + "“"; }

    // A value on one line: a line break typed or pasted into a box is written as a blank, and a
    // carriage return inside a line read as one, so a lesson reads back as it was written.
    std::string oneLine(std::string text)
    {
        std::replace(text.begin(), text.end(), '\n', ' ');
        std::replace(text.begin(), text.end(), '\r', ' ');
        return text;
    }

    // Whether the bytes are well-formed UTF-8: a lesson of another encoding is refused rather
    // than shown garbled.
    bool isUtf8(std::string_view text)
    {
        std::size_t i = 0;
        while (i < text.size()) {
            const auto lead = static_cast<unsigned char>(text[i]);
            int continuation = 0;
            std::uint32_t least = 0;
            std::uint32_t code = 0;
            if (lead < 0x80) {
                ++i;
                continue;
            }
            if ((lead & 0xE0) == 0xC0) {
                continuation = 1;
                least = 0x80;
                code = lead & 0x1F;
            } else if ((lead & 0xF0) == 0xE0) {
                continuation = 2;
                least = 0x800;
                code = lead & 0x0F;
            } else if ((lead & 0xF8) == 0xF0) {
                continuation = 3;
                least = 0x10000;
                code = lead & 0x07;
            } else {
                return false;
            }
            if (i + static_cast<std::size_t>(continuation) >= text.size())
                return false;
            for (int k = 1; k <= continuation; ++k) {
                const auto next = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
                if ((next & 0xC0) != 0x80)
                    return false;
                code = (code << 6) | (next & 0x3F);
            }
            if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
                return false;
            i += static_cast<std::size_t>(continuation) + 1;
        }
        return true;
    }

    // A whole number within [least, most], written in digits, grouped with blanks or not, as a
    // box reads it ("99 453" with the locale's no-break spaces).
    std::optional<long long> wholeNumber(std::string_view written, long long least, long long most)
    {
        std::string buffer;
        const std::string_view text = WithoutBlanks(written, buffer);
        long long value = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (error != std::errc() || end != text.data() + text.size() || text.empty()
            || text.front() == '-' || value < least || value > most)
            return std::nullopt;
        return value;
    }

    // A threshold of 0 to 20 with at most one decimal, "." or "," before it.
    std::optional<double> thresholdValue(std::string_view text)
    {
        std::string buffer;
        std::string digits(WithoutBlanks(text, buffer));
        std::replace(digits.begin(), digits.end(), ',', '.');
        const auto point = digits.find('.');
        const std::string whole = digits.substr(0, point);
        const std::string tenth = point == std::string::npos ? "0" : digits.substr(point + 1);
        if (tenth.size() != 1 || !IsDigit(tenth.front()))
            return std::nullopt;
        const auto value = wholeNumber(whole, 0, static_cast<long long>(largestLessonThreshold));
        if (!value)
            return std::nullopt;
        const double percent = static_cast<double>(*value) + (tenth.front() - '0') / 10.0;
        return percent <= largestLessonThreshold ? std::optional(percent) : std::nullopt;
    }

    std::optional<DivisorMethod> methodNamed(std::string_view text)
    {
        for (int m = 0; m < divisorMethodCount; ++m) {
            const auto method = static_cast<DivisorMethod>(m);
            const std::string caption = MethodCaption(method);
            if (text == caption)
                return method;
            // "D'Hondt" as a keyboard types it.
            constexpr std::string_view curly = "’";
            const auto apostrophe = caption.find(curly);
            if (apostrophe != std::string::npos && text.size() + curly.size() == caption.size() + 1
                && text.substr(0, apostrophe) == caption.substr(0, apostrophe)
                && text[apostrophe] == '\''
                && text.substr(apostrophe + 1) == caption.substr(apostrophe + curly.size()))
                return method;
        }
        return std::nullopt;
    }

    // "3 D’Hondt, 2 Sainte-Lague": each run's seats and method, in order.
    std::optional<std::vector<Lesson::SeatRun>> seatRuns(std::string_view text)
    {
        std::vector<Lesson::SeatRun> runs;
        int total = 0;
        while (!text.empty()) {
            const auto comma = std::min(text.find(','), text.size());
            const std::string_view run = TrimBlanks(text.substr(0, comma));
            text.remove_prefix(std::min(comma + 1, text.size()));
            const auto blank = run.find(' ');
            if (blank == std::string_view::npos)
                return std::nullopt;
            const auto seats = wholeNumber(run.substr(0, blank), 1, seatChoiceCount);
            const auto method = methodNamed(TrimBlanks(run.substr(blank + 1)));
            if (!seats || !method)
                return std::nullopt;
            total += static_cast<int>(*seats);
            if (total > largestEarlierSeats)
                return std::nullopt;
            runs.push_back({ *method, static_cast<int>(*seats) });
        }
        if (runs.empty())
            return std::nullopt;
        return runs;
    }

    std::string thresholdText(double percent) { return FormatShortest(RoundHalfAway(percent, 1)); }

} // namespace

Lesson LessonOf(const Board& board)
{
    Lesson lesson;
    lesson.title = board.title;
    lesson.source = board.source;
    const std::vector<std::string> votes = VoteTexts(board.parties);
    for (std::size_t i = 0; i < board.parties.size(); ++i)
        lesson.parties.push_back({ board.parties[i].name, votes[i] });
    lesson.method = board.method.value_or(DivisorMethod::DHondt);
    const double total = board.SeatTotal();
    lesson.seatTotal = total >= 1 && total <= seatChoiceCount ? static_cast<int>(total) : 7;
    lesson.count = board.voteCount;
    if (board.parties.front().rows.empty())
        return lesson;
    // The last seats were given under the method chosen last; those before, under the methods
    // their records name, one run for each change.
    const auto& history = board.seatHistory;
    const int given = std::clamp<int>(board.seatsGiven, 0, static_cast<int>(history.size()));
    lesson.seatsGiven = std::min(given, seatChoiceCount);
    const auto earlier = history.size() - static_cast<std::size_t>(given);
    for (std::size_t seat = 0; seat < earlier; ++seat) {
        if (lesson.earlierSeats.empty()
            || lesson.earlierSeats.back().method != history[seat].method)
            lesson.earlierSeats.push_back({ history[seat].method, 0 });
        ++lesson.earlierSeats.back().seats;
    }
    // A box shows its party's seats, counted, unless it was typed over.
    std::vector<int> won(board.parties.size(), 0);
    for (const SeatRecord& record : history) {
        if (record.winner >= 0 && static_cast<std::size_t>(record.winner) < won.size())
            ++won[static_cast<std::size_t>(record.winner)];
    }
    for (std::size_t i = 0; i < board.parties.size(); ++i) {
        if (board.parties[i].entryText != std::to_string(won[i]))
            lesson.typedOver.emplace_back(static_cast<int>(i), board.parties[i].entryText);
    }
    return lesson;
}

Board BoardOf(const Lesson& lesson)
{
    Board board;
    board.LoadWindow();
    board.SelectMethod(lesson.method);
    board.seatSelection = std::clamp(lesson.seatTotal, 1, seatChoiceCount) - 1;
    board.FillParties(0, lesson.parties);
    board.voteCount = lesson.count;
    board.title = lesson.title;
    board.source = lesson.source;
    if (lesson.seatsGiven) {
        board.EnterVotes();
        // Every seat is given again, whatever the seat total was lowered to after it.
        const auto seatTotal = board.seatSelection;
        board.seatSelection = seatChoiceCount - 1;
        const auto give = [&board](int seats) {
            for (int seat = 0; seat < seats; ++seat)
                board.GiveNextSeat();
        };
        for (const auto& run : lesson.earlierSeats) {
            board.SelectMethod(run.method);
            give(run.seats);
        }
        if (!lesson.earlierSeats.empty())
            board.SelectMethod(lesson.method);
        give(*lesson.seatsGiven);
        board.seatSelection = seatTotal;
        for (const auto& [party, text] : lesson.typedOver) {
            if (party >= 0 && static_cast<std::size_t>(party) < board.parties.size())
                board.parties[static_cast<std::size_t>(party)].entryText = text;
        }
    }
    return board;
}

std::string WriteLesson(const Lesson& lesson)
{
    std::string text = std::string(header) + " " + std::to_string(lessonVersion) + "\n";
    const auto field = [&text](std::string_view key, const std::string& value) {
        text += std::string(key) + ": " + oneLine(value) + "\n";
    };
    if (!lesson.title.empty())
        field(titleKey, lesson.title);
    if (!lesson.source.empty())
        field(sourceKey, lesson.source);
    field(methodKey, MethodCaption(lesson.method));
    field(seatsKey, std::to_string(lesson.seatTotal));
    field(thresholdKey, thresholdText(lesson.count.threshold));
    field(othersKey, std::to_string(lesson.count.otherVotes));
    if (lesson.seatsGiven)
        field(givenKey, std::to_string(*lesson.seatsGiven));
    if (lesson.seatsGiven && !lesson.earlierSeats.empty()) {
        std::string runs;
        for (const auto& run : lesson.earlierSeats)
            runs += (runs.empty() ? "" : ", ") + std::to_string(run.seats) + " "
                + MethodCaption(run.method);
        field(earlierKey, runs);
    }
    for (std::size_t i = 0; i < lesson.parties.size(); ++i) {
        field(partyKey, lesson.parties[i].name);
        field(votesKey, lesson.parties[i].votes);
        if (!lesson.seatsGiven)
            continue;
        for (const auto& [party, typed] : lesson.typedOver) {
            if (party == static_cast<int>(i))
                field(boxKey, typed);
        }
    }
    return text;
}

LessonReading ReadLesson(std::string_view text)
{
    LessonReading reading;
    const auto refuse = [&reading](int line, const std::string& why) {
        reading.error = line > 0 ? "ред " + std::to_string(line) + ": " + why : why;
        return reading;
    };
    if (text.size() > largestLessonFile)
        return refuse(0, "файлът е твърде голям за урок (повече от 1 MB).");
    if (!isUtf8(text))
        return refuse(0, "файлът не е текст в UTF-8 — вероятно не е урок.");
    if (text.substr(0, 3) == "\xEF\xBB\xBF") // a byte-order mark some editors write
        text.remove_prefix(3);

    Lesson lesson;
    lesson.parties.clear();
    bool headerRead = false;
    bool partyHasVotes = true;
    int number = 0;
    std::size_t start = 0;
    while (start <= text.size()) {
        const auto end = std::min(text.find('\n', start), text.size());
        const std::string_view line = TrimBlanks(text.substr(start, end - start));
        start = end + 1;
        ++number;
        if (line.empty() || line.front() == '#')
            continue;
        if (!headerRead) {
            if (line.substr(0, header.size()) != header)
                return refuse(number,
                    "не е урок на „Мандати“: първият ред трябва да е " + quoted("мандати-урок 1")
                        + ".");
            const auto version = wholeNumber(TrimBlanks(line.substr(header.size())), 1, 1'000'000);
            if (!version)
                return refuse(number, "версията след " + quoted(header) + " не е число.");
            if (*version > lessonVersion)
                return refuse(number,
                    "урокът е от по-нова версия на програмата (" + std::to_string(*version)
                        + "); тази чете версия " + std::to_string(lessonVersion) + ".");
            headerRead = true;
            continue;
        }
        const auto colon = line.find(':');
        if (colon == std::string_view::npos)
            return refuse(number, "липсва „:“ между полето и стойността му.");
        const std::string_view key = TrimBlanks(line.substr(0, colon));
        const std::string_view value = TrimBlanks(line.substr(colon + 1));
        if (key == titleKey) {
            lesson.title = oneLine(std::string(value));
        } else if (key == sourceKey) {
            lesson.source = oneLine(std::string(value));
        } else if (key == methodKey) {
            const auto method = methodNamed(value);
            if (!method)
                return refuse(number,
                    "непознат метод " + quoted(value)
                        + "; методите са D’Hondt, Sainte-Lague, Danish, Imperali и Equal "
                          "proportions.");
            lesson.method = *method;
        } else if (key == seatsKey) {
            const auto seats = wholeNumber(value, 1, seatChoiceCount);
            if (!seats)
                return refuse(number,
                    quoted(seatsKey) + " трябва да е цяло число от 1 до 300, а е " + quoted(value)
                        + ".");
            lesson.seatTotal = static_cast<int>(*seats);
        } else if (key == thresholdKey) {
            const auto threshold = thresholdValue(value);
            if (!threshold)
                return refuse(number,
                    quoted(thresholdKey) + " трябва да е от 0 до 20 (процента, до десети), а е "
                        + quoted(value) + ".");
            lesson.count.threshold = *threshold;
        } else if (key == othersKey) {
            const auto others = wholeNumber(value, 0, 2'147'483'647);
            if (!others)
                return refuse(number,
                    quoted(othersKey) + " трябва да е цяло число от 0 до 2147483647, а е "
                        + quoted(value) + ".");
            lesson.count.otherVotes = *others;
        } else if (key == givenKey) {
            const auto given = wholeNumber(value, 0, seatChoiceCount);
            if (!given)
                return refuse(number,
                    quoted(givenKey) + " трябва да е цяло число от 0 до 300, а е " + quoted(value)
                        + ".");
            lesson.seatsGiven = static_cast<int>(*given);
        } else if (key == earlierKey) {
            auto runs = seatRuns(value);
            if (!runs)
                return refuse(number,
                    quoted(earlierKey)
                        + " трябва да е списък като „3 D’Hondt, 2 Sainte-Lague“ "
                          "(от 1 до 300 мандата в ход, до "
                        + std::to_string(largestEarlierSeats) + " общо), а е " + quoted(value)
                        + ".");
            lesson.earlierSeats = std::move(*runs);
        } else if (key == partyKey) {
            if (static_cast<int>(lesson.parties.size()) == maxPartyCount)
                return refuse(
                    number, "партиите са повече от 12, колкото програмата най-много има.");
            lesson.parties.push_back({ oneLine(std::string(value)), {} });
            partyHasVotes = false;
        } else if (key == votesKey) {
            if (lesson.parties.empty() || partyHasVotes)
                return refuse(
                    number, quoted(votesKey) + " без ред " + quoted(partyKey) + " преди него.");
            // Read as the vote box reads what is typed in it: every kind of space a blank.
            lesson.parties.back().votes = BlanksAsSpaces(value);
            partyHasVotes = true;
        } else if (key == boxKey) {
            const int party = static_cast<int>(lesson.parties.size()) - 1;
            if (party < 0 || (!lesson.typedOver.empty() && lesson.typedOver.back().first == party))
                return refuse(number,
                    quoted(boxKey) + " без ред " + quoted(partyKey)
                        + " преди него, или втори за нея.");
            lesson.typedOver.emplace_back(party, oneLine(std::string(value)));
        } else {
            return refuse(number, "непознато поле " + quoted(key) + ".");
        }
    }
    if (!headerRead)
        return refuse(0, "файлът е празен — не е урок.");
    // Boxes show seat counts only once the votes are entered.
    if (!lesson.seatsGiven)
        lesson.typedOver.clear();
    if (static_cast<int>(lesson.parties.size()) < minPartyCount)
        return refuse(0,
            "урокът има " + std::to_string(lesson.parties.size())
                + " партии, а трябва да са поне 2 (ред „партия:“ за всяка).");
    if (!lesson.seatsGiven && !lesson.earlierSeats.empty())
        return refuse(0,
            quoted(earlierKey) + " без " + quoted(givenKey)
                + ": мандати се дават едва след въведените гласове.");
    reading.lesson = std::move(lesson);
    return reading;
}

} // namespace apportion
