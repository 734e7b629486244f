// Kept lessons survive windows killed as a crash kills them: other processes keep lessons and are
// killed, and a window started after brings each back once. Run as "tst_keeper --keep SEATS",
// the program is such a window: it keeps a lesson of SEATS seats, says so, and waits.
#include "board_view.h"
#include "window/form/apportion_form.h"
#include "window/form/form_actions.h"
#include "window/form/status_line.h"
#include "window/lessons/lesson_files.h"
#include "window/lessons/lesson_keeper.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <memory>
#include <set>
#include <vector>

using namespace apportion;

namespace {

QStringList keptFiles()
{
    return QDir(LessonKeeper::folder())
        .entryList({ QStringLiteral("последен-урок-*.mandati") }, QDir::Files);
}

// A window of another process that keeps a lesson of `seats` seats and runs until killed.
std::unique_ptr<QProcess> startKeeping(int seats)
{
    auto process = std::make_unique<QProcess>();
    process->start(QCoreApplication::applicationFilePath(),
        { QStringLiteral("--keep"), QString::number(seats) });
    if (!process->waitForStarted(10000) || !process->waitForReadyRead(30000))
        return nullptr;
    return process->readAll().contains("kept") ? std::move(process) : nullptr;
}

int keepAndWait(int seats)
{
    ApportionForm form;
    form.show();
    control<QListWidget>(form, QStringLiteral("List3"))->setCurrentRow(seats - 1);
    QCoreApplication::processEvents();
    std::printf("kept\n");
    std::fflush(stdout);
    return QCoreApplication::exec();
}

} // namespace

class TestKeeper : public QObject {
    Q_OBJECT

private slots:
    void init() { forgetKeptLessons(); }
    void cleanup()
    {
        // The file a test put where the folder should be goes too.
        if (QFileInfo(LessonKeeper::folder()).isFile())
            QFile::remove(LessonKeeper::folder());
        forgetKeptLessons();
    }

    void killedWindowsComeBackOnce_data();
    void killedWindowsComeBackOnce();
    void twoWindowsBringBackOneEach();
    void unwritableFolderIsTold();
    void closedWhileNotKept();
    void lessonTooLargeIsNeitherKeptNorSaved();
    void offerFitsTheWindowAtEveryZoom();
    void keptAfterTheWindowShowsTheSeat();
};

void TestKeeper::killedWindowsComeBackOnce_data()
{
    QTest::addColumn<int>("windows");
    QTest::newRow("two") << 2;
    QTest::newRow("nine") << 9;
}

// Windows of other processes that keep lessons and are killed: while they run, none of their
// lessons is offered; once killed, each is offered and Ctrl+Shift+T brings each back once, the
// next at each press, and no copy is left behind.
void TestKeeper::killedWindowsComeBackOnce()
{
    QFETCH(int, windows);
    std::vector<std::unique_ptr<QProcess>> running;
    std::set<int> kept;
    for (int w = 0; w < windows; ++w) {
        running.push_back(startKeeping(20 + w));
        QVERIFY2(running.back(), "a window of another process did not keep its lesson");
        kept.insert(20 + w);
    }
    QCOMPARE(keptFiles().size(), windows);
    {
        ApportionForm meanwhile;
        QVERIFY(!meanwhile.actions().lastLesson->isEnabled());
    }
    for (auto& process : running) {
        process->kill();
        QVERIFY(process->waitForFinished(10000));
    }

    ApportionForm later;
    QVERIFY(later.actions().lastLesson->isEnabled());
    QCOMPARE(later.actions().keptLessons.size(), windows);
    std::set<int> broughtBack;
    for (int w = 0; w < windows; ++w) {
        later.actions().lastLesson->trigger();
        broughtBack.insert(static_cast<int>(later.board().SeatTotal()));
    }
    QCOMPARE(broughtBack, kept);
    QCOMPARE(keptFiles().size(), windows);
}

// Two windows killed, two windows started: each brings back a lesson the other has not.
void TestKeeper::twoWindowsBringBackOneEach()
{
    std::vector<std::unique_ptr<QProcess>> running;
    for (const int seats : { 30, 31 }) {
        running.push_back(startKeeping(seats));
        QVERIFY(running.back());
    }
    for (auto& process : running) {
        process->kill();
        QVERIFY(process->waitForFinished(10000));
    }
    ApportionForm first;
    ApportionForm second;
    first.actions().lastLesson->trigger();
    second.actions().lastLesson->trigger();
    const std::set<double> seats { first.board().SeatTotal(), second.board().SeatTotal() };
    QCOMPARE(seats, (std::set<double> { 30, 31 }));
    // The first holds its own now: another press there brings nothing the second holds.
    first.actions().lastLesson->trigger();
    QVERIFY(first.board().SeatTotal() != second.board().SeatTotal());
    QCOMPARE(first.statusReport(),
        QStringLiteral("Няма друг запазен урок: всеки е отворен в прозорец."));
    QVERIFY(!first.actions().lastLesson->isEnabled());
}

// Where the folder cannot be made, the line says once that the lesson is not kept, and why.
void TestKeeper::unwritableFolderIsTold()
{
    const QString folder = LessonKeeper::folder();
    QVERIFY(QDir().mkpath(QFileInfo(folder).absolutePath()));
    // A file where the folder should be: no folder can be made there, even for root.
    QFile blocker(folder);
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    ApportionForm form;
    form.show();
    control<QListWidget>(form, QStringLiteral("List3"))->setCurrentRow(9);
    QCoreApplication::processEvents();
    QVERIFY2(
        form.statusReport().startsWith(QStringLiteral("Урокът не се пази за връщане след срив: "
                                                      "папката „")),
        qPrintable(form.statusReport()));
    control<QListWidget>(form, QStringLiteral("List3"))->setCurrentRow(10);
    QCoreApplication::processEvents();
    QVERIFY2(!form.statusReport().startsWith(QStringLiteral("Урокът не се пази")),
        qPrintable(form.statusReport()));
}

// A window closed with its last action not yet kept, where it cannot be: it closes cleanly.
void TestKeeper::closedWhileNotKept()
{
    const QString folder = LessonKeeper::folder();
    QVERIFY(QDir().mkpath(QFileInfo(folder).absolutePath()));
    QFile blocker(folder);
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    auto* form = new ApportionForm;
    form->show();
    control<QListWidget>(*form, QStringLiteral("List3"))->setCurrentRow(9);
    delete form; // the keeping still waits for the event loop
    QVERIFY(keptFiles().isEmpty());
}

namespace {

// What the kept file says at the moment the watched list is painted.
class KeptAtPaint : public QObject {
public:
    QStringList read;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            const QStringList files = keptFiles();
            QFile kept(QDir(LessonKeeper::folder()).filePath(files.value(0)));
            read << (files.size() == 1 && kept.open(QIODevice::ReadOnly)
                    ? QString::fromUtf8(kept.readAll())
                    : QString());
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

// A seat is shown first and kept on disk after: the window's lists are painted before the
// keeping writes its file, so the click is answered without waiting for the disk.
void TestKeeper::keptAfterTheWindowShowsTheSeat()
{
    ApportionForm form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    control<QPushButton>(form, QStringLiteral("Command1_0"))->click();
    QTRY_COMPARE(keptFiles().size(), 1);
    QTest::qWait(20);
    const QString path = QDir(LessonKeeper::folder()).filePath(keptFiles().front());
    QFile before(path);
    QVERIFY(before.open(QIODevice::ReadOnly));
    const QString entered = QString::fromUtf8(before.readAll());
    before.close();

    KeptAtPaint watch;
    control<QListView>(form, QStringLiteral("List1_0"))->viewport()->installEventFilter(&watch);
    control<QPushButton>(form, QStringLiteral("Command1_1"))->click();
    QTRY_VERIFY(!watch.read.isEmpty());
    QCOMPARE(watch.read.front(), entered);
    const auto kept = [&path] {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    };
    QTRY_VERIFY(kept() != entered);
}

// A lesson past what a lesson file may hold is not kept, and a save of it is refused, said.
void TestKeeper::lessonTooLargeIsNeitherKeptNorSaved()
{
    ApportionForm form;
    form.show();
    auto* votes = control<QLineEdit>(form, QStringLiteral("Text2_0"));
    votes->setText(QString(1100 * 1024, QLatin1Char('7')));
    emit votes->textEdited(votes->text());
    QCoreApplication::processEvents();
    QVERIFY2(
        form.statusReport().contains(QStringLiteral("над 1 MB")), qPrintable(form.statusReport()));
    QVERIFY(keptFiles().isEmpty());

    QTemporaryDir saved;
    const QString path = saved.filePath(QStringLiteral("голям.mandati"));
    LessonFiles files(&form);
    QString said;
    connect(&files, &LessonFiles::said, this, [&said](const QString& report) { said = report; });
    QVERIFY(!files.saveTo(path, LessonOf(form.board())));
    QVERIFY(!QFile::exists(path));
    QVERIFY2(said.contains(QStringLiteral("урокът не е запазен")), qPrintable(said));
}

// A long offer at start takes a second line, and the window grows by it at every zoom: the
// line stands inside the window.
void TestKeeper::offerFitsTheWindowAtEveryZoom()
{
    QDir folder(LessonKeeper::folder());
    QVERIFY(folder.mkpath(QStringLiteral(".")));
    for (int k = 0; k < 5; ++k) {
        Lesson lesson;
        lesson.parties = { { "А", "10" }, { "Б", "20" } };
        lesson.title = "Урок с доста дълго заглавие, което иска място";
        QFile file(folder.filePath(QStringLiteral("последен-урок-%1.mandati").arg(k)));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray::fromStdString(WriteLesson(lesson)));
    }
    for (const int zoom : { 100, 125, 150, 200, 250, 300 }) {
        ApportionForm form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.setZoomPercent(zoom);
        if (form.zoomPercent() != zoom)
            QSKIP("The screen is too small for this zoom: see the run on a large screen.");
        QCoreApplication::processEvents();
        auto* line = form.findChild<StatusLine*>();
        QCOMPARE(line->lines(), 2);
        // What the line says it needs is what it has.
        QVERIFY(line->sizeHint().width() <= line->width());
        QVERIFY(line->sizeHint().height() <= line->height());
        QVERIFY2(form.rect().contains(line->geometry()),
            qPrintable(QStringLiteral("%1 %: the line at %2, %3 high, in a window %4 high")
                           .arg(zoom)
                           .arg(line->y())
                           .arg(line->height())
                           .arg(form.height())));
    }
}

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc == 3 && QByteArray(argv[1]) == "--keep")
        return keepAndWait(QByteArray(argv[2]).toInt());
    TestKeeper test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_keeper.moc"
