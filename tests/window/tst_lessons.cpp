// Lessons saved and opened: the same rows, marks, threshold and other votes after a round trip,
// one undoable step, and every file that cannot be read refused with its name and the reason,
// the lesson on screen untouched.
#include "board_view.h"
#include "window/comparison/comparison_window.h"
#include "window/form/apportion_form.h"
#include "window/form/form_actions.h"
#include "window/lessons/lesson_files.h"
#include "window/lessons/lesson_keeper.h"

#include <QAction>
#include <QClipboard>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace apportion;

namespace {

class TestLessons : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void savedLessonOpensTheSame();
    void openedThroughItsDialog();
    void unreadableFileIsRefused_data();
    void unreadableFileIsRefused();
    void examplesOpenFromTheMenu();
    void lastLessonIsBroughtBack();
    void onlyTheNewestKeptLessonsStay();

private:
    void giveSeats(int seats) const
    {
        QTest::mouseClick(
            control<QPushButton>(*m_form, QStringLiteral("Command1_0")), Qt::LeftButton);
        for (int seat = 0; seat < seats; ++seat)
            QTest::mouseClick(
                control<QPushButton>(*m_form, QStringLiteral("Command1_1")), Qt::LeftButton);
    }
    QString write(const QByteArray& bytes) const
    {
        const QString path = m_folder.filePath(QStringLiteral("урок.mandati"));
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        return path;
    }

    ApportionForm* m_form = nullptr;
    QTemporaryDir m_folder;
};

void TestLessons::init()
{
    forgetKeptLessons();
    m_form = new ApportionForm;
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form));
}

void TestLessons::cleanup()
{
    delete m_form;
    m_form = nullptr;
}

void TestLessons::savedLessonOpensTheSame()
{
    QGuiApplication::clipboard()->setText(
        QStringLiteral("ГЕРБ-СДС\t642931\nПП-ДБ\t346063\nВеличие\t97430\n"));
    auto* first = control<QLineEdit>(*m_form, QStringLiteral("Text2_0"));
    first->setFocus();
    QTest::keyClick(first, Qt::Key_V, Qt::ControlModifier);
    control<QListWidget>(*m_form, QStringLiteral("List3"))->setCurrentRow(19);
    giveSeats(8);
    QTest::keyClick(m_form, Qt::Key_M, Qt::ControlModifier);
    auto* comparison = const_cast<ComparisonWindow*>(m_form->comparisonWindow());
    comparison->findChild<QDoubleSpinBox*>(QStringLiteral("Threshold"))->setValue(4);
    comparison->findChild<QSpinBox*>(QStringLiteral("OtherVotes"))->setValue(99453);
    const Board saved = m_form->board();

    const QString path = m_folder.filePath(QStringLiteral("парламент.mandati"));
    auto& files = const_cast<LessonFiles&>(m_form->lessonFiles());
    QVERIFY(files.saveTo(path, LessonOf(m_form->board())));
    QVERIFY(m_form->windowTitle().endsWith(QStringLiteral(" — парламент.mandati")));
    QVERIFY(m_form->statusReport().contains(QStringLiteral("запазен")));

    // Opened in another window: the same board, threshold and other votes.
    ApportionForm other;
    other.show();
    QVERIFY(other.openLesson(path));
    QCOMPARE(other.board(), saved);
    QVERIFY(other.windowTitle().endsWith(QStringLiteral("парламент.mandati")));
    QCOMPARE(other.statusReport(),
        QStringLiteral("Отворен е урокът „парламент.mandati“: 3 партии, 20 мандата, D’Hondt; 8 са "
                       "дадени."));
    QCOMPARE(
        control<QLineEdit>(other, QStringLiteral("Name_2"))->text(), QStringLiteral("Величие"));
    other.actions().compare->trigger();
    QCOMPARE(other.comparisonWindow()->count(), (VoteCount { 4, 99453 }));
    // One step: undo gives back the start.
    other.actions().undo->trigger();
    Board start;
    start.LoadWindow();
    QCOMPARE(other.board(), start);
}

// "Отвори урок…" asks for the file and opens the one chosen.
void TestLessons::openedThroughItsDialog()
{
    Board board;
    board.LoadWindow();
    board.FillParties(0, { { "ГЕРБ-СДС", "642931" }, { "Величие", "97430" } });
    const QString path = m_folder.filePath(QStringLiteral("избран.mandati"));
    auto& files = const_cast<LessonFiles&>(m_form->lessonFiles());
    QVERIFY(files.saveTo(path, LessonOf(board)));

    // Qt's own dialog, which a test can answer, where the platform would show its own.
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs, true);
    QString asked;
    QTimer answer;
    connect(&answer, &QTimer::timeout, this, [&asked, &path, &answer] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        answer.stop();
        asked = dialog->windowTitle();
        // The file's whole path typed into the dialog's name box, as a user may.
        dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(path);
        static_cast<QDialog*>(dialog)->accept();
    });
    answer.start(10);
    m_form->actions().openLesson->trigger();
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs, false);
    QCOMPARE(asked, QStringLiteral("Отвори урок"));
    QCOMPARE(
        control<QLineEdit>(*m_form, QStringLiteral("Name_1"))->text(), QStringLiteral("Величие"));
    QCOMPARE(VoteTexts(m_form->board().parties), (std::vector<std::string> { "642931", "97430" }));
}

void TestLessons::unreadableFileIsRefused_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reason");
    const QByteArray whole = QByteArray::fromStdString(WriteLesson(Lesson {
        {}, {}, { { "А", "10" }, { "Б", "20" } }, DivisorMethod::DHondt, 7, {}, {}, {}, {} }));
    QTest::newRow("a byte cut off mid-letter")
        << whole.left(whole.indexOf("А") + 1) << QStringLiteral("UTF-8");
    QTest::newRow("a typo") << whole + "мандати: 3OO\n" << QStringLiteral("„3OO“");
    QTest::newRow("a newer version")
        << QByteArray("мандати-урок 9\n") << QStringLiteral("по-нова версия");
    QTest::newRow("another program's") << QByteArray("\x89PNG\r\n\x1a\n") << QStringLiteral("не е");
}

void TestLessons::unreadableFileIsRefused()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);
    const Board before = m_form->board();
    const QString title = m_form->windowTitle();
    QVERIFY(!m_form->openLesson(write(bytes)));
    QCOMPARE(m_form->board(), before);
    QCOMPARE(m_form->windowTitle(), title);
    auto* message = m_form->findChild<QMessageBox*>(QStringLiteral("LessonMessage"));
    QVERIFY(message);
    QVERIFY2(message->text().startsWith(QStringLiteral("„урок.mandati“: урокът не е отворен")),
        qPrintable(message->text()));
    QVERIFY2(message->text().contains(reason), qPrintable(message->text()));
    QCOMPARE(m_form->statusReport(), message->text());
    // Closed, it is gone: refusals one after another don't pile up message windows.
    message->close();
    QTRY_VERIFY(!m_form->findChild<QMessageBox*>(QStringLiteral("LessonMessage")));
}

// "Примери" lists the lessons that come with the program; one opens as a lesson of no file, so
// that a save asks where to put the copy.
void TestLessons::examplesOpenFromTheMenu()
{
    QStringList names;
    QAction* assembly = nullptr;
    for (QAction* example : m_form->actions().examples) {
        names << example->text();
        if (example->text().startsWith(QStringLiteral("51-во")))
            assembly = example;
    }
    // Listed by their titles, and the one opened names its election in the caption.
    QCOMPARE(names,
        QStringList({ "51-во Народно събрание, 27 октомври 2024 г.",
            "Примерът от началото: пет партии, 7 мандата" }));
    const QString title = m_form->windowTitle();
    assembly->trigger();
    QCOMPARE(m_form->board().parties.size(), std::size_t(9));
    QCOMPARE(m_form->windowTitle(),
        title + QStringLiteral(" — 51-во Народно събрание, 27 октомври 2024 г."));
    QVERIFY(m_form->lessonFiles().path().isEmpty());
    QCOMPARE(m_form->statusReport(),
        QStringLiteral("Отворен е урокът „народно-събрание-51.mandati“: 9 партии, 240 мандата, "
                       "D’Hondt; гласовете не са въведени."));
    // The comparison shows the official result: Величие 29 votes short of the line.
    m_form->actions().compare->trigger();
    auto* notes = m_form->comparisonWindow()->findChild<QLabel*>(QStringLiteral("ComparisonNotes"));
    QVERIFY2(notes->text().contains(QStringLiteral(
                 "Величие: 97\u00A0430 гласа — 29 по-малко от прага 97\u00A0459 (4 % "
                 "от 2\u00A0436\u00A0475).")),
        qPrintable(notes->text()));
    // A screen reader names the working as the window shows it.
    QCOMPARE(m_form->comparisonWindow()
                 ->findChild<QWidget*>(QStringLiteral("QuotaWorking"))
                 ->accessibleName(),
        QStringLiteral("Hare–Niemeyer стъпка по стъпка"));

    // A program installed without its examples greys the item out rather than open an empty list.
    auto submenu = [](const FormActions& actions) {
        const QMenu* menu = actions.createMenu(nullptr);
        bool enabled = false;
        for (const QAction* item : menu->actions())
            enabled |= item->text() == QStringLiteral("Примери") && item->isEnabled();
        delete menu;
        return enabled;
    };
    FormActions none(m_form);
    QVERIFY(submenu(none));
    none.examples.clear();
    QVERIFY(!submenu(none));
}

// Every action keeps the lesson; a window started once the others are closed offers theirs,
// newest first, and Ctrl+Shift+T brings them back one at a time, each as one step. Two windows at
// once keep each their own; a window still open keeps its lesson to itself; a window opened and
// closed unchanged leaves the kept lessons as they were.
void TestLessons::lastLessonIsBroughtBack()
{
    QCOMPARE(m_form->statusReport(),
        QStringLiteral("Въведете гласовете, изберете метод и брой мандати и натиснете „Въведи“."));
    QVERIFY(!m_form->actions().lastLesson->isEnabled());
    control<QListWidget>(*m_form, QStringLiteral("List3"))->setCurrentRow(11);
    giveSeats(5);
    Board typed;
    {
        ApportionForm second;
        second.show();
        auto* votes = control<QLineEdit>(second, QStringLiteral("Text2_0"));
        votes->setText(QStringLiteral("9"));
        emit votes->textEdited(votes->text());
        QCoreApplication::processEvents();
        typed = second.board();
        // The second window's typing was kept in its own file, before the first's last seat.
        QTest::mouseClick(
            control<QPushButton>(*m_form, QStringLiteral("Command1_1")), Qt::LeftButton);
        QCoreApplication::processEvents();
        // Both windows are open: neither lesson is offered to a third.
        ApportionForm meanwhile;
        QVERIFY(!meanwhile.actions().lastLesson->isEnabled());
        QVERIFY(meanwhile.actions().keptLessons.isEmpty());
    }
    const Board newest = m_form->board();
    delete m_form;
    m_form = nullptr;
    {
        ApportionForm unchanged;
    }

    ApportionForm later;
    QVERIFY2(QRegularExpression(
                 QStringLiteral("^Последният урок \\(\\d\\d:\\d\\d, 6 мандата дадени от 12\\) — "
                                "Ctrl\\+Shift\\+T го връща; още 1 запазен урок в „Последни "
                                "уроци“\\.$"))
                 .match(later.statusReport())
                 .hasMatch(),
        qPrintable(later.statusReport()));
    QCOMPARE(later.actions().keptLessons.size(), 2);
    QVERIFY(later.actions().lastLesson->isEnabled());
    later.actions().lastLesson->trigger();
    QCOMPARE(later.board(), newest);
    // The menu of kept lessons offers only the other one now.
    QCOMPARE(later.actions().keptLessons.size(), 1);
    QVERIFY2(later.statusReport().endsWith(
                 QStringLiteral(") е върнат: 5 партии, 12 мандата, D’Hondt; 6 са дадени.")),
        qPrintable(later.statusReport()));
    later.actions().undo->trigger();
    Board start;
    start.LoadWindow();
    QCOMPARE(later.board(), start);
    // Again: the next one, the second window's.
    later.actions().lastLesson->trigger();
    QCOMPARE(later.board(), typed);
    // Each lesson is kept once: the one brought back is kept on in its own file.
    QCOMPARE(QDir(LessonKeeper::folder())
                 .entryList({ QStringLiteral("последен-урок-*.mandati") }, QDir::Files)
                 .size(),
        2);
}

// Windows long closed leave their kept lessons behind; a new window leaves the twenty newest
// of them, and offers the newest.
void TestLessons::onlyTheNewestKeptLessonsStay()
{
    delete m_form;
    forgetKeptLessons();
    QDir folder(LessonKeeper::folder());
    QVERIFY(folder.mkpath(QStringLiteral(".")));
    const QDateTime now = QDateTime::currentDateTime();
    for (int age = 1; age <= 25; ++age) {
        QFile file(folder.filePath(QStringLiteral("последен-урок-%1.mandati").arg(age)));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray::fromStdString(WriteLesson(Lesson { {}, {},
            { { "А", "10" }, { "Б", "20" } }, DivisorMethod::DHondt, 10 + age, {}, {}, {}, {} })));
        file.flush();
        QVERIFY(file.setFileTime(now.addSecs(-60 * age), QFileDevice::FileModificationTime));
    }
    m_form = new ApportionForm;
    m_form->show();
    QVERIFY2(m_form->statusReport().contains(
                 QStringLiteral(", 11 мандата) — Ctrl+Shift+T го връща; още 19 запазени урока")),
        qPrintable(m_form->statusReport()));
    control<QListWidget>(*m_form, QStringLiteral("List3"))->setCurrentRow(4);
    QCoreApplication::processEvents();

    const QStringList kept
        = folder.entryList({ QStringLiteral("последен-урок-*.mandati") }, QDir::Files, QDir::Time);
    QStringList older;
    for (int age = 1; age <= 20; ++age)
        older << QStringLiteral("последен-урок-%1.mandati").arg(age);
    QCOMPARE(kept.size(), 21);
    QCOMPARE(kept.mid(1), older);
}

} // namespace

QTEST_MAIN(TestLessons)
#include "tst_lessons.moc"
