#include "board_view.h"

#include "window/lessons/lesson_keeper.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QStandardPaths>

#include <cstdlib>

using namespace apportion;

namespace {

QString listMismatch(const QListView* list, const std::vector<std::string>& items)
{
    if (rowCount(list) != static_cast<int>(items.size()))
        return QStringLiteral("%1 shows %2 items, the board has %3")
            .arg(list->objectName())
            .arg(rowCount(list))
            .arg(items.size());
    for (int row = 0; row < rowCount(list); ++row) {
        const auto expected = QString::fromStdString(items[static_cast<std::size_t>(row)]);
        if (rowText(list, row) != expected)
            return QStringLiteral("%1 row %2 shows \"%3\", the board has \"%4\"")
                .arg(list->objectName())
                .arg(row)
                .arg(rowText(list, row), expected);
    }
    return {};
}

} // namespace

QModelIndex rowIndex(const QListView* list, int row)
{
    return list->model()->index(row, list->modelColumn());
}

int rowCount(const QListView* list) { return list->model()->rowCount(); }

QString rowText(const QListView* list, int row) { return rowIndex(list, row).data().toString(); }

QString boardViewMismatch(const ApportionForm& form)
{
    const Board& board = form.board();
    for (int i = 0; i < static_cast<int>(board.parties.size()); ++i) {
        const auto name = QStringLiteral("Text2_%1").arg(i);
        const auto expected = QString::fromStdString(board.parties[i].entryText);
        if (control<QLineEdit>(form, name)->text() != expected)
            return name + QStringLiteral(" differs from the entry text \"%1\"").arg(expected);
        const auto rows = listMismatch(
            control<QListView>(form, QStringLiteral("List1_%1").arg(i)), board.parties[i].rows);
        if (!rows.isEmpty())
            return rows;
    }
    const auto divisors
        = listMismatch(control<QListView>(form, QStringLiteral("List2")), board.divisors);
    if (!divisors.isEmpty())
        return divisors;
    const auto seats
        = listMismatch(control<QListView>(form, QStringLiteral("List3")), board.seatChoices);
    if (!seats.isEmpty())
        return seats;

    if (control<QAbstractButton>(form, QStringLiteral("Command1_0"))->isEnabled()
        != board.enterEnabled)
        return QStringLiteral("Command1_0 enabled state differs from the board");
    for (int k = 0; k < divisorMethodCount; ++k) {
        const bool checked
            = control<QAbstractButton>(form, QStringLiteral("Option1_%1").arg(k))->isChecked();
        if (checked != (board.method == static_cast<DivisorMethod>(k)))
            return QStringLiteral("Option1_%1 checked state differs from the board").arg(k);
    }
    const auto selected
        = control<QListWidget>(form, QStringLiteral("List3"))->selectionModel()->selectedRows();
    if (selected.size() != 1 || board.seatSelection != selected.front().row())
        return QStringLiteral("List3 selection differs from the board's seat selection");
    return {};
}

namespace {

#ifndef Q_OS_WIN
// The home the kept lessons of this run go under, removed when it ends.
QByteArray ownHome;
#endif

const bool keptApart = [] {
#ifndef Q_OS_WIN
    // Runs of one test program at once (under other names, with other settings) would keep
    // lessons in one folder and clear each other's: each run has a home of its own, which a
    // window it starts as a process of its own shares.
    if (qEnvironmentVariableIsEmpty("APPORTION_TEST_HOME")) {
        QByteArray home
            = QDir::temp()
                  .filePath(
                      QStringLiteral("apportion-test-%1").arg(QCoreApplication::applicationPid()))
                  .toLocal8Bit();
        if (QDir().mkpath(QString::fromLocal8Bit(home))) {
            qputenv("APPORTION_TEST_HOME", home);
            qputenv("HOME", home);
            ownHome = home;
            std::atexit([] { QDir(QString::fromLocal8Bit(ownHome)).removeRecursively(); });
        }
    }
#endif
    QStandardPaths::setTestModeEnabled(true);
    return true;
}();

} // namespace

void forgetKeptLessons()
{
    if (keptApart)
        QDir(LessonKeeper::folder()).removeRecursively();
}
