#pragma once

#include "core/worked_table.h"

#include <QString>

class QDate;
class QLocale;

// The worked table, for office programs and for paper. The clipboard's two formats hold one
// table, the same rows and cells in both: the seat total and the votes; one row per seat with
// its number, method, party, winning division and every party's quotient as it competed (the
// winning one bold in the HTML, the ones that read equal to it followed by "="); each party's
// seats; and the five methods compared. Numbers take the locale's decimal separator, so a
// spreadsheet reads them as numbers.
QString tableAsTabSeparated(const apportion::WorkedTable& table, const QLocale& locale);
QString tableAsHtml(const apportion::WorkedTable& table, const QLocale& locale);

// A document to print: the title, the date, the seat total and the votes, then the seats and the
// comparison as tables whose headings repeat on every page. Numbers as the window shows them.
QString printableHtml(const apportion::WorkedTable& table, const QDate& date);

// The comparison alone, as the comparison window copies it.
QString comparisonAsTabSeparated(const apportion::ComparisonTable& table, const QLocale& locale);
QString comparisonAsHtml(const apportion::ComparisonTable& table, const QLocale& locale);
