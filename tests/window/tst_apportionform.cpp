#include "board_view.h"
#include "window/form/apportion_form.h"
#include "window/form/static_texts.h"
#include "window/lists/quotient_model.h"
#include "window/lists/row_delegate.h"

#include <QAccessible>
#include <QToolTip>

#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QSet>
#include <QtTest>

using namespace apportion;

class TestApportionForm : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void startUp();
    void staticTexts();
    void typicalUse_data();
    void typicalUse();
    void typedVotesAreCopiedUnchanged();
    void enterStaysDisabled();
    void lowerSeatTotalStopsSeats();
    void seatTotalCannotBeDeselected_data();
    void seatTotalCannotBeDeselected();
    void reselectingTheMethodKeepsTheCount();
    void divisorHighlightScrollsIntoView();
    void rowsExplainThemselves();
    void divisorListStartsAtTheTopAfterAMethodChange();
    void longNumbersAreElided();
    void listsScrollTogether();
    void marksStandBesideTheirNumber_data();
    void marksStandBesideTheirNumber();
    void boldNumberFittingOnlyPlainIsDrawnWhole();

    void captionsFit();
    void rowsFit_data();
    void rowsFit();
    void controlsStayInsideAndApart();
    void tabOrderFollowsTheLayout();
    void buttonsDrawnInTheirColours_data();
    void buttonsDrawnInTheirColours();

private:
    template <typename Widget> Widget* find(const QString& name) const
    {
        return control<Widget>(*m_form, name);
    }
    QPushButton* command(int index) const
    {
        return find<QPushButton>(QStringLiteral("Command1_%1").arg(index));
    }
    QListView* quotients(int party) const
    {
        return find<QListView>(QStringLiteral("List1_%1").arg(party));
    }
    QListView* divisorList() const { return find<QListView>(QStringLiteral("List2")); }
    QLineEdit* votes(int party) const
    {
        return find<QLineEdit>(QStringLiteral("Text2_%1").arg(party));
    }
    void chooseMethod(int index) const;
    void clickRow(QListView* list, int row, Qt::KeyboardModifiers modifiers = {}) const;
    QStringList entryTexts() const;
    void typeVotes(const QStringList& texts) const;

    ApportionForm* m_form = nullptr;
};

void TestApportionForm::init()
{
    // The window as it starts for the first time: no lesson kept by an earlier one to offer.
    forgetKeptLessons();
    m_form = new ApportionForm;
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form));
    // The layout checks run again at every zoom step, on a screen large enough for it.
    if (qEnvironmentVariableIsSet("TEST_ZOOM")) {
        const int zoom = qEnvironmentVariableIntValue("TEST_ZOOM");
        m_form->setZoomPercent(zoom);
        QCOMPARE(m_form->zoomPercent(), zoom);
        QCOMPARE(m_form->size(), QSize(598, 445) * (zoom / 100.0));
        // Every caption grows with the window, the styled ones too.
        for (const QWidget* widget : m_form->findChildren<QWidget*>()) {
            if (qobject_cast<const QAbstractButton*>(widget) || qobject_cast<const QLabel*>(widget))
                QCOMPARE(widget->font().pointSizeF(), 12 * zoom / 100.0);
        }
    }
}

void TestApportionForm::cleanup()
{
    delete m_form;
    m_form = nullptr;
}

void TestApportionForm::chooseMethod(int index) const
{
    auto* option = find<QRadioButton>(QStringLiteral("Option1_%1").arg(index));
    // The indicator, at the left, is inside the clickable area whatever the caption's length.
    QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(6, option->height() / 2));
}

void TestApportionForm::clickRow(QListView* list, int row, Qt::KeyboardModifiers modifiers) const
{
    list->scrollTo(rowIndex(list, row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers,
        list->visualRect(rowIndex(list, row)).center());
}

QStringList TestApportionForm::entryTexts() const
{
    QStringList texts;
    for (int i = 0; i < defaultPartyCount; ++i)
        texts << votes(i)->text();
    return texts;
}

void TestApportionForm::typeVotes(const QStringList& texts) const
{
    for (int i = 0; i < defaultPartyCount; ++i) {
        votes(i)->setFocus();
        QTest::keyClick(votes(i), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(votes(i), Qt::Key_Delete);
        QTest::keyClicks(votes(i), texts.value(i));
    }
}

void TestApportionForm::startUp()
{
    QVERIFY(find<QRadioButton>(QStringLiteral("Option1_0"))->isChecked());
    auto* divisors = divisorList();
    QCOMPARE(rowCount(divisors), 99);
    QCOMPARE(rowText(divisors, 0), QStringLiteral("2"));
    QCOMPARE(rowText(divisors, 98), QStringLiteral("100"));
    QVERIFY(divisors->selectionModel()->selectedIndexes().isEmpty());
    const auto seats = find<QListWidget>(QStringLiteral("List3"))->selectedItems();
    QCOMPARE(seats.size(), 1);
    QCOMPARE(seats.front()->text(), QStringLiteral("7"));
    QVERIFY(command(0)->isEnabled());
    QCOMPARE(entryTexts(), QStringList({ "58125", "45871", "27142", "15947", "12264" }));
    QVERIFY(find<QPlainTextEdit>(QStringLiteral("Text1_1"))->isHidden());
    QCOMPARE(
        m_form->windowTitle(), QStringLiteral("Математика - системи за разпределение на мандати"));
    QVERIFY(!m_form->windowIcon().isNull());
    QCOMPARE(m_form->minimumSize(), m_form->maximumSize());
    // Times New Roman, or on Linux its metric twin, so that the texts fit the drawn layout.
    QVERIFY2(QStringList({ "Times New Roman", "Liberation Serif" })
                 .contains(QFontInfo(m_form->font()).family()),
        qPrintable(QFontInfo(m_form->font()).family()));
    QCOMPARE(boardViewMismatch(*m_form), QString());
}

void TestApportionForm::staticTexts()
{
    const QString text = explanatoryText();
    QVERIFY(text.endsWith(QStringLiteral("\r\n")));
    const QStringList lines = text.chopped(2).split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 17);
    QVERIFY(!text.contains(QRegularExpression(QStringLiteral("[^\r]\n"))));
    QVERIFY(lines[3].startsWith(QStringLiteral("Метод на Д\u2019Ондт (D\u2019Hondt")));
    QVERIFY(lines[16].endsWith(QStringLiteral("7.48......  sqr(n*(n+1)")));

    // The blank runs line the series up under each other on the classic font.
    const QList<QList<int>> runs { { 8, 2, 2, 2, 2, 3, 2, 2, 1 },
        { 5, 2, 2, 2, 2, 2, 2, 2, 1, 1, 1 }, { 8, 2, 2, 1, 1, 1, 1, 2, 1, 1, 1 },
        { 7, 1, 1, 1, 1, 1, 1, 2, 1 }, { 1, 1, 1, 1, 1, 1, 1, 2 } };
    for (int i = 0; i < runs.size(); ++i) {
        QList<int> found;
        auto blanks = QRegularExpression(QStringLiteral(" +")).globalMatch(lines[12 + i]);
        while (blanks.hasNext())
            found << int(blanks.next().capturedLength());
        QCOMPARE(found, runs[i]);
    }

    auto* shown = find<QPlainTextEdit>(QStringLiteral("Text1_0"));
    QCOMPARE(
        shown->toPlainText(), QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    QCOMPARE(quotationText().count(QStringLiteral(" \r\n")), 3);
}

void TestApportionForm::typicalUse_data()
{
    QTest::addColumn<int>("method");
    QTest::addColumn<QStringList>("seatCounts");
    QTest::addColumn<int>("party");
    QTest::addColumn<QString>("lastRow");
    QTest::addColumn<int>("divisorRow");

    QTest::newRow("D’Hondt") << 0 << QStringList { "3", "2", "1", "1", "0" } << 3 << "7973.5" << 0;
    QTest::newRow("Sainte-Lague") << 1 << QStringList { "2", "2", "1", "1", "1" } << 1 << "9174.2"
                                  << 0;
    QTest::newRow("Danish") << 2 << QStringList { "2", "2", "1", "1", "1" } << 0 << "8303.6" << 1;
    QTest::newRow("Equal proportions")
        << 4 << QStringList { "3", "2", "2", "0", "0" } << 2 << "11078.4" << 1;
}

void TestApportionForm::typicalUse()
{
    QFETCH(int, method);
    QFETCH(QStringList, seatCounts);
    QFETCH(int, party);
    QFETCH(QString, lastRow);
    QFETCH(int, divisorRow);

    chooseMethod(method);
    QCOMPARE(m_form->board().method, static_cast<DivisorMethod>(method));
    QTest::mouseClick(command(0), Qt::LeftButton);
    QCOMPARE(entryTexts(), QStringList(5, QStringLiteral("0")));
    QCOMPARE(rowCount(quotients(0)), 2);
    QVERIFY(!command(0)->isEnabled());

    for (int seat = 0; seat < 8; ++seat) // the eighth press finds the seat total reached
        QTest::mouseClick(command(1), Qt::LeftButton);
    QCOMPARE(entryTexts(), seatCounts);
    for (int i = 0; i < defaultPartyCount; ++i)
        QCOMPARE(rowCount(quotients(i)), 9);
    QCOMPARE(rowText(quotients(party), 8), lastRow);
    QCOMPARE(divisorList()->currentIndex().row(), divisorRow);
    QVERIFY(divisorList()->selectionModel()->isSelected(rowIndex(divisorList(), divisorRow)));
    QCOMPARE(boardViewMismatch(*m_form), QString());
}

void TestApportionForm::typedVotesAreCopiedUnchanged()
{
    QLineEdit* box = votes(1);
    box->setFocus();
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(box, QStringLiteral("45 871"));
    QCOMPARE(m_form->board().parties[1].entryText, std::string("45 871"));

    QTest::mouseClick(command(0), Qt::LeftButton);
    QCOMPARE(rowText(quotients(1), 0), QStringLiteral("45 871"));
    QCOMPARE(rowText(quotients(1), 1), QStringLiteral("45 871"));
    QTest::mouseClick(command(1), Qt::LeftButton);
    QCOMPARE(votes(0)->text(), QStringLiteral("1"));
    QCOMPARE(rowText(quotients(1), 2), QStringLiteral("45871"));
}

void TestApportionForm::enterStaysDisabled()
{
    QTest::mouseClick(command(0), Qt::LeftButton);
    QTest::mouseClick(command(1), Qt::LeftButton);
    QTest::mouseClick(command(2), Qt::LeftButton);
    QCOMPARE(entryTexts(), QStringList(5, QString()));
    QCOMPARE(rowCount(quotients(0)), 0);
    QVERIFY(!command(0)->isEnabled());

    QTest::mouseClick(command(0), Qt::LeftButton);
    QCOMPARE(rowCount(quotients(0)), 0);
    // With empty lists the next-seat button gives nothing.
    QTest::mouseClick(command(1), Qt::LeftButton);
    QCOMPARE(m_form->board().seatsGiven, 0);
    QCOMPARE(boardViewMismatch(*m_form), QString());
}

void TestApportionForm::lowerSeatTotalStopsSeats()
{
    QTest::mouseClick(command(0), Qt::LeftButton);
    for (int seat = 0; seat < 3; ++seat)
        QTest::mouseClick(command(1), Qt::LeftButton);
    clickRow(find<QListWidget>(QStringLiteral("List3")), 1);
    QCOMPARE(m_form->board().seatSelection, 1);

    const QStringList before = entryTexts();
    QTest::mouseClick(command(1), Qt::LeftButton);
    QCOMPARE(entryTexts(), before);
    QCOMPARE(rowCount(quotients(0)), 5);
    QCOMPARE(m_form->board().seatsGiven, 3);
}

void TestApportionForm::seatTotalCannotBeDeselected_data()
{
    QTest::addColumn<QString>("list");
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("byKeyboard");
    QTest::newRow("seat total, ctrl+click") << "List3" << 6 << false;
    QTest::newRow("seat total, ctrl+space") << "List3" << 6 << true;
    QTest::newRow("quotients, ctrl+click") << "List1_2" << 1 << false;
    QTest::newRow("quotients, ctrl+space") << "List1_2" << 1 << true;
    QTest::newRow("divisors, ctrl+click") << "List2" << 3 << false;
    QTest::newRow("divisors, ctrl+space") << "List2" << 3 << true;
}

void TestApportionForm::seatTotalCannotBeDeselected()
{
    QFETCH(QString, list);
    QFETCH(int, row);
    QFETCH(bool, byKeyboard);
    QTest::mouseClick(command(0), Qt::LeftButton);
    auto* view = find<QListView>(list);
    clickRow(view, row);
    const QModelIndex selected = rowIndex(view, row);
    QVERIFY(view->selectionModel()->isSelected(selected));
    if (byKeyboard) {
        view->setFocus();
        QTest::keyClick(view, Qt::Key_Space, Qt::ControlModifier);
    } else {
        clickRow(view, row, Qt::ControlModifier);
    }
    QCOMPARE(view->selectionModel()->selectedIndexes(), QModelIndexList { selected });
    QCOMPARE(m_form->board().seatSelection, 6);
}

void TestApportionForm::reselectingTheMethodKeepsTheCount()
{
    QTest::mouseClick(command(0), Qt::LeftButton);
    QTest::mouseClick(command(1), Qt::LeftButton);
    QTest::mouseClick(command(1), Qt::LeftButton);
    chooseMethod(0);
    QCOMPARE(m_form->board().seatsGiven, 2);
    QVERIFY(divisorList()->selectionModel()->isSelected(rowIndex(divisorList(), 0)));

    chooseMethod(4);
    auto* divisors = divisorList();
    QCOMPARE(m_form->board().seatsGiven, 0);
    QCOMPARE(rowText(divisors, 0), QStringLiteral("1.41"));
    QCOMPARE(rowText(divisors, 1), QStringLiteral("2.45"));
    QVERIFY(divisors->selectionModel()->selectedIndexes().isEmpty());
    QCOMPARE(rowCount(quotients(0)), 4); // the rows stay
}

void TestApportionForm::divisorHighlightScrollsIntoView()
{
    // One party holds all the votes, so its 30th seat uses the divisor in row 29.
    for (int i = 1; i < defaultPartyCount; ++i) {
        votes(i)->setFocus();
        QTest::keyClick(votes(i), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(votes(i), Qt::Key_Delete);
    }
    clickRow(find<QListWidget>(QStringLiteral("List3")), 29);
    QTest::mouseClick(command(0), Qt::LeftButton);
    for (int seat = 0; seat < 30; ++seat)
        QTest::mouseClick(command(1), Qt::LeftButton);
    auto* divisors = divisorList();
    QCOMPARE(divisors->currentIndex().row(), 29);
    QVERIFY(divisors->viewport()->rect().contains(divisors->visualRect(rowIndex(divisors, 29))));
}

void TestApportionForm::rowsExplainThemselves()
{
    // Party 4's 45 ÷ 4 and party 5's 34 ÷ 3 both read 11.3 when the 7th seat is given.
    typeVotes({ "16", "4", "3", "45", "34" });
    QTest::mouseClick(command(0), Qt::LeftButton);
    for (int seat = 0; seat < 7; ++seat)
        QTest::mouseClick(command(1), Qt::LeftButton);

    // The quotient that won seat 7 is party 4's row 7: bold with its number, and tied, as is
    // party 5's 11.3 beside it; the row the seat wrote below it is plain.
    auto marks = [this](int party, int row) {
        const QModelIndex index = rowIndex(quotients(party), row);
        const int packed = index.data(QuotientModel::markRole).toInt();
        return std::make_pair(QuotientModel::wonSeat(packed), QuotientModel::tied(packed));
    };
    QCOMPARE(marks(3, 7), std::make_pair(7, true));
    QCOMPARE(marks(4, 7), std::make_pair(0, true));
    QCOMPARE(marks(3, 8), std::make_pair(0, false));
    QCOMPARE(marks(0, 5), std::make_pair(5, false));
    const QModelIndex wonRow = rowIndex(quotients(3), 7);
    const QString tip = wonRow.data(Qt::ToolTipRole).toString();
    QVERIFY2(
        tip.startsWith(QStringLiteral("Мандат № 7 за партия 4 (D’Hondt): 45 ÷ 4 = 11.25 → 11.3")),
        qPrintable(tip));
    QVERIFY2(rowIndex(quotients(4), 7)
                 .data(Qt::ToolTipRole)
                 .toString()
                 .contains(QStringLiteral("би отишъл при партия 5")),
        qPrintable(tip));
    // Typing over a seat count afterwards changes no explanation.
    typeVotes({ "1", "1", "1", "1", "1" });
    QCOMPARE(wonRow.data(Qt::ToolTipRole).toString(), tip);

    // A screen reader reads the same explanation as the row's description.
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(quotients(3));
    QVERIFY(list);
    QAccessibleInterface* row = list->child(7);
    QVERIFY(row);
    QCOMPARE(row->text(QAccessible::Description), tip);

    // Hovering the quotient that won the 6th seat shows its division.
    auto* winnerList = quotients(3);
    winnerList->scrollToTop();
    const QRect rect = winnerList->visualRect(rowIndex(winnerList, 6));
    QHelpEvent hover(
        QEvent::ToolTip, rect.center(), winnerList->viewport()->mapToGlobal(rect.center()));
    QApplication::sendEvent(winnerList->viewport(), &hover);
    QTRY_VERIFY(QToolTip::isVisible());
    QVERIFY2(QToolTip::text().startsWith(
                 QStringLiteral("Мандат № 6 за партия 4 (D’Hondt): 45 ÷ 3 = 15")),
        qPrintable(QToolTip::text()));
}

void TestApportionForm::divisorListStartsAtTheTopAfterAMethodChange()
{
    auto* divisors = divisorList();
    typeVotes({ "100", "", "", "", "" });
    clickRow(find<QListWidget>(QStringLiteral("List3")), 19);
    QTest::mouseClick(command(0), Qt::LeftButton);
    for (int seat = 0; seat < 20; ++seat)
        QTest::mouseClick(command(1), Qt::LeftButton);
    QVERIFY(divisors->verticalScrollBar()->value() > 0);

    chooseMethod(1);
    QCOMPARE(divisors->verticalScrollBar()->value(), 0);
    QCOMPARE(divisors->indexAt(QPoint(1, 1)).row(), 0);
}

void TestApportionForm::longNumbersAreElided()
{
    // Enough seats for a scroll bar, which leaves the widest numbers no room. Party 1's votes
    // have 14 digits; party 2's are repeated in exponent form once another party wins.
    typeVotes({ "99999999999999", "0.0000012345678", "9876543.21", "27142", "" });
    clickRow(find<QListWidget>(QStringLiteral("List3")), 39);
    QTest::mouseClick(command(0), Qt::LeftButton);
    for (int seat = 0; seat < 40; ++seat)
        QTest::mouseClick(command(1), Qt::LeftButton);

    auto shown = [this](int party, int row) {
        auto* list = quotients(party);
        auto* delegate = qobject_cast<RowDelegate*>(list->itemDelegate());
        QStyleOptionViewItem option;
        option.initFrom(list->viewport());
        option.font = list->font();
        option.fontMetrics = list->fontMetrics();
        option.rect = list->visualRect(rowIndex(list, row));
        return delegate->shownText(option, rowIndex(list, row));
    };
    const QString ellipsis(QChar(0x2026));
    QVERIFY(quotients(0)->verticalScrollBar()->isVisible());
    QCOMPARE(rowText(quotients(1), 2), QStringLiteral("1.2345678E-6"));
    const int last = rowCount(quotients(0)) - 1;
    for (int party = 0; party < 3; ++party) {
        // The list never scrolls sideways: its rows are as wide as it is.
        QCOMPARE(quotients(party)->horizontalScrollBar()->maximum(), 0);
        QCOMPARE(quotients(party)->visualRect(rowIndex(quotients(party), last)).width(),
            quotients(party)->viewport()->width());
    }
    QVERIFY2(shown(0, 0).startsWith(QStringLiteral("999")) && shown(0, 0).endsWith(ellipsis),
        qPrintable(shown(0, 0)));
    QVERIFY2(shown(1, 2).endsWith(ellipsis + QStringLiteral("E-6")), qPrintable(shown(1, 2)));
    QVERIFY(rowIndex(quotients(0), 0)
                .data(Qt::ToolTipRole)
                .toString()
                .contains(QStringLiteral("99999999999999")));
    // A number that fits is drawn whole.
    QCOMPARE(shown(3, 0), QStringLiteral("27142"));
}

void TestApportionForm::marksStandBesideTheirNumber_data()
{
    QTest::addColumn<QStringList>("votes");
    QTest::addColumn<int>("seats");
    QTest::newRow("seven digits") << QStringList { "1234567", "987654", "456789", "234567",
        "123456" } << 20;
    QTest::newRow("default") << QStringList { "58125", "45871", "27142", "15947", "12264" } << 7;
    QTest::newRow("exponent") << QStringList { "6.17283945E+299", "1", "", "", "" } << 2;
    QTest::newRow("tie") << QStringList { "16", "4", "3", "45", "34" } << 7;
    QTest::newRow("scroll bar") << QStringList { "58125000", "1", "", "", "" } << 40;
}

// A winning quotient reads as on paper: the number whole wherever it fits unmarked, its seat
// number raised right after it and nearer to it than to the next list's number.
void TestApportionForm::marksStandBesideTheirNumber()
{
    QFETCH(QStringList, votes);
    QFETCH(int, seats);
    typeVotes(votes);
    clickRow(find<QListWidget>(QStringLiteral("List3")), seats - 1);
    QTest::mouseClick(command(0), Qt::LeftButton);
    for (int seat = 0; seat < seats; ++seat)
        QTest::mouseClick(command(1), Qt::LeftButton);

    auto* delegate = qobject_cast<RowDelegate*>(quotients(0)->itemDelegate());
    int marked = 0;
    int withMark = 0;
    for (int party = 0; party < defaultPartyCount; ++party) {
        auto* list = quotients(party);
        for (int row = 1; row < rowCount(list); ++row) {
            const QModelIndex index = rowIndex(list, row);
            const int marks = index.data(QuotientModel::markRole).toInt();
            if (marks == 0)
                continue;
            list->scrollTo(index);
            QStyleOptionViewItem option;
            option.initFrom(list->viewport());
            option.font = list->font();
            option.fontMetrics = list->fontMetrics();
            option.rect = list->visualRect(index);
            const RowDelegate::RowLayout layout = delegate->layoutRow(option, index);
            const QString whole = index.data().toString();
            ++marked;
            if (whole.contains(QLatin1Char('E'))) {
                QVERIFY2(layout.text.endsWith(whole.mid(whole.indexOf(QLatin1Char('E')))),
                    qPrintable(layout.text));
            } else if (list->fontMetrics().horizontalAdvance(whole) <= layout.textRect.width()) {
                QCOMPARE(layout.text, whole);
            }
            QVERIFY(layout.textWidth <= layout.textRect.width());

            // Drawn, in the list as it shows, squeezed or not.
            const QImage shown = list->viewport()->grab().toImage();
            const qreal scale = shown.devicePixelRatio();
            auto inkIn = [&shown, scale](const QRect& area) {
                const QRect pixels(area.topLeft() * scale, area.size() * scale);
                int ink = 0;
                for (int y = pixels.top(); y <= pixels.bottom(); ++y) {
                    for (int x = pixels.left(); x <= pixels.right(); ++x) {
                        ink += qGray(shown.pixel(qBound(0, x, shown.width() - 1),
                                   qBound(0, y, shown.height() - 1)))
                            < 128;
                    }
                }
                return ink;
            };
            QVERIFY2(inkIn(QRect(layout.textRect.left(), option.rect.top(), qCeil(layout.textWidth),
                         option.rect.height()))
                    > 0,
                qPrintable(whole));
            if (layout.marks.isEmpty())
                continue;
            ++withMark;
            QVERIFY(layout.marks.startsWith(QString::number(QuotientModel::wonSeat(marks)))
                || QuotientModel::wonSeat(marks) == 0);
            // Right after its own number, inside its own row, raised above the number's middle.
            const int textEnd = layout.textRect.left() + qCeil(layout.textWidth);
            const int ownGap = layout.markRect.left() - textEnd;
            QVERIFY(ownGap >= 0);
            QVERIFY(layout.markRect.right() <= option.rect.right());
            QVERIFY(layout.markRect.center().y() < option.rect.center().y());
            if (party + 1 < defaultPartyCount) {
                auto* next = quotients(party + 1);
                const QPoint nextNumber = next->viewport()->mapTo(
                    m_form, next->visualRect(rowIndex(next, row)).topLeft() + QPoint(3, 0));
                const int markEnd = list->viewport()->mapTo(m_form, layout.markRect.topRight()).x();
                QVERIFY2(ownGap < nextNumber.x() - markEnd,
                    qPrintable(QStringLiteral("%1: %2 px from its number, %3 from the next")
                                   .arg(whole)
                                   .arg(ownGap)
                                   .arg(nextNumber.x() - markEnd)));
            }

            // And the mark drawn where it stands.
            QVERIFY2(inkIn(layout.markRect) > 0, qPrintable(whole));
        }
    }
    QVERIFY(marked >= seats);
    // At the window's own size, marks have room beside the numbers of a paper example.
    if (m_form->zoomPercent() == 100 && votes.front() == QStringLiteral("58125"))
        QCOMPARE(withMark, seats);
}

// In a font whose bold digits are wider than its plain ones, a winning quotient with room for
// its plain width only is drawn whole, a little narrower, rather than cut.
void TestApportionForm::boldNumberFittingOnlyPlainIsDrawnWhole()
{
    QTest::mouseClick(command(0), Qt::LeftButton);
    QTest::mouseClick(command(1), Qt::LeftButton);
    auto* list = quotients(0);
    const QModelIndex won = rowIndex(list, 1); // 58125, the first seat
    QCOMPARE(QuotientModel::wonSeat(won.data(QuotientModel::markRole).toInt()), 1);

    QFont plain(QStringLiteral("DejaVu Sans"));
    plain.setPixelSize(20);
    QFont bold = plain;
    bold.setBold(true);
    const int plainWidth = QFontMetrics(plain).horizontalAdvance(QStringLiteral("58125"));
    if (QFontMetrics(bold).horizontalAdvance(QStringLiteral("58125")) <= plainWidth)
        QSKIP("this machine's bold digits are no wider than its plain ones");

    QStyleOptionViewItem option;
    option.initFrom(list->viewport());
    option.font = plain;
    option.fontMetrics = QFontMetrics(plain);
    option.rect = QRect(0, 0, plainWidth + 2 * 3, QFontMetrics(plain).height() + 2);
    auto* delegate = qobject_cast<RowDelegate*>(list->itemDelegate());
    const RowDelegate::RowLayout layout = delegate->layoutRow(option, won);
    QCOMPARE(layout.text, QStringLiteral("58125"));
    QVERIFY(layout.squeeze < 1);
    QVERIFY(layout.marks.isEmpty()); // no room left for the seat number

    QImage image(option.rect.size() + QSize(20, 0), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    delegate->paint(&painter, option, won);
    painter.end();
    int inside = 0;
    int beyond = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) < 128)
                ++(x < option.rect.right() - 1 ? inside : beyond);
        }
    }
    QVERIFY(inside > 0);
    QCOMPARE(beyond, 0);
}

void TestApportionForm::listsScrollTogether()
{
    auto firstRows = [this] {
        QList<int> rows;
        for (int i = 0; i < defaultPartyCount; ++i)
            rows << quotients(i)->indexAt(QPoint(2, 2)).row();
        return rows;
    };
    clickRow(find<QListWidget>(QStringLiteral("List3")), 39);
    QTest::mouseClick(command(0), Qt::LeftButton);
    for (int seat = 0; seat < 40; ++seat)
        QTest::mouseClick(command(1), Qt::LeftButton);

    // After each seat the row it wrote is in view, in all five lists, at the same height.
    const QList<int> atBottom = firstRows();
    QVERIFY(atBottom.front() > 0);
    QCOMPARE(atBottom, QList<int>(defaultPartyCount, atBottom.front()));
    for (int i = 0; i < defaultPartyCount; ++i) {
        QVERIFY(quotients(i)->viewport()->rect().contains(
            quotients(i)->visualRect(rowIndex(quotients(i), 41))));
    }

    // The wheel over one list scrolls all five; typing does not pull them back down.
    auto* list = quotients(2);
    const QPoint centre = list->viewport()->rect().center();
    QWheelEvent wheel(centre, list->viewport()->mapToGlobal(centre), {}, QPoint(0, 120),
        Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(list->viewport(), &wheel);
    const QList<int> scrolled = firstRows();
    QVERIFY(scrolled.front() < atBottom.front());
    QCOMPARE(scrolled, QList<int>(defaultPartyCount, scrolled.front()));
    typeVotes({ "1", "2", "3", "4", "5" });
    QCOMPARE(firstRows(), scrolled);

    // So does the keyboard, and the next action brings the newest row back.
    quotients(4)->setFocus();
    QTest::keyClick(quotients(4), Qt::Key_End);
    QCOMPARE(firstRows(), atBottom);
    list->verticalScrollBar()->setValue(0);
    QCOMPARE(firstRows(), QList<int>(defaultPartyCount, 0));
    QTest::keyClick(command(1), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(firstRows(), QList<int>(defaultPartyCount, atBottom.front() - 1));
}

void TestApportionForm::captionsFit()
{
    const auto widgets = m_form->findChildren<QWidget*>();
    int checked = 0;
    for (QWidget* widget : widgets) {
        if (qobject_cast<QAbstractButton*>(widget) || qobject_cast<QLabel*>(widget)) {
            const QSize hint = widget->sizeHint();
            QVERIFY2(hint.width() <= widget->width() && hint.height() <= widget->height(),
                qPrintable(QStringLiteral("%1 needs %2x%3, has %4x%5")
                               .arg(widget->objectName())
                               .arg(hint.width())
                               .arg(hint.height())
                               .arg(widget->width())
                               .arg(widget->height())));
            ++checked;
        }
    }
    QCOMPARE(checked, 3 + 5 + 3 + 1); // labels, options, buttons and the status line

    auto* frame = find<QGroupBox>(QStringLiteral("Frame1"));
    QVERIFY(frame->fontMetrics().horizontalAdvance(frame->title()) < frame->width());
    // The options stand inside the frame, below its caption.
    for (auto* option : frame->findChildren<QRadioButton*>()) {
        QVERIFY(frame->rect().contains(option->geometry()));
        QVERIFY(option->y() >= frame->fontMetrics().height());
    }
}

void TestApportionForm::rowsFit_data()
{
    QTest::addColumn<QString>("list");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("rows");

    // The widest texts each list shows in use, with as many rows as make a scroll bar appear.
    QTest::newRow("quotients") << "List1_0"
                               << "5812500" << 40;
    QTest::newRow("quotient with a fraction") << "List1_4"
                                              << "29062.5" << 40;
    QTest::newRow("square-root divisor") << "List2"
                                         << "99.50" << 99;
    QTest::newRow("seat total") << "List3"
                                << "300" << 300;
}

void TestApportionForm::rowsFit()
{
    QFETCH(QString, list);
    QFETCH(QString, text);
    QFETCH(int, rows);

    auto* widget = find<QListView>(list);
    const int needed = widget->fontMetrics().horizontalAdvance(text);
    const int scrollBar = widget->verticalScrollBar()->sizeHint().width();
    const int available = widget->width() - 2 * widget->frameWidth()
        - (rows * widget->sizeHintForRow(0) > widget->height() ? scrollBar : 0);
    QVERIFY2(needed + 4 <= available,
        qPrintable(QStringLiteral("%1 needs %2, has %3").arg(text).arg(needed).arg(available)));

    auto* box = votes(0);
    QVERIFY(box->fontMetrics().horizontalAdvance(QStringLiteral("5812500")) + 8 <= box->width());
}

void TestApportionForm::controlsStayInsideAndApart()
{
    // Overlaps the layout draws: each party column with its own box and its neighbours (by
    // 15 twips, one pixel), the frame with the last column, and the two small labels with
    // the lists beneath them.
    auto expectedOverlap = [](const QString& a, const QString& b) {
        static const QRegularExpression column(QStringLiteral("^(List1|Text2)_(\\d)$"));
        const auto ma = column.match(a), mb = column.match(b);
        if (ma.hasMatch() && mb.hasMatch())
            return std::abs(ma.captured(2).toInt() - mb.captured(2).toInt()) <= 1;
        const QSet<QString> pair { a, b };
        return pair == QSet<QString> { "Frame1", "List1_4" }
        || pair == QSet<QString> { "Frame1", "Text2_4" }
        || pair == QSet<QString> { "List2", "Label1_1" }
        || pair == QSet<QString> { "List3", "Label1_2" };
    };

    // The party columns stand in an area that scrolls sideways, at the window's corner: they
    // are placed in the window's own coordinates.
    QList<QWidget*> controls;
    QList<QRect> placed;
    auto* area = find<QScrollArea>(QStringLiteral("PartyArea"));
    QCOMPARE(area->pos(), QPoint(0, 0));
    for (QWidget* child : m_form->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child == area) {
            for (QWidget* column :
                area->widget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
                if (column->isVisible()) {
                    controls << column;
                    placed << QRect(column->mapTo(m_form, QPoint(0, 0)), column->size());
                }
            }
        } else if (child->isVisible()) {
            controls << child;
            placed << child->geometry();
        }
    }
    QCOMPARE(controls.size(), 21); // all but the hidden quotation and the options in the frame
    for (int c = 0; c < controls.size(); ++c)
        QVERIFY2(m_form->rect().contains(placed[c]), qPrintable(controls[c]->objectName()));
    for (int a = 0; a < controls.size(); ++a) {
        for (int b = a + 1; b < controls.size(); ++b) {
            const QString nameA = controls[a]->objectName(), nameB = controls[b]->objectName();
            QCOMPARE(placed[a].intersects(placed[b]), expectedOverlap(nameA, nameB));
        }
    }
}

void TestApportionForm::tabOrderFollowsTheLayout()
{
    const QStringList expected { "Text1_0", "List1_0", "Text2_0", "List1_1", "Text2_1", "List1_2",
        "Text2_2", "List1_3", "Text2_3", "List1_4", "Text2_4", "Command1_0", "Command1_1",
        "Command1_2", "List2", "Option1_0",
        "List3" }; // an option group takes focus at its checked option only
    QStringList order;
    QWidget* widget = find<QWidget>(expected.front());
    widget->setFocus();
    for (int step = 0; step < expected.size(); ++step) {
        order << QApplication::focusWidget()->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QCOMPARE(order, expected);
    QCOMPARE(QApplication::focusWidget()->objectName(), expected.front());
}

void TestApportionForm::buttonsDrawnInTheirColours_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("Въведи") << "Command1_0" << QColor(128, 255, 128);
    QTest::newRow("Търси") << "Command1_1" << QColor(128, 255, 128);
    QTest::newRow("Изчисти") << "Command1_2" << QColor(255, 0, 0);
    QTest::newRow("title") << "Label1_0" << QColor(255, 192, 128);
    QTest::newRow("option") << "Option1_3" << QColor(128, 128, 255);
    QTest::newRow("frame") << "Frame1" << QColor(192, 192, 255);
}

void TestApportionForm::buttonsDrawnInTheirColours()
{
    QFETCH(QString, name);
    QFETCH(QColor, colour);
    auto* widget = find<QWidget>(name);
    const QImage image = widget->grab().toImage();
    // Right of the middle, clear of the border and of a caption that is centred or at the left;
    // borders grow with the zoom.
    const int inset = qRound(6 * m_form->zoomPercent() / 100.0);
    const QPoint probe(image.width() - inset, image.height() - inset);
    QCOMPARE(image.pixelColor(probe).name(), colour.name());
}

QTEST_MAIN(TestApportionForm)
#include "tst_apportionform.moc"
