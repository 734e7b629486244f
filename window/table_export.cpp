#include "window/table_export.h"

#include <QDate>
#include <QLocale>
#include <QStringList>

using namespace apportion;

namespace {

const QString seatTotalLabel = QStringLiteral("Брой мандати");
const QString votesLabel = QStringLiteral("Гласове");
const QString seatsLabel = QStringLiteral("Мандати");
const QString comparisonTitle = QStringLiteral("Сравнение на методите");
const QStringList seatColumns = { QStringLiteral("Мандат"), QStringLiteral("Метод"),
    QStringLiteral("Партия"), QStringLiteral("Деление") };
const QString tieMarker = QStringLiteral(" =");

struct Cell {
    QString text;
    bool bold = false;
};
using Line = QList<Cell>;

struct Sections {
    QList<Line> info; // the seat total and the votes
    Line seatHeading;
    QList<Line> seats; // one per seat, then each party's seats
    Line comparisonHeading;
    QList<Line> comparison;
};

// Numbers written by the window always use "." and never group digits, so swapping the point
// is the whole conversion.
QString withPoint(const std::string& text, QChar point)
{
    return QString::fromStdString(text).replace(QLatin1Char('.'), point);
}

// The comparison's heading, then its rows.
QList<Line> comparisonLines(const ComparisonTable& table, QChar point)
{
    Line heading;
    for (const auto& column : table.header)
        heading << Cell { QString::fromStdString(column), true };
    QList<Line> lines { heading };
    for (const auto& row : table.rows) {
        Line line;
        for (const auto& cell : row)
            line << Cell { withPoint(cell.text, point), cell.change != 0 };
        lines << line;
    }
    return lines;
}

Sections sections(const WorkedTable& table, QChar point)
{
    auto number = [point](const std::string& text) { return withPoint(text, point); };
    const int leading = static_cast<int>(seatColumns.size());

    Sections parts;
    parts.info << Line { { seatTotalLabel }, { number(table.seatTotal) } };
    Line votes { { votesLabel } };
    for (int i = 1; i < leading; ++i)
        votes << Cell {};
    for (const auto& value : table.votes)
        votes << Cell { number(value) };
    parts.info << votes;

    for (const auto& column : seatColumns)
        parts.seatHeading << Cell { column, true };
    for (int i = 0; i < partyCount; ++i)
        parts.seatHeading << Cell { QStringLiteral("Партия %1").arg(i + 1), true };
    for (const auto& row : table.rows) {
        Line line { { number(row.seat) }, { QString::fromStdString(row.method) },
            { number(row.party) },
            { number(row.votes) + QStringLiteral(" ÷ ") + number(row.divisor)
                + QStringLiteral(" = ") + number(row.quotient) } };
        for (const auto& quotient : row.quotients)
            line << Cell { number(quotient.text) + (quotient.tied ? tieMarker : QString()),
                quotient.won };
        parts.seats << line;
    }
    Line total { { seatsLabel, true } };
    for (int i = 1; i < leading; ++i)
        total << Cell {};
    for (const int seats : table.seats)
        total << Cell { QString::number(seats), true };
    parts.seats << total;

    parts.comparison = comparisonLines(table.comparison, point);
    parts.comparisonHeading = parts.comparison.takeFirst();
    return parts;
}

QString tabSeparated(const QList<Line>& lines)
{
    QStringList texts;
    for (const Line& line : lines) {
        QStringList cells;
        for (const Cell& cell : line)
            cells << cell.text;
        texts << cells.join(QLatin1Char('\t'));
    }
    return texts.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

// One row of a table; `cell` opens each data cell ("<td>", or with attributes).
QString htmlRow(
    const Line& line, bool heading = false, const QString& cell = QStringLiteral("<td>"))
{
    QString html = QStringLiteral("<tr>");
    for (const Cell& shown : line) {
        const QString text
            = shown.text.toHtmlEscaped().replace(QLatin1Char('\n'), QStringLiteral("<br>"));
        if (heading)
            html += QString(cell).replace(QStringLiteral("td"), QStringLiteral("th")) + text
                + QStringLiteral("</th>");
        else
            html += cell + (shown.bold ? QStringLiteral("<b>%1</b>").arg(text) : text)
                + QStringLiteral("</td>");
    }
    return html + QStringLiteral("</tr>\n");
}

QString htmlTable(const QList<Line>& lines)
{
    QString html = QStringLiteral(
        "<meta charset=\"utf-8\"><table border=\"1\" cellspacing=\"0\" cellpadding=\"3\">\n");
    for (const Line& line : lines)
        html += htmlRow(line);
    return html + QStringLiteral("</table>\n");
}

// The clipboard's lines: the sections one after another, an empty line between them.
QList<Line> clipboardLines(const Sections& parts)
{
    QList<Line> lines = parts.info;
    lines << Line {} << parts.seatHeading << parts.seats << Line {}
          << Line { { comparisonTitle, true } } << parts.comparisonHeading << parts.comparison;
    return lines;
}

// A printed table whose heading repeats at the top of every page it runs onto.
QString printedTable(const Line& heading, QList<Line> lines, bool shareOnItsOwnLine = false)
{
    // A share in parentheses goes under its count, so that the comparison fits a page's width.
    if (shareOnItsOwnLine) {
        for (Line& line : lines) {
            for (Cell& cell : line)
                cell.text.replace(QStringLiteral(" ("), QStringLiteral("\n("));
        }
    }
    // The seats take the page's width; the comparison only what its cells need.
    QString html
        = QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\"%1>\n<thead>")
              .arg(shareOnItsOwnLine ? QString() : QStringLiteral(" width=\"100%\""))
        + htmlRow(heading, true) + QStringLiteral("</thead>\n<tbody>\n");
    // A cell never wraps, so a page holds as many seats as its height allows; headings may.
    for (const Line& line : lines)
        html += htmlRow(line, false, QStringLiteral("<td style=\"white-space: nowrap\">"));
    return html + QStringLiteral("</tbody></table>\n");
}

} // namespace

QString tableAsTabSeparated(const WorkedTable& table, const QLocale& locale)
{
    return tabSeparated(clipboardLines(sections(table, locale.decimalPoint().front())));
}

QString tableAsHtml(const WorkedTable& table, const QLocale& locale)
{
    return htmlTable(clipboardLines(sections(table, locale.decimalPoint().front())));
}

QString printableHtml(const WorkedTable& table, const QDate& date)
{
    const Sections parts = sections(table, QLatin1Char('.'));
    QString info;
    for (const Line& line : parts.info) {
        QStringList cells;
        for (const Cell& cell : line) {
            if (!cell.text.isEmpty())
                cells << cell.text.toHtmlEscaped();
        }
        info += QStringLiteral("<br>") + cells.join(QStringLiteral(" "));
    }
    return QStringLiteral(
               "<h2>Математика - системи за разпределение на мандати</h2>\n<p>%1%2</p>\n")
               .arg(date.toString(QStringLiteral("dd.MM.yyyy")), info)
        + printedTable(parts.seatHeading, parts.seats)
        + QStringLiteral("<h3>%1</h3>\n").arg(comparisonTitle)
        + printedTable(parts.comparisonHeading, parts.comparison, true);
}

QString comparisonAsTabSeparated(const ComparisonTable& table, const QLocale& locale)
{
    return tabSeparated(comparisonLines(table, locale.decimalPoint().front()));
}

QString comparisonAsHtml(const ComparisonTable& table, const QLocale& locale)
{
    return htmlTable(comparisonLines(table, locale.decimalPoint().front()));
}
