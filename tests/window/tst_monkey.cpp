// Drives the real window with a long seeded stream of random user actions, and after every one
// checks that the controls show exactly the board and that the board's invariants hold. On a
// failure it prints the seed and the action; MONKEY_SEED and MONKEY_ACTIONS replay or lengthen.
#include "board_check.h"
#include "board_view.h"

#include <QClipboard>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include <random>

using namespace apportion;

class TestMonkey : public QObject {
    Q_OBJECT

private slots:
    void randomUserActions();
};

namespace {

class Monkey {
public:
    explicit Monkey(std::uint32_t seed)
        : m_random(seed)
    {
    }

    void use(ApportionForm& form) { m_form = &form; }

    // Performs one random action and returns what it was, for the failure message.
    QString act();
    bool pressedNextSeat() const { return m_pressedNextSeat; }

private:
    int number(int below) { return std::uniform_int_distribution<int>(0, below - 1)(m_random); }
    QString randomText();
    void clickRow(QListView* list, int row, Qt::KeyboardModifiers modifiers);

    ApportionForm* m_form = nullptr;
    std::mt19937 m_random;
    bool m_pressedNextSeat = false;
};

QString Monkey::randomText()
{
    static const QStringList pieces { "0", "1", "7", "58125", "45 871", "12,5", "3.5", "-3", "+",
        ".", "e", "1e999", "1e308", "-1e999", "98.7", "250", "abc", "Търси", "гласове", "\t", " ",
        "’", "&H10", "99", "0.0001" };
    switch (number(10)) {
    case 0:
        return QString(20 + number(400), QLatin1Char('9'));
    case 1:
        return {};
    default: {
        QString text;
        for (int n = 1 + number(4); n > 0; --n)
            text += pieces[number(static_cast<int>(pieces.size()))];
        return text;
    }
    }
}

void Monkey::clickRow(QListView* list, int row, Qt::KeyboardModifiers modifiers)
{
    list->scrollTo(rowIndex(list, row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers,
        list->visualRect(rowIndex(list, row)).center());
}

QString Monkey::act()
{
    m_pressedNextSeat = false;
    const Qt::KeyboardModifiers ctrl = number(3) == 0 ? Qt::ControlModifier : Qt::NoModifier;
    switch (number(13)) {
    case 0:
    case 1:
    case 2:
    case 3: {
        // "Търси" most often, so that allocations run deep; "Изчисти" seldom.
        const int index = number(40) == 0 ? 2 : number(8) == 0 ? 0 : 1;
        m_pressedNextSeat = index == 1;
        QTest::mouseClick(control<QPushButton>(*m_form, QStringLiteral("Command1_%1").arg(index)),
            Qt::LeftButton);
        return QStringLiteral("click Command1_%1").arg(index);
    }
    case 4: {
        const int index = number(divisorMethodCount);
        auto* option = control<QRadioButton>(*m_form, QStringLiteral("Option1_%1").arg(index));
        QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(6, option->height() / 2));
        return QStringLiteral("click Option1_%1").arg(index);
    }
    case 5:
    case 6: {
        const int party = number(static_cast<int>(m_form->board().parties.size()));
        auto* box = control<QLineEdit>(*m_form, QStringLiteral("Text2_%1").arg(party));
        // Now and then a results table, of up to fifteen parties, to paste.
        QString text = randomText();
        if (number(10) == 0) {
            text.clear();
            for (int row = 1 + number(15); row > 0; --row)
                text += QStringLiteral("Партия %1\t%2\n").arg(row).arg(randomText());
        }
        QTest::mouseClick(box, Qt::LeftButton);
        if (number(2) == 0)
            QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        // A long number is pasted; a short one typed character by character, as a keyboard
        // with any layout would send them.
        if (text.size() > 20 || text.contains(QLatin1Char('\n'))) {
            QGuiApplication::clipboard()->setText(text);
            QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
            return QStringLiteral("paste \"%1\" into Text2_%2").arg(text.left(40)).arg(party);
        }
        for (const QChar c : text)
            QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
        return QStringLiteral("type \"%1\" into Text2_%2").arg(text).arg(party);
    }
    case 7: {
        const int row = number(seatChoiceCount);
        clickRow(control<QListWidget>(*m_form, QStringLiteral("List3")), row, ctrl);
        return QStringLiteral("click List3 row %1%2").arg(row).arg(ctrl ? " with Ctrl" : "");
    }
    case 8: {
        // A divisor, or a quotient, which scrolls all the quotient lists.
        const int party = number(static_cast<int>(m_form->board().parties.size()) + 1) - 1;
        const QString name
            = party < 0 ? QStringLiteral("List2") : QStringLiteral("List1_%1").arg(party);
        auto* list = control<QListView>(*m_form, name);
        if (rowCount(list) == 0)
            return QStringLiteral("nothing to click in %1").arg(name);
        const int row = number(rowCount(list));
        clickRow(list, row, ctrl);
        return QStringLiteral("click %1 row %2%3").arg(name).arg(row).arg(ctrl ? " with Ctrl" : "");
    }
    case 9: {
        // A new example, an undo, the comparison of the methods, a party added or removed or
        // the names' row, by their shortcuts, with the window active again as a user would have
        // it after looking at the comparison.
        static const Qt::Key keys[] = { Qt::Key_N, Qt::Key_N, Qt::Key_Z, Qt::Key_Z, Qt::Key_M,
            Qt::Key_P, Qt::Key_R, Qt::Key_I };
        const Qt::Key key = keys[number(static_cast<int>(std::size(keys)))];
        const auto modifiers = key == Qt::Key_P || key == Qt::Key_R || key == Qt::Key_I
            ? Qt::ControlModifier | Qt::ShiftModifier
            : Qt::ControlModifier;
        m_form->activateWindow();
        QTest::keyClick(m_form, key, modifiers);
        return QStringLiteral("key %1").arg(QKeySequence(modifiers | key).toString());
    }
    default: {
        static const Qt::Key keys[] = { Qt::Key_Tab, Qt::Key_Backtab, Qt::Key_Up, Qt::Key_Down,
            Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Home, Qt::Key_End, Qt::Key_Space,
            Qt::Key_Return, Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Z, Qt::Key_Y };
        const Qt::Key key = keys[number(static_cast<int>(std::size(keys)))];
        m_form->activateWindow();
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : m_form;
        const QString name = target->objectName();
        QTest::keyClick(target, key, ctrl);
        return QStringLiteral("key %1%2 on %3")
            .arg(QKeySequence(key).toString(), ctrl ? "+Ctrl" : "", name);
    }
    }
}

} // namespace

void TestMonkey::randomUserActions()
{
    const std::uint32_t seed = qEnvironmentVariableIsSet("MONKEY_SEED")
        ? qEnvironmentVariable("MONKEY_SEED").toUInt()
        : 20261208u;
    const int actions = qEnvironmentVariableIntValue("MONKEY_ACTIONS") > 0
        ? qEnvironmentVariableIntValue("MONKEY_ACTIONS")
        : 20000;

    Monkey monkey(seed);
    std::unique_ptr<ApportionForm> window;
    int seatsGiven = 0;
    int runs = 0;
    int clearsUndone = 0;
    int newExamples = 0;
    std::size_t mostParties = 0;
    QElapsedTimer timer;
    timer.start();
    for (int step = 0; step < actions; ++step) {
        // Every state can be left by the window's own actions (undo, a new example), so the
        // program is started once.
        if (!window) {
            window = std::make_unique<ApportionForm>();
            window->show();
            QVERIFY(QTest::qWaitForWindowExposed(window.get()));
            monkey.use(*window);
            ++runs;
        }
        const ApportionForm& form = *window;
        const SeatTurnSnapshot before(form.board());
        const bool wasCleared = !form.board().enterEnabled && form.board().parties[0].rows.empty();
        const bool wasEntered = !form.board().enterEnabled;
        const QString action = monkey.act();
        if (step % 64 == 0)
            QCoreApplication::processEvents(); // paint now and then, with whatever texts are shown

        clearsUndone += wasCleared && !form.board().parties[0].rows.empty();
        newExamples += wasEntered && form.board().enterEnabled;
        mostParties = std::max(mostParties, form.board().parties.size());

        QString problem = boardViewMismatch(form);
        if (problem.isEmpty())
            problem = QString::fromStdString(BoardInvariantViolation(form.board()));
        if (problem.isEmpty() && monkey.pressedNextSeat()) {
            problem = QString::fromStdString(SeatTurnViolation(before, form.board()));
            seatsGiven += form.board().seatsGiven == before.seatsGiven + 1;
        }
        QVERIFY2(problem.isEmpty(),
            qPrintable(QStringLiteral("seed %1, action %2 (%3): %4")
                           .arg(seed)
                           .arg(step)
                           .arg(action, problem)));
    }
    qInfo("%d actions in %lld ms, %d runs of the program, %d seats given by mouse, %d clears "
          "undone, %d new examples, at most %zu parties, seed %u",
        actions, static_cast<long long>(timer.elapsed()), runs, seatsGiven, clearsUndone,
        newExamples, mostParties, seed);
    // The stream reaches deep allocations, not only refusals, and the paths out of a clear.
    QVERIFY(seatsGiven > 100);
    if (actions >= 5000) {
        QVERIFY(clearsUndone > 0);
        QVERIFY(newExamples > 0);
        QVERIFY(window->comparisonWindow() != nullptr);
        QVERIFY(mostParties > static_cast<std::size_t>(defaultPartyCount));
    }
}

QTEST_MAIN(TestMonkey)
#include "tst_monkey.moc"
