#include "window/lessons/lesson_keeper.h"

#include "window/lessons/lesson_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QUuid>

using namespace apportion;

namespace {

// How many lessons of windows that are gone stay kept; the oldest past them are removed.
constexpr int keptWindows = 20;

QString keptPattern()
{
    return QStringLiteral("последен-урок-*.%1").arg(QLatin1String(lessonExtension));
}

QString lockPath(const QString& file) { return file + QStringLiteral(".lock"); }

// A lock on a kept file: held by the window that keeps it, for as long as it runs. A lock left
// by a window that is gone (killed, crashed) counts as free; one held however long by a running
// window never does.
std::unique_ptr<QLockFile> lockOf(const QString& file)
{
    auto lock = std::make_unique<QLockFile>(lockPath(file));
    lock->setStaleLockTime(0);
    return lock;
}

// Whether a window holds the kept file now.
bool held(const QString& file)
{
    if (!QFile::exists(lockPath(file)))
        return false;
    const auto lock = lockOf(file);
    if (lock->tryLock(0)) {
        lock->unlock();
        return false;
    }
    return lock->error() == QLockFile::LockFailedError;
}

QFileInfoList keptFiles()
{
    return QDir(LessonKeeper::folder()).entryInfoList({ keptPattern() }, QDir::Files, QDir::Time);
}

} // namespace

LessonKeeper::LessonKeeper(QObject* parent)
    : QObject(parent)
{
    // A name no other window has, however many start in the same second.
    m_file = QDir(folder()).filePath(
        QStringLiteral("последен-урок-%1.%2")
            .arg(QUuid::createUuid().toString(QUuid::Id128), QLatin1String(lessonExtension)));
    removeOld();
}

LessonKeeper::~LessonKeeper()
{
    // What waits is written; whoever listened may be gone by now, and is not told.
    blockSignals(true);
    flush();
}

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
    m_writeLater.schedule();
}

void LessonKeeper::refuse(const QString& why)
{
    if (m_told)
        return;
    m_told = true;
    emit notKept(why);
}

void LessonKeeper::flush()
{
    m_writeLater.cancel();
    if (!m_waiting)
        return;
    const QByteArray text = QByteArray::fromStdString(WriteLesson(*m_waiting));
    if (text.size() > static_cast<qsizetype>(largestLessonFile)) {
        m_waiting.reset();
        refuse(QStringLiteral("урокът е над 1 MB (много дълъг текст в кутия) и не би се отворил."));
        return;
    }
    if (!QDir().mkpath(folder())) {
        m_waiting.reset();
        refuse(QStringLiteral("папката „%1“ не може да се създаде.")
                   .arg(QDir::toNativeSeparators(folder())));
        return;
    }
    if (!m_lock) {
        m_lock = lockOf(m_file);
        if (!m_lock->tryLock(0)) {
            m_lock.reset();
            m_waiting.reset();
            refuse(QStringLiteral("в папката „%1“ не може да се пише.")
                       .arg(QDir::toNativeSeparators(folder())));
            return;
        }
    }
    QSaveFile file(m_file);
    if (file.open(QIODevice::WriteOnly) && file.write(text) == text.size() && file.commit()) {
        m_written = std::move(m_waiting);
    } else {
        refuse(QStringLiteral("„%1“ не може да се запише — %2.")
                   .arg(QDir::toNativeSeparators(m_file), file.errorString()));
    }
    m_waiting.reset();
}

std::vector<LessonKeeper::Kept> LessonKeeper::offers() const
{
    std::vector<Kept> offered;
    for (const QFileInfo& info : keptFiles()) {
        const QString path = info.filePath();
        if (path == m_file || held(path))
            continue;
        const LessonReading reading = readLessonFile(path);
        if (reading.lesson)
            offered.push_back({ path, *reading.lesson, info.lastModified() });
    }
    return offered;
}

std::optional<LessonKeeper::Kept> LessonKeeper::bringBack(const QString& path)
{
    auto lock = lockOf(path);
    if (path == m_file || !lock->tryLock(0))
        return std::nullopt;
    const LessonReading reading = readLessonFile(path);
    if (!reading.lesson)
        return std::nullopt;
    flush();
    // This window's own lesson, where it kept one, is let go to be offered in turn; where it
    // kept none, its lock goes with it.
    if (m_lock) {
        m_lock->unlock();
        m_lock.reset();
    }
    if (m_written)
        m_broughtBack.insert(m_file);
    m_file = path;
    m_lock = std::move(lock);
    m_written = reading.lesson;
    m_broughtBack.insert(path);
    return Kept { path, *reading.lesson, QFileInfo(path).lastModified() };
}

std::optional<LessonKeeper::Kept> LessonKeeper::nextOffer()
{
    const std::vector<Kept> offered = offers();
    for (int round = 0; round < 2; ++round) {
        for (const Kept& kept : offered) {
            if (!m_broughtBack.contains(kept.path)) {
                if (auto taken = bringBack(kept.path))
                    return taken;
            }
        }
        // Every offer was brought back once: round again.
        m_broughtBack.clear();
    }
    return std::nullopt;
}

void LessonKeeper::removeOld() const
{
    int free = 0;
    for (const QFileInfo& info : keptFiles()) {
        const QString path = info.filePath();
        if (held(path) || ++free <= keptWindows)
            continue;
        QFile::remove(path);
        QFile::remove(lockPath(path));
    }
}
