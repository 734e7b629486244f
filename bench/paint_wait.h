#pragma once

#include <QApplication>
#include <QEvent>
#include <QObject>
#include <QWidget>

#include <algorithm>
#include <chrono>
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

// The application for a benchmark that times an action up to what a user sees: it stamps the
// moment a watched window has finished painting and flushing a change to the screen (its update
// request handled). Work the event loop does after that, a file written or another window
// brought up to date, happens after the user has seen the result and is not counted, whatever
// order the loop takes it in.
class ShownApplication : public QApplication {
public:
    using QApplication::QApplication;
    using Clock = std::chrono::steady_clock;

    void watch(const QWidget* window) { m_watched = window; }
    Clock::time_point shownAt() const { return m_shownAt; }

    bool notify(QObject* receiver, QEvent* event) override
    {
        const bool update = event->type() == QEvent::UpdateRequest && receiver == m_watched;
        const bool result = QApplication::notify(receiver, event);
        if (update)
            m_shownAt = Clock::now();
        return result;
    }

private:
    const QWidget* m_watched = nullptr;
    Clock::time_point m_shownAt;
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
