#include "window/output/table_output.h"

#include "core/worked_table.h"
#include "window/comparison/seat_chart.h"
#include "window/output/table_export.h"

#include <QAbstractTextDocumentLayout>
#include <QClipboard>
#include <QDate>
#include <QDir>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMimeData>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QStandardPaths>
#include <QTextDocument>
#include <QUrl>

using namespace apportion;

namespace {

void putOnClipboard(const QString& text, const QString& html)
{
    auto* formats = new QMimeData;
    formats->setText(text);
    formats->setHtml(html);
    QGuiApplication::clipboard()->setMimeData(formats);
}

} // namespace

void copyWorkedTable(const Board& board, double threshold)
{
    const WorkedTable table = MakeWorkedTable(board, threshold);
    const QLocale locale;
    putOnClipboard(tableAsTabSeparated(table, locale), tableAsHtml(table, locale));
}

void copyComparison(const ComparisonTable& table)
{
    const QLocale locale;
    putOnClipboard(comparisonAsTabSeparated(table, locale), comparisonAsHtml(table, locale));
}

QString printTitle()
{
    return QStringLiteral("Мандати %1").arg(QDate::currentDate().toString(Qt::ISODate));
}

QString suggestedPdfPath()
{
    // A print to a folder that does not exist fails: the documents folder only where it does.
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QDir::homePath();
    return QDir(folder).filePath(printTitle() + QStringLiteral(".pdf"));
}

namespace {

// The smallest text a printout is set in to fit its tables on the page.
constexpr qreal smallestPrintPoints = 6;
constexpr qreal smallestMargin = 15; // mm

// The seats as a picture, drawn for paper at the printout's font.
QImage seatPicture(const Board& board, double threshold, const QFont& font)
{
    SeatChart chart;
    chart.setFont(font);
    for (SeatBar* bar : chart.bars())
        bar->setFont(font);
    chart.setLegendShown(true);
    chart.showComparison(CompareMethods(board, threshold));
    chart.resize(QSize(std::max(chart.sizeHint().width(), 480), chart.sizeHint().height()));
    return chart.picture();
}

} // namespace

void printWorkedTable(const Board& board, QPrinter& printer, double threshold)
{
    if (printer.docName().isEmpty())
        printer.setDocName(printTitle());
    // A school printer leaves about 5 mm at the edges unprinted: margins of at least 15 mm.
    const QMarginsF margins = printer.pageLayout().margins(QPageLayout::Millimeter);
    printer.setPageMargins(
        QMarginsF(std::max(margins.left(), smallestMargin), std::max(margins.top(), smallestMargin),
            std::max(margins.right(), smallestMargin), std::max(margins.bottom(), smallestMargin)),
        QPageLayout::Millimeter);
    QPainter painter;
    if (!painter.begin(&printer))
        return;

    // Laid out on the printer itself, page by page, so that each page can carry its number
    // under the text: "стр. 2 от 9".
    const QSizeF area = printer.pageLayout().paintRectPixels(printer.resolution()).size();
    const WorkedTable table = MakeWorkedTable(board, threshold);
    const QString picture = QStringLiteral("seats.png");

    // Many parties make the tables wider than the page: the text is set smaller, down to a
    // size still read on paper, until the widest table fits.
    QTextDocument document;
    document.documentLayout()->setPaintDevice(&printer);
    // Words stay whole ("Партия", never "Пар/тия"); a table too wide for them sets the text
    // smaller.
    QTextOption wholeWords;
    wholeWords.setWrapMode(QTextOption::WordWrap);
    document.setDefaultTextOption(wholeWords);
    QFont font(QStringLiteral("Times New Roman"));
    qreal footer = 0;
    for (qreal points = 10; points >= smallestPrintPoints; points -= 0.5) {
        font.setPointSizeF(points);
        document.setDefaultFont(font);
        document.addResource(QTextDocument::ImageResource, QUrl(picture),
            seatPicture(board, threshold, QFont(font, &printer)));
        document.setHtml(printableHtml(table, QDate::currentDate(), picture));
        footer = 2 * QFontMetricsF(font, &printer).height();
        document.setPageSize(QSizeF(area.width(), area.height() - footer));
        if (document.idealWidth() <= area.width())
            break;
    }
    document.setMetaInformation(QTextDocument::DocumentTitle, printTitle());
    const QSizeF body(area.width(), area.height() - footer);
    const int pages = document.pageCount();

    painter.setFont(QFont(font, &printer));
    for (int page = 0; page < pages; ++page) {
        if (page > 0)
            printer.newPage();
        painter.save();
        painter.translate(0, -page * body.height());
        document.drawContents(&painter, QRectF(QPointF(0, page * body.height()), body));
        painter.restore();
        painter.drawText(QRectF(0, body.height(), body.width(), footer), Qt::AlignCenter,
            QStringLiteral("стр. %1 от %2").arg(page + 1).arg(pages));
    }
    painter.end();
}

void preparePrintDialog(QPrintDialog& dialog)
{
    dialog.setWindowTitle(QStringLiteral("Печат на таблицата"));
    // Qt's own dialog offers a print to a file with a name in the current folder; the
    // documents folder is where a teacher looks for it. (The platform's dialogs name the file
    // after the document.)
    if (auto* fileName = dialog.findChild<QLineEdit*>(QStringLiteral("filename")))
        fileName->setText(suggestedPdfPath());
}

void printWorkedTableWithDialog(const Board& board, QWidget* parent, double threshold)
{
    QPrinter printer;
    printer.setDocName(printTitle());
    QPrintDialog dialog(&printer, parent);
    preparePrintDialog(dialog);
    if (dialog.exec() == QDialog::Accepted)
        printWorkedTable(board, printer, threshold);
}
