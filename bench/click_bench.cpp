// A 300-seat allocation through the window, as a user sees it: "Търси" is clicked 300 times
// with the window shown, the comparison and the parliament open beside it, and after each click
// the events are processed until the first party list has been painted. A click is timed up to
// the moment the window has painted and flushed that change, what the user sees; the parliament's
// own update per seat is timed apart, from the click to its chamber's paint. Prints the total and
// the median and 99th percentile per click, over all clicks and over the first and the last 50.
//
// Then a floor to measure it against: a bare window with as many plain list widgets of the same
// size and font, appending the same 300 rows and bringing the newest into view, as the window's
// lists follow it, with a repaint after each, timed the same way; and the ratio of the two totals.
//
// The first argument is the number of parties, 5 (the start) unless given; the others are
// added through the window's own action.
#include "paint_wait.h"
#include "window/chamber/hemicycle_window.h"
#include "window/comparison/comparison_window.h"
#include "window/form/apportion_form.h"
#include "window/form/form_actions.h"
#include "window/form/form_layout.h"
#include "window/lessons/lesson_keeper.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

double sum(const std::vector<double>& ms)
{
    double total = 0;
    for (double value : ms)
        total += value;
    return total;
}

void report(const char* name, const std::vector<double>& ms)
{
    const double total = sum(ms);
    std::printf("%-12s clicks %3zu  total %8.2f ms  median %6.3f ms  p99 %6.3f ms  max %6.3f ms\n",
        name, ms.size(), total, percentile(ms, 0.5), percentile(ms, 0.99),
        *std::max_element(ms.begin(), ms.end()));
}

} // namespace

int main(int argc, char* argv[])
{
    ShownApplication app(argc, argv);
    // The kept lessons go where a test's do, not over the user's own.
    QStandardPaths::setTestModeEnabled(true);
    const int parties = argc > 1
        ? std::clamp(std::atoi(argv[1]), apportion::minPartyCount, apportion::maxPartyCount)
        : apportion::defaultPartyCount;
    ApportionForm form;
    form.show();
    if (!QTest::qWaitForWindowExposed(&form))
        return 1;
    while (static_cast<int>(form.board().parties.size()) < parties)
        form.actions().addParty->trigger();

    // Votes close enough that no party needs a 100th seat, and the seat total 300.
    for (int i = 0; i < parties; ++i) {
        auto* box = form.findChild<QLineEdit*>(QStringLiteral("Text2_%1").arg(i));
        box->selectAll();
        QTest::keyClicks(box, QString::number(61000 - 500 * i));
    }
    auto* seats = form.findChild<QListWidget*>(QStringLiteral("List3"));
    seats->setCurrentRow(299);
    QTest::mouseClick(form.findChild<QPushButton*>(QStringLiteral("Command1_0")), Qt::LeftButton);

    form.actions().compare->trigger();
    form.actions().hemicycle->trigger();
    HemicycleWindow* chamber = form.hemicycleWindow();
    if (!chamber || !QTest::qWaitForWindowExposed(chamber))
        return 1;
    auto* chamberView = chamber->findChild<QWidget*>(QStringLiteral("Hemicycle"));
    PaintCounter chamberCounter;
    chamberView->installEventFilter(&chamberCounter);
    form.activateWindow();

    auto* next = form.findChild<QPushButton*>(QStringLiteral("Command1_1"));
    auto* firstList = form.findChild<QListView*>(QStringLiteral("List1_0"));
    PaintCounter counter;
    firstList->viewport()->installEventFilter(&counter);
    app.watch(&form);
    QApplication::processEvents();

    std::vector<double> ms;
    std::vector<double> chamberMs;
    for (int click = 0; click < 300; ++click) {
        const int paintsBefore = counter.paints;
        const int chamberPaintsBefore = chamberCounter.paints;
        const auto start = std::chrono::steady_clock::now();
        QTest::mouseClick(next, Qt::LeftButton);
        waitForPaint(counter, paintsBefore);
        ms.push_back(std::chrono::duration<double, std::milli>(app.shownAt() - start).count());
        waitForPaint(chamberCounter, chamberPaintsBefore);
        chamberMs.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
    }
    if (form.board().seatsGiven != 300) {
        std::fprintf(stderr, "only %d seats were given\n", form.board().seatsGiven);
        return 1;
    }
    std::printf("platform %s, %d parties\n", qPrintable(QGuiApplication::platformName()), parties);
    report("all", ms);
    report("first 50", std::vector<double>(ms.begin(), ms.begin() + 50));
    report("last 50", std::vector<double>(ms.end() - 50, ms.end()));
    report("parliament", chamberMs);

    // The floor: the same rows appended to as many plain lists, with nothing else to do.
    QWidget bare;
    bare.setFixedSize(form.size());
    bare.setFont(form.font());
    std::vector<QListWidget*> lists(static_cast<std::size_t>(parties));
    for (int i = 0; i < parties; ++i) {
        lists[i] = new QListWidget(&bare);
        // As the program's lists: rows of one height, so a new row costs no layout of the others.
        lists[i]->setUniformItemSizes(true);
        lists[i]->setGeometry(form_layout::toPixels(
            form_layout::shiftedRight(form_layout::quotientList, i * form_layout::partySpacing),
            1));
        for (std::size_t row = 0; row < 2; ++row)
            lists[i]->addItem(QString::fromStdString(form.board().parties[i].rows[row]));
    }
    form.hide();
    chamber->hide();
    if (form.comparisonWindow())
        const_cast<QWidget*>(static_cast<const QWidget*>(form.comparisonWindow()))->hide();
    bare.show();
    if (!QTest::qWaitForWindowExposed(&bare))
        return 1;
    PaintCounter floorCounter;
    lists[0]->viewport()->installEventFilter(&floorCounter);
    app.watch(&bare);
    QApplication::processEvents();
    std::vector<double> floor;
    for (std::size_t row = 2; row < 302; ++row) {
        const int paintsBefore = floorCounter.paints;
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < parties; ++i) {
            lists[i]->addItem(QString::fromStdString(form.board().parties[i].rows[row]));
            lists[i]->scrollToBottom();
        }
        waitForPaint(floorCounter, paintsBefore);
        floor.push_back(std::chrono::duration<double, std::milli>(app.shownAt() - start).count());
    }
    report("floor", floor);
    std::printf("ratio to the floor %.2f\n", sum(ms) / sum(floor));

    // Keeping the lesson after a click, as the window does once its events are done: the
    // 300-seat lesson written whole into a kept file, each time a seat more.
    LessonKeeper keeper;
    apportion::Lesson lesson = apportion::LessonOf(form.board());
    std::vector<double> keeping;
    for (int click = 0; click < 100; ++click) {
        lesson.seatsGiven = 200 + click % 100;
        const auto start = std::chrono::steady_clock::now();
        keeper.keep(lesson);
        keeper.flush();
        keeping.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
    }
    report("keep lesson", keeping);
    return 0;
}
