#include "window/lessons/lesson_files.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QSaveFile>
#include <QStandardPaths>
#include <QWidget>

using namespace apportion;

namespace {

QString filter() { return QStringLiteral("Уроци (*.%1)").arg(QLatin1String(lessonExtension)); }

QString shownName(const QString& path) { return QFileInfo(path).fileName(); }

} // namespace

LessonFiles::LessonFiles(QWidget* window)
    : QObject(window)
    , m_window(window)
{
}

QString LessonFiles::folder() const
{
    if (!m_path.isEmpty())
        return QFileInfo(m_path).absolutePath();
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QDir(documents).exists() ? documents : QDir::homePath();
}

void LessonFiles::setPath(const QString& path)
{
    if (path == m_path)
        return;
    m_path = path;
    emit pathChanged(path);
}

void LessonFiles::refuse(const QString& path, const QString& why)
{
    const QString text = QStringLiteral("„%1“: %2").arg(shownName(path), why);
    emit said(text);
    // Window-modal and not waited for: the lesson on screen stays as it was behind it.
    auto* box = new QMessageBox(
        QMessageBox::Warning, QStringLiteral("Урокът"), text, QMessageBox::Ok, m_window);
    box->setObjectName(QStringLiteral("LessonMessage"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::WindowModal);
    box->setInformativeText(QDir::toNativeSeparators(path));
    box->open();
}

bool LessonFiles::save(const Lesson& lesson)
{
    return m_path.isEmpty() ? saveAs(lesson) : saveTo(m_path, lesson);
}

bool LessonFiles::saveAs(const Lesson& lesson)
{
    const QString suggested = m_path.isEmpty()
        ? QDir(folder()).filePath(QStringLiteral("урок.%1").arg(QLatin1String(lessonExtension)))
        : m_path;
    QString path = QFileDialog::getSaveFileName(
        m_window, QStringLiteral("Запази урока"), suggested, filter());
    if (path.isEmpty())
        return false;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".%1").arg(QLatin1String(lessonExtension));
    return saveTo(path, lesson);
}

bool LessonFiles::saveTo(const QString& path, const Lesson& lesson)
{
    // Written to a new file beside the old one and put in its place only once whole: a full
    // disk or a crash mid-write leaves the old lesson as it was.
    QSaveFile file(path);
    const QByteArray text = QByteArray::fromStdString(WriteLesson(lesson));
    // A file the reader would refuse is not written: it would be told saved and never open.
    if (text.size() > static_cast<qsizetype>(largestLessonFile)) {
        refuse(path,
            QStringLiteral("урокът не е запазен — той е %1 KB, а урок се отваря до 1 MB. "
                           "Съкратете дългия текст в някоя кутия.")
                .arg(text.size() / 1024));
        return false;
    }
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit()) {
        refuse(path, QStringLiteral("урокът не е запазен — %1.").arg(file.errorString()));
        return false;
    }
    setPath(path);
    emit said(QStringLiteral("Урокът е запазен в „%1“.").arg(shownName(path)));
    return true;
}

std::optional<Lesson> LessonFiles::open()
{
    const QString path
        = QFileDialog::getOpenFileName(m_window, QStringLiteral("Отвори урок"), folder(), filter());
    if (path.isEmpty())
        return std::nullopt;
    return read(path);
}

std::optional<Lesson> LessonFiles::readExample(const QString& path)
{
    const QString kept = m_path;
    auto lesson = read(path);
    if (lesson)
        setPath(QString());
    else
        m_path = kept;
    return lesson;
}

LessonReading readLessonFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        LessonReading refused;
        refused.error = QStringLiteral("файлът не може да се отвори — %1.")
                            .arg(file.errorString())
                            .toStdString();
        return refused;
    }
    // One byte past the largest lesson is enough to tell a file that is too large.
    const QByteArray bytes = file.read(static_cast<qint64>(largestLessonFile) + 1);
    return ReadLesson(std::string_view(bytes.constData(), bytes.size()));
}

std::optional<Lesson> LessonFiles::read(const QString& path)
{
    const LessonReading reading = readLessonFile(path);
    if (!reading.lesson) {
        refuse(path,
            QStringLiteral("урокът не е отворен — %1").arg(QString::fromStdString(reading.error)));
        return std::nullopt;
    }
    setPath(path);
    return reading.lesson;
}
