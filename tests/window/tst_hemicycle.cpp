#include "board_view.h"
#include "core/chamber/hemicycle.h"
#include "window/chamber/hemicycle_view.h"
#include "window/chamber/hemicycle_window.h"
#include "window/comparison/comparison_window.h"
#include "window/form/apportion_form.h"
#include "window/form/form_actions.h"
#include "window/form/party_area.h"
#include "window/picture/seat_chart.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QtTest>

#include <map>
#include <set>

using namespace apportion;

// The parliament a class watches fill: the chamber after every seat, undo and method change, its
// majority, coalitions tried in its legend, its copies and its printout; and a round of
// "Познай следващия мандат" from the mouse and the keyboard.
class TestHemicycle : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void followsTheSeatBySeatWindow_data();
    void followsTheSeatBySeatWindow();
    void majorityForTheSeatTotal_data();
    void majorityForTheSeatTotal();
    void legendBesideOrUnderTheChamber_data();
    void legendBesideOrUnderTheChamber();
    void coalitionsOfTheFiftyFirstAssembly();
    void copiesAPictureAndSvg();
    void legendFollowsThePartiesAndTheZoom_data();
    void legendFollowsThePartiesAndTheZoom();
    void copiedLegendShowsEveryParty_data();
    void copiedLegendShowsEveryParty();
    void printsAsVectors();
    void readableAtTheLargestZoom();
    void guessRoundFromTheKeyboard();
    void guessByClickingAColumn();
    void guessesTheTenthToTwelfthParty_data();
    void guessesTheTenthToTwelfthParty();
    void guessingIsOffAtStart();
    void theListsArePaintedBeforeTheParliament();
    void aKeystrokeRepaintsOnlyWhatItChanges_data();
    void aKeystrokeRepaintsOnlyWhatItChanges();

private:
    HemicycleWindow* openHemicycle() const;
    void click(int command) const;
    void openAssembly51() const;
    // The colour drawn at each seat's centre, as the chamber's picture on the screen shows it.
    std::vector<QColor> seatColours(const HemicycleWindow& window) const;

    ApportionForm* m_form = nullptr;
};

void TestHemicycle::init()
{
    forgetKeptLessons();
    m_form = new ApportionForm;
    m_form->show();
    m_form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_form));
}

void TestHemicycle::cleanup()
{
    delete m_form;
    m_form = nullptr;
}

HemicycleWindow* TestHemicycle::openHemicycle() const
{
    m_form->actions().hemicycle->trigger();
    HemicycleWindow* window = m_form->hemicycleWindow();
    if (window && !QTest::qWaitForWindowExposed(window))
        return nullptr;
    return window;
}

void TestHemicycle::click(int command) const
{
    control<QPushButton>(*m_form, QStringLiteral("Command1_%1").arg(command))->click();
    // The chamber draws the changes of one pass of the event loop at its end.
    QCoreApplication::processEvents();
}

void TestHemicycle::openAssembly51() const
{
    for (QAction* example : m_form->actions().examples) {
        if (example->text().startsWith(QStringLiteral("51-во")))
            example->trigger();
    }
    QCOMPARE(m_form->board().parties.size(), std::size_t(9));
}

std::vector<QColor> TestHemicycle::seatColours(const HemicycleWindow& window) const
{
    const HemicycleView& view = window.view();
    const QImage shown = const_cast<HemicycleView&>(view).grab().toImage();
    std::vector<QColor> colours;
    const double ratio = shown.devicePixelRatio();
    for (int place = 0; place < view.chamber().total; ++place) {
        const QPointF centre = view.seatCentre(place) * ratio;
        colours.push_back(shown.pixelColor(centre.toPoint()));
    }
    return colours;
}

// After every seat, undo, redo, method change and new example, each seat of the chamber shows
// its party's colour in the columns' order, and the seats not given show white.
void TestHemicycle::followsTheSeatBySeatWindow_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QList<int>>("held"); // each party's seats after the steps
    QTest::addColumn<int>("total");
    QTest::addColumn<int>("newest"); // the newest seat's party, -1 for none

    QTest::newRow("entered") << QStringList { "enter" } << QList<int> { 0, 0, 0, 0, 0 } << 7 << -1;
    QTest::newRow("three seats") << QStringList { "enter", "seat", "seat", "seat" }
                                 << QList<int> { 2, 1, 0, 0, 0 } << 7 << 0;
    QTest::newRow("all seven") << QStringList { "enter", "seat", "seat", "seat", "seat", "seat",
        "seat", "seat" } << QList<int> { 3, 2, 1, 1, 0 }
                               << 7 << 3;
    QTest::newRow("undo twice") << QStringList { "enter", "seat", "seat", "seat", "seat", "seat",
        "undo", "undo" } << QList<int> { 2, 1, 0, 0, 0 }
                                << 7 << 0;
    QTest::newRow("undo and redo")
        << QStringList { "enter", "seat", "seat", "seat", "seat", "undo", "redo" }
        << QList<int> { 2, 1, 1, 0, 0 } << 7 << 2;
    QTest::newRow("method changed after seven") << QStringList { "enter", "seat", "seat", "seat",
        "seat", "seat", "seat", "seat", "sainte-lague", "seat" }
                                                << QList<int> { 3, 3, 1, 1, 0 } << 8 << 1;
    QTest::newRow("new example") << QStringList { "enter", "seat", "seat", "new" }
                                 << QList<int> { 0, 0, 0, 0, 0 } << 7 << -1;
}

void TestHemicycle::followsTheSeatBySeatWindow()
{
    QFETCH(QStringList, steps);
    QFETCH(QList<int>, held);
    QFETCH(int, total);
    QFETCH(int, newest);
    HemicycleWindow* window = openHemicycle();
    QVERIFY(window);
    for (const QString& step : steps) {
        if (step == QLatin1String("enter"))
            click(0);
        else if (step == QLatin1String("seat"))
            click(1);
        else if (step == QLatin1String("undo"))
            m_form->actions().undo->trigger();
        else if (step == QLatin1String("redo"))
            m_form->actions().redo->trigger();
        else if (step == QLatin1String("new"))
            m_form->actions().newExample->trigger();
        else if (step == QLatin1String("sainte-lague"))
            control<QRadioButton>(*m_form, QStringLiteral("Option1_1"))->click();
        QCoreApplication::processEvents();
    }
    const Chamber& chamber = window->view().chamber();
    QCOMPARE(chamber.total, total);
    QCOMPARE(QList<int>(chamber.seats.begin(), chamber.seats.end()), held);
    QCOMPARE(chamber.newestParty, newest);
    std::vector<QColor> expected;
    for (int party = 0; party < static_cast<int>(held.size()); ++party) {
        for (int seat = 0; seat < held[party]; ++seat)
            expected.push_back(SeatChart::partyColour(party));
    }
    while (expected.size() < static_cast<std::size_t>(total))
        expected.push_back(Qt::white);
    const std::vector<QColor> shown = seatColours(*window);
    QCOMPARE(shown.size(), expected.size());
    for (std::size_t place = 0; place < shown.size(); ++place)
        QCOMPARE(shown[place].name(), expected[place].name());
    // The legend counts the same seats, as a screen reader hears them.
    QCOMPARE(window->legend()->item(0)->text(), QStringLiteral("Партия 1: %1").arg(held[0]));
    QVERIFY(window->view().accessibleDescription().contains(
        QStringLiteral("Партия 2: %1").arg(held[1])));
}

void TestHemicycle::majorityForTheSeatTotal_data()
{
    QTest::addColumn<int>("seatTotal");
    QTest::addColumn<QString>("majority");
    QTest::newRow("7") << 7 << "мнозинство: 4 от 7";
    QTest::newRow("240") << 240 << "мнозинство: 121 от 240";
    QTest::newRow("300") << 300 << "мнозинство: 151 от 300";
}

// The majority follows the seat total chosen, before any seat is given, and the line splits the
// chamber there: the seats left of it are the majority.
void TestHemicycle::majorityForTheSeatTotal()
{
    QFETCH(int, seatTotal);
    QFETCH(QString, majority);
    HemicycleWindow* window = openHemicycle();
    QVERIFY(window);
    auto* totals = control<QListWidget>(*m_form, QStringLiteral("List3"));
    totals->setCurrentRow(seatTotal - 1);
    QCoreApplication::processEvents();
    QCOMPARE(window->view().chamber().total, seatTotal);
    QVERIFY2(window->view().accessibleDescription().contains(majority),
        qPrintable(window->view().accessibleDescription()));
    // The dashed line crosses the floor's half ring between the majority's last seat and the
    // next: a dark pixel on the ray through the middle of the rows.
    const HemicycleView& view = window->view();
    const QImage shown = const_cast<HemicycleView&>(view).grab().toImage();
    const ChamberLayout layout = LayOutChamber(seatTotal);
    const double angle = MajorityAngle(layout, MajorityOf(seatTotal));
    // The floor's middle and the outer radius from two seats' places on the screen.
    const SeatPlace& first = layout.places.front();
    const SeatPlace& last = layout.places.back();
    const double radius = std::hypot(view.seatCentre(0).x() - view.seatCentre(seatTotal - 1).x(),
                              view.seatCentre(0).y() - view.seatCentre(seatTotal - 1).y())
        / std::hypot(first.x - last.x, first.y - last.y);
    const QPointF floor = view.seatCentre(0) - QPointF(first.x, -first.y) * radius;
    int dark = 0;
    for (double along = layout.innerRadius - layout.seatRadius; along <= 1 + layout.seatRadius;
         along += 0.01) {
        const QPointF at = floor + QPointF(std::cos(angle), -std::sin(angle)) * along * radius;
        dark += qGray(shown.pixel((at * shown.devicePixelRatio()).toPoint())) < 80 ? 1 : 0;
    }
    QVERIFY2(dark >= 10, qPrintable(QString::number(dark)));
    // The line reaches past the outer row, where a class looks for it.
    int beyond = 0;
    for (double along = 1 + layout.seatRadius * 1.05; along <= 1 + layout.seatRadius * 1.9;
         along += 0.002) {
        const QPointF at = floor + QPointF(std::cos(angle), -std::sin(angle)) * along * radius;
        beyond += qGray(shown.pixel((at * shown.devicePixelRatio()).toPoint())) < 80 ? 1 : 0;
    }
    QVERIFY2(beyond > 0, "the majority line stops inside the chamber");
    // It starts at the inner row: the floor inside it stays clear for the majority's text.
    int inside = 0;
    for (double along = 0.15; along <= layout.innerRadius - 3 * layout.seatRadius; along += 0.005) {
        const QPointF at = floor + QPointF(std::cos(angle), -std::sin(angle)) * along * radius;
        inside += qGray(shown.pixel((at * shown.devicePixelRatio()).toPoint())) < 80 ? 1 : 0;
    }
    QCOMPARE(inside, 0);
    // And it ends just past the outer row, not across the window.
    int farOut = 0;
    for (double along = 1 + layout.seatRadius * 4; along <= 1.15; along += 0.002) {
        const QPointF at = floor + QPointF(std::cos(angle), -std::sin(angle)) * along * radius;
        if (shown.rect().contains((at * shown.devicePixelRatio()).toPoint()))
            farOut += qGray(shown.pixel((at * shown.devicePixelRatio()).toPoint())) < 80 ? 1 : 0;
    }
    QCOMPARE(farOut, 0);
}

// The legend stands beside the chamber in a wide window and under it in a tall one, where that
// draws the chamber larger, and every part shows once, apart from the others.
void TestHemicycle::legendBesideOrUnderTheChamber_data()
{
    QTest::addColumn<QList<QSize>>("sizes"); // the window resized to each in turn
    QTest::addColumn<bool>("under");
    QTest::newRow("wide") << QList<QSize> { QSize(1100, 500) } << false;
    QTest::newRow("tall") << QList<QSize> { QSize(560, 780) } << true;
    QTest::newRow("tall, then wide") << QList<QSize> { QSize(560, 780), QSize(1100, 500) } << false;
    QTest::newRow("wide, then tall") << QList<QSize> { QSize(1100, 500), QSize(560, 780) } << true;
}

void TestHemicycle::legendBesideOrUnderTheChamber()
{
    QFETCH(QList<QSize>, sizes);
    QFETCH(bool, under);
    openAssembly51();
    HemicycleWindow* window = openHemicycle();
    QVERIFY(window);
    for (const QSize& size : sizes) {
        window->resize(size);
        QTRY_COMPARE(window->size(), size);
        QCoreApplication::processEvents();
    }
    const QRect chamber = window->view().geometry();
    const QRect legend = window->legend()->geometry();
    if (under) {
        QVERIFY2(legend.top() >= chamber.bottom(), "the legend is not under the chamber");
        QVERIFY(legend.width() > window->width() / 2);
    } else {
        QVERIFY2(legend.left() >= chamber.right(), "the legend is not beside the chamber");
        // The chamber takes the room: the legend is as wide as its entries, and as high as the
        // chamber's part of the window.
        QVERIFY(chamber.width() > window->width() / 2);
        QVERIFY(legend.width() < window->width() / 3);
        QVERIFY(legend.height() > chamber.height() / 2);
    }
    // Every entry reads whole, and the coalition's line stands clear of the legend.
    for (int party = 0; party < window->legend()->count(); ++party) {
        const QString text = window->legend()->item(party)->text();
        QVERIFY2(window->legend()->visualItemRect(window->legend()->item(party)).width()
                >= window->legend()->fontMetrics().horizontalAdvance(text),
            qPrintable(text));
    }
    const auto* coalition = window->findChild<QLabel*>(QStringLiteral("Coalition"));
    QVERIFY(!coalition->geometry().intersects(legend));
    QVERIFY(!coalition->geometry().intersects(chamber));
    // What a copy did is said in a line of its own, under the legend's and as wide.
    window->copyPicture();
    QCoreApplication::processEvents();
    const auto* said = window->findChild<QLabel*>(QStringLiteral("ChamberSaid"));
    QVERIFY(!said->text().isEmpty());
    QVERIFY(said->geometry().top() >= coalition->geometry().bottom());
    QCOMPARE(said->geometry().left(), coalition->geometry().left());
    QVERIFY(said->width() >= coalition->width());
}

// The official seats of the 51st National Assembly by Hare–Niemeyer, and coalitions chosen in
// the legend with the keyboard and the mouse.
void TestHemicycle::coalitionsOfTheFiftyFirstAssembly()
{
    openAssembly51();
    HemicycleWindow* window = openHemicycle();
    QVERIFY(window);
    window->showSeatsOf(HemicycleWindow::hareNiemeyer);
    QCOMPARE(
        QList<int>(window->view().chamber().seats.begin(), window->view().chamber().seats.end()),
        (QList<int> { 69, 37, 35, 30, 20, 19, 18, 12, 0 }));
    QCOMPARE(window->legend()->item(4)->text(), QStringLiteral("БСП-Обединена левица: 20"));
    auto* coalition = window->findChild<QLabel*>(QStringLiteral("Coalition"));
    QVERIFY(coalition);

    // The keyboard: Space chooses the current party, the arrows move, here in a legend beside the
    // chamber, one party under another (under the chamber, side by side, Down moves a row).
    window->resize(1100, 500);
    QTRY_COMPARE(window->size(), QSize(1100, 500));
    QListWidget* legend = window->legend();
    legend->setFocus();
    legend->setCurrentRow(0, QItemSelectionModel::NoUpdate);
    QTest::keyClick(legend, Qt::Key_Space);
    QCOMPARE(coalition->text(), QStringLiteral("ГЕРБ-СДС: 69 — не стига 121"));
    for (int down = 0; down < 4; ++down)
        QTest::keyClick(legend, Qt::Key_Down);
    QCOMPARE(legend->currentRow(), 4);
    QTest::keyClick(legend, Qt::Key_Space);
    QTest::keyClick(legend, Qt::Key_Down);
    QTest::keyClick(legend, Qt::Key_Down);
    QCOMPARE(legend->currentRow(), 6);
    QTest::keyClick(legend, Qt::Key_Space);
    QCOMPARE(coalition->text(),
        QStringLiteral("ГЕРБ-СДС + БСП-Обединена левица + Има такъв народ: 107 — не стигат 121"));
    QCOMPARE(window->coalitionText(), coalition->text());

    // The mouse: ПП-ДБ joins, and the sum reaches the majority; a second click leaves it out.
    const QRect ppdb = legend->visualItemRect(legend->item(1));
    QTest::mouseClick(legend->viewport(), Qt::LeftButton, {}, ppdb.center());
    QCOMPARE(coalition->text(),
        QStringLiteral(
            "ГЕРБ-СДС + ПП-ДБ + БСП-Обединена левица + Има такъв народ: 144 — стигат 121"));
    // The parties outside the coalition are drawn pale: Възраждане's first seat.
    const std::vector<QColor> shown = seatColours(*window);
    const int vazrazhdane = 69 + 37;
    // Pale: lighter in every channel, the channels in the same order as the party's colour.
    const QColor pale = shown[static_cast<std::size_t>(vazrazhdane)];
    const QColor full = SeatChart::partyColour(2);
    QVERIFY(pale != full);
    const int paleChannels[] = { pale.red(), pale.green(), pale.blue() };
    const int fullChannels[] = { full.red(), full.green(), full.blue() };
    for (int a = 0; a < 3; ++a) {
        QVERIFY(paleChannels[a] >= fullChannels[a]);
        QVERIFY(paleChannels[a] < 255);
        for (int b = 0; b < 3; ++b) {
            if (fullChannels[a] < fullChannels[b])
                QVERIFY(paleChannels[a] <= paleChannels[b]);
        }
    }
    QCOMPARE(shown[0].name(), SeatChart::partyColour(0).name());
    QTest::mouseClick(legend->viewport(), Qt::LeftButton, {}, ppdb.center());
    QCOMPARE(coalition->text(),
        QStringLiteral("ГЕРБ-СДС + БСП-Обединена левица + Има такъв народ: 107 — не стигат 121"));

    // The seats given so far: the coalition adds up what the chamber now holds.
    window->showSeatsOf(HemicycleWindow::seatBySeat);
    QCOMPARE(coalition->text(),
        QStringLiteral("ГЕРБ-СДС + БСП-Обединена левица + Има такъв народ: 0 — не стигат 121"));
}

void TestHemicycle::legendFollowsThePartiesAndTheZoom_data()
{
    QTest::addColumn<int>("added"); // parties added (above 0) or removed (below)
    QTest::addColumn<int>("zoomSteps");
    QTest::newRow("a party removed") << -1 << 0;
    QTest::newRow("two parties added") << 2 << 0;
    QTest::newRow("zoomed in twice") << 0 << 2;
}

// With the parliament open, the legend has an entry for each party the lists have, each in the
// zoomed font and whole.
void TestHemicycle::legendFollowsThePartiesAndTheZoom()
{
    QFETCH(int, added);
    QFETCH(int, zoomSteps);
    HemicycleWindow* window = openHemicycle();
    QVERIFY(window);
    auto* legend = window->findChild<QListWidget*>(QStringLiteral("ChamberLegend"));
    const qreal before = legend->font().pointSizeF();
    for (int step = 0; step < added; ++step)
        m_form->actions().addParty->trigger();
    for (int step = 0; step > added; --step)
        m_form->actions().removeParty->trigger();
    for (int step = 0; step < zoomSteps; ++step)
        m_form->actions().zoomIn->trigger();
    QCoreApplication::processEvents();
    QCOMPARE(legend->count(), defaultPartyCount + added);
    QCOMPARE(legend->font().pointSizeF() > before, zoomSteps > 0);
    // Each party's colour swatch as high as its name.
    QCOMPARE(legend->iconSize().height(), QFontMetrics(window->font()).height());
    for (int party = 0; party < legend->count(); ++party) {
        const QListWidgetItem* entry = legend->item(party);
        QVERIFY(entry->text().startsWith(QStringLiteral("Партия %1").arg(party + 1)));
        QVERIFY2(legend->visualItemRect(entry).width()
                >= legend->fontMetrics().horizontalAdvance(entry->text()),
            qPrintable(entry->text()));
    }
}

void TestHemicycle::copiedLegendShowsEveryParty_data()
{
    QTest::addColumn<int>("parties");
    QTest::newRow("five, in two columns of three and two") << 5;
    QTest::newRow("twelve, in two columns of six") << 12;
}

// Before any seat is given the chamber holds no colour, so each party's colour in the copied
// picture is its own legend entry's: none drawn over another.
void TestHemicycle::copiedLegendShowsEveryParty()
{
    QFETCH(int, parties);
    while (static_cast<int>(m_form->board().parties.size()) < parties)
        m_form->actions().addParty->trigger();
    HemicycleWindow* window = openHemicycle();
    QVERIFY(window);
    window->copyPicture();
    const QImage image
        = qvariant_cast<QImage>(QGuiApplication::clipboard()->mimeData()->imageData());
    std::set<QRgb> colours;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            colours.insert(image.pixel(x, y));
    }
    for (int party = 0; party < parties; ++party)
        QVERIFY2(
            colours.count(SeatChart::partyColour(party).rgb()), qPrintable(QString::number(party)));
}

// The picture for a slide is sharp and whole: 1600 pixels wide, and as SVG one circle a seat.
void TestHemicycle::copiesAPictureAndSvg()
{
    openAssembly51();
    click(0);
    for (int seat = 0; seat < 30; ++seat)
        click(1);
    HemicycleWindow* window = openHemicycle();
    QVERIFY(window);
    window->copyPicture();
    const QMimeData* copied = QGuiApplication::clipboard()->mimeData();
    QVERIFY(copied);
    const QImage image = qvariant_cast<QImage>(copied->imageData());
    QCOMPARE(image.width(), 1600);
    QVERIFY(image.height() > 800);
    // The lesson's title stands whole at the top: ink in its band, none cut at the edge.
    int titleInk = 0;
    for (int y = 0; y < image.height() / 20; ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) < 100) {
                QVERIFY2(y > 1, qPrintable(QStringLiteral("ink at %1,%2").arg(x).arg(y)));
                ++titleInk;
            }
        }
    }
    QVERIFY(titleInk > 100);
    // A seat given is drawn in its party's colour: the picture holds GERB-SDS's blue.
    bool blue = false;
    for (int y = 0; y < image.height() && !blue; y += 2) {
        for (int x = 0; x < image.width() && !blue; x += 2)
            blue = image.pixelColor(x, y) == SeatChart::partyColour(0);
    }
    QVERIFY(blue);
    const QString svg = QString::fromUtf8(copied->data(QStringLiteral("image/svg+xml")));
    QCOMPARE(svg.count(QStringLiteral("class=\"seat\"")), 240);
    QCOMPARE(svg.count(QStringLiteral("fill=\"#ffffff\" stroke")), 210);
    QVERIFY(svg.contains(QStringLiteral("мнозинство: 121 от 240")));
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("парламент.svg"));
    QVERIFY(window->saveSvg(path));
    QFile saved(path);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(saved.readAll()), svg);
    QVERIFY(!window->saveSvg(folder.filePath(QStringLiteral("няма/такава/папка.svg"))));
}

// On paper the chamber stays vectors: the PDF draws the seats as paths, with no picture in it.
void TestHemicycle::printsAsVectors()
{
    click(0);
    click(1);
    HemicycleWindow* window = openHemicycle();
    QVERIFY(window);
    QTemporaryDir folder;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(folder.filePath(QStringLiteral("парламент.pdf")));
    window->printTo(printer);
    QFile pdf(printer.outputFileName());
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    QVERIFY(bytes.size() > 1000);
    QVERIFY(!bytes.contains("/Subtype /Image"));
}

// At the largest zoom the window keeps to its screen, with the main window's zoomed text in its
// legend and seats large enough to tell apart from the back of a class.
void TestHemicycle::readableAtTheLargestZoom()
{
    openAssembly51();
    m_form->setZoomPercent(300);
    HemicycleWindow* window = openHemicycle();
    QVERIFY(window);
    const QRect screen = m_form->screen()->availableGeometry();
    QVERIFY2(screen.contains(window->frameGeometry()) || screen.contains(window->geometry()),
        qPrintable(QStringLiteral("%1,%2 %3x%4")
                       .arg(window->x())
                       .arg(window->y())
                       .arg(window->width())
                       .arg(window->height())));
    QVERIFY(window->legend()->font().pointSizeF()
        >= m_form->findChild<QLineEdit*>(QStringLiteral("Text2_0"))->font().pointSizeF());
    QVERIFY2(
        window->view().dotRadius() >= 3, qPrintable(QString::number(window->view().dotRadius())));
    // A screen reader and the scripts find the chamber by its names.
    QCOMPARE(window->findChild<HemicycleView*>(QStringLiteral("Hemicycle")), &window->view());
    QCOMPARE(window->view().accessibleName(), QStringLiteral("Парламент"));
    // Every legend entry reads whole.
    for (int party = 0; party < window->legend()->count(); ++party) {
        const QString text = window->legend()->item(party)->text();
        QVERIFY2(window->legend()->visualItemRect(window->legend()->item(party)).width()
                >= window->legend()->fontMetrics().horizontalAdvance(text),
            qPrintable(text));
    }
}

// A round from the keyboard alone: the number keys name a guess while the focus is on a button,
// "Търси" (Space on it) judges it, and a seat with no guess is simply given.
void TestHemicycle::guessRoundFromTheKeyboard()
{
    click(0);
    auto* find = control<QPushButton>(*m_form, QStringLiteral("Command1_1"));
    find->setFocus();
    QTest::keyClick(m_form, Qt::Key_Q, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(m_form->guessing());
    QVERIFY(m_form->statusReport().startsWith(QStringLiteral("Познай следващия мандат: ")));

    struct Turn {
        Qt::Key key; // Qt::Key_unknown for no guess
        QString said;
    };
    const QList<Turn> turns {
        { Qt::Key_1, QStringLiteral("Позна! Мандат № 1 — Партия 1 с 58125. Познати: 1 от 1.") },
        { Qt::Key_1,
            QStringLiteral("Не позна: мандат № 2 взе партия 2 с 45871, а партия 1 имаше "
                           "29062.5. Познати: 1 от 2.") },
        { Qt::Key_unknown, QString() },
        { Qt::Key_3, QStringLiteral("Позна! Мандат № 4 — Партия 3 с 27142. Познати: 2 от 3.") },
    };
    for (const Turn& turn : turns) {
        if (turn.key != Qt::Key_unknown) {
            QTest::keyClick(find, turn.key);
            QCOMPARE(m_form->guess(), std::optional<int>(turn.key - Qt::Key_1));
            QCOMPARE(m_form->statusReport(),
                QStringLiteral("Предположение: Партия %1 — „Търси“ ще покаже.")
                    .arg(turn.key - Qt::Key_0));
            // The guessed party's vote box is framed for the class to see.
            QVERIFY(
                control<QLineEdit>(*m_form, QStringLiteral("Text2_%1").arg(turn.key - Qt::Key_1))
                    ->property("guessed")
                    .toBool());
        }
        QTest::keyClick(find, Qt::Key_Space);
        if (turn.said.isEmpty())
            QVERIFY(m_form->statusReport().startsWith(QStringLiteral("Мандат № 3 — партия 1")));
        else
            QCOMPARE(m_form->statusReport(), turn.said);
        QVERIFY(!m_form->guess());
    }
    QCOMPARE(m_form->guessScore(), (GuessScore { 2, 3 }));
    // A party the board does not have is told, not guessed.
    QTest::keyClick(find, Qt::Key_8);
    QVERIFY(!m_form->guess());
    QCOMPARE(m_form->statusReport(), QStringLiteral("Няма партия 8: партиите са 5."));
    QTest::keyClick(m_form, Qt::Key_Q, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(!m_form->guessing());
    QCOMPARE(m_form->statusReport(),
        QStringLiteral("Познай следващия мандат е изключено. Познати: 2 от 3."));
    // Off, the number keys name nothing.
    QTest::keyClick(find, Qt::Key_2);
    QVERIFY(!m_form->guess());
    // On again, guess after guess leaves nothing behind in the boxes: one frame each at most.
    QTest::keyClick(m_form, Qt::Key_Q, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyClick(find, Qt::Key_1);
    auto* first = control<QLineEdit>(*m_form, QStringLiteral("Text2_0"));
    const auto parts = first->findChildren<QWidget*>().size();
    for (int again = 0; again < 5; ++again) {
        QTest::keyClick(find, Qt::Key_2);
        QTest::keyClick(find, Qt::Key_1);
    }
    QCOMPARE(first->findChildren<QWidget*>().size(), parts);
}

// A click on a party's list, or on its name, names it; a text box keeps its digits.
void TestHemicycle::guessByClickingAColumn()
{
    m_form->actions().guessMode->setChecked(true);
    auto* list = control<QListView>(*m_form, QStringLiteral("List1_2"));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(!m_form->guess());
    QCOMPARE(m_form->statusReport(),
        QStringLiteral("Предположението идва след „Въведи“: първо въведете гласовете."));
    click(0);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(m_form->guess(), std::optional<int>(2));
    m_form->actions().nameParties->trigger();
    QTest::mouseClick(control<QLineEdit>(*m_form, QStringLiteral("Name_4")), Qt::LeftButton);
    QCOMPARE(m_form->guess(), std::optional<int>(4));
    auto* votes = control<QLineEdit>(*m_form, QStringLiteral("Text2_0"));
    votes->setFocus();
    QTest::keyClick(votes, Qt::Key_2);
    QCOMPARE(m_form->guess(), std::optional<int>(4));
    QCOMPARE(votes->text(), QStringLiteral("02"));
    // A new example leaves no guess behind.
    m_form->actions().newExample->trigger();
    QVERIFY(!m_form->guess());
    QVERIFY(!control<QLineEdit>(*m_form, QStringLiteral("Text2_4"))->property("guessed").toBool());
}

void TestHemicycle::guessesTheTenthToTwelfthParty_data()
{
    QTest::addColumn<int>("parties");
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<int>("guessed");
    QTest::newRow("0 is the tenth") << 12 << QList<int> { Qt::Key_0 } << 9;
    QTest::newRow("1 and 1 the eleventh") << 12 << QList<int> { Qt::Key_1, Qt::Key_1 } << 10;
    QTest::newRow("1 and 2 the twelfth") << 12 << QList<int> { Qt::Key_1, Qt::Key_2 } << 11;
    QTest::newRow("1 and 0 the tenth") << 12 << QList<int> { Qt::Key_1, Qt::Key_0 } << 9;
    QTest::newRow("1 and 2 of eleven: the second")
        << 11 << QList<int> { Qt::Key_1, Qt::Key_2 } << 1;
    QTest::newRow("1 and 1 of five: the first") << 5 << QList<int> { Qt::Key_1, Qt::Key_1 } << 0;
}

void TestHemicycle::guessesTheTenthToTwelfthParty()
{
    QFETCH(int, parties);
    QFETCH(QList<int>, keys);
    QFETCH(int, guessed);
    while (static_cast<int>(m_form->board().parties.size()) < parties)
        m_form->actions().addParty->trigger();
    for (int party = 5; party < parties; ++party)
        control<QLineEdit>(*m_form, QStringLiteral("Text2_%1").arg(party))
            ->setText(QStringLiteral("100"));
    click(0);
    m_form->actions().guessMode->setChecked(true);
    auto* find = control<QPushButton>(*m_form, QStringLiteral("Command1_1"));
    find->setFocus();
    for (const int key : keys)
        QTest::keyClick(find, static_cast<Qt::Key>(key));
    QCOMPARE(m_form->guess(), std::optional<int>(guessed));
}

// Off at start: the window is as it always was, and the number keys do nothing.
void TestHemicycle::guessingIsOffAtStart()
{
    QVERIFY(!m_form->guessing());
    QVERIFY(!m_form->actions().guessMode->isChecked());
    // The window as it always was: its lavender between the buttons.
    const QRect enter = control<QPushButton>(*m_form, QStringLiteral("Command1_0"))->geometry();
    const QRect find = control<QPushButton>(*m_form, QStringLiteral("Command1_1"))->geometry();
    const QImage form = m_form->grab().toImage();
    const QPoint between((enter.right() + find.left()) / 2, enter.center().y());
    QCOMPARE(form.pixelColor(between * form.devicePixelRatio()), QColor(192, 192, 255));
    for (const QAction* key : m_form->actions().guessKeys)
        QVERIFY(!key->isEnabled());
    click(0);
    auto* findButton = control<QPushButton>(*m_form, QStringLiteral("Command1_1"));
    findButton->setFocus();
    QTest::keyClick(findButton, Qt::Key_1);
    QVERIFY(!m_form->guess());
    click(1);
    QVERIFY(m_form->statusReport().startsWith(QStringLiteral("Мандат № 1 — партия 1")));
    QCOMPARE(m_form->guessScore(), GuessScore {});
}

namespace {

// Counts the paints and the layouts of the widgets it watches.
class PaintCount : public QObject {
public:
    std::map<QObject*, int> paints;
    std::map<QObject*, int> layouts;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints[watched];
        if (event->type() == QEvent::LayoutRequest)
            ++layouts[watched];
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

namespace {

// The newest seat the parliament shows at each paint of the widgets it watches, the parliament's
// own view among them.
class PaintOrder : public QObject {
public:
    explicit PaintOrder(const HemicycleView& chamber)
        : m_chamber(chamber)
    {
    }
    std::vector<std::pair<QObject*, int>> painted;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            painted.emplace_back(watched, m_chamber.chamber().newestSeat);
        return QObject::eventFilter(watched, event);
    }

private:
    const HemicycleView& m_chamber;
};

} // namespace

// A click's seat shows in the lists first; the parliament, another window, is brought up to date
// and painted after.
void TestHemicycle::theListsArePaintedBeforeTheParliament()
{
    click(0);
    click(1);
    HemicycleWindow* window = openHemicycle();
    QVERIFY(window);
    QTest::qWait(20);
    QCOMPARE(window->view().chamber().newestSeat, 1);
    PaintOrder order(window->view());
    QWidget* list = control<QListView>(*m_form, QStringLiteral("List1_0"))->viewport();
    auto* chamber = const_cast<HemicycleView*>(&window->view());
    list->installEventFilter(&order);
    chamber->installEventFilter(&order);
    control<QPushButton>(*m_form, QStringLiteral("Command1_1"))->click();
    QTRY_VERIFY(!order.painted.empty() && order.painted.back().first == chamber);
    QCOMPARE(order.painted.front(), (std::pair<QObject*, int>(list, 1)));
    QCOMPARE(order.painted.back().second, 2);
}

void TestHemicycle::aKeystrokeRepaintsOnlyWhatItChanges_data()
{
    QTest::addColumn<int>("party");
    QTest::addColumn<QString>("digit");
    // Under an 8 % line the fifth to ninth parties are greyed, the sixth and seventh in view
    // beside the first five; neither keystroke moves a party across the line.
    QTest::newRow("a party over the line") << 0 << QStringLiteral("2");
    QTest::newRow("a party under the line") << 4 << QStringLiteral("1");
}

// With the comparison and the parliament open, a digit typed into one vote box repaints neither
// the parliament, whose seats it does not change, nor the lists and labels of parties two
// columns away or more, greyed or not; nor does it lay the parliament's parts out again.
void TestHemicycle::aKeystrokeRepaintsOnlyWhatItChanges()
{
    QFETCH(int, party);
    QFETCH(QString, digit);
    openAssembly51();
    m_form->actions().compare->trigger();
    QVERIFY(m_form->comparisonWindow());
    m_form->comparisonWindow()
        ->findChild<QDoubleSpinBox*>(QStringLiteral("Threshold"))
        ->setValue(8);
    HemicycleWindow* window = openHemicycle();
    QVERIFY(window);
    m_form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_form));
    QVERIFY(control<QLabel>(*m_form, QStringLiteral("List1_6_Under"))->isVisible());
    // Focused first: the columns scroll to a box that takes the focus.
    auto* box = control<QLineEdit>(*m_form, QStringLiteral("Text2_%1").arg(party));
    box->setFocus();
    QTest::qWait(50); // the windows shown and activated, and the columns scrolled, are painted

    PaintCount count;
    auto* chamber = const_cast<HemicycleView*>(&window->view());
    chamber->installEventFilter(&count);
    window->installEventFilter(&count);
    std::vector<QObject*> farParts;
    for (int other = 0; other < 9; ++other) {
        if (std::abs(other - party) < 2)
            continue;
        auto* list = control<QListView>(*m_form, QStringLiteral("List1_%1").arg(other));
        farParts.push_back(list->viewport());
        if (auto* under = m_form->findChild<QLabel*>(QStringLiteral("List1_%1_Under").arg(other)))
            farParts.push_back(under);
    }
    for (QObject* part : farParts)
        part->installEventFilter(&count);
    box->installEventFilter(&count);
    box->setSelection(static_cast<int>(box->text().size()) - 1, 1);
    QTest::keyClicks(box, digit);
    QTRY_VERIFY(count.paints[box] > 0);
    QCoreApplication::processEvents();

    QVERIFY(box->text().endsWith(digit));
    QCOMPARE(count.paints[chamber], 0);
    QCOMPARE(count.layouts[window], 0);
    for (QObject* part : farParts)
        QVERIFY2(count.paints[part] == 0, qPrintable(part->parent()->objectName()));
    QVERIFY(control<QLabel>(*m_form, QStringLiteral("List1_6_Under"))->isVisible());
}

QTEST_MAIN(TestHemicycle)
#include "tst_hemicycle.moc"
