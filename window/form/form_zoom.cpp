#include "window/form/form_zoom.h"

#include "window/form/form_layout.h"

#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace layout = form_layout;

namespace {

constexpr double basePointSize = 12;

} // namespace

int FormZoom::percent() const { return layout::zoomSteps[m_step]; }

bool FormZoom::fits(const QWidget& window, int percent) const
{
    const QScreen* screen = window.screen();
    if (!screen)
        return percent == 100;
    // The frame the window system adds stays its own size.
    const QSize frame = window.frameGeometry().size() - window.size();
    const QSize needed = layout::clientSize(percent / 100.0) + frame;
    const QSize available = screen->availableGeometry().size();
    return needed.width() <= available.width() && needed.height() <= available.height();
}

bool FormZoom::setPercent(int percent, const QWidget& window)
{
    std::size_t chosen = 0;
    for (std::size_t step = 0; step < layout::zoomSteps.size(); ++step) {
        if (layout::zoomSteps[step] <= percent && fits(window, layout::zoomSteps[step]))
            chosen = step;
    }
    const bool changed = chosen != m_step;
    m_step = chosen;
    return changed;
}

bool FormZoom::stepBy(int steps, const QWidget& window)
{
    const auto last = static_cast<std::ptrdiff_t>(layout::zoomSteps.size()) - 1;
    const auto step
        = std::clamp<std::ptrdiff_t>(static_cast<std::ptrdiff_t>(m_step) + steps, 0, last);
    return setPercent(layout::zoomSteps[static_cast<std::size_t>(step)], window);
}

bool FormZoom::canZoomIn(const QWidget& window) const
{
    return m_step + 1 < layout::zoomSteps.size() && fits(window, layout::zoomSteps[m_step + 1]);
}

QFont FormZoom::font() const
{
    QFont font(QStringLiteral("Times New Roman"));
    font.setPointSizeF(basePointSize * factor());
    return font;
}
