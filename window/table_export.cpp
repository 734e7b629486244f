#include "window/table_export.h"

#include <QDate>
#include <QLocale>
#include <QStringList>

using namespace apportion;

namespace {

const QString methodLabel = QStringLiteral("Метод");
const QString seatTotalLabel = QStringLiteral("Брой мандати");
const QString votesLabel = QStringLiteral("Гласове");
const QStringList seatColumns
    = { QStringLiteral("Мандат"), QStringLiteral("Партия"), QStringLiteral("Делител") };

QString partyColumn(int party) { return QStringLiteral("Партия %1").arg(party + 1); }

QString text(const std::string& value) { return QString::fromStdString(value); }

QString escaped(const std::string& value) { return text(value).toHtmlEscaped(); }

QString htmlRows(const WorkedTable& table)
{
    QString html = QStringLiteral("<tr><th>%1</th><td colspan=\"2\"></td>").arg(votesLabel);
    for (const auto& votes : table.votes)
        html += QStringLiteral("<td align=\"right\">%1</td>").arg(escaped(votes));
    html += QStringLiteral("</tr>\n<tr>");
    for (const auto& column : seatColumns)
        html += QStringLiteral("<th>%1</th>").arg(column);
    for (int i = 0; i < partyCount; ++i)
        html += QStringLiteral("<th>%1</th>").arg(partyColumn(i));
    html += QStringLiteral("</tr>\n");
    for (const auto& row : table.rows) {
        html += QStringLiteral("<tr><td align=\"right\">%1</td><td align=\"right\">%2</td>"
                               "<td align=\"right\">%3</td>")
                    .arg(escaped(row.seat), escaped(row.party), escaped(row.divisor));
        for (int i = 0; i < partyCount; ++i) {
            const bool won = row.party == std::to_string(i + 1);
            html += QStringLiteral("<td align=\"right\">%1%2%3</td>")
                        .arg(won ? QStringLiteral("<b>") : QString(), escaped(row.quotients[i]),
                            won ? QStringLiteral("</b>") : QString());
        }
        html += QStringLiteral("</tr>\n");
    }
    return html;
}

} // namespace

QString tableAsTabSeparated(const WorkedTable& table, const QLocale& locale)
{
    const QString point = locale.decimalPoint();
    auto number = [&point](const std::string& value) {
        return text(value).replace(QLatin1Char('.'), point);
    };

    QStringList lines;
    lines << methodLabel + QLatin1Char('\t') + text(table.method);
    lines << seatTotalLabel + QLatin1Char('\t') + number(table.seatTotal);
    QStringList votes { votesLabel, QString(), QString() };
    for (const auto& value : table.votes)
        votes << number(value);
    lines << votes.join(QLatin1Char('\t'));
    lines << QString();

    QStringList heading = seatColumns;
    for (int i = 0; i < partyCount; ++i)
        heading << partyColumn(i);
    lines << heading.join(QLatin1Char('\t'));
    for (const auto& row : table.rows) {
        QStringList cells { text(row.seat), text(row.party), number(row.divisor) };
        for (const auto& quotient : row.quotients)
            cells << number(quotient);
        lines << cells.join(QLatin1Char('\t'));
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

QString tableAsHtml(const WorkedTable& table)
{
    return QStringLiteral("<meta charset=\"utf-8\"><table border=\"1\" cellspacing=\"0\" "
                          "cellpadding=\"3\">\n<tr><th>%1</th><td colspan=\"7\">%2</td></tr>\n"
                          "<tr><th>%3</th><td colspan=\"7\">%4</td></tr>\n%5</table>\n")
        .arg(methodLabel, escaped(table.method), seatTotalLabel, escaped(table.seatTotal),
            htmlRows(table));
}

QString printableHtml(const WorkedTable& table, const QDate& date)
{
    return QStringLiteral("<h2>Математика - системи за разпределение на мандати</h2>\n"
                          "<p>%1<br>%2: %3<br>%4: %5</p>\n"
                          "<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\" "
                          "width=\"100%\">\n%6</table>\n")
        .arg(date.toString(QStringLiteral("dd.MM.yyyy")), methodLabel, escaped(table.method),
            seatTotalLabel, escaped(table.seatTotal), htmlRows(table));
}
