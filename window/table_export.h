#pragma once

#include "core/worked_table.h"

#include <QString>

class QDate;
class QLocale;

// The worked table as tab-separated text for a spreadsheet: numbers with the locale's decimal
// separator, so a Bulgarian spreadsheet reads them as numbers.
QString tableAsTabSeparated(const apportion::WorkedTable& table, const QLocale& locale);

// The worked table as an HTML table, numbers exactly as the window shows them.
QString tableAsHtml(const apportion::WorkedTable& table);

// A page to print: the title, the date, the method, the votes and the table.
QString printableHtml(const apportion::WorkedTable& table, const QDate& date);
