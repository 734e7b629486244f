#pragma once

#include "core/allocation/board.h"

#include <QSize>

#include <array>
#include <memory>

class DivisorModel;
class PartyArea;
class QButtonGroup;
class QFont;
class QGroupBox;
class QLabel;
class QListView;
class QPlainTextEdit;
class QWidget;
class SeatList;
class StatusLine;
class TextBoxKeys;

// The window's controls as the layout table draws them: created in the tab order of the table,
// named as it names them, and placed at a zoom for the board's parties. They show nothing of the
// board until the window tells them what changed.
struct FormControls {
    // Creates every control in `form`; the lists read `board` through their models.
    FormControls(std::shared_ptr<const apportion::Board> board, QWidget* form);

    // Places every control at this zoom for this many parties, with or without the names' row,
    // and gives the styled ones the style sheet and the font. Parties past the drawn five widen
    // the window as far as its screen allows and scroll sideways past that; whatever stands right
    // of the columns moves right with them, and the title, the explanation and the status line
    // widen with the window. Returns the window's size.
    // The status line takes `statusLines` lines; the window grows by each past the first.
    QSize place(
        QWidget& form, double zoom, const QFont& font, int parties, bool names, int statusLines);

    TextBoxKeys* textBoxKeys = nullptr; // the text boxes' own keys, menus and paste
    std::array<QPlainTextEdit*, 2> texts {}; // explanatory text, hidden quotation
    std::array<QLabel*, 3> labels {}; // title, "делител", "мандат"
    PartyArea* parties = nullptr; // vote boxes, names and quotient lists
    QButtonGroup* commands = nullptr; // ids: 0 enter votes, 1 next seat, 2 clear
    DivisorModel* divisorModel = nullptr;
    QListView* divisorList = nullptr;
    QGroupBox* methodFrame = nullptr;
    QButtonGroup* methods = nullptr; // ids: the DivisorMethod values
    SeatList* seatTotals = nullptr;
    StatusLine* status = nullptr;
};
