#include "core/chamber/hemicycle.h"

#include "core/numbers/number_text.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <numeric>

namespace apportion {

namespace {

    // The most places a chamber is drawn with: a seat total of 300, given again under a second
    // method after a change on the way.
    constexpr int mostPlaces = 2 * seatChoiceCount;
    // The innermost row's radius: the floor in the middle stays open for the majority's text.
    constexpr double innerRadius = 0.38;

    // Each row's seats, in proportion to its length and at least one, adding up to `seats`: the
    // largest remainders take the seats the whole parts leave.
    std::vector<int> seatsPerRow(int seats, const std::vector<double>& radii)
    {
        const double length = std::accumulate(radii.begin(), radii.end(), 0.0);
        std::vector<int> perRow(radii.size(), 1);
        std::vector<double> remainder(radii.size(), 0);
        int given = static_cast<int>(radii.size());
        const int spare = seats - given;
        for (std::size_t row = 0; row < radii.size(); ++row) {
            const double share = spare * radii[row] / length;
            const int whole = static_cast<int>(std::floor(share));
            perRow[row] += whole;
            given += whole;
            remainder[row] = share - whole;
        }
        while (given < seats) {
            // The outer rows first where the remainders are equal: they have the room.
            std::size_t largest = radii.size() - 1;
            for (std::size_t row = radii.size(); row-- > 0;) {
                if (remainder[row] > remainder[largest])
                    largest = row;
            }
            ++perRow[largest];
            remainder[largest] = -1;
            ++given;
        }
        return perRow;
    }

    std::string fixed1(double value) { return FormatFixed(value, 1); }

    std::string escaped(const std::string& text)
    {
        std::string out;
        for (const char c : text) {
            switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += c;
            }
        }
        return out;
    }

    bool isColour(const std::string& text)
    {
        return text.size() == 7 && text[0] == '#'
            && std::all_of(text.begin() + 1, text.end(), [](char c) {
                   return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
               });
    }

} // namespace

ChamberLayout LayOutChamber(int seats)
{
    ChamberLayout layout;
    const int n = std::clamp(seats, 0, mostPlaces);
    layout.innerRadius = innerRadius;
    if (n == 0)
        return layout;
    // Rows as far apart as the seats within a row: the half ring's area shared out in squares.
    const double area = std::numbers::pi / 2 * (1 - innerRadius * innerRadius);
    const double spacing = std::sqrt(area / n);
    layout.rows = std::clamp(static_cast<int>(std::lround((1 - innerRadius) / spacing)) + 1, 1, n);
    std::vector<double> radii;
    for (int row = 0; row < layout.rows; ++row) {
        radii.push_back(
            layout.rows == 1 ? 1.0 : innerRadius + (1 - innerRadius) * row / (layout.rows - 1));
    }
    const std::vector<int> perRow = seatsPerRow(n, radii);
    double closest = layout.rows == 1 ? 1.0 : (1 - innerRadius) / (layout.rows - 1);
    struct Angled {
        double angle;
        SeatPlace place;
    };
    std::vector<Angled> angled;
    for (int row = 0; row < layout.rows; ++row) {
        const int count = perRow[static_cast<std::size_t>(row)];
        const double radius = radii[static_cast<std::size_t>(row)];
        closest = std::min(closest, std::numbers::pi * radius / count);
        for (int seat = 0; seat < count; ++seat) {
            // Half a seat's room at either end, so no seat stands below the floor. Seats of
            // different rows on one ray are told apart by a turn too small to see, the outer
            // first, so that the majority's line always falls between two places.
            const double angle = std::numbers::pi * (1 - (seat + 0.5) / count) + 1e-9 * row;
            angled.push_back(
                { angle, { radius * std::cos(angle), radius * std::sin(angle), row } });
        }
    }
    // From the left end to the right; on one ray the outer row first.
    std::stable_sort(angled.begin(), angled.end(), [](const Angled& a, const Angled& b) {
        if (a.angle != b.angle)
            return a.angle > b.angle;
        return a.place.row > b.place.row;
    });
    for (const Angled& seat : angled)
        layout.places.push_back(seat.place);
    layout.seatRadius = 0.42 * closest;
    return layout;
}

int MajorityOf(int seats) { return seats <= 0 ? 0 : seats / 2 + 1; }

Chamber ChamberOfSeats(const std::vector<int>& seats, int total)
{
    Chamber chamber;
    for (const int held : seats)
        chamber.seats.push_back(std::max(held, 0));
    const int held = std::accumulate(chamber.seats.begin(), chamber.seats.end(), 0);
    chamber.total = std::clamp(std::max(total, held), 0, mostPlaces);
    chamber.majority = MajorityOf(chamber.total);
    chamber.occupant.assign(static_cast<std::size_t>(chamber.total), -1);
    std::size_t place = 0;
    for (std::size_t party = 0; party < chamber.seats.size(); ++party) {
        for (int seat = 0; seat < chamber.seats[party] && place < chamber.occupant.size(); ++seat)
            chamber.occupant[place++] = static_cast<int>(party);
    }
    return chamber;
}

Chamber ChamberOfBoard(const Board& board)
{
    std::vector<int> seats(board.parties.size(), 0);
    for (const SeatRecord& record : board.seatHistory) {
        if (record.winner >= 0 && static_cast<std::size_t>(record.winner) < seats.size())
            ++seats[static_cast<std::size_t>(record.winner)];
    }
    const double seatTotal = board.SeatTotal();
    Chamber chamber = ChamberOfSeats(seats,
        std::max(static_cast<int>(std::clamp(seatTotal, 0.0, double(mostPlaces))),
            static_cast<int>(std::min<std::size_t>(board.seatHistory.size(), mostPlaces))));
    if (!board.seatHistory.empty()) {
        const SeatRecord& newest = board.seatHistory.back();
        const auto winner = static_cast<std::size_t>(newest.winner);
        if (winner < seats.size()) {
            // The winner's newest seat closes its wedge.
            const int before = std::accumulate(seats.begin(), seats.begin() + newest.winner, 0);
            const int place = before + seats[winner] - 1;
            if (place < chamber.total)
                chamber.newestPlace = place;
            chamber.newestParty = newest.winner;
            chamber.newestSeat = newest.seat;
        }
    }
    return chamber;
}

std::string MajorityText(const Chamber& chamber)
{
    return "мнозинство: " + std::to_string(chamber.majority) + " от "
        + std::to_string(chamber.total);
}

std::string NewestSeatText(const Chamber& chamber, const PartyNames& names)
{
    if (chamber.newestParty < 0)
        return {};
    return "мандат " + std::to_string(chamber.newestSeat) + ": "
        + PartyHeading(names, chamber.newestParty);
}

std::string LegendEntry(const Chamber& chamber, const PartyNames& names, int party)
{
    const int held = party >= 0 && static_cast<std::size_t>(party) < chamber.seats.size()
        ? chamber.seats[static_cast<std::size_t>(party)]
        : 0;
    return PartyHeading(names, party) + ": " + std::to_string(held);
}

std::string CoalitionText(
    const Chamber& chamber, const PartyNames& names, const std::vector<int>& chosen)
{
    std::string text;
    int sum = 0;
    int counted = 0;
    for (const int party : chosen) {
        if (party < 0 || static_cast<std::size_t>(party) >= chamber.seats.size())
            continue;
        text += (counted++ == 0 ? "" : " + ") + PartyHeading(names, party);
        sum += chamber.seats[static_cast<std::size_t>(party)];
    }
    if (counted == 0)
        return {};
    const bool reaches = chamber.majority > 0 && sum >= chamber.majority;
    const char* verb
        = counted == 1 ? (reaches ? "стига " : "не стига ") : (reaches ? "стигат " : "не стигат ");
    return text + ": " + std::to_string(sum) + " — " + verb + std::to_string(chamber.majority);
}

std::string DescribeChamber(const Chamber& chamber, const PartyNames& names)
{
    std::string text
        = "Парламент с " + std::to_string(chamber.total) + " места, " + MajorityText(chamber) + ".";
    int given = 0;
    std::string held;
    for (std::size_t party = 0; party < chamber.seats.size(); ++party) {
        held += (party == 0 ? " " : ", ") + LegendEntry(chamber, names, static_cast<int>(party));
        given += chamber.seats[party];
    }
    text += held + ".";
    if (given < chamber.total)
        text += " Не са дадени " + std::to_string(chamber.total - given) + " места.";
    const std::string newest = NewestSeatText(chamber, names);
    if (!newest.empty())
        text += " Последен: " + newest + ".";
    return text;
}

std::string ChamberSvg(const Chamber& chamber, const PartyNames& names,
    const std::vector<std::string>& colours, const std::string& title)
{
    const ChamberLayout layout = LayOutChamber(chamber.total);
    // A slide's width; the floor's middle under the title, the legend under the floor.
    constexpr double width = 1600;
    constexpr double radius = 700;
    constexpr double centreX = width / 2;
    constexpr double floorY = 130 + radius;
    constexpr double legendRow = 44;
    const std::size_t parties = chamber.seats.size();
    const std::size_t legendRows = (parties + 1) / 2;
    const double height = floorY + 90 + legendRow * static_cast<double>(legendRows) + 20;
    auto colourOf = [&](int party) {
        const auto index = static_cast<std::size_t>(party);
        return index < colours.size() && isColour(colours[index]) ? colours[index]
                                                                  : std::string("#888888");
    };
    std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\""
        + fixed1(width) + "\" height=\"" + fixed1(height) + "\" viewBox=\"0 0 " + fixed1(width)
        + " " + fixed1(height) + "\" font-family=\"sans-serif\">\n";
    svg += "<title>" + escaped(title) + "</title>\n<desc>"
        + escaped(DescribeChamber(chamber, names)) + "</desc>\n";
    svg += "<rect width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n";
    svg += "<text x=\"" + fixed1(centreX) + "\" y=\"60\" font-size=\"44\" text-anchor=\"middle\">"
        + escaped(title) + "</text>\n";
    const double dot = layout.seatRadius * radius;
    for (std::size_t place = 0; place < layout.places.size(); ++place) {
        const SeatPlace& seat = layout.places[place];
        const std::string x = fixed1(centreX + seat.x * radius);
        const std::string y = fixed1(floorY - seat.y * radius);
        const int party = place < chamber.occupant.size() ? chamber.occupant[place] : -1;
        svg += "<circle class=\"seat\" cx=\"" + x + "\" cy=\"" + y + "\" r=\"" + fixed1(dot) + "\" "
            + (party < 0 ? "fill=\"#ffffff\" stroke=\"#9e9e9e\" stroke-width=\"2.0\""
                         : "fill=\"" + colourOf(party) + "\"")
            + "/>\n";
        if (chamber.newestPlace && *chamber.newestPlace == static_cast<int>(place)) {
            svg += "<circle class=\"newest\" cx=\"" + x + "\" cy=\"" + y + "\" r=\""
                + fixed1(dot * 1.45) + "\" fill=\"none\" stroke=\"#000000\" stroke-width=\""
                + fixed1(std::max(3.0, dot * 0.25)) + "\"/>\n";
        }
    }
    if (chamber.majority > 0 && !layout.places.empty()) {
        const double angle = MajorityAngle(layout, chamber.majority);
        const double inner = (layout.innerRadius - layout.seatRadius * 2) * radius;
        const double outer = (1 + layout.seatRadius * 2) * radius;
        svg += "<line class=\"majority\" x1=\"" + fixed1(centreX + inner * std::cos(angle))
            + "\" y1=\"" + fixed1(floorY - inner * std::sin(angle)) + "\" x2=\""
            + fixed1(centreX + outer * std::cos(angle)) + "\" y2=\""
            + fixed1(floorY - outer * std::sin(angle))
            + "\" stroke=\"#000000\" stroke-width=\"4.0\" stroke-dasharray=\"14 8\"/>\n";
    }
    svg += "<text x=\"" + fixed1(centreX) + "\" y=\"" + fixed1(floorY - 10)
        + "\" font-size=\"40\" text-anchor=\"middle\">" + escaped(MajorityText(chamber))
        + "</text>\n";
    const std::string newest = NewestSeatText(chamber, names);
    if (!newest.empty()) {
        svg += "<text x=\"" + fixed1(centreX) + "\" y=\"" + fixed1(floorY + 40)
            + "\" font-size=\"32\" text-anchor=\"middle\">" + escaped(newest) + "</text>\n";
    }
    for (std::size_t party = 0; party < parties; ++party) {
        const double x = party < legendRows ? 80 : width / 2 + 40;
        const double y = floorY + 90 + legendRow * static_cast<double>(party % legendRows);
        svg += "<rect x=\"" + fixed1(x) + "\" y=\"" + fixed1(y)
            + "\" width=\"30\" height=\"30\" fill=\"" + colourOf(static_cast<int>(party))
            + "\"/>\n";
        svg += "<text x=\"" + fixed1(x + 44) + "\" y=\"" + fixed1(y + 25) + "\" font-size=\"30\">"
            + escaped(LegendEntry(chamber, names, static_cast<int>(party))) + "</text>\n";
    }
    return svg + "</svg>\n";
}

double MajorityAngle(const ChamberLayout& layout, int majority)
{
    const auto& places = layout.places;
    if (places.empty() || majority <= 0)
        return std::numbers::pi / 2;
    auto angleOf = [](const SeatPlace& place) { return std::atan2(place.y, place.x); };
    if (static_cast<std::size_t>(majority) >= places.size())
        return 0;
    return (angleOf(places[static_cast<std::size_t>(majority) - 1])
               + angleOf(places[static_cast<std::size_t>(majority)]))
        / 2;
}

} // namespace apportion
