#include "board_view.h"
#include "window/comparison/comparison_window.h"
#include "window/form/apportion_form.h"
#include "window/form/form_actions.h"
#include "window/output/table_export.h"
#include "window/output/table_output.h"
#include "window/picture/seat_chart.h"

#include <QAccessible>
#include <QAction>
#include <QClipboard>
#include <QDoubleSpinBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <QToolTip>
#include <QtTest>

using namespace apportion;

class TestTeacherActions : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void undoBringsBackAMistakenClear();
    void undoRestoresTheDivisorHighlight();
    void textBoxesKeepTheirKeys_data();
    void textBoxesKeepTheirKeys();
    void newExampleStartsAfresh();
    void comparisonFollowsTheVotes();
    void copyPutsBothFormatsOnTheClipboard_data();
    void copyPutsBothFormatsOnTheClipboard();
    void printsTheTableToPdf();
    void zoomStopsAtTheScreen();
    void contextMenuListsTheActions();
    void statusLineTellsTheLastAction_data();
    void statusLineTellsTheLastAction();
    void comparisonKeepsWithinTheScreen();
    void comparisonCellsStayWholeWhileTyping();
    void comparisonTakesTheWindowsKeys();
    void quotaMethodThresholdAndPicture();

private:
    QPushButton* command(int index) const
    {
        return control<QPushButton>(*m_form, QStringLiteral("Command1_%1").arg(index));
    }
    void giveSeats(int seats) const;
    QStringList openMenu() const;

    ApportionForm* m_form = nullptr;
};

void TestTeacherActions::init()
{
    forgetKeptLessons();
    m_form = new ApportionForm;
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form));
}

void TestTeacherActions::cleanup()
{
    delete m_form;
    m_form = nullptr;
}

void TestTeacherActions::giveSeats(int seats) const
{
    QTest::mouseClick(command(0), Qt::LeftButton);
    for (int seat = 0; seat < seats; ++seat)
        QTest::mouseClick(command(1), Qt::LeftButton);
}

void TestTeacherActions::undoBringsBackAMistakenClear()
{
    QVERIFY(!m_form->actions().undo->isEnabled());
    giveSeats(5);
    const Board allocated = m_form->board();
    QTest::mouseClick(command(2), Qt::LeftButton);
    QVERIFY(m_form->board().parties[0].rows.empty());

    QTest::keyClick(command(2), Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(m_form->board() == allocated);
    QCOMPARE(boardViewMismatch(*m_form), QString());
    QVERIFY(!command(0)->isEnabled());

    // Back to seat 3, then forward again with both redo keys.
    QTest::keyClick(command(1), Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(command(1), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(m_form->board().seatsGiven, 3);
    QCOMPARE(boardViewMismatch(*m_form), QString());
    QTest::keyClick(command(1), Qt::Key_Y, Qt::ControlModifier);
    QTest::keyClick(command(1), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(m_form->board() == allocated);
    QCOMPARE(boardViewMismatch(*m_form), QString());

    // A vote box keeps its own undo while it has the focus.
    auto* box = control<QLineEdit>(*m_form, QStringLiteral("Text2_4"));
    box->setFocus();
    QTest::keyClicks(box, QStringLiteral("9"));
    QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(box->text(), QStringLiteral("0"));
    QVERIFY(m_form->board() == allocated);
}

void TestTeacherActions::undoRestoresTheDivisorHighlight()
{
    auto* divisors = control<QListView>(*m_form, QStringLiteral("List2"));
    auto highlighted = [divisors] {
        const auto selected = divisors->selectionModel()->selectedIndexes();
        return selected.size() == 1 ? selected.front().row() : -1;
    };
    giveSeats(6); // the 6th seat, party 1's third, wrote its quotient with the divisor 4, row 2
    QCOMPARE(highlighted(), 2);
    // Whatever the user clicked since, undo and redo show the highlight as the board has it.
    for (int step = 0; step < 3; ++step) {
        divisors->setCurrentIndex(divisors->model()->index(10, 0));
        QTest::keyClick(command(1), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(highlighted(), m_form->board().divisorSelection.value_or(-1));
    }
    QCOMPARE(highlighted(), 1);
    divisors->setCurrentIndex(divisors->model()->index(1, 0));
    QTest::keyClick(command(1), Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(highlighted(), 0);
}

void TestTeacherActions::textBoxesKeepTheirKeys_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QKeyCombination>("key");
    // What the clipboard starts with afterwards ("x" before, "<selection>" for the vote box's
    // selected text).
    QTest::addColumn<QString>("clipboard");

    const auto ctrl = [](Qt::Key key) { return QKeyCombination(Qt::ControlModifier, key); };
    const QString x = QStringLiteral("x");
    QTest::newRow("undo") << "Text2_4" << ctrl(Qt::Key_Z) << x;
    QTest::newRow("redo, Ctrl+Y") << "Text2_4" << ctrl(Qt::Key_Y) << x;
    QTest::newRow("redo, Ctrl+Shift+Z")
        << "Text2_4" << QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z) << x;
    QTest::newRow("copy") << "Text2_4" << ctrl(Qt::Key_C) << "<selection>";
    QTest::newRow("cut") << "Text2_4" << ctrl(Qt::Key_X) << "<selection>";
    QTest::newRow("paste") << "Text2_4" << ctrl(Qt::Key_V) << x;
    QTest::newRow("select all") << "Text2_4" << ctrl(Qt::Key_A) << x;
    QTest::newRow("explanation, copy") << "Text1_0" << ctrl(Qt::Key_C) << "Математ";
    QTest::newRow("explanation, select all") << "Text1_0" << ctrl(Qt::Key_A) << x;
    // Where no text box takes the key, the window's action runs.
    QTest::newRow("list, copy") << "List1_0" << ctrl(Qt::Key_C) << "Брой мандати";
}

void TestTeacherActions::textBoxesKeepTheirKeys()
{
    QFETCH(QString, box);
    QFETCH(QKeyCombination, key);
    QFETCH(QString, clipboard);

    // An undone seat, so that a redo of the board's would show.
    giveSeats(3);
    m_form->actions().undo->trigger();
    const Board allocated = m_form->board();

    // A vote box and a line edit on its own, given the same keys, end the same, except that
    // Ctrl+Y is redo in a vote box on every platform.
    auto* votes = control<QLineEdit>(*m_form, QStringLiteral("Text2_4"));
    QLineEdit alone(votes->text());
    for (QLineEdit* edit : { votes, &alone }) {
        edit->setFocus();
        edit->end(false);
        // Something to undo and something to redo.
        QTest::keyClicks(edit, QStringLiteral("9"));
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(edit, QStringLiteral("12"));
        QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_Left, Qt::ShiftModifier);
    }
    if (clipboard == QStringLiteral("<selection>"))
        clipboard = votes->selectedText();
    QVERIFY(!votes->selectedText().isEmpty());
    QGuiApplication::clipboard()->setText(QStringLiteral("x"));
    const QString textBefore = votes->text();

    auto* target = control<QWidget>(*m_form, box);
    target->setFocus();
    auto* text = qobject_cast<QPlainTextEdit*>(target);
    if (text) {
        QTextCursor cursor = text->textCursor();
        cursor.setPosition(0);
        cursor.setPosition(7, QTextCursor::KeepAnchor);
        text->setTextCursor(cursor);
    }
    QTest::keyClick(target, key.key(), key.keyboardModifiers());
    if (target == votes) {
        const bool ctrlY = key == QKeyCombination(Qt::ControlModifier, Qt::Key_Y);
        QTest::keyClick(&alone, ctrlY ? Qt::Key_Z : key.key(),
            ctrlY ? Qt::ControlModifier | Qt::ShiftModifier : key.keyboardModifiers());
    }

    QCOMPARE(votes->text(), alone.text());
    QVERIFY(votes->text() != textBefore || key.key() == Qt::Key_C || key.key() == Qt::Key_A
        || target != votes);
    if (target == votes)
        QCOMPARE(votes->selectedText(), alone.selectedText());
    QVERIFY2(QGuiApplication::clipboard()->text().startsWith(clipboard),
        qPrintable(QGuiApplication::clipboard()->text().left(40)));
    if (text && key.key() == Qt::Key_A)
        QCOMPARE(text->textCursor().selectedText().size(), text->document()->characterCount() - 1);
    // The board's own undo and redo were not run.
    QVERIFY(m_form->board().seatHistory == allocated.seatHistory);
    QVERIFY(m_form->board().parties[0].rows == allocated.parties[0].rows);
}

void TestTeacherActions::newExampleStartsAfresh()
{
    auto* newExample = m_form->actions().newExample;
    QVERIFY(!newExample->isEnabled()); // before the votes are entered there is nothing to leave
    giveSeats(5);
    const Board allocated = m_form->board();
    QTest::keyClick(command(1), Qt::Key_N, Qt::ControlModifier);
    QVERIFY(command(0)->isEnabled());
    QCOMPARE(m_form->board().parties[0].rows.size(), 0u);
    QCOMPARE(
        control<QLineEdit>(*m_form, QStringLiteral("Text2_0"))->text(), QStringLiteral("58125"));
    QVERIFY(control<QListView>(*m_form, QStringLiteral("List2"))
                ->selectionModel()
                ->selectedIndexes()
                .isEmpty());
    QCOMPARE(boardViewMismatch(*m_form), QString());

    // One step of the history: back to the allocation and forward again.
    QTest::keyClick(command(1), Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(m_form->board() == allocated);
    QVERIFY(!command(0)->isEnabled());
    QCOMPARE(boardViewMismatch(*m_form), QString());
    QTest::keyClick(command(1), Qt::Key_Y, Qt::ControlModifier);
    QVERIFY(command(0)->isEnabled());

    // A second example, with one vote total changed, after a clear too.
    auto* box = control<QLineEdit>(*m_form, QStringLiteral("Text2_4"));
    box->setFocus();
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(box, QStringLiteral("50000"));
    giveSeats(2);
    QCOMPARE(m_form->board().seatHistory.back().winner, 4);
    QTest::mouseClick(command(2), Qt::LeftButton);
    QTest::keyClick(command(1), Qt::Key_N, Qt::ControlModifier);
    QCOMPARE(box->text(), QStringLiteral("50000"));
    QVERIFY(command(0)->isEnabled());
    QCOMPARE(boardViewMismatch(*m_form), QString());
}

void TestTeacherActions::comparisonFollowsTheVotes()
{
    auto* option = control<QAbstractButton>(*m_form, QStringLiteral("Option1_0"));
    QCOMPARE(option->toolTip(), QStringLiteral("D’Hondt: 3, 2, 1, 1, 0"));
    QCOMPARE(option->accessibleDescription(), option->toolTip());
    QCOMPARE(control<QAbstractButton>(*m_form, QStringLiteral("Option1_3"))->toolTip(),
        QStringLiteral("Imperali: 4, 2, 1, 0, 0"));

    QTest::keyClick(command(1), Qt::Key_M, Qt::ControlModifier);
    const ComparisonWindow* window = m_form->comparisonWindow();
    QVERIFY(window && window->isVisible());
    QCOMPARE(window->windowTitle(), QStringLiteral("Сравнение на методите"));
    auto* table = window->findChild<QTableView*>();
    auto cell = [table](int row, int column) {
        return table->model()->index(row, column).data().toString();
    };
    QCOMPARE(cell(1, 0), QStringLiteral("3\n(42.9 %)"));
    // Each party's heading has its colour from the picture beside its name; the indices none.
    for (int section = 0; section < table->model()->columnCount(); ++section) {
        QCOMPARE(table->model()->headerData(section, Qt::Horizontal, Qt::DecorationRole).isNull(),
            section >= 5);
    }
    // Sainte-Laguë's seat that D'Hondt does not give is marked by more than colour.
    QCOMPARE(cell(2, 4), QStringLiteral("1 ▲\n(14.3 %)"));
    QCOMPARE(table->model()->index(2, 4).data(Qt::AccessibleDescriptionRole).toString(),
        QStringLiteral("с 1 мандат повече от D’Hondt"));
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(table);
    QVERIFY(accessible && accessible->tableInterface());
    QCOMPARE(accessible->tableInterface()->cellAt(2, 4)->text(QAccessible::Name),
        QStringLiteral("1 ▲ (14.3 %)"));

    // It follows the votes as they are typed, and the seat total.
    auto* box = control<QLineEdit>(*m_form, QStringLiteral("Text2_4"));
    box->setFocus();
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(box, QStringLiteral("90000"));
    QCOMPARE(cell(1, 4), QStringLiteral("3\n(42.9 %)"));
    QCOMPARE(option->toolTip(), QStringLiteral("D’Hondt: 2, 1, 1, 0, 3"));
    control<QListWidget>(*m_form, QStringLiteral("List3"))->setCurrentRow(0);
    QCOMPARE(option->toolTip(), QStringLiteral("D’Hondt: 0, 0, 0, 0, 1"));

    // Its copy action, on Ctrl+C in its window, copies the comparison.
    const auto copies = window->actions();
    const auto copy = std::find_if(copies.begin(), copies.end(),
        [](QAction* action) { return action->shortcut() == QKeySequence(QKeySequence::Copy); });
    QVERIFY(copy != copies.end());
    QVERIFY(!m_form->actions().copy->associatedObjects().contains(window));
    (*copy)->trigger();
    QVERIFY2(QGuiApplication::clipboard()->text().startsWith(QStringLiteral(
                 "Брой мандати\t1\nМетод\tПартия 1\tдял %\tспрямо D’Hondt\tПартия 2")),
        qPrintable(QGuiApplication::clipboard()->text().left(60)));

    // Cells are chosen as one block, as a copy takes them: a Ctrl+click takes in the block up to
    // its cell, never a second cell apart.
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
        table->visualRect(table->model()->index(1, 1)).center());
    QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::ControlModifier,
        table->visualRect(table->model()->index(3, 3)).center());
    const QModelIndexList chosen = table->selectionModel()->selectedIndexes();
    QCOMPARE(chosen.size(), 9);
    QVERIFY(chosen.contains(table->model()->index(2, 2)));
}

void TestTeacherActions::copyPutsBothFormatsOnTheClipboard_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::newRow("bg") << QLocale(QLocale::Bulgarian, QLocale::Bulgaria);
    QTest::newRow("C") << QLocale::c();
}

// The tables of both clipboard formats, cell by cell.
static std::array<QList<QStringList>, 2> clipboardTables(const QMimeData& copied)
{
    QList<QStringList> tab;
    for (const QString& line : copied.text().split(QLatin1Char('\n')))
        tab << line.split(QLatin1Char('\t'));
    QList<QStringList> html;
    QTextDocument document;
    document.setHtml(copied.html());
    QTextCursor cursor(&document);
    cursor.movePosition(QTextCursor::NextBlock);
    if (QTextTable* table = cursor.currentTable()) {
        for (int r = 0; r < table->rows(); ++r) {
            QStringList cells;
            for (int c = 0; c < table->columns(); ++c) {
                const QTextTableCell cell = table->cellAt(r, c);
                QTextCursor text = cell.firstCursorPosition();
                text.setPosition(cell.lastCursorPosition().position(), QTextCursor::KeepAnchor);
                cells << text.selectedText();
            }
            html << cells;
        }
    }
    return { tab, html };
}

void TestTeacherActions::copyPutsBothFormatsOnTheClipboard()
{
    QFETCH(QLocale, locale);
    // Party 4's 45 ÷ 4 = 11.25 and party 5's 34 ÷ 3 = 11.33… both read 11.3 at seat 7; party 1's
    // votes are typed with a comma.
    const QStringList votes { "16,0", "4", "3", "45", "34" };
    for (int i = 0; i < defaultPartyCount; ++i) {
        auto* box = control<QLineEdit>(*m_form, QStringLiteral("Text2_%1").arg(i));
        box->setText(votes[i]);
        emit box->textEdited(votes[i]);
    }
    QLocale::setDefault(locale);
    giveSeats(7);
    QTest::keyClick(command(1), Qt::Key_C, Qt::ControlModifier);
    QLocale::setDefault(QLocale::c());
    QCOMPARE(m_form->statusReport(),
        QStringLiteral("Таблицата е копирана (7 мандата и сравнението на методите): поставете я "
                       "в електронна таблица."));

    const QMimeData* copied = QGuiApplication::clipboard()->mimeData();
    QVERIFY(copied && copied->hasText() && copied->hasHtml());
    const auto tables = clipboardTables(*copied);
    // The seats' columns are headed in bold.
    QVERIFY(copied->html().contains(QStringLiteral("<b>Мандат</b>")));
    QVERIFY(copied->html().contains(QStringLiteral("<b>Деление</b>")));
    const QList<QStringList>& tab = tables[0];
    const QList<QStringList>& html = tables[1];
    QVERIFY(tab.size() > 20);
    // The HTML holds the same table, cell for cell, the winning quotients bold.
    for (int r = 0; r < tab.size() - 1; ++r) {
        for (int c = 0; c < tab[r].size(); ++c)
            QCOMPARE(html.value(r).value(c), tab[r][c]);
    }
    const QString point = locale.decimalPoint();
    // Seat 7's row: party 4's winning 11.3 bold, party 5's equal 11.3 plain.
    QVERIFY(copied->html().contains(
        "<td><b>11" + point + "3</b></td><td>11" + point + "3</td><td>партии 4 и 5</td>"));
    // On paper too the winning 11.3 is bold and its equal plain, and the votes are plain under
    // the parties' names.
    const QString printed = QStringLiteral("<td style=\"white-space: nowrap\">");
    const QString paper
        = printableParts(MakeWorkedTable(m_form->board()), QDate(2026, 12, 10)).join(QString());
    QVERIFY(paper.contains(printed + "<b>11.3</b></td>" + printed + "11.3</td>"));
    QVERIFY(paper.contains("<th><b>Партия 5</b></th></tr>\n</thead>\n<tbody>\n<tr>" + printed
        + "<b>Гласове</b></td>" + printed + "16</td>" + printed + "4</td>"));

    // Every cell that holds a number holds the number alone, as the locale writes it.
    auto isNumber = [&locale](const QString& cell) {
        bool ok = false;
        locale.toDouble(cell, &ok);
        return ok;
    };
    auto numbersIn = [&](int row, QList<int> columns) {
        for (int c : columns) {
            if (!isNumber(tab[row].value(c)))
                return QStringLiteral("row %1 column %2: '%3'")
                    .arg(row)
                    .arg(c)
                    .arg(tab[row].value(c));
        }
        return QString();
    };
    QCOMPARE(tab[0], QStringList({ "Брой мандати", "7" }));
    // The votes as the allocation read them, and a note of the text that read otherwise.
    QCOMPARE(tab[1].mid(4), QStringList({ "16", "4", "3", "45", "34" }));
    QCOMPARE(tab[2], QStringList({ "Партия 1: „16,0“ се чете като 16." }));
    QCOMPARE(tab[4].last(), QStringLiteral("Равни"));
    for (int seat = 1; seat <= 7; ++seat)
        QCOMPARE(numbersIn(4 + seat, { 0, 2, 4, 5, 6, 7, 8 }), QString());
    // The tie in a cell of its own; the winning division unrounded and rounded.
    QCOMPARE(tab[11].value(9), QStringLiteral("партии 4 и 5"));
    QCOMPARE(
        tab[11].value(3), QStringLiteral("45 ÷ 4 = 11%1 → 11%2").arg(point + "25", point + "3"));
    QCOMPARE(tab[10].value(9), QString());
    QCOMPARE(tab[12].mid(4), QStringList({ "1", "0", "0", "4", "2" }));
    // The seats each party won stand out in bold, as their heading does.
    QVERIFY(copied->html().contains(QStringLiteral(
        "<td><b>1</b></td><td><b>0</b></td><td><b>0</b></td><td><b>4</b></td><td><b>2</b></td>")));
    QCOMPARE(tab[14], QStringList({ "Сравнение на методите" }));
    // The comparison: each party's seats, share and difference from D'Hondt, then the indices.
    QCOMPARE(tab[15].mid(0, 4), QStringList({ "Метод", "Партия 1", "дял %", "спрямо D’Hondt" }));
    // The votes have shares but no difference from D'Hondt.
    QCOMPARE(tab[16].mid(0, 4), QStringList({ "Гласове", "16", "15" + point + "7", "" }));
    for (int row = 17; row <= 21; ++row) {
        QList<int> columns;
        for (int c = 1; c < tab[row].size(); ++c)
            columns << c;
        QCOMPARE(numbersIn(row, columns), QString());
    }
    QCOMPARE(tab[17].value(0), QStringLiteral("D’Hondt"));
    // Hare–Niemeyer's quota and working, number by number.
    const auto quota = std::find_if(tab.begin(), tab.end(),
        [](const QStringList& line) { return line.value(0) == QStringLiteral("Квота"); });
    QVERIFY(quota != tab.end());
    QCOMPARE(quota->value(1), "14" + point + "5714"); // 102 ÷ 7
    QCOMPARE(quota->value(2), "102 ÷ 7 = 14" + point + "5714…");
    QCOMPARE(numbersIn(static_cast<int>(quota - tab.begin()) + 3, { 1, 2, 3, 4, 5 }), QString());
    QCOMPARE(tab[18].value(0), QStringLiteral("Sainte-Lague"));
    // Sainte-Laguë gives party 4 a seat fewer than D'Hondt, and party 5 one more.
    QCOMPARE(tab[18].mid(1, 3), QStringList({ "1", "14" + point + "3", "0" }));
    QCOMPARE(tab[18].mid(10, 6),
        QStringList({ "3", "42" + point + "9", "-1", "3", "42" + point + "9", "1" }));
}

void TestTeacherActions::printsTheTableToPdf()
{
    auto* seats = control<QListWidget>(*m_form, QStringLiteral("List3"));
    seats->setCurrentRow(299);
    giveSeats(300);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString file = folder.filePath(QStringLiteral("table.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    m_form->printTable(printer);
    QVERIFY(QFileInfo(file).size() > 1000);
#ifdef Q_OS_WIN
    QSKIP("pdftotext reads the text on Linux; a Windows build only checks that a PDF was written");
#endif

    auto run = [](const QString& program, const QStringList& arguments) {
        QProcess process;
        process.start(program, arguments);
        if (!process.waitForFinished())
            return QString();
        return QString::fromUtf8(process.readAllStandardOutput());
    };
    const QString text = run(
        QStringLiteral("pdftotext"), { QStringLiteral("-layout"), file, QStringLiteral("-") });
    QVERIFY2(!text.isEmpty(), "pdftotext (poppler-utils) is needed");
    // The comparison's rows are named only there (every seat here is D'Hondt's), and the quota
    // method's working follows it.
    for (const char* expected : { "разпределение на мандати", "D’Hondt", "58125", "Партия 5",
             "Сравнение на методите", "Галахър", "Equal proportions", "Ранг на остатъка" })
        QVERIFY2(text.contains(QString::fromUtf8(expected)), expected);
    // Every page of the seats repeats the column headings; numbers as the window shows them.
    const QStringList pages = text.split(QLatin1Char('\f'), Qt::SkipEmptyParts);
    QVERIFY(pages.size() >= 3);
    for (int page = 1; page < pages.size() - 1; ++page)
        QVERIFY2(
            pages[page].contains(QStringLiteral("Деление")), qPrintable(pages[page].left(400)));
    QVERIFY(text.contains(QStringLiteral("29062.5")));
    // Margins a school printer prints within, and the column "Партия" whole on every page.
    const QMarginsF margins = printer.pageLayout().margins(QPageLayout::Millimeter);
    QVERIFY(std::min({ margins.left(), margins.top(), margins.right(), margins.bottom() }) >= 15);
    QVERIFY(!text.contains(QRegularExpression(QStringLiteral("Пар(?!тия)"))));
    QVERIFY(pages[1].contains(QStringLiteral("Партия")));

    // A print to a file suggests the documents folder and a name with the date.
    QPrinter another;
    QPrintDialog dialog(&another);
    preparePrintDialog(dialog);
    // The documents folder where it exists, else the home folder: a print into a folder that
    // does not exist fails.
    const QString name
        = QStringLiteral("Мандати %1.pdf").arg(QDate::currentDate().toString(Qt::ISODate));
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    auto* fileName = dialog.findChild<QLineEdit*>(QStringLiteral("filename"));
    QVERIFY(fileName);
    QCOMPARE(fileName->text(),
        QDir(QDir(documents).exists() ? documents : QDir::homePath()).filePath(name));
    QVERIFY(QFileInfo(fileName->text()).dir().exists());

    // Every page is numbered, of how many there are.
    for (int page = 0; page < pages.size(); ++page) {
        QVERIFY2(
            pages[page].contains(QStringLiteral("стр. %1 от %2").arg(page + 1).arg(pages.size())),
            qPrintable(pages[page].right(200)));
    }

    // Every word lies within the page, inside margins a school printer prints within.
    const QString boxes
        = run(QStringLiteral("pdftotext"), { QStringLiteral("-bbox"), file, QStringLiteral("-") });
    const QRegularExpression page(QStringLiteral("<page width=\"([\\d.]+)\" height=\"([\\d.]+)\""));
    const auto size = page.match(boxes);
    QVERIFY(size.hasMatch());
    const double pageWidth = size.captured(1).toDouble();
    const double pageHeight = size.captured(2).toDouble();
    const double margin = 14 / 25.4 * 72; // points: 15 mm, less a millimetre for rounding
    const QRegularExpression word(QStringLiteral(
        "xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\""));
    int words = 0;
    for (auto it = word.globalMatch(boxes); it.hasNext(); ++words) {
        const auto at = it.next();
        QVERIFY2(at.captured(1).toDouble() >= margin && at.captured(2).toDouble() >= margin
                && at.captured(3).toDouble() <= pageWidth - margin
                && at.captured(4).toDouble() <= pageHeight - margin,
            qPrintable(at.captured(0)));
    }
    QVERIFY(words > 1000);

    const QString info = run(QStringLiteral("pdfinfo"), { file });
    QVERIFY2(
        info.contains(QRegularExpression(QStringLiteral("Title: +Мандати \\d{4}-\\d\\d-\\d\\d"))),
        qPrintable(info));
}

void TestTeacherActions::zoomStopsAtTheScreen()
{
    // Zooming in as far as it goes ends at the largest step that fits the screen.
    for (int step = 0; step < 6; ++step)
        QTest::keyClick(command(1), Qt::Key_Plus, Qt::ControlModifier);
    const QSize screen = m_form->screen()->availableGeometry().size();
    const int zoom = m_form->zoomPercent();
    QVERIFY(zoom > 100);
    QCOMPARE(m_form->size(), QSize(598, 445) * (zoom / 100.0));
    QVERIFY(m_form->frameGeometry().width() <= screen.width());
    QVERIFY(m_form->frameGeometry().height() <= screen.height());
    const int next = zoom < 150 ? 150 : zoom < 200 ? 200 : zoom < 250 ? 250 : zoom < 300 ? 300 : 0;
    const QSize frame = m_form->frameGeometry().size() - m_form->size();
    QVERIFY(next == 0 || 598 * next / 100 + frame.width() > screen.width()
        || 445 * next / 100 + frame.height() > screen.height());
    QCOMPARE(m_form->actions().zoomIn->isEnabled(), false);

    QTest::keyClick(command(1), Qt::Key_Minus, Qt::ControlModifier);
    QVERIFY(m_form->zoomPercent() < zoom);
    QTest::keyClick(command(1), Qt::Key_Equal, Qt::ControlModifier);
    QCOMPARE(m_form->zoomPercent(), zoom);
    QTest::keyClick(command(1), Qt::Key_0, Qt::ControlModifier);
    QCOMPARE(m_form->size(), QSize(598, 445));
    QCOMPARE(QToolTip::font().pointSizeF(), 12.0);

    // The tooltips and the menu follow the zoom (the menu last: it takes the window's focus).
    m_form->setZoomPercent(zoom);
    QCOMPARE(QToolTip::font().pointSizeF(), 12 * zoom / 100.0);
    const QStringList zoomed = openMenu();
    QCOMPARE(zoomed.value(0), QString::number(12 * zoom / 100.0));
    QVERIFY2(zoomed.contains(QStringLiteral("Примери ▸ ") + QString::number(12 * zoom / 100.0)),
        qPrintable(zoomed.join(QLatin1Char('|'))));
}

QStringList TestTeacherActions::openMenu() const
{
    auto* list = control<QListView>(*m_form, QStringLiteral("List1_0"));
    QStringList texts;
    QTimer::singleShot(0, list, [&texts] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu)
            return;
        texts << QString::number(menu->font().pointSizeF());
        for (QAction* action : menu->actions()) {
            // A submenu with the size of its font, which a popup does not take from its parent.
            const QString sub = action->menu()
                ? QStringLiteral(" ▸ ") + QString::number(action->menu()->font().pointSizeF())
                : QString();
            if (!action->isSeparator())
                texts << action->text() + sub + (action->isEnabled() ? "" : " (off)");
        }
        menu->close();
    });
    QContextMenuEvent event(
        QContextMenuEvent::Mouse, QPoint(10, 10), list->mapToGlobal(QPoint(10, 10)));
    QApplication::sendEvent(list->viewport(), &event);
    // Waits for the menu to have been read, however long the machine takes; an empty list fails
    // the caller's comparison.
    if (!QTest::qWaitFor([&texts] { return !texts.isEmpty(); }))
        return {};
    return texts;
}

void TestTeacherActions::contextMenuListsTheActions()
{
    QCOMPARE(openMenu(),
        QStringList({ "12", "Нов пример (off)", "Отвори урок…", "Запази урока",
            "Запази урока като…", "Примери ▸ 12", "Върни последния урок (off)",
            "Последни уроци ▸ 12 (off)", "Заглавие на урока…", "Праг и други гласове…",
            "Отмени (off)", "Повтори (off)", "Добави партия", "Премахни последната партия",
            "Имена на партиите", "Гласовете от друга колона (off)", "Копирай таблицата (off)",
            "Печат… (off)", "Сравни методите", "Парламент (полукръг)", "Познай следващия мандат",
            "Увеличи", "Намали (off)", "Нормален размер (off)" }));
    // The parties cannot change while the lists hold an allocation.
    giveSeats(2);
    QCOMPARE(openMenu(),
        QStringList({ "12", "Нов пример", "Отвори урок…", "Запази урока", "Запази урока като…",
            "Примери ▸ 12", "Върни последния урок (off)", "Последни уроци ▸ 12 (off)",
            "Заглавие на урока…", "Праг и други гласове…", "Отмени", "Повтори (off)",
            "Добави партия (off)", "Премахни последната партия (off)", "Имена на партиите",
            "Гласовете от друга колона (off)", "Копирай таблицата", "Печат…", "Сравни методите",
            "Парламент (полукръг)", "Познай следващия мандат", "Увеличи", "Намали (off)",
            "Нормален размер (off)" }));
}

void TestTeacherActions::statusLineTellsTheLastAction_data()
{
    QTest::addColumn<QStringList>("votes");
    // e enter, s a seat, c clear, C Ctrl+C, N Ctrl+N, z Ctrl+Z.
    QTest::addColumn<QString>("actions");
    QTest::addColumn<QString>("report");

    const QStringList defaults { "58125", "45871", "27142", "15947", "12264" };
    QTest::newRow("seat") << defaults << "essssss"
                          << "Мандат № 6 — партия 1: 58125 ÷ 3 = 19375 (D’Hondt); партията има 3 "
                             "мандата.";
    QTest::newRow("tie") << QStringList { "16", "4", "3", "45", "34" } << "esssssss"
                         << "Мандат № 7 — партия 4: 45 ÷ 4 = 11.25 → 11.3 (D’Hondt); равно с "
                            "партия 5, печели по-лявата.";
    QTest::newRow("all seats given") << defaults << "essssssss"
                                     << "Всички 7 мандата са дадени — изберете по-голям брой "
                                        "мандати, за да продължите.";
    QTest::newRow("copy before entering")
        << defaults << "C"
        << "Няма какво да се копира: първо въведете гласовете с „Въведи“.";
    QTest::newRow("copy after clearing")
        << defaults << "escC"
        << "Няма какво да се копира: списъците са изчистени (Ctrl+Z ги връща).";
    QTest::newRow("cleared") << defaults << "esc"
                             << "Списъците са изчистени: Ctrl+N започва нов пример с тези "
                                "гласове, Ctrl+Z ги връща.";
    QTest::newRow("new example") << defaults << "escN"
                                 << "Нов пример: гласовете са в полетата — променете ги и "
                                    "натиснете „Въведи“.";
    QTest::newRow("undo") << defaults << "esssz"
                          << "Отменено: мандат № 3 за партия 1.";
}

void TestTeacherActions::statusLineTellsTheLastAction()
{
    QFETCH(QStringList, votes);
    QFETCH(QString, actions);
    QFETCH(QString, report);
    for (int i = 0; i < defaultPartyCount; ++i) {
        auto* box = control<QLineEdit>(*m_form, QStringLiteral("Text2_%1").arg(i));
        box->setText(votes[i]);
        emit box->textEdited(votes[i]);
    }
    for (const QChar action : actions) {
        switch (action.unicode()) {
        case 'e':
            QTest::mouseClick(command(0), Qt::LeftButton);
            break;
        case 's':
            QTest::mouseClick(command(1), Qt::LeftButton);
            break;
        case 'c':
            QTest::mouseClick(command(2), Qt::LeftButton);
            break;
        default:
            QTest::keyClick(
                command(1), static_cast<Qt::Key>(action.toUpper().unicode()), Qt::ControlModifier);
        }
    }

    auto* line = m_form->findChild<QLabel*>(QStringLiteral("StatusLine"));
    QVERIFY(line && line->isVisible());
    QCOMPARE(m_form->statusReport(), report);
    // A screen reader hears each report as the line's new name.
    QCOMPARE(line->accessibleName(), report);
    // On one line of the window, under every control, whole or with the whole in its tooltip.
    QVERIFY(line->text() == report || line->toolTip() == report);
    QVERIFY(line->fontMetrics().horizontalAdvance(line->text()) <= line->width());
    for (QWidget* control : m_form->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (control != line && control->isVisible())
            QVERIFY(control->geometry().bottom() < line->geometry().top());
    }
    QVERIFY(m_form->rect().contains(line->geometry()));
}

// On a 1600×1000 screen at the largest zoom, and with the font of 250 %, the comparison shows
// whole within the screen's available area, and follows its cells as they widen.
// Typing a long vote total digit by digit changes the comparison's cells in place; a cell that
// outgrows its column widens it, so no number is ever cut.
void TestTeacherActions::comparisonCellsStayWholeWhileTyping()
{
    QTest::keyClick(command(1), Qt::Key_M, Qt::ControlModifier);
    auto* window = const_cast<ComparisonWindow*>(m_form->comparisonWindow());
    QVERIFY(window && window->isVisible());
    const QList<QTableView*> tables = window->findChildren<QTableView*>();
    QVERIFY(tables.size() >= 2); // the table and the working
    // The page fills the window to its edges, and the working is as wide as its cells, the
    // picture beside it taking the rest.
    QCOMPARE(window->findChild<QWidget*>(QStringLiteral("ComparisonScroll"))->geometry(),
        window->rect());
    auto* working = window->findChild<QTableView*>(QStringLiteral("QuotaWorking"));
    QVERIFY(working->width() <= working->sizeHint().width());
    // Numbers stand to the right of their cells, as on paper.
    QTableView* numbers = tables.front() == working ? tables.back() : tables.front();
    const QImage cells = numbers->viewport()->grab().toImage();
    const QRect first = numbers->visualRect(numbers->model()->index(0, 0));
    int rightmost = -1;
    int leftmost = first.right();
    for (int x = first.left(); x <= first.right(); ++x) {
        for (int y = first.top(); y <= first.bottom(); ++y) {
            if (qGray(cells.pixel(QPoint(x, y) * cells.devicePixelRatio())) < 100) {
                rightmost = std::max(rightmost, x);
                leftmost = std::min(leftmost, x);
            }
        }
    }
    QVERIFY2(rightmost > first.center().x() && leftmost > first.left() + 4,
        qPrintable(QStringLiteral("%1..%2 in %3..%4")
                       .arg(leftmost)
                       .arg(rightmost)
                       .arg(first.left())
                       .arg(first.right())));
    auto* box = control<QLineEdit>(*m_form, QStringLiteral("Text2_1"));
    box->setFocus();
    box->end(false);
    for (int digit = 0; digit < 9; ++digit) {
        QTest::keyClick(box, Qt::Key_7);
        // What the window shows is what its cells now say: each cell changed is painted again.
        QCoreApplication::processEvents();
        const QImage shown = window->screen()->grabWindow(window->winId()).toImage();
        for (QTableView* table : tables) {
            // The part of the table the page leaves in view, on the screen.
            const QRect onTheScreen(
                table->viewport()->mapFromGlobal(window->screen()->geometry().topLeft()),
                window->screen()->geometry().size());
            const QRect seen
                = table->viewport()->visibleRegion().boundingRect().intersected(onTheScreen);
            const QImage fresh = table->viewport()->grab(seen).toImage();
            const QPoint at = table->viewport()->mapTo(window, seen.topLeft());
            const QImage onScreen = shown.copy(QRect(at * shown.devicePixelRatio(), fresh.size()));
            QVERIFY2(onScreen.convertToFormat(fresh.format()) == fresh,
                qPrintable(
                    QStringLiteral("%1 after %2 digits").arg(table->objectName()).arg(digit + 1)));
        }
        for (const QTableView* table : tables) {
            for (int column = 0; column < table->model()->columnCount(); ++column) {
                for (int row = 0; row < table->model()->rowCount(); ++row) {
                    const QString cell = table->model()->index(row, column).data().toString();
                    for (const QString& line : cell.split(QLatin1Char('\n'))) {
                        QVERIFY2(table->columnWidth(column)
                                >= table->fontMetrics().horizontalAdvance(line),
                            qPrintable(
                                QStringLiteral("%1 after %2 digits").arg(line).arg(digit + 1)));
                    }
                }
            }
        }
    }
    // The working's heads stand at the right of their columns, over their numbers, where the
    // numbers are wider than the names.
    QHeaderView* heads = working->horizontalHeader();
    const QImage headImage = heads->grab().toImage();
    const int left = heads->sectionViewportPosition(1);
    const int right = left + heads->sectionSize(1) - 1;
    QVERIFY(right - left > heads->fontMetrics().horizontalAdvance(QStringLiteral("Партия 2")) + 20);
    int rightmostDark = -1;
    for (int x = left; x <= right; ++x) {
        for (int y = 0; y < heads->height(); ++y) {
            if (qGray(headImage.pixel(QPoint(x, y) * headImage.devicePixelRatio())) < 100)
                rightmostDark = x;
        }
    }
    QVERIFY2(right - rightmostDark < 12,
        qPrintable(QStringLiteral("%1 in %2..%3").arg(rightmostDark).arg(left).arg(right)));
}

void TestTeacherActions::comparisonKeepsWithinTheScreen()
{
    if (m_form->screen()->size().width() < 1600)
        QSKIP("Run on a screen of a projector's size (tst_teacheractions_projector)");
    m_form->setZoomPercent(300);
    QTest::keyClick(command(1), Qt::Key_M, Qt::ControlModifier);
    auto* window = const_cast<ComparisonWindow*>(m_form->comparisonWindow());
    QVERIFY(window && window->isVisible());
    auto* table = window->findChild<QTableView*>();
    const QRect screen = m_form->screen()->availableGeometry();

    auto checkWhole = [&](const char* when) {
        const QRect frame = window->frameGeometry();
        QVERIFY2(screen.contains(frame),
            qPrintable(QStringLiteral("%1: %2,%3 %4x%5 on %6x%7")
                           .arg(when)
                           .arg(frame.x())
                           .arg(frame.y())
                           .arg(frame.width())
                           .arg(frame.height())
                           .arg(screen.width())
                           .arg(screen.height())));
        // Every column and row in view: nothing behind a scroll bar.
        QVERIFY2(table->horizontalScrollBar()->maximum() == 0, when);
        QVERIFY2(table->verticalScrollBar()->maximum() == 0, when);
        // The heading wrapped to the table's width, in a few lines.
        auto* legend = window->findChild<QLabel*>(QStringLiteral("ComparisonLegend"));
        QVERIFY(legend->width() <= window->width());
        QVERIFY2(legend->height() <= 4 * legend->fontMetrics().lineSpacing(), when);
    };
    checkWhole("largest zoom");
    QFont zoomed = window->font();
    zoomed.setPointSizeF(12 * 2.5);
    window->setZoomedFont(zoomed);
    checkWhole("250 %");
    // Longer vote totals widen the cells; the window stays whole on the screen.
    auto* box = control<QLineEdit>(*m_form, QStringLiteral("Text2_0"));
    box->setText(QStringLiteral("1234567890123"));
    emit box->textEdited(box->text());
    checkWhole("thirteen digits");
    box->setText(QStringLiteral("58125"));
    emit box->textEdited(box->text());

    // At a size the screen has room for, a cell that outgrows its column widens the column, and
    // the window with it; typing back does not make the window jump.
    window->setZoomedFont(m_form->font());
    m_form->setZoomPercent(100);
    const int narrow = window->width();
    box->setText(QStringLiteral("1234567890123"));
    emit box->textEdited(box->text());
    checkWhole("wider cells");
    QVERIFY(window->width() > narrow);
    for (int column = 0; column < table->model()->columnCount(); ++column) {
        for (int row = 0; row < table->model()->rowCount(); ++row) {
            const QString cell = table->model()->index(row, column).data().toString();
            for (const QString& line : cell.split(QLatin1Char('\n'))) {
                QVERIFY2(table->columnWidth(column) >= table->fontMetrics().horizontalAdvance(line),
                    qPrintable(line));
            }
        }
    }
    const int wide = window->width();
    box->setText(QStringLiteral("58125"));
    emit box->textEdited(box->text());
    QCOMPARE(window->width(), wide);

    // Moved off the screen, Ctrl+M brings it back inside.
    window->move(screen.right() - 10, screen.bottom() - 10);
    m_form->activateWindow();
    QTest::keyClick(command(1), Qt::Key_M, Qt::ControlModifier);
    QVERIFY(screen.contains(window->frameGeometry()));
}

void TestTeacherActions::comparisonTakesTheWindowsKeys()
{
    giveSeats(3);
    QTest::keyClick(command(1), Qt::Key_M, Qt::ControlModifier);
    auto* window = const_cast<ComparisonWindow*>(m_form->comparisonWindow());
    window->activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), window);
    auto* table = window->findChild<QTableView*>();

    // The main window's shortcuts work from the comparison: undo, zoom.
    QTest::keyClick(table, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(m_form->board().seatHistory.size(), 2u);
    const int zoom = m_form->zoomPercent();
    QTest::keyClick(table, Qt::Key_0, Qt::ControlModifier);
    QCOMPARE(m_form->zoomPercent(), 100);
    Q_UNUSED(zoom);
    // Its own Ctrl+C copies the comparison, not the worked table, with its seat total and the
    // quota's division, and says so.
    QTest::keyClick(table, Qt::Key_C, Qt::ControlModifier);
    const QString copied = QGuiApplication::clipboard()->text();
    QVERIFY2(
        copied.startsWith(QStringLiteral("Брой мандати\t7\nМетод\t")), qPrintable(copied.left(80)));
    QVERIFY2(
        copied.contains(QStringLiteral("\tКвота\t")) || copied.contains(QStringLiteral("Квота\t")),
        qPrintable(copied));
    QVERIFY(copied.contains(QStringLiteral(" ÷ 7 = ")));
    // The working's parties head its columns, in bold where the copy keeps formatting.
    QVERIFY2(
        copied.contains(QStringLiteral("Hare–Niemeyer стъпка по стъпка\n")), qPrintable(copied));
    QVERIFY2(copied.contains(QStringLiteral("\tПартия 1\tПартия 2\tПартия 3\tПартия 4\tПартия 5\n")
                 + QStringLiteral("Гласове\t")),
        qPrintable(copied));
    QVERIFY(QGuiApplication::clipboard()->mimeData()->html().contains(
        QStringLiteral("<b>Партия 5</b>")));
    QVERIFY(QGuiApplication::clipboard()->mimeData()->html().contains(
        QStringLiteral("<b>Hare–Niemeyer стъпка по стъпка</b>")));
    QCOMPARE(window->findChild<QLabel*>(QStringLiteral("ComparisonSaid"))->text(),
        QStringLiteral("Сравнението е копирано (7 мандата): поставете го в електронна таблица."));

    QTest::keyClick(table, Qt::Key_Escape);
    QVERIFY(!window->isVisible());
    m_form->activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), m_form);
    QTest::keyClick(command(1), Qt::Key_M, Qt::ControlModifier);
    QVERIFY(window->isVisible());
    window->activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), window);
    QTest::keyClick(table, Qt::Key_W, Qt::ControlModifier);
    QVERIFY(!window->isVisible());
}

// Hare–Niemeyer's row, its working and the paradox for 16, 64, 98, 58, 61 at 7 seats; a threshold
// that leaves party 1 (5.4 %) out; and the picture, measured against the seats.
void TestTeacherActions::quotaMethodThresholdAndPicture()
{
    const QStringList votes { "16", "64", "98", "58", "61" };
    for (int i = 0; i < defaultPartyCount; ++i) {
        auto* box = control<QLineEdit>(*m_form, QStringLiteral("Text2_%1").arg(i));
        box->setText(votes[i]);
        emit box->textEdited(votes[i]);
    }
    QTest::keyClick(command(1), Qt::Key_M, Qt::ControlModifier);
    auto* window = const_cast<ComparisonWindow*>(m_form->comparisonWindow());
    auto* table = window->findChild<QTableView*>(QStringLiteral("ComparisonTable"));
    const auto* model = table->model();
    QCOMPARE(model->rowCount(), 7);
    QCOMPARE(model->headerData(6, Qt::Vertical).toString(), QStringLiteral("Hare–Niemeyer"));
    QCOMPARE(model->index(6, 0).data().toString(), QStringLiteral("0\n(0.0 %)"));
    QVERIFY(model->headerData(6, Qt::Vertical, Qt::ToolTipRole)
                .toString()
                .contains(QStringLiteral("партията най-вляво")));
    auto* notes = window->findChild<QLabel*>(QStringLiteral("ComparisonNotes"));
    QVERIFY2(notes->text().contains(
                 QStringLiteral("с 7 мандата партия 1 губи мандата, който има при 6")),
        qPrintable(notes->text()));
    // The notes are read whole: a sentence longer than the window is wide goes on to the next
    // line rather than being cut at the window's edge.
    const QRect room = notes->contentsRect();
    const QFontMetrics noteMetrics(notes->font());
    QVERIFY(noteMetrics.horizontalAdvance(notes->text().section(QLatin1Char('\n'), 0, 0))
        > room.width());
    QVERIFY(
        noteMetrics.boundingRect(QRect(0, 0, room.width(), 100000), Qt::TextWordWrap, notes->text())
            .height()
        <= room.height());
    auto* working = window->findChild<QTableWidget*>(QStringLiteral("QuotaWorking"));
    QCOMPARE(working->verticalHeaderItem(3)->text(), QStringLiteral("Остатък"));
    QCOMPARE(
        working->model()->headerData(4, Qt::Horizontal).toString(), QStringLiteral("Партия 5"));
    QCOMPARE(working->item(3, 1)->text(), QStringLiteral("0.5084…")); // 64 × 7 ÷ 297 = 1.5084…
    QCOMPARE(working->item(4, 1)->text(), QStringLiteral("1")); // the largest remainder

    // The picture: each method's bar split as its seats are, the votes' bar as the shares.
    SeatChart& chart = window->chart();
    QCOMPARE(chart.bars().size(), std::size_t(7));
    SeatBar* dhondt = chart.bars()[1];
    QCOMPARE(dhondt->accessibleName(), QStringLiteral("D’Hondt: 0, 2, 3, 1, 1 мандата"));
    const int barWidth = dhondt->partRect(4).right() - dhondt->partRect(0).left() + 1;
    const std::vector<int> seats { 0, 2, 3, 1, 1 };
    for (int i = 0; i < defaultPartyCount; ++i)
        QVERIFY(std::abs(dhondt->partRect(i).width() - barWidth * seats[i] / 7.0) <= 1.0);
    SeatBar* voteBar = chart.bars()[0];
    QVERIFY(std::abs(voteBar->partRect(2).width() - barWidth * 98 / 297.0) <= 1.0);
    QVERIFY(!dhondt->labelShown(0) && dhondt->labelShown(2));
    // One seat: the party that wins it fills the bar.
    auto* seatTotals = control<QListWidget>(*m_form, QStringLiteral("List3"));
    seatTotals->setCurrentRow(0);
    QCOMPARE(dhondt->accessibleName(), QStringLiteral("D’Hondt: 0, 0, 1, 0, 0 мандата"));
    QVERIFY(dhondt->partRect(2).width() > dhondt->width() / 2);
    QCOMPARE(dhondt->partRect(2).right(), dhondt->partRect(4).right());
    seatTotals->setCurrentRow(6);
    // Its context menu copies it as an image.
    const auto copies = chart.actions();
    QCOMPARE(copies.size(), 1);
    QCOMPARE(copies.front()->text(), QStringLiteral("Копирай картината"));
    copies.front()->trigger();
    // 1600 pixels wide whatever the screen, for a slide: the seat total over the bars, the
    // legend under them, every part in its colour.
    const QImage pasted = QGuiApplication::clipboard()->image();
    QCOMPARE(pasted.width(), 1600);
    QVERIFY(pasted.height() > chart.height());
    auto* legend = chart.findChild<QLabel*>(QStringLiteral("SeatChartLegend"));
    QVERIFY(legend->text().contains(QStringLiteral("Партия&nbsp;5")));
    QVERIFY(legend->text().contains(SeatChart::partyColour(4).name()));
    int partyColoured = 0;
    for (int x = 0; x < pasted.width(); x += 4) {
        for (int y = 0; y < pasted.height(); y += 4)
            partyColoured += pasted.pixelColor(x, y) == SeatChart::partyColour(2);
    }
    QVERIFY(partyColoured > 100);
    // The bars reach a margin's width from the right edge, as from the left; the title over
    // them is set in the picture's large font.
    QFont large = chart.font();
    large.setPointSizeF(20);
    const QFontMetrics metrics(large);
    int rightmost = 0;
    int inkTop = pasted.height();
    int inkBottom = 0;
    for (int y = 0; y < pasted.height(); ++y) {
        for (int x = 0; x < pasted.width(); ++x) {
            const QColor pixel = pasted.pixelColor(x, y);
            if (pixel == SeatChart::partyColour(4))
                rightmost = std::max(rightmost, x);
            if (y < 3 * metrics.height() && pixel.lightness() < 80) {
                inkTop = std::min(inkTop, y);
                inkBottom = std::max(inkBottom, y);
            }
        }
    }
    QVERIFY2(
        rightmost >= pasted.width() - metrics.height() - 3, qPrintable(QString::number(rightmost)));
    QVERIFY2(
        inkBottom - inkTop >= metrics.capHeight(), qPrintable(QString::number(inkBottom - inkTop)));

    // A threshold of 8 % leaves party 1 out: no seat by any method, named in the heading.
    auto* threshold = window->findChild<QDoubleSpinBox*>(QStringLiteral("Threshold"));
    QCOMPARE(threshold->value(), 0.0);
    QVERIFY(threshold->toolTip().contains(QStringLiteral("4 %")));
    threshold->setValue(8);
    QCOMPARE(
        model->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Партия 1\n(под прага)"));
    for (int row = 1; row < model->rowCount(); ++row)
        QVERIFY(model->index(row, 0).data().toString().startsWith(QLatin1Char('0')));
    QVERIFY(window->findChild<QLabel*>(QStringLiteral("ComparisonLegend"))
                ->text()
                .contains(QStringLiteral("Праг: 8 %.")));
    QCOMPARE(window->findChild<QLabel*>(QStringLiteral("QuotaLine"))->text(),
        QStringLiteral("Hare–Niemeyer стъпка по стъпка. Квота: 281 ÷ 7 = 40.1428…"));
    QVERIFY(notes->text().contains(QStringLiteral("под прага е партия 1")));
    // The main window's options keep their seats without a threshold.
    QCOMPARE(control<QAbstractButton>(*m_form, QStringLiteral("Option1_0"))->toolTip(),
        QStringLiteral("D’Hondt: 0, 2, 3, 1, 1"));
    // Twenty-digit votes are worked exactly, and each number of the working shows whole in its
    // column, not elided.
    auto* first = control<QLineEdit>(*m_form, QStringLiteral("Text2_0"));
    first->setText(QStringLiteral("12345678901234567890"));
    emit first->textEdited(first->text());
    QCOMPARE(working->item(0, 0)->text(), QStringLiteral("12345678901234567890"));
    for (int row = 0; row < working->rowCount(); ++row) {
        for (int column = 0; column < working->columnCount(); ++column) {
            const QTableWidgetItem* item = working->item(row, column);
            if (item)
                QVERIFY2(working->fontMetrics().horizontalAdvance(item->text())
                        < working->columnWidth(column),
                    qPrintable(item->text()));
        }
    }

#ifndef Q_OS_WIN
    // On paper the party left out is headed so too.
    QTest::mouseClick(control<QPushButton>(*m_form, QStringLiteral("Command1_0")), Qt::LeftButton);
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("threshold.pdf"));
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    m_form->printTable(printer);
    QProcess text;
    text.start(QStringLiteral("pdftotext"), { file, QStringLiteral("-") });
    QVERIFY(text.waitForFinished());
    QVERIFY(
        QString::fromUtf8(text.readAllStandardOutput()).contains(QStringLiteral("(под прага)")));
#endif
}

QTEST_MAIN(TestTeacherActions)
#include "tst_teacheractions.moc"
