#pragma once

#include <QRect>
#include <QSize>
#include <QString>

#include <array>

// Where every control of the window stands. The layout was drawn in twips, 1440 to the inch:
// 15 twips make one pixel at 96 dots per inch, and Qt scales device-independent pixels on
// high-density screens. A zoom (1 = 100 %) enlarges the whole layout for a projector.
namespace form_layout {

// A control's object name in an array, as the layout names them: "Text2_0", "Option1_4".
inline QString indexedName(const char* name, int index)
{
    return QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(index);
}

struct Twips {
    int left;
    int top;
    int width;
    int height;
};

// The client area as drawn, and below it one line that says what the last action did: the
// window grows by that line, and nothing above it moves.
inline constexpr Twips drawnClient { 0, 0, 8970, 6360 };
inline constexpr Twips statusLine { 120, 6300, 8775, 375 };
inline constexpr Twips client { 0, 0, 8970, statusLine.top + statusLine.height };
inline constexpr std::array<Twips, 2> texts { { { 120, 4440, 8775, 1815 },
    { 480, 5520, 6735, 1815 } } };
inline constexpr std::array<Twips, 3> labels { { { 360, 0, 8055, 375 }, { 6840, 2640, 975, 375 },
    { 8040, 2640, 855, 375 } } };
inline constexpr int partySpacing = 1320; // the party columns stand side by side
// The columns drawn: five parties. More widen the window by a spacing each; fewer leave it as it
// is drawn.
inline constexpr int drawnPartyCount = 5;
// A row of name boxes over the vote boxes, once a party is named: everything under the title
// moves down by it and the window grows by it.
inline constexpr int namesRowHeight = 405;
inline constexpr Twips nameBox { 120, 480, 1335, 405 }; // party 0's
inline constexpr Twips quotientList { 120, 840, 1335, 2910 }; // party 0's
inline constexpr Twips voteBox { 120, 480, 1335, 405 }; // party 0's
inline constexpr std::array<Twips, 3> commands { { { 120, 3960, 1455, 375 },
    { 2520, 3960, 1455, 375 }, { 5160, 3960, 1455, 375 } } };
inline constexpr Twips divisorList { 6840, 3000, 975, 1200 };
inline constexpr Twips methodFrame { 6720, 480, 2175, 1935 };
inline constexpr Twips methodOption { 120, 300, 1935, 300 }; // the first, in the frame
inline constexpr Twips seatTotals { 8040, 3000, 855, 1200 };

// The zoom steps, in percent, that the window offers.
inline constexpr std::array<int, 6> zoomSteps { 100, 125, 150, 200, 250, 300 };

// The twips the party columns need beyond the drawn window, for this many parties.
constexpr int extraPartyWidth(int parties)
{
    return parties > drawnPartyCount ? (parties - drawnPartyCount) * partySpacing : 0;
}
// Where the party columns end, at least where the drawn five do.
constexpr int partyColumnsEnd(int parties)
{
    return voteBox.left + (parties > drawnPartyCount ? parties : drawnPartyCount) * partySpacing
        + (voteBox.width - partySpacing);
}

constexpr Twips shiftedRight(Twips t, int by) { return { t.left + by, t.top, t.width, t.height }; }
constexpr Twips shiftedDown(Twips t, int by) { return { t.left, t.top + by, t.width, t.height }; }

QRect toPixels(Twips t, double zoom);
int toPixels(int twips, double zoom);
// The client area at this zoom, taller by `extraHeight` twips (the names' row).
QSize clientSize(double zoom, int extraHeight = 0);

} // namespace form_layout
