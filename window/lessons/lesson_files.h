#pragma once

#include "lesson/lesson_file.h"

#include <QObject>
#include <QString>

#include <optional>

class QWidget;

// Reads a lesson file: its lesson, or why it was refused ("урокът не може да се отвори — …" for a
// file that does not open, the reader's reason for one that does not read).
apportion::LessonReading readLessonFile(const QString& path);

// Lessons on disk: the file the lesson on screen came from or was last saved to, the dialogs
// that choose one, and writes that either replace the file whole or leave it as it was. A file
// that cannot be read or written is told in a message naming it and what is wrong, and nothing
// on screen changes.
class LessonFiles : public QObject {
    Q_OBJECT

public:
    explicit LessonFiles(QWidget* window);

    // The lesson's file; empty while the lesson was never saved or opened.
    QString path() const { return m_path; }

    // Saves to the lesson's file, or asks where where it has none. False where nothing was
    // written (the dialog cancelled, or the write failed and was told).
    bool save(const apportion::Lesson& lesson);
    bool saveAs(const apportion::Lesson& lesson);
    bool saveTo(const QString& path, const apportion::Lesson& lesson);
    // Asks which lesson to open and reads it; none where cancelled or refused.
    std::optional<apportion::Lesson> open();
    std::optional<apportion::Lesson> read(const QString& path);
    // An example that comes with the program: read as a lesson of no file of its own, so that
    // a save asks where to put the copy.
    std::optional<apportion::Lesson> readExample(const QString& path);

signals:
    // The lesson's file changed: a save to a new name, or a lesson opened.
    void pathChanged(const QString& path);
    // What was done, for the line under the controls.
    void said(const QString& report);

private:
    void refuse(const QString& path, const QString& why);
    void setPath(const QString& path);
    QString folder() const;

    QWidget* m_window;
    QString m_path;
};
