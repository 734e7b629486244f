// Typing into a vote box with the comparison and the parliament open, at the seat total 300: each
// keystroke makes the window compute the comparison again (the five divisor methods,
// Hare–Niemeyer with a 4 % threshold and the Alabama check) and redraw its table, working and
// picture, and the parliament its chamber. Types 20 digits, a vote total growing past what a
// column was fitted for; then 200 keystrokes of ordinary totals (a 6-digit total typed up to 10
// digits and taken back with Backspace, 25 times), enough for a 99th percentile that is not
// just the slowest keystroke. Waits after each keystroke until the comparison's table has been
// painted, times it up to the moment the comparison's window has painted and flushed the change,
// and prints the median and 99th percentile of each series. The first argument is the
// number of parties (5 unless given); the last party's box is typed into.
#include "paint_wait.h"
#include "window/chamber/hemicycle_window.h"
#include "window/comparison/comparison_window.h"
#include "window/form/apportion_form.h"
#include "window/form/form_actions.h"

#include <QAction>

#include <QApplication>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QListWidget>
#include <QScreen>
#include <QTableView>
#include <QTest>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

int main(int argc, char* argv[])
{
    ShownApplication app(argc, argv);
    const int parties = argc > 1
        ? std::clamp(std::atoi(argv[1]), apportion::minPartyCount, apportion::maxPartyCount)
        : apportion::defaultPartyCount;
    ApportionForm form;
    form.show();
    if (!QTest::qWaitForWindowExposed(&form))
        return 1;
    while (static_cast<int>(form.board().parties.size()) < parties)
        form.actions().addParty->trigger();
    for (int i = apportion::defaultPartyCount; i < parties; ++i) {
        auto* added = form.findChild<QLineEdit*>(QStringLiteral("Text2_%1").arg(i));
        QTest::keyClicks(added, QString::number(20000 - 1000 * i));
    }
    form.findChild<QListWidget*>(QStringLiteral("List3"))->setCurrentRow(299);
    form.actions().compare->trigger();
    auto* comparison = const_cast<ComparisonWindow*>(form.comparisonWindow());
    if (!comparison || !QTest::qWaitForWindowExposed(comparison))
        return 1;
    comparison->findChild<QDoubleSpinBox*>(QStringLiteral("Threshold"))->setValue(4);
    form.actions().hemicycle->trigger();
    if (!form.hemicycleWindow() || !QTest::qWaitForWindowExposed(form.hemicycleWindow()))
        return 1;
    auto* table = comparison->findChild<QTableView*>(QStringLiteral("ComparisonTable"));
    PaintCounter counter;
    table->viewport()->installEventFilter(&counter);
    app.watch(comparison);

    auto* box = form.findChild<QLineEdit*>(QStringLiteral("Text2_%1").arg(parties - 1));
    form.activateWindow();
    box->setFocus();
    box->selectAll();
    QApplication::processEvents();

    const auto timed = [&](Qt::Key key) {
        const int paintsBefore = counter.paints;
        const auto start = std::chrono::steady_clock::now();
        QTest::keyClick(box, key);
        waitForPaint(counter, paintsBefore);
        return std::chrono::duration<double, std::milli>(app.shownAt() - start).count();
    };
    const QSize screen = form.screen()->size();
    const auto report = [&](const char* name, const std::vector<double>& ms) {
        std::printf("keystrokes %-8s %3zu with the comparison and the parliament open at 300 "
                    "seats, %d parties, %dx%d: median %.3f ms  p99 %.3f ms  max %.3f ms\n",
            name, ms.size(), parties, screen.width(), screen.height(), percentile(ms, 0.5),
            percentile(ms, 0.99), *std::max_element(ms.begin(), ms.end()));
    };

    std::vector<double> growing;
    const QString digits = QStringLiteral("12345678901234567890");
    for (const QChar digit : digits)
        growing.push_back(timed(static_cast<Qt::Key>(Qt::Key_0 + digit.digitValue())));
    if (box->text() != digits) {
        std::fprintf(stderr, "typed %s\n", qPrintable(box->text()));
        return 1;
    }
    report("growing", growing);

    box->setText(QStringLiteral("123456"));
    QApplication::processEvents();
    std::vector<double> ordinary;
    for (int round = 0; round < 25; ++round) {
        for (int digit = 0; digit < 4; ++digit)
            ordinary.push_back(timed(static_cast<Qt::Key>(Qt::Key_0 + (round + digit) % 10)));
        for (int back = 0; back < 4; ++back)
            ordinary.push_back(timed(Qt::Key_Backspace));
    }
    if (box->text() != QStringLiteral("123456")) {
        std::fprintf(stderr, "left %s\n", qPrintable(box->text()));
        return 1;
    }
    report("ordinary", ordinary);
    return 0;
}
