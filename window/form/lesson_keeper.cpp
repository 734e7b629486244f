#include "window/form/lesson_keeper.h"

#include "window/form/lesson_files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QUuid>

using namespace apportion;

namespace {

constexpr int keptWindows = 8;

QString keptPattern()
{
    return QStringLiteral("последен-урок-*.%1").arg(QLatin1String(lessonExtension));
}

} // namespace

LessonKeeper::LessonKeeper(QObject* parent)
    : QObject(parent)
{
    readLast();
    // A name no other window has, however many start in the same second.
    m_file = QDir(folder()).filePath(
        QStringLiteral("последен-урок-%1.%2")
            .arg(QUuid::createUuid().toString(QUuid::Id128), QLatin1String(lessonExtension)));
    m_timer.setSingleShot(true);
    m_timer.setInterval(0);
    connect(&m_timer, &QTimer::timeout, this, &LessonKeeper::flush);
}

LessonKeeper::~LessonKeeper() { flush(); }

QString LessonKeeper::folder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
}

void LessonKeeper::keep(const Lesson& lesson)
{
    if (m_written == lesson || (!m_written && m_start == lesson)) {
        m_waiting.reset();
        return;
    }
    m_waiting = lesson;
    m_timer.start();
}

void LessonKeeper::flush()
{
    m_timer.stop();
    if (!m_waiting)
        return;
    if (!QDir().mkpath(folder()))
        return;
    QSaveFile file(m_file);
    const QByteArray text = QByteArray::fromStdString(WriteLesson(*m_waiting));
    if (file.open(QIODevice::WriteOnly) && file.write(text) == text.size() && file.commit()) {
        if (!m_written)
            removeOld();
        m_written = std::move(m_waiting);
    }
    m_waiting.reset();
}

void LessonKeeper::readLast()
{
    const QFileInfoList kept
        = QDir(folder()).entryInfoList({ keptPattern() }, QDir::Files, QDir::Time);
    for (const QFileInfo& info : kept) {
        const LessonReading reading = readLessonFile(info.filePath());
        if (reading.lesson) {
            m_last = Kept { *reading.lesson, info.lastModified() };
            return;
        }
    }
}

void LessonKeeper::removeOld() const
{
    const QFileInfoList kept
        = QDir(folder()).entryInfoList({ keptPattern() }, QDir::Files, QDir::Time);
    for (qsizetype i = keptWindows; i < kept.size(); ++i)
        QFile::remove(kept[i].filePath());
}
