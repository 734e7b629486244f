#include "board_view.h"
#include "window/apportion_form.h"
#include "window/form_actions.h"

#include <QAction>
#include <QClipboard>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QtTest>

using namespace apportion;

class TestTeacherActions : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void undoBringsBackAMistakenClear();
    void copyPutsBothFormatsOnTheClipboard();
    void printsTheTableToPdf();
    void zoomStopsAtTheScreen();
    void contextMenuListsTheActions();

private:
    QPushButton* command(int index) const
    {
        return control<QPushButton>(*m_form, QStringLiteral("Command1_%1").arg(index));
    }
    void giveSeats(int seats) const;

    ApportionForm* m_form = nullptr;
};

void TestTeacherActions::init()
{
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

void TestTeacherActions::copyPutsBothFormatsOnTheClipboard()
{
    QLocale::setDefault(QLocale(QLocale::Bulgarian, QLocale::Bulgaria));
    giveSeats(7);
    QTest::keyClick(command(1), Qt::Key_C, Qt::ControlModifier);
    QLocale::setDefault(QLocale::c());

    const QMimeData* copied = QGuiApplication::clipboard()->mimeData();
    QVERIFY(copied && copied->hasText() && copied->hasHtml());
    const QStringList lines = copied->text().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(lines.value(0), QStringLiteral("Метод\tD’Hondt"));
    QCOMPARE(lines.value(2), QStringLiteral("Гласове\t\t\t58125\t45871\t27142\t15947\t12264"));
    QCOMPARE(lines.size(), 4 + 7);
    QCOMPARE(lines.value(4), QStringLiteral("1\t1\t2\t29062,5\t45871\t27142\t15947\t12264"));
    QCOMPARE(lines.value(10), QStringLiteral("7\t4\t2\t14531,3\t15290,3\t13571\t7973,5\t12264"));

    const QString html = copied->html();
    QVERIFY(html.contains(QStringLiteral("<table")));
    QCOMPARE(html.count(QStringLiteral("<tr>")), 3 + 1 + 7);
    QVERIFY(html.contains(QStringLiteral("<b>14531.3</b>")));
}

void TestTeacherActions::printsTheTableToPdf()
{
    giveSeats(7);
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

    QProcess pdftotext;
    pdftotext.start(
        QStringLiteral("pdftotext"), { QStringLiteral("-layout"), file, QStringLiteral("-") });
    QVERIFY2(pdftotext.waitForFinished(), "pdftotext (poppler-utils) is needed");
    const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput());
    for (const char* expected : { "разпределение на мандати", "D’Hondt", "58125", "Партия 5",
             "29062.5", "14531.3", "7973.5" })
        QVERIFY2(text.contains(QString::fromUtf8(expected)), expected);
    QCOMPARE(text.count(QStringLiteral("\f")), 1); // one page
}

void TestTeacherActions::zoomStopsAtTheScreen()
{
    // Zooming in as far as it goes ends at the largest step that fits the screen.
    for (int step = 0; step < 6; ++step)
        QTest::keyClick(command(1), Qt::Key_Plus, Qt::ControlModifier);
    const QSize screen = m_form->screen()->availableGeometry().size();
    const int zoom = m_form->zoomPercent();
    QVERIFY(zoom > 100);
    QCOMPARE(m_form->size(), QSize(598, 424) * (zoom / 100.0));
    QVERIFY(m_form->frameGeometry().width() <= screen.width());
    QVERIFY(m_form->frameGeometry().height() <= screen.height());
    const int next = zoom < 150 ? 150 : zoom < 200 ? 200 : zoom < 250 ? 250 : zoom < 300 ? 300 : 0;
    const QSize frame = m_form->frameGeometry().size() - m_form->size();
    QVERIFY(next == 0 || 598 * next / 100 + frame.width() > screen.width()
        || 424 * next / 100 + frame.height() > screen.height());
    QCOMPARE(m_form->actions().zoomIn->isEnabled(), false);

    QTest::keyClick(command(1), Qt::Key_Minus, Qt::ControlModifier);
    QVERIFY(m_form->zoomPercent() < zoom);
    QTest::keyClick(command(1), Qt::Key_Equal, Qt::ControlModifier);
    QCOMPARE(m_form->zoomPercent(), zoom);
    QTest::keyClick(command(1), Qt::Key_0, Qt::ControlModifier);
    QCOMPARE(m_form->size(), QSize(598, 424));
}

void TestTeacherActions::contextMenuListsTheActions()
{
    auto* list = control<QListWidget>(*m_form, QStringLiteral("List1_0"));
    auto openMenu = [list] {
        QStringList texts;
        QTimer::singleShot(0, list, [&texts] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu)
                return;
            for (QAction* action : menu->actions()) {
                if (!action->isSeparator())
                    texts << action->text() + (action->isEnabled() ? "" : " (off)");
            }
            menu->close();
        });
        QContextMenuEvent event(
            QContextMenuEvent::Mouse, QPoint(10, 10), list->mapToGlobal(QPoint(10, 10)));
        QApplication::sendEvent(list->viewport(), &event);
        QTest::qWait(50);
        return texts;
    };

    QCOMPARE(openMenu(),
        QStringList({ "Отмени (off)", "Повтори (off)", "Копирай таблицата (off)", "Печат… (off)",
            "Увеличи", "Намали (off)", "Нормален размер (off)" }));
    giveSeats(2);
    QCOMPARE(openMenu(),
        QStringList({ "Отмени", "Повтори (off)", "Копирай таблицата", "Печат…", "Увеличи",
            "Намали (off)", "Нормален размер (off)" }));
}

QTEST_MAIN(TestTeacherActions)
#include "tst_teacheractions.moc"
