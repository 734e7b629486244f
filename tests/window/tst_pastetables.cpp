// Results tables pasted as a teacher pastes them: as text or as HTML, into a vote box or a name
// box, into a new window or an opened lesson, the votes from another column at one key, and
// the rows past twelve counted in the other votes.
#include "board_view.h"
#include "window/form/apportion_form.h"
#include "window/form/form_actions.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QTest>
#include <QTimer>

using namespace apportion;

namespace {

const QString assemblyRows
    = QStringLiteral("ГЕРБ-СДС\t642931\nПП-ДБ\t346063\nВъзраждане\t325460\n"
                     "ДПС-Ново начало\t281366\nБСП-Обединена левица\t184403\n"
                     "Алианс за права и свободи\t182263\n"
                     "Има такъв народ\t165160\nМЕЧ\t111946\nВеличие\t97430\n");

QString firstRows(int rows)
{
    return assemblyRows.split(QLatin1Char('\n')).mid(0, rows).join(QLatin1Char('\n'));
}

} // namespace

class TestPasteTables : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void pastesInEveryLesson_data();
    void pastesInEveryLesson();
    void htmlAloneOrDisagreeing_data();
    void htmlAloneOrDisagreeing();
    void menuPastesHtml();
    void anotherColumnAtOneKey();
    void rowsPastTwelveAreOtherVotes();
    void nothingToPasteIsTold();

private:
    QLineEdit* box(const char* kind, int party) const
    {
        return control<QLineEdit>(*m_form, QStringLiteral("%1_%2").arg(kind).arg(party));
    }
    void paste(QLineEdit* target, QMimeData* data) const
    {
        QGuiApplication::clipboard()->setMimeData(data);
        target->setFocus();
        QTest::keyClick(target, Qt::Key_V, Qt::ControlModifier);
    }
    QStringList shownVotes() const
    {
        QStringList shown;
        for (int i = 0; i < static_cast<int>(m_form->board().parties.size()); ++i)
            shown << box("Text2", i)->text();
        return shown;
    }
    void openAssembly51() const
    {
        for (QAction* example : m_form->actions().examples) {
            if (example->text().startsWith(QStringLiteral("51-во")))
                example->trigger();
        }
        QCOMPARE(m_form->board().parties.size(), std::size_t(9));
    }

    ApportionForm* m_form = nullptr;
};

void TestPasteTables::init()
{
    forgetKeptLessons();
    m_form = new ApportionForm;
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form));
}

void TestPasteTables::cleanup()
{
    delete m_form;
    m_form = nullptr;
}

void TestPasteTables::pastesInEveryLesson_data()
{
    QTest::addColumn<bool>("opened"); // the 51st National Assembly's nine parties, named
    QTest::addColumn<QString>("kind"); // the box pasted into
    QTest::addColumn<int>("rows");
    for (const bool opened : { false, true }) {
        for (const char* kind : { "Text2", "Name" }) {
            for (const int rows : { 5, 7, 9 }) {
                if (!opened && QByteArray(kind) == "Name")
                    continue; // a new window shows no names
                QTest::addRow("%s %s %d", opened ? "opened" : "new", kind, rows)
                    << opened << QString::fromLatin1(kind) << rows;
            }
        }
    }
}

// However the lesson came and whichever box of the first column has the focus, the table
// gives the parties, in one step.
void TestPasteTables::pastesInEveryLesson()
{
    QFETCH(bool, opened);
    QFETCH(QString, kind);
    QFETCH(int, rows);
    if (opened)
        openAssembly51();
    const Board before = m_form->board();
    auto* data = new QMimeData;
    data->setText(firstRows(rows));
    paste(box(kind.toLatin1().constData(), 0), data);
    QCOMPARE(m_form->board().parties.size(), std::size_t(rows));
    QCOMPARE(shownVotes().first(), QStringLiteral("642931"));
    QCOMPARE(box("Name", rows - 1)->text(),
        firstRows(rows).section(QLatin1Char('\n'), -1).section(QLatin1Char('\t'), 0, 0));
    QCOMPARE(boardViewMismatch(*m_form), QString());
    m_form->actions().undo->trigger();
    QCOMPARE(m_form->board(), before);
}

void TestPasteTables::htmlAloneOrDisagreeing_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("html");
    QTest::addColumn<QStringList>("votes");
    QTest::addColumn<QString>("said"); // how the line names the column read

    const QString page
        = QStringLiteral("<table><tr><th rowspan=2>Партия</th><th colspan=2>Гласове</th></tr>"
                         "<tr><th>брой</th><th>%</th></tr>"
                         "<tr><td>ГЕРБ-СДС</td><td>642&nbsp;931</td><td>26,39</td></tr>"
                         "<tr><td>ПП-ДБ</td><td>346&nbsp;063</td><td>14,20</td></tr>"
                         "<tr><td>Възраждане</td><td>325&nbsp;460</td><td>13,36</td></tr></table>");
    const QStringList read { "642931", "346063", "325460" };
    const QString fromHtml = QStringLiteral("Гласове: колона 2, „Гласове брой“");
    QTest::newRow("HTML alone") << QString() << page << read << fromHtml;
    // Text that flattened the table: every cell on a line of its own.
    QTest::newRow("text disagrees") << QStringLiteral("Партия\nГласове\nГЕРБ-СДС\n642 931\n26,39\n")
                                    << page << read << fromHtml;
    // Text with the same parties but other numbers (only the shares survived the copy).
    QTest::newRow("text with other votes")
        << QStringLiteral("ГЕРБ-СДС\t26,39\nПП-ДБ\t14,20\nВъзраждане\t13,36") << page << read
        << fromHtml;
    QTest::newRow("text agrees") << QStringLiteral(
        "ГЕРБ-СДС\t642931\nПП-ДБ\t346063\nВъзраждане\t325460")
                                 << page << read << QStringLiteral("Гласове: колона 2.");
}

void TestPasteTables::htmlAloneOrDisagreeing()
{
    QFETCH(QString, text);
    QFETCH(QString, html);
    QFETCH(QStringList, votes);
    QFETCH(QString, said);
    auto* data = new QMimeData;
    if (!text.isEmpty())
        data->setText(text);
    data->setHtml(html);
    paste(box("Text2", 0), data);
    QCOMPARE(shownVotes(), votes);
    QCOMPARE(box("Name", 1)->text(), QStringLiteral("ПП-ДБ"));
    QVERIFY2(m_form->statusReport().contains(said), qPrintable(m_form->statusReport()));
}

// The box's own menu offers to paste a table the clipboard holds only as HTML.
void TestPasteTables::menuPastesHtml()
{
    auto* data = new QMimeData;
    data->setHtml(QStringLiteral("<table><tr><td>А</td><td>10</td></tr><tr><td>Б</td><td>20</td>"
                                 "</tr></table>"));
    QGuiApplication::clipboard()->setMimeData(data);
    QLineEdit* votes = box("Text2", 0);
    bool offered = false;
    QTimer::singleShot(0, m_form, [&offered] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu)
            return;
        QAction* paste = nullptr;
        for (QAction* action : menu->actions()) {
            if (action->text().startsWith(QCoreApplication::translate("QLineEdit", "&Paste")))
                paste = action;
        }
        menu->close();
        if (paste && paste->isEnabled()) {
            offered = true;
            paste->trigger();
        }
    });
    QContextMenuEvent event(
        QContextMenuEvent::Keyboard, QPoint(5, 5), votes->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(votes, &event);
    QTRY_VERIFY(offered);
    QCOMPARE(shownVotes(), QStringList({ "10", "20" }));
}

// A page with two vote columns: the first headed like votes is read; Ctrl+Shift+V takes the
// next in place of the paste, one undo away from the board before it.
void TestPasteTables::anotherColumnAtOneKey()
{
    const Board before = m_form->board();
    QAction* next = m_form->actions().nextVoteColumn;
    QVERIFY(!next->isEnabled());
    auto* data = new QMimeData;
    data->setText(QStringLiteral("Party\tParty vote\t%\tElectorate vote\t%\n"
                                 "A\t1000\t50,0\t900\t45,0\nB\t600\t30,0\t700\t35,0\n"
                                 "C\t400\t20,0\t400\t20,0\n"));
    paste(box("Text2", 0), data);
    QCOMPARE(shownVotes(), QStringList({ "1000", "600", "400" }));
    QVERIFY(m_form->statusReport().contains(QStringLiteral("(Ctrl+Shift+V взима друга: 1 от 2)")));
    QVERIFY(next->isEnabled());
    QTest::keyClick(box("Text2", 0), Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(shownVotes(), QStringList({ "900", "700", "400" }));
    QVERIFY2(m_form->statusReport().contains(QStringLiteral("колона 4, „Electorate vote“")),
        qPrintable(m_form->statusReport()));
    m_form->actions().undo->trigger();
    QCOMPARE(m_form->board(), before);
    // Once the board moved on, no other column is taken.
    m_form->actions().redo->trigger();
    QTest::keyClicks(box("Text2", 2), QStringLiteral("5"));
    QVERIFY(!next->isEnabled());
}

// Fifteen parties: the twelve largest are pasted, and the votes of the three others go into
// the other votes, so that the threshold's base is right at once.
void TestPasteTables::rowsPastTwelveAreOtherVotes()
{
    QString text;
    for (int i = 1; i <= 15; ++i)
        text += QStringLiteral("Партия %1\t%2\n").arg(i).arg(1000 * (16 - i));
    auto* data = new QMimeData;
    data->setText(text);
    paste(box("Text2", 0), data);
    QCOMPARE(m_form->board().parties.size(), std::size_t(maxPartyCount));
    QCOMPARE(m_form->board().voteCount.otherVotes, 3000 + 2000 + 1000);
    QVERIFY2(m_form->statusReport().contains(QStringLiteral("(сега 6\u00A0000)")),
        qPrintable(m_form->statusReport()));

    // Pasted again from the second box on: eleven boxes left, the four smallest rows' votes
    // are added to the other votes the lesson has.
    data = new QMimeData;
    data->setText(text);
    paste(box("Text2", 1), data);
    QCOMPARE(m_form->board().parties.size(), std::size_t(maxPartyCount));
    QCOMPARE(m_form->board().voteCount.otherVotes, 6000 + 4000 + 3000 + 2000 + 1000);
    QCOMPARE(shownVotes().mid(0, 2), QStringList({ "15000", "15000" }));
}

// A clipboard with nothing a box could take (HTML without a table) is told, and the box keeps
// its text.
void TestPasteTables::nothingToPasteIsTold()
{
    auto* data = new QMimeData;
    data->setHtml(QStringLiteral("<p>Гласове: <b>642 931</b></p>"));
    QLineEdit* votes = box("Text2", 0);
    votes->selectAll();
    paste(votes, data);
    QCOMPARE(votes->text(), QStringLiteral("58125"));
    QCOMPARE(m_form->statusReport(),
        QStringLiteral("На клипборда няма текст или таблица за поставяне в кутията."));
}

QTEST_MAIN(TestPasteTables)
#include "tst_pastetables.moc"
