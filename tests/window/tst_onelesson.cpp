#include "board_view.h"
#include "core/comparison/comparison_table.h"
#include "core/comparison/method_comparison.h"
#include "core/numbers/number_text.h"
#include "core/teaching/worked_table.h"
#include "lesson/lesson_file.h"
#include "window/comparison/comparison_model.h"
#include "window/comparison/comparison_window.h"
#include "window/form/apportion_form.h"
#include "window/form/form_actions.h"
#include "window/form/name_box.h"
#include "window/lessons/lesson_dialog.h"
#include "window/output/table_export.h"
#include "window/picture/seat_chart.h"

#include <QAction>
#include <QClipboard>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QTableView>
#include <QTableWidget>
#include <QtTest>

using namespace apportion;

// One lesson tells one result in every view: the seat-by-seat window obeys the lesson's threshold
// and other votes, undo reaches their changes from either window, and the lesson's title heads
// what the class and the paper see.
class TestOneLesson : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void seatsBySeatAgreeWithTheComparison();
    void thresholdChangedAndUndoneInTheComparison();
    void lessonDataFromTheMainWindow_data();
    void lessonDataFromTheMainWindow();
    void pasteOfANewTableStartsANewLesson();
    void aCopyHasOneDecimalMark();
    void theLineNeverCutsAWord_data();
    void theLineNeverCutsAWord();
    void aReportTooLongEndsAtAWord();
    void theComparisonScrollsRatherThanShrink();
    void aLongNameShowsWhereItIsCut();
    void aLabelUnderTheBarStandsUnderItsPart();
    void thePictureLabelsTheOtherVotes();
    void theComparisonOpensWithTheLesson();

private:
    void openAssembly51();
    void giveSeats(int seats) const;
    QDoubleSpinBox* comparisonThreshold() const;
    LessonDialog* askLesson(QAction* action) const;
    std::vector<int> seatsHeld() const;

    ApportionForm* m_form = nullptr;
};

void TestOneLesson::init()
{
    forgetKeptLessons();
    m_form = new ApportionForm;
    m_form->show();
    m_form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_form));
}

void TestOneLesson::cleanup()
{
    delete m_form;
    m_form = nullptr;
}

void TestOneLesson::openAssembly51()
{
    for (QAction* example : m_form->actions().examples) {
        if (example->text().startsWith(QStringLiteral("51-во")))
            example->trigger();
    }
    QCOMPARE(m_form->board().parties.size(), std::size_t(9));
}

void TestOneLesson::giveSeats(int seats) const
{
    auto* find = control<QPushButton>(*m_form, QStringLiteral("Command1_1"));
    for (int seat = 0; seat < seats; ++seat)
        find->click();
}

QDoubleSpinBox* TestOneLesson::comparisonThreshold() const
{
    return m_form->comparisonWindow()->findChild<QDoubleSpinBox*>(QStringLiteral("Threshold"));
}

LessonDialog* TestOneLesson::askLesson(QAction* action) const
{
    action->trigger();
    auto* dialog = m_form->findChild<LessonDialog*>(QStringLiteral("LessonDialog"));
    if (!dialog)
        qFatal("the lesson's dialog did not open");
    return dialog;
}

std::vector<int> TestOneLesson::seatsHeld() const
{
    std::vector<int> seats;
    for (const auto& party : m_form->board().parties)
        seats.push_back(static_cast<int>(ParseNumber(party.entryText)));
    return seats;
}

// The official example given seat by seat ends where the comparison's row for its method does,
// and Величие's column says, where a class sees it, that it is under the line.
void TestOneLesson::seatsBySeatAgreeWithTheComparison()
{
    openAssembly51();
    m_form->actions().compare->trigger();
    control<QPushButton>(*m_form, QStringLiteral("Command1_0"))->click();
    giveSeats(240);
    QCOMPARE(seatsHeld(), (std::vector { 70, 37, 35, 30, 20, 19, 17, 12, 0 }));
    // The comparison's D’Hondt row, as the window shows it.
    const ComparisonTable& table = m_form->comparisonWindow()->model().table();
    for (std::size_t party = 0; party < 9; ++party) {
        const std::string& shown = table.rows[1][party + 1].count;
        QCOMPARE(QString::fromStdString(shown), QString::number(seatsHeld()[party]));
    }
    QVERIFY2(m_form->statusReport().contains(
                 QStringLiteral("Под прага 4 % (97\u00A0459 гласа) е Величие — не достигат 29 "
                                "гласа.")),
        qPrintable(m_form->statusReport()));

    auto* under = m_form->findChild<QLabel*>(QStringLiteral("List1_8_Under"));
    QVERIFY(under && under->isVisible());
    QCOMPARE(under->text(), QStringLiteral("под прага"));
    QVERIFY(under->toolTip().contains(QStringLiteral("не достигат 29 гласа")));
    // Whole within the rows' area, beside the scroll bar, and no larger than the rows' letters.
    auto* list = control<QListView>(*m_form, QStringLiteral("List1_8"));
    QVERIFY(list->viewport()->geometry().contains(under->geometry()));
    QVERIFY2(under->fontMetrics().horizontalAdvance(under->text()) <= under->width(),
        qPrintable(QStringLiteral("%1 px of text in %2 px")
                       .arg(under->fontMetrics().horizontalAdvance(under->text()))
                       .arg(under->width())));
    QVERIFY(under->font().pointSizeF() <= list->font().pointSizeF());
    // Only the party under the line is marked.
    auto* over = m_form->findChild<QLabel*>(QStringLiteral("List1_7_Under"));
    QVERIFY(!over || !over->isVisible());

    // Without the threshold the same lesson gives Величие ten seats, and its mark is gone.
    comparisonThreshold()->setValue(0);
    QCOMPARE(seatsHeld().back(), 10);
    QVERIFY(!under->isVisible());
    QVERIFY2(m_form->statusReport().contains(QStringLiteral("Величие +10")),
        qPrintable(m_form->statusReport()));
}

// Ctrl+Z in the comparison takes back the threshold's change, not the seat behind it, and says
// so there.
void TestOneLesson::thresholdChangedAndUndoneInTheComparison()
{
    control<QPushButton>(*m_form, QStringLiteral("Command1_0"))->click();
    giveSeats(7);
    const Board given = m_form->board();
    QTest::keyClick(m_form, Qt::Key_M, Qt::ControlModifier);
    auto* comparison = const_cast<ComparisonWindow*>(m_form->comparisonWindow());
    QVERIFY(QTest::qWaitForWindowActive(comparison));
    comparisonThreshold()->setValue(20);
    QCOMPARE(m_form->board().voteCount.threshold, 20.0);
    // 15947 and 12264 of 159349 are under 20 %, and 27142 too: two parties share the seats.
    QCOMPARE(seatsHeld(), (std::vector { 4, 3, 0, 0, 0 }));
    // Pressed in the threshold's box, which leaves the keys to the window.
    comparisonThreshold()->setFocus();
    // The offscreen platform leaves the main window active: the comparison is made so by hand.
    QApplication::setActiveWindow(comparison);
    QTest::keySequence(comparisonThreshold(), QKeySequence::Undo);
    QCOMPARE(m_form->board(), given);
    QCOMPARE(comparisonThreshold()->value(), 0.0);
    const QString said = QStringLiteral("Отменено: промяната на прага от 0 % на 20 %.");
    QCOMPARE(comparison->findChild<QLabel*>(QStringLiteral("ComparisonSaid"))->text(), said);
    QCOMPARE(m_form->statusReport(), said);
    QTest::keySequence(comparisonThreshold(), QKeySequence::Redo);
    QCOMPARE(m_form->board().voteCount.threshold, 20.0);
    QCOMPARE(comparisonThreshold()->value(), 20.0);
}

// The title and the threshold asked for from the main window: each a step undo takes back, the
// title in the caption, at the head of the printout and the copy, and in the lesson file.
void TestOneLesson::lessonDataFromTheMainWindow_data()
{
    QTest::addColumn<bool>("forTitle");
    QTest::newRow("title") << true;
    QTest::newRow("threshold") << false;
}

void TestOneLesson::lessonDataFromTheMainWindow()
{
    QFETCH(bool, forTitle);
    control<QPushButton>(*m_form, QStringLiteral("Command1_0"))->click();
    giveSeats(7);
    const QString caption = m_form->windowTitle();
    QAction* action = forTitle ? m_form->actions().lessonTitle : m_form->actions().voteCount;
    LessonDialog* dialog = askLesson(action);
    QCOMPARE(dialog->focusWidget()->objectName(),
        forTitle ? QStringLiteral("LessonTitle") : QStringLiteral("LessonThreshold"));
    if (forTitle) {
        dialog->findChild<QLineEdit*>(QStringLiteral("LessonTitle"))
            ->setText(QStringLiteral("  Избори в 7 „А“  "));
        dialog->findChild<QLineEdit*>(QStringLiteral("LessonSource"))
            ->setText(QStringLiteral("Класният ръководител"));
    } else {
        dialog->findChild<QDoubleSpinBox*>(QStringLiteral("LessonThreshold"))->setValue(15);
    }
    dialog->accept();

    if (forTitle) {
        QCOMPARE(m_form->board().title, std::string("Избори в 7 „А“"));
        QCOMPARE(m_form->windowTitle(), caption + QStringLiteral(" — Избори в 7 „А“"));
        QCOMPARE(m_form->statusReport(),
            QStringLiteral("Заглавие на урока: „Избори в 7 „А““ (източник: Класният "
                           "ръководител)."));
        const WorkedTable table = MakeWorkedTable(m_form->board());
        QVERIFY(printableParts(table, QDate(2026, 12, 10))
                    .front()
                    .startsWith(QStringLiteral("<h2>Избори в 7 „А“</h2>\n<p>Източник: "
                                               "Класният ръководител<br>")));
        QVERIFY2(tableAsTabSeparated(table, QLocale::c())
                     .startsWith(QStringLiteral("Избори в 7 „А“\nИзточник\tКласният "
                                                "ръководител\nБрой мандати\t7\n")),
            qPrintable(tableAsTabSeparated(table, QLocale::c())));
        QCOMPARE(ReadLesson(WriteLesson(LessonOf(m_form->board()))).lesson->title,
            std::string("Избори в 7 „А“"));
    } else {
        // 15947 and 12264 of 159349 are under 15 %: the fourth party's seat goes to the second.
        QCOMPARE(m_form->board().voteCount.threshold, 15.0);
        QCOMPARE(seatsHeld(), (std::vector { 3, 3, 1, 0, 0 }));
        QCOMPARE(action->text(), QStringLiteral("Праг и други гласове… (праг 15 %)"));
        QCOMPARE(m_form->statusReport(),
            QStringLiteral(
                "Праг 15 %: под прага 15 % (23\u00A0902.35 гласа) са партия 4 — не "
                "достигат 7\u00A0955.35 гласа, партия 5 — не достигат 11\u00A0638.35 гласа. 7 "
                "мандата са дадени отново: партия 2 +1, партия 4 −1. Ctrl+Z връща "
                "предишното."));
    }

    m_form->actions().undo->trigger();
    QCOMPARE(m_form->windowTitle(), caption);
    QCOMPARE(m_form->board().title, std::string());
    QCOMPARE(m_form->board().voteCount, VoteCount {});
    QCOMPARE(seatsHeld(), (std::vector { 3, 2, 1, 1, 0 }));
    QCOMPARE(m_form->actions().voteCount->text(), QStringLiteral("Праг и други гласове…"));

    // Cancelled, the dialog changes nothing.
    dialog = askLesson(action);
    dialog->findChild<QLineEdit*>(QStringLiteral("LessonTitle"))->setText(QStringLiteral("Друго"));
    dialog->findChild<QDoubleSpinBox*>(QStringLiteral("LessonThreshold"))->setValue(5);
    dialog->reject();
    QCOMPARE(m_form->board().title, std::string());
    QCOMPARE(m_form->board().voteCount, VoteCount {});

    // Each dialog accepted is a step of its own, however soon after the last.
    for (const double threshold : { 4.0, 5.0 }) {
        dialog = askLesson(m_form->actions().voteCount);
        dialog->findChild<QDoubleSpinBox*>(QStringLiteral("LessonThreshold"))->setValue(threshold);
        dialog->accept();
    }
    m_form->actions().undo->trigger();
    QCOMPARE(m_form->board().voteCount.threshold, 4.0);
}

// A table pasted from the first column on is another election: the title and other votes of the
// one before go, the threshold stays, and the line says so; undo brings them all back.
void TestOneLesson::pasteOfANewTableStartsANewLesson()
{
    openAssembly51();
    const Board assembly = m_form->board();
    QGuiApplication::clipboard()->setText(QStringLiteral("А\t10\nБ\t20\nВ\t30"));
    QLineEdit* first = control<QLineEdit>(*m_form, QStringLiteral("Text2_0"));
    first->setFocus();
    QTest::keySequence(first, QKeySequence::Paste);
    QCOMPARE(m_form->board().parties.size(), std::size_t(3));
    QCOMPARE(m_form->board().title, std::string());
    QCOMPARE(m_form->board().voteCount, (VoteCount { 4, 0 }));
    QVERIFY2(m_form->statusReport().endsWith(
                 QStringLiteral("Нов урок — изчистени: заглавието „51-во Народно събрание, 27 "
                                "октомври 2024 г.“ и другите гласове (99\u00A0453); прагът 4 % "
                                "остава. Ctrl+Z ги връща.")),
        qPrintable(m_form->statusReport()));
    m_form->actions().undo->trigger();
    QCOMPARE(m_form->board(), assembly);
    QCOMPARE(m_form->statusReport(), QStringLiteral("Отменено: поставените гласове."));
}

// Under a decimal comma the copy's notes write their numbers with it, as its cells do; a name's
// dots and a sentence's full stop stay.
void TestOneLesson::aCopyHasOneDecimalMark()
{
    LessonDialog* dialog = askLesson(m_form->actions().voteCount);
    dialog->findChild<QDoubleSpinBox*>(QStringLiteral("LessonThreshold"))->setValue(12.5);
    dialog->accept();
    auto* name = control<QLineEdit>(*m_form, QStringLiteral("Name_0"));
    name->setText(QStringLiteral("Д.С.Б."));
    emit name->textEdited(name->text());
    control<QPushButton>(*m_form, QStringLiteral("Command1_0"))->click();
    giveSeats(7);
    QLocale::setDefault(QLocale(QLocale::Bulgarian, QLocale::Bulgaria));
    m_form->actions().copy->trigger();
    QLocale::setDefault(QLocale::c());
    const QString copied = QGuiApplication::clipboard()->text();
    QVERIFY2(copied.contains(QStringLiteral("\nСравнение на методите, праг 12,5 %\n")),
        qPrintable(copied));
    QVERIFY2(copied.contains(QStringLiteral("\nПраг 12,5 % = 19\u00A0918,625 (12,5 % от "
                                            "159\u00A0349); минават 19\u00A0919 или повече гласа: "
                                            "под прага са партии 4 и 5")),
        qPrintable(copied));
    QVERIFY(copied.contains(QStringLiteral("\tД.С.Б.\t")));
    QVERIFY(!copied.contains(QRegularExpression(QStringLiteral("[0-9]\\.[0-9]"))));
}

// The line under the controls after a method change midway, with the threshold's party named:
// whole, in the lines it has, measured as drawn, at nine parties and at twelve.
void TestOneLesson::theLineNeverCutsAWord_data()
{
    QTest::addColumn<int>("added");
    QTest::addColumn<double>("threshold");
    QTest::newRow("nine parties") << 0 << 4.0;
    QTest::newRow("nine parties, no threshold") << 0 << 0.0;
    QTest::newRow("twelve parties") << 3 << 4.0;
    QTest::newRow("twelve parties, no threshold") << 3 << 0.0;
}

void TestOneLesson::theLineNeverCutsAWord()
{
    QFETCH(int, added);
    QFETCH(double, threshold);
    openAssembly51();
    LessonDialog* dialog = askLesson(m_form->actions().voteCount);
    dialog->findChild<QDoubleSpinBox*>(QStringLiteral("LessonThreshold"))->setValue(threshold);
    dialog->accept();
    for (int party = 0; party < added; ++party)
        m_form->actions().addParty->trigger();
    control<QPushButton>(*m_form, QStringLiteral("Command1_0"))->click();
    giveSeats(200);
    control<QAbstractButton>(*m_form, QStringLiteral("Option1_1"))->click();
    giveSeats(1);
    const QString report = m_form->statusReport();
    QVERIFY2(report.contains(QStringLiteral("отпреди смяната"))
            && report.contains(QStringLiteral("Под прага")) == (threshold > 0),
        qPrintable(report));
    auto* line = control<QLabel>(*m_form, QStringLiteral("StatusLine"));
    // Shown whole, with each number kept on one line with its "%".
    const QString shown = QString(report).replace(QStringLiteral(" %"), QStringLiteral("\u00A0%"));
    QCOMPARE(line->text(), shown);
    QCOMPARE(line->text().contains(QStringLiteral("4\u00A0%")), threshold > 0);
    const int room = line->width() - 8;
    const QFontMetrics drawn(line->font());
    const QRect wrapped
        = drawn.boundingRect(QRect(0, 0, room, 10 * line->height()), Qt::TextWordWrap, shown);
    QVERIFY2(wrapped.height() <= line->height(),
        qPrintable(QStringLiteral("%1 px of text in a line %2 px high")
                       .arg(wrapped.height())
                       .arg(line->height())));
    QVERIFY(line->toolTip().isEmpty());
}

// A report longer than two lines at the smallest font leaves out what follows the last whole
// word, and is read whole in the tooltip.
void TestOneLesson::aReportTooLongEndsAtAWord()
{
    for (int party = 0; party < 7; ++party)
        m_form->actions().addParty->trigger();
    m_form->actions().nameParties->trigger();
    for (int party = 0; party < 12; ++party) {
        auto* name = control<QLineEdit>(*m_form, QStringLiteral("Name_%1").arg(party));
        name->setText(QStringLiteral("Коалиция за промяна, демокрация и справедливост в Република "
                                     "България, листа номер %1")
                          .arg(party + 1));
        emit name->textEdited(name->text());
        auto* votes = control<QLineEdit>(*m_form, QStringLiteral("Text2_%1").arg(party));
        votes->setText(QStringLiteral("1000"));
        emit votes->textEdited(votes->text());
    }
    control<QPushButton>(*m_form, QStringLiteral("Command1_0"))->click();
    giveSeats(1);
    const QString report = m_form->statusReport();
    auto* line = control<QLabel>(*m_form, QStringLiteral("StatusLine"));
    const QString shown = line->text();
    QVERIFY2(shown.endsWith(QChar(0x2026)) && shown.size() < report.size(), qPrintable(shown));
    const QString kept = shown.chopped(1);
    QVERIFY(report.startsWith(kept));
    QVERIFY2(!report.at(kept.size()).isLetterOrNumber(), qPrintable(shown));
    QCOMPARE(line->toolTip(), report);
    // What is shown is drawn whole within the line.
    const QRect wrapped = QFontMetrics(line->font())
                              .boundingRect(QRect(0, 0, line->width() - 8, 10 * line->height()),
                                  Qt::TextWordWrap, shown);
    QVERIFY(wrapped.height() <= line->height());
}

// On a small screen the nine parties' comparison keeps the main window's text size at 100 % and
// scrolls, within the screen; the working's heads are cut as the table's, read whole aloud.
void TestOneLesson::theComparisonScrollsRatherThanShrink()
{
    openAssembly51();
    const qreal plain = m_form->font().pointSizeF();
    m_form->actions().compare->trigger();
    const ComparisonWindow* comparison = m_form->comparisonWindow();
    QCOMPARE(comparison->tableFont().pointSizeF(), plain);
    QVERIFY(comparison->screen()->availableGeometry().contains(comparison->frameGeometry()));
    // On a school laptop's screen (the offscreen platform's is 800 × 800) the page scrolls; a
    // large screen (the Windows build's tests run on 3840 × 2160) has room for all of it.
    auto* scroll = comparison->findChild<QScrollArea*>(QStringLiteral("ComparisonScroll"));
    if (comparison->screen()->availableGeometry().height() < 850) {
        QVERIFY(scroll->verticalScrollBar()->maximum() > 0
            || scroll->horizontalScrollBar()->maximum() > 0);
    }
    auto* table = comparison->findChild<QTableView*>(QStringLiteral("ComparisonTable"));
    QCOMPARE(table->horizontalScrollBar()->maximum(), 0);

    auto* working = comparison->findChild<QTableWidget*>(QStringLiteral("QuotaWorking"));
    const QTableWidgetItem* head = working->horizontalHeaderItem(4);
    QCOMPARE(head->text(), QStringLiteral("БСП-Обединена л…"));
    QCOMPARE(head->toolTip(), QStringLiteral("БСП-Обединена левица"));
    QCOMPARE(head->data(Qt::AccessibleTextRole).toString(), QStringLiteral("БСП-Обединена левица"));
}

// A name longer than its box shows "…" where it is cut while the box has no focus, drawn in the
// box; with the focus it is edited whole.
void TestOneLesson::aLongNameShowsWhereItIsCut()
{
    openAssembly51();
    auto* box = control<NameBox>(*m_form, QStringLiteral("Name_5"));
    const QString shown = box->shownText();
    QVERIFY2(shown.endsWith(QChar(0x2026)) && shown.size() > 3, qPrintable(shown));
    QVERIFY(QStringLiteral("Алианс за права и свободи").startsWith(shown.chopped(1)));
    QCOMPARE(box->toolTip(), QStringLiteral("Алианс за права и свободи"));
    // The cut name is drawn: dark text across the box, up to its "…".
    const QImage drawn = box->grab().toImage();
    int darkColumns = 0;
    for (int x = 0; x < drawn.width(); ++x) {
        for (int y = drawn.height() / 4; y < drawn.height() * 3 / 4; ++y) {
            if (qGray(drawn.pixel(x, y)) < 100) {
                ++darkColumns;
                break;
            }
        }
    }
    QVERIFY2(darkColumns > drawn.width() / 3, qPrintable(QString::number(darkColumns)));
    // A name that fits is shown whole, and so is a long one while it is edited.
    QCOMPARE(
        control<NameBox>(*m_form, QStringLiteral("Name_7"))->shownText(), QStringLiteral("МЕЧ"));
    box->setFocus();
    QCOMPARE(box->shownText(), QStringLiteral("Алианс за права и свободи"));
    // Left with the cursor at its end, the name shows its start again.
    box->end(false);
    control<NameBox>(*m_form, QStringLiteral("Name_7"))->setFocus();
    QCOMPARE(box->cursorPosition(), 0);
}

// A part too narrow for its label has it under the bar, centred under the part where there is
// room.
void TestOneLesson::aLabelUnderTheBarStandsUnderItsPart()
{
    SeatBar bar;
    bar.resize(600, 40);
    const QStringList captions { QStringLiteral("Гласове") };
    bar.setBar(captions.front(),
        { { 0.49, QStringLiteral("49 %") }, { 0.02, QStringLiteral("2 %") },
            { 0.49, QStringLiteral("49 %") } },
        captions);
    bar.resize(600, bar.heightForWidth(600));
    QVERIFY(bar.labelShown(0));
    QVERIFY(!bar.labelShown(1));
    const QRect label = bar.labelRect(1);
    QVERIFY(label.top() >= bar.partRect(1).bottom());
    QVERIFY2(std::abs(label.center().x() - bar.partRect(1).center().x()) <= 1,
        qPrintable(QStringLiteral("%1 against %2")
                       .arg(label.center().x())
                       .arg(bar.partRect(1).center().x())));
}

// The votes' bar ends with the others' part, dotted and labelled with its share, and the legend
// names it.
void TestOneLesson::thePictureLabelsTheOtherVotes()
{
    openAssembly51();
    SeatChart chart;
    chart.resize(1200, 400);
    chart.setLegendShown(true);
    chart.showComparison(CompareMethods(m_form->board()));
    chart.heightForWidthOf(1200);
    const SeatBar* votes = chart.bars().front();
    // 99 453 of 2 436 475 votes.
    QVERIFY2(votes->accessibleName().endsWith(QStringLiteral(", други 4.1 %")),
        qPrintable(votes->accessibleName()));
    const QRect others = votes->partRect(9);
    QVERIFY(others.width() > 20);
    QCOMPARE(others.right(), votes->partRect(8).right() + others.width());
    QVERIFY(votes->labelShown(9) || votes->labelRect(9).isValid());
    const QImage drawn = const_cast<SeatBar*>(votes)->grab().toImage();
    int white = 0;
    int dots = 0;
    for (int y = others.top() + 1; y < others.top() + 5; ++y) {
        for (int x = others.left() + 2; x < others.right() - 1; ++x) {
            const QRgb pixel = drawn.pixel(x, y);
            white += pixel == qRgb(255, 255, 255);
            dots += qGray(pixel) < 200 && qGray(pixel) > 100;
        }
    }
    QVERIFY2(white > 0 && dots > 0, qPrintable(QStringLiteral("%1 %2").arg(white).arg(dots)));
    QVERIFY(chart.findChild<QLabel*>(QStringLiteral("SeatChartLegend"))
                ->text()
                .endsWith(QStringLiteral("Други&nbsp;гласове")));
}

// Opened on a lesson nothing has changed since, the comparison shows it at once: its seats, its
// threshold and its title; opened again after a change made while it was closed, the change.
void TestOneLesson::theComparisonOpensWithTheLesson()
{
    openAssembly51();
    m_form->actions().compare->trigger();
    const ComparisonWindow* comparison = m_form->comparisonWindow();
    const ComparisonTable& table = comparison->model().table();
    QVERIFY(table.rows.size() >= 2);
    QCOMPARE(QString::fromStdString(table.rows[1][1].count), QStringLiteral("70"));
    QCOMPARE(comparisonThreshold()->value(), 4.0);
    QCOMPARE(table.lessonTitle, std::string("51-во Народно събрание, 27 октомври 2024 г."));

    // Closed, changed and opened again: it shows the lesson as it now is.
    const_cast<ComparisonWindow*>(comparison)->close();
    auto* votes = control<QLineEdit>(*m_form, QStringLiteral("Text2_8"));
    votes->setText(QStringLiteral("97500"));
    emit votes->textEdited(votes->text());
    m_form->actions().compare->trigger();
    QCOMPARE(QString::fromStdString(comparison->model().table().rows[1][9].count),
        QStringLiteral("10")); // 97 500 passes the line of 97 461.8: ten seats
}

QTEST_MAIN(TestOneLesson)
#include "tst_onelesson.moc"
