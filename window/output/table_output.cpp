#include "window/output/table_output.h"

#include "core/teaching/worked_table.h"
#include "window/output/table_export.h"
#include "window/picture/seat_chart.h"

#include <QAbstractTextDocumentLayout>
#include <QClipboard>
#include <QDate>
#include <QDir>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMimeData>
#include <QPainter>
#include <QPicture>
#include <QPrintDialog>
#include <QPrinter>
#include <QStandardPaths>
#include <QTextBlock>
#include <QTextDocument>
#include <QUrl>

#include <memory>

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

void copyWorkedTable(const Board& board)
{
    const WorkedTable table = MakeWorkedTable(board);
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

// The parts of the printout, laid out for the page: the documents, then the picture.
struct PrintParts {
    std::vector<std::unique_ptr<QTextDocument>> documents;
    std::unique_ptr<SeatChart> chart;
    qreal chartScale = 1; // the printer's pixels to one of the picture's
};

// Where one page of a part goes: on which printed page, how far down.
struct Placement {
    int part = 0; // the documents in order, then the picture
    int ownPage = 0; // the page of the part's own layout: a part longer than a page has several
    int page = 0;
    qreal top = 0;
};

// How far down the page a document's text ends: its last block's foot, on its last page.
qreal usedHeight(const QTextDocument& document, qreal pageHeight)
{
    const QRectF last = document.documentLayout()->blockBoundingRect(document.lastBlock());
    return last.bottom() + document.documentMargin() - (document.pageCount() - 1) * pageHeight;
}

// Each part starts on a new page where it would not fit on what is left of the one before but
// fits a page of its own, so that no heading is left at a page's foot and no table is broken
// that a page holds. A part longer than a page starts on a page of its own.
std::vector<Placement> placeParts(const PrintParts& parts, const QSizeF& body, qreal gap)
{
    std::vector<Placement> placed;
    int page = 0;
    qreal top = 0;
    const int count = static_cast<int>(parts.documents.size()) + (parts.chart ? 1 : 0);
    for (int part = 0; part < count; ++part) {
        const bool picture = part == static_cast<int>(parts.documents.size());
        const int pages
            = picture ? 1 : parts.documents[static_cast<std::size_t>(part)]->pageCount();
        const qreal height = picture
            ? parts.chart->height() * parts.chartScale
            : usedHeight(*parts.documents[static_cast<std::size_t>(part)], body.height());
        if (top > 0 && (pages > 1 || top + gap + height > body.height())) {
            ++page;
            top = 0;
        } else if (top > 0) {
            top += gap;
        }
        for (int own = 0; own < pages; ++own)
            placed.push_back({ part, own, page + own, top });
        page += pages - 1;
        top = pages > 1 ? height : top + height;
    }
    return placed;
}

} // namespace

void printWorkedTable(const Board& board, QPrinter& printer)
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
    const WorkedTable table = MakeWorkedTable(board);
    const QStringList html = printableParts(table, QDate::currentDate());

    // Many parties make the tables wider than the page: the text is set smaller, down to a
    // size still read on paper, until the widest table fits. Words stay whole ("Партия", never
    // "Пар/тия"); a table too wide for them sets the text smaller.
    QTextOption wholeWords;
    wholeWords.setWrapMode(QTextOption::WordWrap);
    QFont font(QStringLiteral("Times New Roman"));
    PrintParts parts;
    qreal footer = 0;
    QSizeF body;
    for (qreal points = 10; points >= smallestPrintPoints; points -= 0.5) {
        font.setPointSizeF(points);
        footer = 2 * QFontMetricsF(font, &printer).height();
        body = QSizeF(area.width(), area.height() - footer);
        parts.documents.clear();
        bool fits = true;
        for (const QString& part : html) {
            auto document = std::make_unique<QTextDocument>();
            document->documentLayout()->setPaintDevice(&printer);
            document->setDefaultTextOption(wholeWords);
            document->setDefaultFont(font);
            document->setHtml(part);
            document->setPageSize(body);
            fits = fits && document->idealWidth() <= area.width();
            parts.documents.push_back(std::move(document));
        }
        if (fits)
            break;
    }

    // The seats as a picture, drawn as lines and text on the printer at the text's size: sharp
    // at any resolution, with the legend under it.
    parts.chart = std::make_unique<SeatChart>();
    // In pixels of the picture: a size in points would be taken at the printer's resolution
    // again when the drawing is played back there, scaled up.
    QFont pictureFont(font);
    pictureFont.setPixelSize(qRound(font.pointSizeF() * parts.chart->logicalDpiY() / 72));
    parts.chart->setFont(pictureFont);
    for (SeatBar* bar : parts.chart->bars())
        bar->setFont(pictureFont);
    parts.chart->setLegendShown(true);
    parts.chart->showComparison(CompareMethods(board));
    parts.chartScale = printer.resolution() / static_cast<qreal>(parts.chart->logicalDpiY());
    parts.chart->heightForWidthOf(static_cast<int>(body.width() / parts.chartScale));

    const std::vector<Placement> placed
        = placeParts(parts, body, QFontMetricsF(font, &printer).height());
    const int pages = placed.empty() ? 1 : placed.back().page + 1;
    painter.setFont(QFont(font, &printer));
    int page = 0;
    for (const Placement& at : placed) {
        for (; page < at.page; ++page) {
            painter.drawText(QRectF(0, body.height(), body.width(), footer), Qt::AlignCenter,
                QStringLiteral("стр. %1 от %2").arg(page + 1).arg(pages));
            printer.newPage();
        }
        painter.save();
        if (at.part == static_cast<int>(parts.documents.size())) {
            painter.translate(0, at.top);
            // Recorded as drawing commands first: a widget rendered straight onto a printer
            // goes through a bitmap. Played back, the drawing is scaled from the screen's
            // resolution to the printer's.
            QPicture drawing;
            parts.chart->render(&drawing, QPoint(), QRegion(), QWidget::DrawChildren);
            painter.drawPicture(0, 0, drawing);
        } else {
            QTextDocument& document = *parts.documents[static_cast<std::size_t>(at.part)];
            painter.translate(0, at.top - at.ownPage * body.height());
            document.drawContents(&painter, QRectF(QPointF(0, at.ownPage * body.height()), body));
        }
        painter.restore();
    }
    painter.drawText(QRectF(0, body.height(), body.width(), footer), Qt::AlignCenter,
        QStringLiteral("стр. %1 от %2").arg(page + 1).arg(pages));
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

void printWorkedTableWithDialog(const Board& board, QWidget* parent)
{
    QPrinter printer;
    printer.setDocName(printTitle());
    QPrintDialog dialog(&printer, parent);
    preparePrintDialog(dialog);
    if (dialog.exec() == QDialog::Accepted)
        printWorkedTable(board, printer);
}
