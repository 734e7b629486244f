#pragma once

#include "lesson/lesson_file.h"

#include "window/shared/after_repaint.h"
#include <QDateTime>
#include <QLockFile>
#include <QObject>
#include <QSet>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

// Keeps the lesson on screen in the user's data folder after every action, so that a crash, a
// kill or a mistaken close loses nothing: each window in a file of its own (two windows open at
// once never write over each other's), replaced whole or not at all. A window holds a lock on
// its file while it runs, so that no other window removes it or offers it; the lessons of the
// windows that are gone are offered, newest first, and one brought back is kept on in its own
// file (never twice).
class LessonKeeper : public QObject {
    Q_OBJECT

public:
    explicit LessonKeeper(QObject* parent = nullptr);
    ~LessonKeeper() override;

    // The lesson a window starts with: not kept until the lesson first differs from it, so that
    // a window opened and closed again leaves the kept lessons as they were.
    void setStart(const apportion::Lesson& lesson) { m_start = lesson; }
    // Keeps this lesson, written once the event loop is next idle: a burst of keystrokes is one
    // write, off the click's path.
    void keep(const apportion::Lesson& lesson);
    // Writes what is waiting now.
    void flush();

    struct Kept {
        QString path;
        apportion::Lesson lesson;
        QDateTime when;
    };
    // The lessons kept by windows that are gone, newest first: none open in a window now.
    std::vector<Kept> offers() const;
    // Takes over the kept lesson at `path`: this window keeps it on in that file, and lets its
    // own go to be offered again. None where another window took it first or it does not read.
    std::optional<Kept> bringBack(const QString& path);
    // The newest offer this window has not brought back yet (going round once all were).
    std::optional<Kept> nextOffer();

    // The folder the lessons are kept in.
    static QString folder();

signals:
    // Once, where a lesson could not be kept: why.
    void notKept(const QString& why);

private:
    // Removes the oldest kept lessons no window holds, past the newest few.
    void removeOld() const;
    void refuse(const QString& why);

    QString m_file; // this window's
    std::unique_ptr<QLockFile> m_lock;
    std::optional<apportion::Lesson> m_waiting;
    std::optional<apportion::Lesson> m_written;
    std::optional<apportion::Lesson> m_start;
    QSet<QString> m_broughtBack; // the offers this window took, for the next one in turn
    bool m_told = false;
    AfterRepaint m_writeLater { [this] { flush(); } };
};
