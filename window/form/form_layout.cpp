#include "window/form/form_layout.h"

#include <QtMath>

namespace form_layout {

namespace {

    constexpr double twipsPerPixel = 15;

    int pixels(int twips, double zoom) { return qRound(twips * zoom / twipsPerPixel); }

} // namespace

QRect toPixels(Twips t, double zoom)
{
    return QRect(
        pixels(t.left, zoom), pixels(t.top, zoom), pixels(t.width, zoom), pixels(t.height, zoom));
}

int toPixels(int twips, double zoom) { return pixels(twips, zoom); }

QSize clientSize(double zoom, int extraHeight)
{
    return toPixels({ 0, 0, client.width, client.height + extraHeight }, zoom).size();
}

} // namespace form_layout
