#pragma once

#include "core/allocation/board.h"
#include "core/teaching/party_names.h"

#include <optional>
#include <string>
#include <vector>

namespace apportion {

// Where one seat stands in a half circle of rows: in units of the outermost row's radius, from
// the middle of the floor, y upwards.
struct SeatPlace {
    double x = 0;
    double y = 0;
    int row = 0; // 0 the innermost
};

// The chamber's seats as the news draws a parliament: rows of seats on half circles, each row
// holding seats in proportion to its length, and the places ordered from the left end to the
// right one by their angle, so that a party's seats, taken in this order, make one wedge.
struct ChamberLayout {
    int rows = 0;
    double seatRadius = 0; // a seat's dot, in the same units as its place
    double innerRadius = 0; // the innermost row's
    std::vector<SeatPlace> places;
};

// The layout of a chamber of `seats` seats (0 to 600, twice the largest seat total; more are
// clamped). A chamber with no seats
// has no rows.
ChamberLayout LayOutChamber(int seats);

// The angle (0 the right end, π the left) of the line between the first `majority` places and
// the rest: a coalition of the parties left of it, in the columns' order, holds the majority.
double MajorityAngle(const ChamberLayout& layout, int majority);

// More than half of the seats: 4 of 7, 121 of 240, 151 of 300; 0 for no seats.
int MajorityOf(int seats);

// The chamber at one moment: how many seats it has, and who holds each place.
struct Chamber {
    // The seat total, or the seats given where more were given (a method changed on the way).
    int total = 0;
    std::vector<int> seats; // each party's
    // Each place's party, in the layout's order, -1 where the seat is not yet given: the
    // parties' seats side by side in the order of the columns, the seats not given at the end.
    std::vector<int> occupant;
    // The newest seat: its place, its party and its number since the votes were entered.
    std::optional<int> newestPlace;
    int newestParty = -1;
    int newestSeat = 0;
    int majority = 0;
    bool operator==(const Chamber&) const = default;
};

// The chamber of the seats given so far on the board, in the seat-by-seat window's order.
Chamber ChamberOfBoard(const Board& board);
// The chamber of a method's final seats, `total` of them (clamped to the seats held or more).
Chamber ChamberOfSeats(const std::vector<int>& seats, int total);

// What a class reads under the chamber: "мнозинство: 121 от 240".
std::string MajorityText(const Chamber& chamber);
// Who holds the newest seat: "мандат 8: ГЕРБ-СДС"; empty before the first.
std::string NewestSeatText(const Chamber& chamber, const PartyNames& names);
// A legend entry: "ГЕРБ-СДС: 69".
std::string LegendEntry(const Chamber& chamber, const PartyNames& names, int party);
// The parties chosen in the legend added up against the majority: "ГЕРБ-СДС + БСП-Обединена
// левица + Има такъв народ: 107 — не стигат 121", or "…: 125 — мнозинство (121)". Empty where
// none is chosen.
std::string CoalitionText(
    const Chamber& chamber, const PartyNames& names, const std::vector<int>& chosen);
// For a screen reader: the seats, the majority, and each party's seats.
std::string DescribeChamber(const Chamber& chamber, const PartyNames& names);

// The chamber as an SVG picture for a slide: one circle per seat in its party's colour (`colours`
// as "#rrggbb", one per party; grey where missing), an empty ring for a seat not yet given, the
// newest seat ringed, the majority line, the title and a legend with the seats.
std::string ChamberSvg(const Chamber& chamber, const PartyNames& names,
    const std::vector<std::string>& colours, const std::string& title);

} // namespace apportion
