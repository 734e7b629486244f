#pragma once

#include "core/teaching/worked_table.h"

#include <QString>

class QDate;
class QLocale;

// The worked table, for office programs and for paper. The clipboard's two formats hold one
// table, the same rows and cells in both: the seat total and the votes as the allocation read
// them (with a note where a typed text read as another number); one row per seat with its
// number, method, party, winning division (unrounded and as it competed) and every party's
// quotient as it competed (the winning one bold in the HTML), and the parties whose quotients
// read equal in a cell of their own; each party's seats; and the five methods compared. Every
// number stands alone in its cell with the locale's decimal separator, so that a spreadsheet
// reads it as a number.
QString tableAsTabSeparated(const apportion::WorkedTable& table, const QLocale& locale);
QString tableAsHtml(const apportion::WorkedTable& table, const QLocale& locale);

// A document to print, in parts that each stay on one page where they fit: the title, the date,
// the seat total and the votes in a row of five cells, then the seats, a table whose heading
// repeats on every page it runs onto; the comparison under its heading, with its notes;
// Hare–Niemeyer's working under its heading. Numbers as the window shows them.
QStringList printableParts(const apportion::WorkedTable& table, const QDate& date);

// The comparison alone, as the comparison window copies it: each party's seats, seat share and
// difference from D'Hondt in cells of their own.
QString comparisonAsTabSeparated(const apportion::ComparisonTable& table, const QLocale& locale);
QString comparisonAsHtml(const apportion::ComparisonTable& table, const QLocale& locale);
