#pragma once

#include "lesson/lesson_file.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QTimer>

#include <optional>

// Keeps the lesson on screen in the user's data folder after every action, so that a crash, a
// kill or a mistaken close loses nothing: each window in a file of its own (two windows open at
// once never write over each other's), replaced whole or not at all. The newest lesson another
// window kept is offered when a window starts.
class LessonKeeper : public QObject {
    Q_OBJECT

public:
    explicit LessonKeeper(QObject* parent = nullptr);
    ~LessonKeeper() override;

    // The lesson a window starts with: not kept until the lesson first differs from it, so that
    // a window opened and closed again leaves the last lesson as it was.
    void setStart(const apportion::Lesson& lesson) { m_start = lesson; }
    // Keeps this lesson, written once the event loop is next idle: a burst of keystrokes is one
    // write, off the click's path.
    void keep(const apportion::Lesson& lesson);
    // Writes what is waiting now.
    void flush();

    struct Kept {
        apportion::Lesson lesson;
        QDateTime when;
    };
    // The newest lesson kept by another window, read when this one started; none where there is
    // none or it could not be read.
    const std::optional<Kept>& last() const { return m_last; }

    // The folder the lessons are kept in.
    static QString folder();

private:
    void readLast();
    // Only the newest few windows' lessons are kept.
    void removeOld() const;

    QString m_file; // this window's
    std::optional<apportion::Lesson> m_waiting;
    std::optional<apportion::Lesson> m_written;
    std::optional<apportion::Lesson> m_start;
    std::optional<Kept> m_last;
    QTimer m_timer;
};
