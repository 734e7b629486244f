#include "window/table_output.h"

#include "core/worked_table.h"
#include "window/table_export.h"

#include <QClipboard>
#include <QDate>
#include <QDir>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrinter>
#include <QStandardPaths>
#include <QTextDocument>

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
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty())
        folder = QDir::homePath();
    return QDir(folder).filePath(printTitle() + QStringLiteral(".pdf"));
}

void printWorkedTable(const Board& board, QPrinter& printer)
{
    QTextDocument document;
    QFont font(QStringLiteral("Times New Roman"));
    font.setPointSizeF(10);
    document.setDefaultFont(font);
    document.setHtml(printableHtml(MakeWorkedTable(board), QDate::currentDate()));
    document.setMetaInformation(QTextDocument::DocumentTitle, printTitle());
    if (printer.docName().isEmpty())
        printer.setDocName(printTitle());
    document.print(&printer);
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
