#pragma once

#include <QFont>

#include <cstddef>

class QWidget;

// The window's zoom for a projector: the steps it offers (form_layout::zoomSteps), which of them
// fit the window's screen, and the font at each.
class FormZoom {
public:
    int percent() const;
    double factor() const { return percent() / 100.0; }

    // Goes to the largest step up to `percent` at which the window fits its screen; true when
    // the step changed.
    bool setPercent(int percent, const QWidget& window);
    // Goes the given number of steps up or down, within the steps that fit.
    bool stepBy(int steps, const QWidget& window);

    bool canZoomIn(const QWidget& window) const;
    bool canZoomOut() const { return m_step > 0; }

    // Twips the window has beyond the drawn height (the names' row), for the steps that fit.
    void setExtraHeight(int twips) { m_extraHeight = twips; }

    // The window's font at this zoom: every control, menu and tooltip of the window takes it.
    QFont font() const;

private:
    bool fits(const QWidget& window, int percent) const;

    std::size_t m_step = 0; // in form_layout::zoomSteps
    int m_extraHeight = 0;
};
