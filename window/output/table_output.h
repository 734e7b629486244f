#pragma once

#include "core/allocation/board.h"
#include "core/comparison/comparison_table.h"

#include <QString>

class QPrintDialog;
class QPrinter;
class QWidget;

// Puts the worked table of the allocation on the clipboard, as HTML and as tab-separated text,
// with the user's locale's decimal separator.
void copyWorkedTable(const apportion::Board& board);

// Puts the comparison of the methods on the clipboard, in the same two formats.
void copyComparison(const apportion::ComparisonTable& table);

// Prints the worked table, with a title, the date, the seat total and the votes, on the
// printer's pages, ending with the comparison, Hare–Niemeyer's working and the seats as a
// picture; the document carries a title.
void printWorkedTable(const apportion::Board& board, QPrinter& printer);

// Asks for a printer, suggesting "Мандати <date>.pdf" in the user's documents folder for a
// print to a file, and prints.
void printWorkedTableWithDialog(const apportion::Board& board, QWidget* parent);

// Titles the print dialog and, in Qt's own dialog, suggests the file for a print to a file.
void preparePrintDialog(QPrintDialog& dialog);

// The document title a printout carries, and the file a print to a file suggests.
QString printTitle();
QString suggestedPdfPath();
