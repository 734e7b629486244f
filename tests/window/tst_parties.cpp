// The parties as a class's own parliament: added, removed, named and pasted from a results
// table, each one undoable step, with the window growing by whole columns and rows and scrolling
// the columns sideways where the screen is too narrow.
#include "board_view.h"
#include "window/comparison/comparison_window.h"
#include "window/form/apportion_form.h"
#include "window/form/form_actions.h"
#include "window/picture/seat_chart.h"

#include <QAction>
#include <QClipboard>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cmath>

using namespace apportion;

class TestParties : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void columnsWidenTheWindow_data();
    void columnsWidenTheWindow();
    void partiesChangeOnlyWithoutRows();
    void namesRowAndAccessibleNames();
    void pasteFillsTheParties_data();
    void pasteFillsTheParties();
    void pasteFromTheBoxMenu();
    void copyKeepsNamesAsTyped();
    void columnsScrollSidewaysOnANarrowScreen();
    void pictureLabelsReadOnEveryColour();
    void everyPartOfThePictureIsLabelled_data();
    void everyPartOfThePictureIsLabelled();
    void printoutKeepsItsPartsWhole_data();
    void printoutKeepsItsPartsWhole();

private:
    QLineEdit* votes(int party) const
    {
        return control<QLineEdit>(*m_form, QStringLiteral("Text2_%1").arg(party));
    }
    QRect placed(const QString& name) const
    {
        auto* widget = control<QWidget>(*m_form, name);
        return QRect(widget->mapTo(m_form, QPoint(0, 0)), widget->size());
    }
    void paste(int party, const QString& text) const
    {
        QGuiApplication::clipboard()->setText(text);
        votes(party)->setFocus();
        QTest::keyClick(votes(party), Qt::Key_V, Qt::ControlModifier);
    }

    ApportionForm* m_form = nullptr;
};

void TestParties::init()
{
    m_form = new ApportionForm;
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form));
}

void TestParties::cleanup()
{
    delete m_form;
    m_form = nullptr;
}

void TestParties::columnsWidenTheWindow_data()
{
    QTest::addColumn<int>("parties");
    QTest::newRow("two") << 2;
    QTest::newRow("five") << 5;
    QTest::newRow("six") << 6;
    QTest::newRow("seven") << 7;
}

// Each column stands 1320 twips (88 px) from the last; past five the window widens by as much
// and everything right of the columns moves with them, and fewer leave the window as drawn.
void TestParties::columnsWidenTheWindow()
{
    QFETCH(int, parties);
    const QSize drawn = m_form->size();
    const QRect frame = placed(QStringLiteral("Frame1"));
    while (static_cast<int>(m_form->board().parties.size()) < parties)
        m_form->actions().addParty->trigger();
    while (static_cast<int>(m_form->board().parties.size()) > parties)
        m_form->actions().removeParty->trigger();

    const int wider = std::max(0, parties - 5) * 88;
    QCOMPARE(m_form->size(), drawn + QSize(wider, 0));
    QCOMPARE(placed(QStringLiteral("Frame1")), frame.translated(wider, 0));
    for (int i = 0; i < parties; ++i) {
        QCOMPARE(placed(QStringLiteral("Text2_%1").arg(i)), QRect(8 + 88 * i, 32, 89, 27));
        QVERIFY(control<QWidget>(*m_form, QStringLiteral("List1_%1").arg(i))->isVisible());
    }
    QVERIFY(!m_form->findChild<QLineEdit*>(QStringLiteral("Text2_%1").arg(parties)));
    QCOMPARE(boardViewMismatch(*m_form), QString());
    // The tab order runs through every column before the buttons.
    votes(parties - 1)->setFocus();
    QTest::keyClick(votes(parties - 1), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Command1_0"));
}

// Adding, removing and pasting are refused while the lists hold an allocation; each is one step
// of undo, and a new party comes in empty with the focus in its vote box.
void TestParties::partiesChangeOnlyWithoutRows()
{
    const FormActions& actions = m_form->actions();
    actions.addParty->trigger();
    QCOMPARE(m_form->board().parties.size(), 6u);
    QCOMPARE(QApplication::focusWidget(), votes(5));
    QCOMPARE(m_form->statusReport(),
        QStringLiteral("Добавена е партия 6: въведете гласовете ѝ (партиите са 6)."));
    QTest::keyClicks(votes(5), QStringLiteral("9000"));
    actions.undo->trigger();
    QCOMPARE(m_form->board().parties.size(), 5u);
    actions.redo->trigger();
    QCOMPARE(votes(5)->text(), QStringLiteral("9000")); // typed since, given back

    QTest::mouseClick(control<QPushButton>(*m_form, QStringLiteral("Command1_0")), Qt::LeftButton);
    QVERIFY(!actions.addParty->isEnabled());
    QVERIFY(!actions.removeParty->isEnabled());
    paste(0, QStringLiteral("А\t100\nБ\t200"));
    QCOMPARE(m_form->board().parties.size(), 6u);
    // Not pasted into the seat count either: the line says why and how to go on.
    QCOMPARE(votes(0)->text(), QStringLiteral("0"));
    QVERIFY2(m_form->statusReport().startsWith(QStringLiteral("Таблицата не е поставена")),
        qPrintable(m_form->statusReport()));
    QTest::mouseClick(control<QPushButton>(*m_form, QStringLiteral("Command1_2")), Qt::LeftButton);
    QVERIFY(actions.addParty->isEnabled());
}

void TestParties::namesRowAndAccessibleNames()
{
    const int drawnHeight = m_form->height();
    auto* name = m_form->findChild<QLineEdit*>(QStringLiteral("Name_0"));
    QVERIFY(name && !name->isVisible());
    m_form->actions().nameParties->trigger();
    // One line more over the vote boxes; the boxes and everything under the title move down.
    QCOMPARE(m_form->height(), drawnHeight + 27);
    QVERIFY(name->isVisible());
    QCOMPARE(QApplication::focusWidget(), name);
    QCOMPARE(placed(QStringLiteral("Name_0")), QRect(8, 32, 89, 27));
    QCOMPARE(placed(QStringLiteral("Text2_0")), QRect(8, 59, 89, 27));
    QCOMPARE(placed(QStringLiteral("Command1_0")).top(), 264 + 27);

    // Typed as a keyboard with Cyrillic letters sends them.
    QKeyEvent typed(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QStringLiteral("ГЕРБ-СДС"));
    QApplication::sendEvent(name, &typed);
    QCOMPARE(votes(0)->accessibleName(), QStringLiteral("Гласове: ГЕРБ-СДС"));
    QCOMPARE(votes(1)->accessibleName(), QStringLiteral("Гласове, партия 2"));
    QCOMPARE(control<QWidget>(*m_form, QStringLiteral("List1_0"))->accessibleName(),
        QStringLiteral("Частни: ГЕРБ-СДС"));
    QTest::mouseClick(control<QPushButton>(*m_form, QStringLiteral("Command1_0")), Qt::LeftButton);
    QTest::mouseClick(control<QPushButton>(*m_form, QStringLiteral("Command1_1")), Qt::LeftButton);
    QVERIFY2(m_form->statusReport().startsWith(QStringLiteral("Мандат № 1 — ГЕРБ-СДС: ")),
        qPrintable(m_form->statusReport()));

    m_form->actions().compare->trigger();
    auto* table
        = m_form->comparisonWindow()->findChild<QTableView*>(QStringLiteral("ComparisonTable"));
    QCOMPARE(table->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("ГЕРБ-СДС"));
    QCOMPARE(table->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Партия 2"));
}

void TestParties::pasteFillsTheParties_data()
{
    QTest::addColumn<int>("box");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("votes");
    QTest::addColumn<QStringList>("names");

    QTest::newRow("results page")
        << 0
        << QStringLiteral("№\tПартия\tГласове\t%\n18\tГЕРБ-СДС\t642 931\t26,39 %\n"
                          "26\tПП-ДБ\t346 063\t14,20 %\n12\tВъзраждане\t325 460\t13,36 %\n")
        << QStringList { "642931", "346063", "325460" }
        << QStringList { "ГЕРБ-СДС", "ПП-ДБ", "Възраждане" };
    QTest::newRow("column of numbers into the third box")
        << 2 << QStringLiteral("7\n8\n9\n10")
        << QStringList { "58125", "45871", "7", "8", "9", "10" }
        << QStringList { "", "", "", "", "", "" };
}

void TestParties::pasteFillsTheParties()
{
    QFETCH(int, box);
    QFETCH(QString, text);
    QFETCH(QStringList, votes);
    QFETCH(QStringList, names);

    paste(box, text);
    QStringList shownVotes, shownNames;
    for (int i = 0; i < static_cast<int>(m_form->board().parties.size()); ++i) {
        shownVotes << this->votes(i)->text();
        shownNames << control<QLineEdit>(*m_form, QStringLiteral("Name_%1").arg(i))->text();
    }
    QCOMPARE(shownVotes, votes);
    QCOMPARE(shownNames, names);
    QCOMPARE(boardViewMismatch(*m_form), QString());
    QVERIFY(m_form->statusReport().startsWith(QStringLiteral("Поставени са гласовете на")));
    // One paste, one step.
    m_form->actions().undo->trigger();
    QCOMPARE(m_form->board(), [] {
        Board start;
        start.LoadWindow();
        return start;
    }());
    // A single number is no table: it goes into the box as typed text.
    paste(1, QStringLiteral("642 931"));
    QCOMPARE(this->votes(1)->text(), QStringLiteral("45871642 931"));
    QCOMPARE(m_form->board().parties.size(), 5u);
}

void TestParties::pasteFromTheBoxMenu()
{
    QGuiApplication::clipboard()->setText(QStringLiteral("А\t10\nБ\t20\nВ\t30"));
    bool pasted = false;
    QTimer::singleShot(0, m_form, [&pasted] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu)
            return;
        QAction* paste = nullptr;
        for (QAction* action : menu->actions()) {
            if (action->text().startsWith(QCoreApplication::translate("QLineEdit", "&Paste")))
                paste = action;
        }
        menu->close();
        if (paste) {
            paste->trigger();
            pasted = true;
        }
    });
    QContextMenuEvent event(
        QContextMenuEvent::Mouse, QPoint(5, 5), votes(0)->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(votes(0), &event);
    QVERIFY(QTest::qWaitFor([&pasted] { return pasted; }));
    QCOMPARE(m_form->board().parties.size(), 3u);
    QCOMPARE(m_form->board().parties[2].name, std::string("В"));
}

// Twelve columns do not fit the offscreen platform's 800-pixel screen: the window keeps to the
// screen, the columns scroll sideways as one, and a column reached with the keyboard comes into
// view.
// A copied name reads as typed, its dots kept under a decimal comma; a winner without a name is
// copied as its number.
void TestParties::copyKeepsNamesAsTyped()
{
    paste(0, QStringLiteral("Д.С.Б.\t300\n\t100\n"));
    QTest::mouseClick(control<QPushButton>(*m_form, QStringLiteral("Command1_0")), Qt::LeftButton);
    for (int seat = 0; seat < 4; ++seat)
        QTest::mouseClick(
            control<QPushButton>(*m_form, QStringLiteral("Command1_1")), Qt::LeftButton);
    QLocale::setDefault(QLocale(QLocale::Bulgarian, QLocale::Bulgaria));
    m_form->actions().copy->trigger();
    QLocale::setDefault(QLocale::c());
    QStringList winners;
    for (const QString& line : QGuiApplication::clipboard()->text().split(QLatin1Char('\n'))) {
        const QStringList cells = line.split(QLatin1Char('\t'));
        if (cells.value(1) == QStringLiteral("D’Hondt"))
            winners << cells.value(2);
    }
    QCOMPARE(winners, QStringList({ "Д.С.Б.", "Д.С.Б.", "Д.С.Б.", "2" }));
}

void TestParties::columnsScrollSidewaysOnANarrowScreen()
{
    while (m_form->board().parties.size() < static_cast<std::size_t>(maxPartyCount))
        m_form->actions().addParty->trigger();
    QVERIFY(m_form->width() <= m_form->screen()->availableGeometry().width());
    if (m_form->width() == 598 + 7 * 88)
        QSKIP("This screen holds all twelve columns (the Windows build's tests run on 3840×2160)");
    auto* area = control<QScrollArea>(*m_form, QStringLiteral("PartyArea"));
    QVERIFY(area->horizontalScrollBar()->isVisible());
    const QRect frame = placed(QStringLiteral("Frame1"));
    QVERIFY(frame.right() < m_form->width());
    m_form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_form));
    votes(0)->setFocus();
    QCOMPARE(placed(QStringLiteral("Text2_0")).left(), 0);
    votes(11)->setFocus();
    const QRect box = placed(QStringLiteral("Text2_11"));
    QVERIFY2(box.right() <= area->viewport()->width(), qPrintable(QString::number(box.right())));
    QVERIFY(box.left() >= 0);
    // A column already in view does not move.
    const int scrolled = area->horizontalScrollBar()->value();
    votes(10)->setFocus();
    QCOMPARE(area->horizontalScrollBar()->value(), scrolled);
}

namespace {

double luminance(const QColor& colour)
{
    const auto linear
        = [](double c) { return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF())
        + 0.0722 * linear(colour.blueF());
}

} // namespace

// Every party's part of a bar carries its number in a colour a class reads on it (the contrast
// ratio of normal text, 4.5), each part stands out from the white around the picture and from the
// others' light part (3:1, as graphics must), and the twelve colours are twelve.
void TestParties::pictureLabelsReadOnEveryColour()
{
    QSet<QRgb> colours;
    for (int party = 0; party < maxPartyCount; ++party) {
        const double a = luminance(SeatChart::partyColour(party));
        const double b = luminance(SeatChart::textColour(party));
        const double contrast = (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
        QVERIFY2(contrast >= 4.5,
            qPrintable(QStringLiteral("party %1: %2").arg(party + 1).arg(contrast)));
        const double againstWhite = (1 + 0.05) / (a + 0.05);
        QVERIFY2(againstWhite >= 3,
            qPrintable(QStringLiteral("party %1 on white: %2").arg(party + 1).arg(againstWhite)));
        colours << SeatChart::partyColour(party).rgb();
    }
    QCOMPARE(colours.size(), maxPartyCount);
}

void TestParties::everyPartOfThePictureIsLabelled_data()
{
    QTest::addColumn<QString>("before"); // pasted with the comparison open first, if any
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<bool>("pictureUnder");
    QTest::addColumn<bool>("labelsUnder");
    const QString nine
        = QStringLiteral("642931\n346063\n325460\n281366\n184403\n182263\n165160\n111946\n97430");
    QTest::newRow("two parties: beside the working") << QString() << "50\n50" << false << false;
    QTest::newRow("one large party and four small")
        << QString() << "9000\n300\n250\n200\n150" << true << true;
    QTest::newRow("nine parties") << QString() << nine << true << false;
    QTest::newRow("small parties first") << QString() << "80\n90\n100\n100000" << true << true;
    QTest::newRow("twelve, eleven of them small")
        << QString() << "100000\n900\n800\n700\n600\n500\n400\n300\n200\n100\n90\n80" << true
        << true;
    QTest::newRow("nine, then two: back beside the working") << nine << "50\n50" << false << false;
}

// Every non-zero part of every bar shows its label: inside where it fits, else under the bar
// in the room the bar takes, within the bar's width, apart from the others and drawn.
void TestParties::everyPartOfThePictureIsLabelled()
{
    QFETCH(QString, before);
    QFETCH(QString, pasted);
    QFETCH(bool, pictureUnder);
    QFETCH(bool, labelsUnder);
    if (!before.isEmpty()) {
        paste(0, before);
        QTest::keyClick(votes(0), Qt::Key_M, Qt::ControlModifier);
        m_form->activateWindow();
    }
    paste(0, pasted);
    QTest::keyClick(votes(0), Qt::Key_M, Qt::ControlModifier);
    auto* window = const_cast<ComparisonWindow*>(m_form->comparisonWindow());
    QVERIFY(QTest::qWaitForWindowExposed(window));
    SeatChart& chart = window->chart();
    auto* working = window->findChild<QWidget*>(QStringLiteral("QuotaWorking"));
    const QRect workingAt(working->mapTo(window, QPoint(0, 0)), working->size());
    const QPoint chartAt = chart.mapTo(window, QPoint(0, 0));
    QCOMPARE(chartAt.y() > workingAt.bottom(), pictureUnder);
    QCOMPARE(chartAt.x() > workingAt.right(), !pictureUnder);
    // Beside the working or under it, the picture reaches as far right as the table.
    auto* table = window->findChild<QWidget*>(QStringLiteral("ComparisonTable"));
    QCOMPARE(chartAt.x() + chart.width(), table->mapTo(window, QPoint(table->width(), 0)).x());

    const int parties = static_cast<int>(pasted.count(QLatin1Char('\n'))) + 1;
    int outside = 0;
    for (SeatBar* bar : chart.bars()) {
        const QImage drawn = bar->grab().toImage();
        const QRect whole = bar->partRect(0).united(bar->partRect(parties - 1));
        QList<QRect> labels;
        for (int party = 0; party < parties; ++party) {
            const QRect part = bar->partRect(party);
            const QRect label = bar->labelRect(party);
            // Every party has votes here; a seat bar's part is as wide as its seats.
            QVERIFY2(label.isValid() == (part.width() > 0 || bar == chart.bars().front()),
                qPrintable(QStringLiteral("%1, party %2").arg(bar->accessibleName()).arg(party)));
            if (!label.isValid())
                continue;
            if (label != part) {
                ++outside;
                QVERIFY(!bar->labelShown(party));
                QVERIFY(label.top() > part.bottom() && label.bottom() < bar->height());
                QVERIFY(label.left() >= whole.left() && label.right() <= whole.right());
            }
            for (const QRect& other : labels)
                QVERIFY2(!other.intersects(label), qPrintable(bar->accessibleName()));
            labels << label;
            // A black line ends every part that shows.
            const auto pixelAt = [&drawn, bar](int x, int y) {
                return drawn.pixelColor(
                    x * drawn.width() / bar->width(), y * drawn.height() / bar->height());
            };
            if (part.width() > 2)
                QCOMPARE(pixelAt(part.right(), part.center().y()), QColor(Qt::black));
            // A label inside its part is written in the colour that reads on it.
            if (label == part && label.height() > 8) {
                int written = 0;
                const auto distance = [](const QColor& a, const QColor& b) {
                    return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green())
                        + std::abs(a.blue() - b.blue());
                };
                const QColor ink = SeatChart::textColour(party);
                for (int x = label.left(); x <= label.right(); ++x) {
                    for (int y = label.top(); y <= label.bottom(); ++y) {
                        const QColor pixel = pixelAt(x, y);
                        written += distance(pixel, ink)
                            < distance(pixel, SeatChart::partyColour(party));
                    }
                }
                QVERIFY2(written > 0, qPrintable(bar->accessibleName()));
            }
            // Its text is drawn: pixels in it of neither the part's nor the window's colour.
            const QColor ground = label == part ? SeatChart::partyColour(party)
                                                : bar->palette().color(QPalette::Window);
            int text = 0;
            for (int x = label.left(); x <= label.right(); ++x) {
                for (int y = label.top(); y <= label.bottom(); ++y) {
                    const QColor pixel = drawn.pixelColor(
                        x * drawn.width() / bar->width(), y * drawn.height() / bar->height());
                    text += pixel != ground;
                }
            }
            QVERIFY2(text > 5,
                qPrintable(QStringLiteral("%1, party %2").arg(bar->accessibleName()).arg(party)));
        }
    }
    QCOMPARE(outside > 0, labelsUnder);
}

void TestParties::printoutKeepsItsPartsWhole_data()
{
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<int>("seats");
    QTest::newRow("the start's votes, 17 seats") << QString() << 17;
    QTest::newRow("nine parties, 240 seats")
        << "642931\n346063\n325460\n281366\n184403\n182263\n165160\n111946\n97430" << 240;
}

// A printout page by page: each heading on the page of its table, the comparison and the
// working whole on one page, the picture drawn as lines and text (no image), with its legend.
void TestParties::printoutKeepsItsPartsWhole()
{
#ifdef Q_OS_WIN
    QSKIP("pdftotext and pdfimages read the printout on Linux");
#endif
    QFETCH(QString, pasted);
    QFETCH(int, seats);
    if (!pasted.isEmpty())
        paste(0, pasted);
    control<QListWidget>(*m_form, QStringLiteral("List3"))->setCurrentRow(seats - 1);
    QTest::mouseClick(control<QPushButton>(*m_form, QStringLiteral("Command1_0")), Qt::LeftButton);
    auto* next = control<QPushButton>(*m_form, QStringLiteral("Command1_1"));
    for (int seat = 0; seat < seats; ++seat)
        QTest::mouseClick(next, Qt::LeftButton);
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("printout.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    m_form->printTable(printer);

    const auto run = [](const QString& program, const QStringList& arguments) {
        QProcess process;
        process.start(program, arguments);
        process.waitForFinished();
        return QString::fromUtf8(process.readAllStandardOutput());
    };
    const QStringList pages
        = run(QStringLiteral("pdftotext"), { QStringLiteral("-layout"), file, QStringLiteral("-") })
              .split(QLatin1Char('\f'), Qt::SkipEmptyParts);
    QVERIFY(pages.size() >= 2);
    QVERIFY(
        pages.front().contains(QStringLiteral("Математика - системи за разпределение на мандати")));
    // Each part, from its heading to its last line, on one page.
    const QList<QPair<QString, QString>> wholes {
        { QStringLiteral("Сравнение на методите"), QStringLiteral("Hare–Niemeyer") },
        { QStringLiteral("Hare–Niemeyer стъпка по стъпка"), QStringLiteral("Допълнителен мандат") },
    };
    for (const auto& [heading, last] : wholes) {
        int found = 0;
        for (const QString& page : pages) {
            if (!page.contains(heading))
                continue;
            ++found;
            QVERIFY2(page.indexOf(last, page.indexOf(heading)) > 0, qPrintable(heading));
        }
        QCOMPARE(found, 1);
    }
    // The picture: no image in the file, its legend's names and its labels as text.
    const QStringList images = run(QStringLiteral("pdfimages"), { QStringLiteral("-list"), file })
                                   .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(images.size(), 2); // the list's two heading lines
    const QString lastPage = pages.last();
    QVERIFY2(lastPage.contains(QStringLiteral("Equal proportions")), qPrintable(lastPage));
    QVERIFY(lastPage.contains(
        pasted.isEmpty() ? QStringLiteral("Партия 5") : QStringLiteral("Партия 9")));
}

QTEST_MAIN(TestParties)
#include "tst_parties.moc"
