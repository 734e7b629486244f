// A lesson from the keyboard: votes typed in a row with Enter, spaces of any kind in a vote, a
// seat total typed as digits, and undo and redo that say when there is nothing to do.
#include "board_view.h"
#include "window/comparison/comparison_window.h"
#include "window/form/apportion_form.h"

#include <QApplication>
#include <QDoubleSpinBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include <cstdlib>

using namespace apportion;

class TestKeyboard : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void enterGoesToTheNextVoteBox();
    void everySpaceIsABlank_data();
    void everySpaceIsABlank();
    void digitsSelectThatSeatTotal_data();
    void digitsSelectThatSeatTotal();
    void undoAndRedoSayWhenThereIsNothing();
    void comparisonFromTheKeyboard();
    void longReportTakesASecondLine();

private:
    QLineEdit* votes(int party) const
    {
        return control<QLineEdit>(*m_form, QStringLiteral("Text2_%1").arg(party));
    }
    QPushButton* command(int index) const
    {
        return control<QPushButton>(*m_form, QStringLiteral("Command1_%1").arg(index));
    }
    // Sends text as a keyboard with any layout would, whatever its letters.
    static void type(QWidget* widget, const QString& text)
    {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, text);
        QApplication::sendEvent(widget, &press);
    }

    ApportionForm* m_form = nullptr;
};

void TestKeyboard::init()
{
    m_form = new ApportionForm;
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form));
    m_form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_form));
}

void TestKeyboard::cleanup()
{
    delete m_form;
    m_form = nullptr;
}

// "11111 Enter 22222 Enter …" fills the boxes in a row and ends on "Въведи"; the tab order
// still runs through each party's list.
void TestKeyboard::enterGoesToTheNextVoteBox()
{
    votes(0)->setFocus();
    for (int i = 0; i < defaultPartyCount; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(QApplication::focusWidget(), QString(5, QChar('1' + i)));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }
    QCOMPARE(QApplication::focusWidget(), command(0));
    QCOMPARE(VoteTexts(m_form->board().parties),
        (std::vector<std::string> { "11111", "22222", "33333", "44444", "55555" }));
    QVERIFY(votes(0)->toolTip().contains(QStringLiteral("Enter")));
    votes(0)->setFocus();
    QTest::keyClick(votes(0), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("List1_1"));
}

void TestKeyboard::everySpaceIsABlank_data()
{
    QTest::addColumn<QString>("typed");
    QTest::newRow("no-break") << QStringLiteral("1\u00A0147\u00A0292");
    QTest::newRow("narrow no-break") << QStringLiteral("1\u202F147\u202F292");
    QTest::newRow("thin") << QStringLiteral("1\u2009147\u2009292");
}

// The Bulgarian locale's grouping reads as the number it groups, not as 1.
void TestKeyboard::everySpaceIsABlank()
{
    QFETCH(QString, typed);
    votes(0)->setFocus();
    QTest::keyClick(votes(0), Qt::Key_A, Qt::ControlModifier);
    type(votes(0), typed);
    QCOMPARE(votes(0)->text(), QStringLiteral("1 147 292"));
    QCOMPARE(m_form->board().parties[0].entryText, std::string("1 147 292"));
    QTest::mouseClick(command(0), Qt::LeftButton);
    QTest::mouseClick(command(1), Qt::LeftButton);
    QVERIFY2(m_form->statusReport().contains(QStringLiteral("1147292 ÷ 1 = 1147292")),
        qPrintable(m_form->statusReport()));
}

void TestKeyboard::digitsSelectThatSeatTotal_data()
{
    QTest::addColumn<int>("selected");
    QTest::addColumn<QString>("digits");
    QTest::addColumn<QString>("chosen");
    QTest::newRow("9 from 17") << 17 << "9"
                               << "9";
    QTest::newRow("14 from 59") << 59 << "14"
                                << "14";
    QTest::newRow("300") << 1 << "300"
                         << "300";
    QTest::newRow("a fourth digit starts anew") << 1 << "3005"
                                                << "5";
}

void TestKeyboard::digitsSelectThatSeatTotal()
{
    QFETCH(int, selected);
    QFETCH(QString, digits);
    QFETCH(QString, chosen);
    auto* seats = control<QListWidget>(*m_form, QStringLiteral("List3"));
    seats->setFocus();
    seats->setCurrentRow(selected - 1);
    QTest::keyClicks(seats, digits);
    QCOMPARE(seats->currentItem()->text(), chosen);
    QCOMPARE(m_form->board().SeatTotal(), chosen.toDouble());
    QCOMPARE(m_form->statusReport(), QStringLiteral("Брой мандати: %1.").arg(chosen));
}

// "Изчисти" twice and one Ctrl+Z bring the votes back; at either end of the history the keys
// say there is nothing to do.
void TestKeyboard::undoAndRedoSayWhenThereIsNothing()
{
    QTest::mouseClick(command(0), Qt::LeftButton);
    QTest::mouseClick(command(1), Qt::LeftButton);
    QTest::mouseClick(command(2), Qt::LeftButton);
    QTest::mouseClick(command(2), Qt::LeftButton);
    command(1)->setFocus();
    QTest::keyClick(command(1), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(m_form->statusReport(), QStringLiteral("Отменено: изчистването."));
    QCOMPARE(m_form->board().parties[0].rows.size(), 3u);
    QTest::keyClick(command(1), Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(command(1), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(m_form->statusReport(), QStringLiteral("Няма какво да се отмени."));
    QTest::keyClick(command(1), Qt::Key_Y, Qt::ControlModifier);
    QTest::keyClick(command(1), Qt::Key_Y, Qt::ControlModifier);
    QTest::keyClick(command(1), Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(m_form->statusReport(), QStringLiteral("Няма какво да се повтори."));
    QCOMPARE(boardViewMismatch(*m_form), QString());
}

// The comparison opens with the focus in its table; Tab walks its parts, Shift+F10 opens the
// focused part's menu, and a threshold typed past its range is clamped and said.
void TestKeyboard::comparisonFromTheKeyboard()
{
    QLocale::setDefault(QLocale(QLocale::Bulgarian, QLocale::Bulgaria));
    QTest::keyClick(m_form, Qt::Key_M, Qt::ControlModifier);
    auto* window = const_cast<ComparisonWindow*>(m_form->comparisonWindow());
    QVERIFY(window);
    QVERIFY(QTest::qWaitForWindowActive(window));
    auto* table = window->findChild<QTableView*>(QStringLiteral("ComparisonTable"));
    QCOMPARE(window->focusWidget(), table);
    QStringList walked;
    for (int step = 0; step < 5; ++step) {
        QTest::keyClick(window->focusWidget(), Qt::Key_Tab);
        walked << window->focusWidget()->objectName();
    }
    QCOMPARE(walked,
        QStringList({ "QuotaWorking", "SeatChart", "Threshold", "OtherVotes", "ComparisonTable" }));

    QTest::keyClick(table, Qt::Key_Tab);
    QTest::keyClick(window->focusWidget(), Qt::Key_Tab);
    QCOMPARE(window->focusWidget()->objectName(), QStringLiteral("SeatChart"));
    // Laid out as a person would find it, a moment after Tab brought the picture into view.
    QCoreApplication::processEvents();
    QString menu;
    QPoint menuAt;
    QTimer::singleShot(0, window, [&menu, &menuAt] {
        if (auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            menu = popup->actions().value(0) ? popup->actions().value(0)->text() : QString();
            menuAt = popup->pos();
            popup->close();
        }
    });
    // The offscreen platform leaves the main window active; a desktop activates the comparison.
    QApplication::setActiveWindow(window);
    QTest::keyClick(window->focusWidget(), Qt::Key_F10, Qt::ShiftModifier);
    QVERIFY(QTest::qWaitFor([&menu] { return !menu.isEmpty(); }));
    QCOMPARE(menu, QStringLiteral("Копирай картината"));
    // It opens at the middle of what shows of the part it is for, as a right click there would.
    QWidget* picture = window->focusWidget();
    QCOMPARE(menuAt, picture->mapToGlobal(picture->visibleRegion().boundingRect().center()));

    auto* threshold = window->findChild<QDoubleSpinBox*>(QStringLiteral("Threshold"));
    // Each box has its caption just before it on its line, nearer to it than to the box before.
    const QList<QLabel*> labels = window->findChildren<QLabel*>();
    for (const QLabel* caption : labels) {
        const QWidget* box = caption->buddy();
        if (!box)
            continue;
        const int gap = box->x() - caption->geometry().right();
        QVERIFY2(gap > 0 && gap < caption->fontMetrics().height()
                && std::abs(caption->geometry().center().y() - box->geometry().center().y()) < 4,
            qPrintable(caption->text()));
        for (const QLabel* other : labels) {
            if (other->buddy() && other->buddy()->x() < caption->x())
                QVERIFY2(caption->x() - other->buddy()->geometry().right() > gap,
                    qPrintable(caption->text()));
        }
    }
    threshold->setFocus();
    threshold->selectAll();
    QTest::keyClicks(threshold, QStringLiteral("0.5"));
    QVERIFY(window->findChild<QLabel*>(QStringLiteral("ComparisonLegend"))
                ->text()
                .endsWith(QStringLiteral("\nПраг: 0.5 %.")));
    threshold->selectAll();
    QTest::keyClicks(threshold, QStringLiteral("4.5"));
    QCOMPARE(threshold->text(), QStringLiteral("4.5 %")); // one decimal mark in one window
    threshold->selectAll();
    QTest::keyClicks(threshold, QStringLiteral("25"));
    QCOMPARE(threshold->value(), 20.0);
    QCOMPARE(window->findChild<QLabel*>(QStringLiteral("ComparisonSaid"))->text(),
        QStringLiteral("Прагът е най-много 20 %: 25 % е намален до 20 %."));
    QLocale::setDefault(QLocale::c());

    // A size the user gave the window stays theirs while the votes are typed: the cells change
    // in place, a column widening within the window where a cell outgrows it.
    QLineEdit* fifth = votes(4);
    fifth->setFocus();
    fifth->end(false);
    QTest::keyClick(fifth, Qt::Key_Backspace); // the clamped threshold's message goes
    // Where the comparison fills the screen already it scrolls rather than grow: a screen with
    // room for it tells (tst_keyboard_large).
    if (window->frameGeometry().width() + 200 > window->screen()->availableGeometry().width())
        QSKIP("The comparison fills this screen: run on a larger one");
    const QSize chosen = window->size() + QSize(80, 0);
    window->resize(chosen);
    QTest::keyClicks(fifth, QStringLiteral("0"));
    QCOMPARE(window->size(), chosen);
    // Every cell reads whole, each of its lines within its column.
    for (int column = 0; column < table->model()->columnCount(); ++column) {
        for (int row = 0; row < table->model()->rowCount(); ++row) {
            const QString cell = table->model()->index(row, column).data().toString();
            for (const QString& line : cell.split(QLatin1Char('\n')))
                QVERIFY2(table->columnWidth(column) >= table->fontMetrics().horizontalAdvance(line),
                    qPrintable(line));
        }
    }
    QTest::keyClick(fifth, Qt::Key_Backspace);
    QCOMPARE(window->size(), chosen);
}

// A report too long for one line, even smaller, takes a second: the window grows by it once,
// and every word of the instruction shows.
void TestKeyboard::longReportTakesASecondLine()
{
    const QSize drawn = m_form->size();
    const QStringList typed { "12,5", "3066,8", "abc", "-5", "1 147,5" };
    for (int i = 0; i < defaultPartyCount; ++i) {
        votes(i)->setFocus();
        QTest::keyClick(votes(i), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(votes(i), typed[i]);
    }
    QTest::mouseClick(command(0), Qt::LeftButton);
    auto* line = control<QLabel>(*m_form, QStringLiteral("StatusLine"));
    const QString report = m_form->statusReport();
    QVERIFY(report.contains(QStringLiteral("Партия 5: „1 147,5“ се чете като 1147.")));
    QCOMPARE(m_form->size(), drawn + QSize(0, 25));
    QCOMPARE(line->text(), report);
    QVERIFY(line->toolTip().isEmpty());
    const QRect wrapped = line->fontMetrics().boundingRect(
        QRect(0, 0, line->width() - 8, 1000), Qt::TextWordWrap, report);
    QVERIFY(wrapped.height() <= line->height());
    // It stays two lines: the window does not jump with each report.
    QTest::mouseClick(command(1), Qt::LeftButton);
    QCOMPARE(m_form->size(), drawn + QSize(0, 25));
}

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
