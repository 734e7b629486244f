#pragma once

#include "core/board.h"

#include <QWidget>

#include <array>

class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class SeatList;

// The program's one window. It owns one Board for its whole life: every method choice and
// button press runs one board operation, after which showBoard() brings the controls up to date.
// Typing in a vote box and choosing a seat total only change texts the next operation reads.
class ApportionForm : public QWidget {
    Q_OBJECT

public:
    explicit ApportionForm(QWidget* parent = nullptr);

    const apportion::Board& board() const { return m_board; }

private:
    void createControls();
    void connectEvents();

    // One handler per control array, dispatching on the index.
    void runCommand(int index);
    void selectMethod(int index, bool checked);
    void editVotes(int party, const QString& text);
    void selectSeatTotal();

    void showBoard();
    void showDivisorSelection();

    apportion::Board m_board;
    // The seat counter as last shown: a rise means a seat was given and its divisor is highlighted.
    int m_shownSeatsGiven = 0;

    std::array<QPlainTextEdit*, 2> m_text1 {}; // explanatory text, hidden quotation
    std::array<QLabel*, 3> m_label1 {}; // title, "делител", "мандат"
    std::array<QLineEdit*, apportion::partyCount> m_text2 {}; // vote totals, then seat counts
    std::array<QListWidget*, apportion::partyCount> m_list1 {}; // quotient rows
    QListWidget* m_list2 = nullptr; // divisors
    SeatList* m_list3 = nullptr; // seat totals
    QGroupBox* m_frame1 = nullptr;
    QButtonGroup* m_command1 = nullptr; // ids: 0 enter votes, 1 next seat, 2 clear
    QButtonGroup* m_option1 = nullptr; // ids: the DivisorMethod values
};
