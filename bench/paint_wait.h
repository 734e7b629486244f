#pragma once

#include <QApplication>
#include <QEvent>
#include <QObject>

#include <algorithm>
#include <vector>

// What the window benchmarks share: counting a widget's paints, to time an action up to the
// repaint a user sees, and the percentiles they print.
class PaintCounter : public QObject {
public:
    using QObject::QObject;
    int paints = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return QObject::eventFilter(watched, event);
    }
};

// Processes events until the watched widget has been painted again, as after a click.
inline void waitForPaint(const PaintCounter& counter, int paintsBefore)
{
    for (int round = 0; round < 100 && counter.paints == paintsBefore; ++round)
        QApplication::processEvents();
}

inline double percentile(std::vector<double> values, double fraction)
{
    std::sort(values.begin(), values.end());
    const auto index
        = static_cast<std::size_t>(fraction * static_cast<double>(values.size() - 1) + 0.5);
    return values[index];
}
