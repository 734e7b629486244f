#pragma once

#include <QObject>

#include <functional>

// Runs a function once, after what the event loop already has waiting, the windows' repaints
// of what the user just did included. Asked again before it has run, it still runs once. For
// work the user does not wait for (a lesson kept on disk, another window brought up to date),
// which a zero timer could run before the user's own window is painted.
class AfterRepaint : public QObject {
public:
    AfterRepaint(std::function<void()> run, QObject* parent = nullptr);

    void schedule();
    // Not run after all, unless scheduled again.
    void cancel() { m_scheduled = false; }

protected:
    bool event(QEvent* event) override;

private:
    std::function<void()> m_run;
    bool m_scheduled = false;
    bool m_posted = false;
};
