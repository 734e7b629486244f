#include "window/output/table_export.h"

#include <QDate>
#include <QLocale>
#include <QRegularExpression>
#include <QStringList>

using namespace apportion;

namespace {

const QString seatTotalLabel = QStringLiteral("Брой мандати");
const QString votesLabel = QStringLiteral("Гласове");
const QString seatsLabel = QStringLiteral("Мандати");
const QString sourceLabel = QStringLiteral("Източник");
const QStringList seatColumns = { QStringLiteral("Мандат"), QStringLiteral("Метод"),
    QStringLiteral("Партия"), QStringLiteral("Деление") };
const QString tieColumn = QStringLiteral("Равни");
const QString shareColumn = QStringLiteral("дял %");
const QString changeColumn = QStringLiteral("спрямо D’Hondt");

// One cell of a table as data: a number (written with "." by the core), a division of such numbers
// or a text, and its marks. Each output writes it in its own way: the clipboard with the user's
// decimal separator in numbers and divisions alike, paper with the window's ".".
struct Cell {
    // Prose is a sentence with numbers in it, such as a note: each decimal point between digits
    // takes the separator too, so one copy has one decimal mark.
    enum class Kind { Text, Number, Division, Prose };
    Kind kind = Kind::Text;
    QString value;
    bool bold = false;
};
using Line = QList<Cell>;

Cell text(const QString& value, bool bold = false) { return { Cell::Kind::Text, value, bold }; }
Cell prose(const std::string& value, bool bold = false)
{
    return { Cell::Kind::Prose, QString::fromStdString(value), bold };
}

// A number cell; empty where the core has no number for it.
// A spreadsheet reads the digits of a value cut short as a number; the window's "…" after
// them would make the cell text.
Cell number(const std::string& value, bool bold = false)
{
    QString digits = QString::fromStdString(value);
    if (digits.endsWith(QString::fromUtf8(cutMark)))
        digits.chop(1);
    return value.empty() ? Cell {} : Cell { Cell::Kind::Number, digits, bold };
}

// The number's digits with the separator in place of the point: the core writes numbers with
// "." and never groups digits, so that is the whole conversion.
QString written(const std::string& value, QChar point)
{
    return QString::fromStdString(value).replace(QLatin1Char('.'), point);
}

QString written(const Cell& cell, QChar point)
{
    switch (cell.kind) {
    case Cell::Kind::Text:
        return cell.value;
    case Cell::Kind::Prose: {
        // Only a point with a digit on either side is a decimal point: "Д.С.Б." and a sentence's
        // full stop stay.
        static const QRegularExpression decimal(QStringLiteral("(?<=[0-9])\\.(?=[0-9])"));
        return QString(cell.value).replace(decimal, QString(point));
    }
    default:
        return QString(cell.value).replace(QLatin1Char('.'), point);
    }
}

// "45 ÷ 4 = 11,25 → 11,3": the winning division, unrounded and as it competed.
QString division(const WorkedTable::Row& row, QChar point)
{
    QString shown = written(row.votes, point) + QStringLiteral(" ÷ ") + written(row.divisor, point)
        + QStringLiteral(" = ") + written(row.unrounded, point);
    if (row.unrounded != row.quotient)
        shown += QStringLiteral(" → ") + written(row.quotient, point);
    return shown;
}

struct Sections {
    QList<Line> info; // the seat total, the votes and how typed texts were read
    Line seatHeading;
    QList<Line> seats; // one per seat, then each party's seats
};

Sections sections(const WorkedTable& table, QChar point)
{
    const int leading = static_cast<int>(seatColumns.size());

    Sections parts;
    // Which election or example the numbers are, before them.
    if (!table.title.empty())
        parts.info << Line { text(QString::fromStdString(table.title), true) };
    if (!table.source.empty())
        parts.info << Line { text(sourceLabel), text(QString::fromStdString(table.source)) };
    parts.info << Line { text(seatTotalLabel), number(table.seatTotal) };
    Line votes { text(votesLabel) };
    for (int i = 1; i < leading; ++i)
        votes << Cell {};
    for (const auto& value : table.votes)
        votes << number(value);
    parts.info << votes;
    if (!table.readings.empty()) {
        QStringList readings;
        for (const auto& reading : table.readings)
            readings << QString::fromStdString(reading);
        parts.info << Line { text(readings.join(QLatin1Char(' '))) };
    }

    for (const auto& column : seatColumns)
        parts.seatHeading << text(column, true);
    for (const auto& heading : table.headings)
        parts.seatHeading << text(QString::fromStdString(heading), true);
    parts.seatHeading << text(tieColumn, true);
    for (const auto& row : table.rows) {
        // The winner by its number while unnamed, a cell a spreadsheet counts with.
        const bool named = row.party.find_first_not_of("0123456789") != std::string::npos;
        Line line { number(row.seat), text(QString::fromStdString(row.method)),
            named ? text(QString::fromStdString(row.party)) : number(row.party),
            text(division(row, point)) };
        for (const auto& quotient : row.quotients)
            line << number(quotient.text, quotient.won);
        line << text(QString::fromStdString(row.tied));
        parts.seats << line;
    }
    Line total { text(seatsLabel, true) };
    for (int i = 1; i < leading; ++i)
        total << Cell {};
    for (const int seats : table.seats)
        total << number(std::to_string(seats), true);
    parts.seats << total;
    return parts;
}

// The comparison's party columns: every column between the method's and the two indices.
std::size_t partyColumns(const ComparisonTable& table)
{
    return table.header.size() >= 3 ? table.header.size() - 3 : 0;
}

// Hare–Niemeyer's working: the quota, then a column per party and a row per step.
QList<Line> workingLines(const ComparisonTable& table)
{
    if (table.workingRows.empty())
        return {};
    // The quota as a number of its own, then its division as the window shows it.
    const std::string division = table.quotaLine.substr(table.quotaLine.find(": ") + 2);
    QList<Line> lines { Line { text(QStringLiteral("Hare–Niemeyer стъпка по стъпка"), true) },
        Line { text(QStringLiteral("Квота")), number(table.quota),
            Cell { Cell::Kind::Division, QString::fromStdString(division) } } };
    Line heading;
    for (const auto& column : table.workingHeader)
        heading << text(QString::fromStdString(column), true);
    lines << heading;
    for (const auto& row : table.workingRows) {
        Line line { text(QString::fromStdString(row.front())) };
        for (std::size_t c = 1; c < row.size(); ++c) {
            const bool word = row[c] == underThresholdText || row[c] == notCountedText;
            line << (word ? text(QString::fromStdString(row[c])) : number(row[c]));
        }
        lines << line;
    }
    return lines;
}

// The comparison with every number in a cell of its own: each party's seats, seat share and
// difference from D'Hondt (a plain signed number) side by side, then the two indices.
QList<Line> comparisonLines(const ComparisonTable& table)
{
    const std::size_t parties = partyColumns(table);
    Line heading;
    for (std::size_t c = 0; c < table.header.size(); ++c) {
        heading << text(QString::fromStdString(table.header[c]), true);
        if (c >= 1 && c <= parties)
            heading << text(shareColumn, true) << text(changeColumn, true);
    }
    QList<Line> lines { heading };
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        const auto& row = table.rows[r];
        const bool methodRow = r > 0; // the first row holds the votes
        Line line;
        for (std::size_t c = 0; c < row.size(); ++c) {
            const auto& cell = row[c];
            if (c == 0) {
                line << text(QString::fromStdString(cell.text));
            } else if (c <= parties) {
                line << number(cell.count, cell.change != 0) << number(cell.share)
                     << (methodRow ? number(std::to_string(cell.change)) : Cell {});
            } else {
                line << number(cell.count);
            }
        }
        lines << line;
    }
    for (const auto& note : table.notes)
        lines << Line { prose(note) };
    lines << workingLines(table);
    return lines;
}

// The comparison copied on its own says for how many seats it stands; in the worked table's copy
// the seat total heads the whole.
QList<Line> comparisonAlone(const ComparisonTable& table)
{
    QList<Line> lines;
    if (!table.lessonTitle.empty())
        lines << Line { text(QString::fromStdString(table.lessonTitle), true) };
    return lines << Line { text(seatTotalLabel), number(table.seatTotal) }
                 << comparisonLines(table);
}

QString tabSeparated(const QList<Line>& lines, QChar point)
{
    QStringList texts;
    for (const Line& line : lines) {
        QStringList cells;
        for (const Cell& cell : line)
            cells << written(cell, point);
        texts << cells.join(QLatin1Char('\t'));
    }
    return texts.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

// One row of a table, its cells' texts already written.
QString htmlRow(const QList<QPair<QString, bool>>& cells, const QString& open, const QString& close)
{
    QString html = QStringLiteral("<tr>");
    for (const auto& [shown, bold] : cells) {
        const QString escaped = shown.toHtmlEscaped();
        html += open + (bold ? QStringLiteral("<b>%1</b>").arg(escaped) : escaped) + close;
    }
    return html + QStringLiteral("</tr>\n");
}

QList<QPair<QString, bool>> writtenCells(const Line& line, QChar point)
{
    QList<QPair<QString, bool>> cells;
    for (const Cell& cell : line)
        cells << qMakePair(written(cell, point), cell.bold);
    return cells;
}

QString htmlTable(const QList<Line>& lines, QChar point)
{
    QString html = QStringLiteral(
        "<meta charset=\"utf-8\"><table border=\"1\" cellspacing=\"0\" cellpadding=\"3\">\n");
    for (const Line& line : lines)
        html += htmlRow(writtenCells(line, point), QStringLiteral("<td>"), QStringLiteral("</td>"));
    return html + QStringLiteral("</table>\n");
}

// The clipboard's lines: the sections one after another, an empty line between them.
QList<Line> clipboardLines(const WorkedTable& table, QChar point)
{
    const Sections parts = sections(table, point);
    QList<Line> lines = parts.info;
    lines << Line {} << parts.seatHeading << parts.seats << Line {}
          << Line { prose(table.comparison.title, true) } << comparisonLines(table.comparison);
    return lines;
}

const QString printedCell = QStringLiteral("<td style=\"white-space: nowrap\">");

// A printed table whose heading repeats at the top of every page it runs onto. A cell never
// wraps, so a page holds as many seats as its height allows; headings may.
QString printedTable(const QList<QPair<QString, bool>>& heading,
    const QList<QList<QPair<QString, bool>>>& rows, bool fullWidth)
{
    QString html
        = QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\"%1>\n<thead>")
              .arg(fullWidth ? QStringLiteral(" width=\"100%\"") : QString())
        + htmlRow(heading, QStringLiteral("<th>"), QStringLiteral("</th>"))
        + QStringLiteral("</thead>\n<tbody>\n");
    for (const auto& row : rows) {
        QString line = QStringLiteral("<tr>");
        for (const auto& [shown, bold] : row) {
            // Already escaped by the caller where it holds a line break.
            line += printedCell + (bold ? QStringLiteral("<b>%1</b>").arg(shown) : shown)
                + QStringLiteral("</td>");
        }
        html += line + QStringLiteral("</tr>\n");
    }
    return html + QStringLiteral("</tbody></table>\n");
}

QList<QList<QPair<QString, bool>>> escapedRows(const QList<Line>& lines, QChar point)
{
    QList<QList<QPair<QString, bool>>> rows;
    for (const Line& line : lines) {
        auto cells = writtenCells(line, point);
        for (auto& cell : cells)
            cell.first = cell.first.toHtmlEscaped();
        rows << cells;
    }
    return rows;
}

// The comparison on paper as the window shows it, a party's seat share under its seats so that
// the table fits a page's width.
QString printedComparison(const ComparisonTable& table)
{
    // A party a threshold leaves out is headed so, as in the window.
    QList<QPair<QString, bool>> heading;
    for (std::size_t c = 0; c < table.header.size(); ++c) {
        QString head = QString::fromStdString(table.header[c]);
        if (!table.rows.empty() && c < table.rows.front().size()
            && table.rows.front()[c].underThreshold)
            head += QStringLiteral(" (под прага)");
        heading << qMakePair(head, true);
    }
    QList<QList<QPair<QString, bool>>> rows;
    for (const auto& row : table.rows) {
        QList<QPair<QString, bool>> cells;
        for (std::size_t c = 0; c < row.size(); ++c) {
            const auto& cell = row[c];
            const bool party = c >= 1 && c <= partyColumns(table);
            if (!party || cell.count.empty()) {
                cells << qMakePair(QString::fromStdString(cell.text).toHtmlEscaped(), false);
                continue;
            }
            QString shown = QString::fromStdString(cell.count + ChangeMark(cell.change));
            if (!cell.share.empty())
                shown += QStringLiteral("<br>(%1 %)").arg(QString::fromStdString(cell.share));
            cells << qMakePair(shown, cell.change != 0);
        }
        rows << cells;
    }
    return printedTable(heading, rows, false);
}

// Hare–Niemeyer's working on paper, under its heading; empty where there is none.
QString printedWorking(const ComparisonTable& table, QChar point)
{
    QList<Line> lines = workingLines(table);
    if (lines.size() < 3)
        return {};
    const QString html = QStringLiteral("<h3>%1</h3>\n<p>%2</p>\n")
                             .arg(lines[0].front().value.toHtmlEscaped(),
                                 QString::fromStdString(table.quotaLine).toHtmlEscaped());
    const Line heading = lines[2];
    lines = lines.mid(3);
    return html + printedTable(writtenCells(heading, point), escapedRows(lines, point), false);
}

} // namespace

QString tableAsTabSeparated(const WorkedTable& table, const QLocale& locale)
{
    const QChar point = locale.decimalPoint().front();
    return tabSeparated(clipboardLines(table, point), point);
}

QString tableAsHtml(const WorkedTable& table, const QLocale& locale)
{
    const QChar point = locale.decimalPoint().front();
    return htmlTable(clipboardLines(table, point), point);
}

QStringList printableParts(const WorkedTable& table, const QDate& date)
{
    const QChar point = QLatin1Char('.');
    const Sections parts = sections(table, point);

    // The seat total, then the votes as a row of five cells under the parties' names.
    QList<QPair<QString, bool>> partiesHeading { qMakePair(QString(), true) };
    for (const auto& heading : table.headings)
        partiesHeading << qMakePair(QString::fromStdString(heading), true);
    QList<QPair<QString, bool>> votes { qMakePair(votesLabel, true) };
    for (const auto& value : table.votes)
        votes << qMakePair(QString::fromStdString(value), false);
    QString readings;
    for (const auto& reading : table.readings)
        readings += QStringLiteral("<br>") + QString::fromStdString(reading).toHtmlEscaped();

    QStringList printed;
    // The lesson's title heads the page where it has one, the program's name under it.
    const QString program = QStringLiteral("Математика - системи за разпределение на мандати");
    const QString heading = table.title.empty()
        ? QStringLiteral("<h2>%1</h2>\n").arg(program)
        : QStringLiteral("<h2>%1</h2>\n<p>%2%3</p>\n")
              .arg(QString::fromStdString(table.title).toHtmlEscaped(),
                  table.source.empty()
                      ? QString()
                      : QStringLiteral("%1: %2<br>")
                            .arg(sourceLabel, QString::fromStdString(table.source).toHtmlEscaped()),
                  program);
    printed << heading
            + QStringLiteral("<p>%1<br>%2: %3%4</p>\n")
                  .arg(date.toString(QStringLiteral("dd.MM.yyyy")), seatTotalLabel,
                      QString::fromStdString(table.seatTotal), readings)
            + printedTable(partiesHeading, { votes }, false) + QStringLiteral("<p></p>\n")
            + printedTable(
                writtenCells(parts.seatHeading, point), escapedRows(parts.seats, point), true);
    QString comparison = QStringLiteral("<h3>%1</h3>\n")
                             .arg(QString::fromStdString(table.comparison.title).toHtmlEscaped())
        + printedComparison(table.comparison);
    for (const auto& note : table.comparison.notes)
        comparison
            += QStringLiteral("<p>%1</p>\n").arg(QString::fromStdString(note).toHtmlEscaped());
    printed << comparison;
    const QString working = printedWorking(table.comparison, point);
    if (!working.isEmpty())
        printed << working;
    return printed;
}

QString comparisonAsTabSeparated(const ComparisonTable& table, const QLocale& locale)
{
    const QChar point = locale.decimalPoint().front();
    return tabSeparated(comparisonAlone(table), point);
}

QString comparisonAsHtml(const ComparisonTable& table, const QLocale& locale)
{
    const QChar point = locale.decimalPoint().front();
    return htmlTable(comparisonAlone(table), point);
}
