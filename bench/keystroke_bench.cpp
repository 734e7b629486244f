// Typing into a vote box with the comparison and the parliament open, at the seat total 300: each
// keystroke makes the window compute the comparison again (the five divisor methods,
// Hare–Niemeyer with a 4 % threshold and the Alabama check) and redraw its table, working and
// picture, and the parliament its chamber. Types 20 digits,
// waiting after each until the comparison's table has been painted, and prints the median and
// 99th percentile per keystroke. The first argument is the number of parties (5 unless given);
// the last party's box is typed into.
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
    QApplication app(argc, argv);
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

    auto* box = form.findChild<QLineEdit*>(QStringLiteral("Text2_%1").arg(parties - 1));
    form.activateWindow();
    box->setFocus();
    box->selectAll();
    QApplication::processEvents();

    std::vector<double> ms;
    const QString digits = QStringLiteral("12345678901234567890");
    for (const QChar digit : digits) {
        const int paintsBefore = counter.paints;
        const auto start = std::chrono::steady_clock::now();
        QTest::keyClick(box, digit.toLatin1());
        waitForPaint(counter, paintsBefore);
        ms.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
    }
    if (box->text() != digits) {
        std::fprintf(stderr, "typed %s\n", qPrintable(box->text()));
        return 1;
    }
    const QSize screen = form.screen()->size();
    std::printf("keystrokes %zu with the comparison and the parliament open at 300 seats, %d "
                "parties, %dx%d: median %.3f ms  p99 %.3f ms  max %.3f ms\n",
        ms.size(), parties, screen.width(), screen.height(), percentile(ms, 0.5),
        percentile(ms, 0.99), *std::max_element(ms.begin(), ms.end()));
    return 0;
}
