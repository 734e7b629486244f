// What a screen reader and a keyboard-only user get from the window.
#include "board_view.h"
#include "window/form/translations.h"

#include <QAccessible>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

using namespace apportion;

class TestAccessibility : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void everyControlIsNamed();
    void voteBoxValueFollowsTyping();
    void keyboardOnlyAllocation_data();
    void keyboardOnlyAllocation();
    void qtTextsSpeakBulgarian();

private:
    ApportionForm* m_form = nullptr;
};

void TestAccessibility::init()
{
    m_form = new ApportionForm;
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form));
    m_form->activateWindow();
}

void TestAccessibility::cleanup()
{
    delete m_form;
    m_form = nullptr;
}

void TestAccessibility::everyControlIsNamed()
{
    struct Expected {
        QString prefix;
        int count;
        QAccessible::Role role;
    };
    const QList<Expected> controls { { "Text1_", 2, QAccessible::EditableText },
        { "Label1_", 3, QAccessible::StaticText }, { "Text2_", 5, QAccessible::EditableText },
        { "List1_", 5, QAccessible::List }, { "Command1_", 3, QAccessible::Button },
        { "Option1_", 5, QAccessible::RadioButton }, { "List2", 1, QAccessible::List },
        { "List3", 1, QAccessible::List }, { "Frame1", 1, QAccessible::Grouping } };

    // Reach every control from the window's interface, as a screen reader walks the tree.
    QHash<QObject*, QAccessibleInterface*> reachable;
    QList<QAccessibleInterface*> pending { QAccessible::queryAccessibleInterface(m_form) };
    while (!pending.isEmpty()) {
        QAccessibleInterface* node = pending.takeFirst();
        reachable.insert(node->object(), node);
        for (int i = 0; i < node->childCount(); ++i)
            pending << node->child(i);
    }

    QSet<QString> names;
    int checked = 0;
    for (const auto& expected : controls) {
        for (int i = 0; i < expected.count; ++i) {
            const QString name
                = expected.count == 1 ? expected.prefix : expected.prefix + QString::number(i);
            QWidget* widget = control<QWidget>(*m_form, name);
            ++checked;
            if (widget->isHidden())
                continue; // the quotation is never shown, so it is not in the tree
            QAccessibleInterface* node = reachable.value(widget);
            QVERIFY2(node, qPrintable(name + " is not reachable"));
            QCOMPARE(node->role(), expected.role);
            const QString spoken = node->text(QAccessible::Name);
            QVERIFY2(!spoken.isEmpty(), qPrintable(name + " has no accessible name"));
            QVERIFY2(!names.contains(spoken), qPrintable(name + " shares its name: " + spoken));
            names.insert(spoken);
        }
    }
    QCOMPARE(checked, 26);
    QCOMPARE(reachable.value(control<QWidget>(*m_form, "Text2_0"))->text(QAccessible::Name),
        QStringLiteral("Гласове, партия 1"));
    QVERIFY(!reachable.value(control<QWidget>(*m_form, "Command1_1"))
                 ->text(QAccessible::Description)
                 .isEmpty());
}

void TestAccessibility::voteBoxValueFollowsTyping()
{
    auto* box = control<QLineEdit>(*m_form, "Text2_2");
    QAccessibleInterface* node = QAccessible::queryAccessibleInterface(box);
    QCOMPARE(node->text(QAccessible::Value), QStringLiteral("27142"));
    box->setFocus();
    QTest::keyClick(box, Qt::Key_End);
    QTest::keyClicks(box, "9");
    QCOMPARE(node->text(QAccessible::Value), QStringLiteral("271429"));
    QTest::mouseClick(control<QPushButton>(*m_form, "Command1_0"), Qt::LeftButton);
    QCOMPARE(node->text(QAccessible::Value), QStringLiteral("0"));
}

void TestAccessibility::keyboardOnlyAllocation_data()
{
    QTest::addColumn<int>("downArrows");
    QTest::addColumn<QStringList>("seatCounts");
    QTest::newRow("D’Hondt") << 0 << QStringList { "3", "2", "1", "1", "0" };
    QTest::newRow("Sainte-Lague") << 1 << QStringList { "2", "2", "1", "1", "1" };
}

// From the first control on, with Tab, the arrows, Space and Enter alone.
void TestAccessibility::keyboardOnlyAllocation()
{
    QFETCH(int, downArrows);
    QFETCH(QStringList, seatCounts);

    auto press = [](Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        QWidget* focus = QApplication::focusWidget();
        QVERIFY(focus);
        QTest::keyClick(focus, key, modifiers);
    };
    auto focusedName = [] {
        return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
    };

    control<QWidget>(*m_form, "Text1_0")->setFocus();
    // Back from the explanatory text to the seat list, then to the method options: the group is
    // one stop, at its checked option.
    press(Qt::Key_Backtab);
    QCOMPARE(focusedName(), QStringLiteral("List3"));
    press(Qt::Key_Backtab);
    QCOMPARE(focusedName(), QStringLiteral("Option1_0"));
    for (int i = 0; i < downArrows; ++i)
        press(Qt::Key_Down);
    QCOMPARE(m_form->board().method, static_cast<DivisorMethod>(downArrows));

    // On round to the enter button, past the seat list, the text and the party columns.
    for (int step = 0; step < 20 && focusedName() != QStringLiteral("Command1_0"); ++step)
        press(Qt::Key_Tab);
    press(Qt::Key_Space);
    QCOMPARE(m_form->board().parties[0].rows.size(), std::size_t(2));
    // The enter button, now disabled for good, hands the focus on to "Търси".
    QCOMPARE(focusedName(), QStringLiteral("Command1_1"));
    for (int seat = 0; seat < 7; ++seat)
        press(seat % 2 ? Qt::Key_Return : Qt::Key_Space);

    QStringList entries;
    for (int i = 0; i < defaultPartyCount; ++i)
        entries << control<QLineEdit>(*m_form, QStringLiteral("Text2_%1").arg(i))->text();
    QCOMPARE(entries, seatCounts);
    QCOMPARE(boardViewMismatch(*m_form), QString());
}

void TestAccessibility::qtTextsSpeakBulgarian()
{
    QVERIFY(installBulgarianQtTexts(*QCoreApplication::instance()));
    // The vote boxes' context menu, which Qt writes itself.
    QCOMPARE(QCoreApplication::translate("QLineEdit", "&Paste"), QStringLiteral("&Поставяне"));
}

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
