#pragma once

#include "core/board.h"
#include "core/undo_history.h"

#include <QWidget>

#include <array>
#include <optional>

class FormActions;
class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPrinter;
class SeatList;

// The program's one window. It owns one Board for its whole life and the history of what was
// done to it: every method choice, button press and teacher's action runs one operation, after
// which showBoard() brings the controls up to date. Typing in a vote box and choosing a seat
// total only change texts the next operation reads.
class ApportionForm : public QWidget {
    Q_OBJECT

public:
    explicit ApportionForm(QWidget* parent = nullptr);

    const apportion::Board& board() const { return m_board; }
    const FormActions& actions() const { return *m_actions; }

    int zoomPercent() const;
    // Zooms to the largest step up to `percent` at which the window fits its screen.
    void setZoomPercent(int percent);

    // Prints the worked table, with a title, the date, the method and the votes, on the
    // printer's pages.
    void printTable(QPrinter& printer) const;

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void createControls();
    void placeControls();
    void connectEvents();

    // One handler per control array, dispatching on the index.
    void runCommand(int index);
    void selectMethod(int index, bool checked);
    void editVotes(int party, const QString& text);
    void selectSeatTotal();

    void undo();
    void redo();
    void copyTable() const;
    void printWithDialog();
    void zoomBy(int steps);
    void openMenu(const QPoint& globalPosition);
    void openMenuFromKeyboard();
    bool fitsScreen(int percent) const;

    void showBoard();
    void showDivisorSelection();
    // Only what a seat, a method change or a clear can change is updated on the click's path;
    // the zoom actions change with the zoom and the screen.
    void showHistoryActions();
    void showZoomActions();

    apportion::Board m_board;
    apportion::UndoHistory m_history;
    // The seat counter as last shown: a rise means a seat was given and its divisor is highlighted.
    int m_shownSeatsGiven = 0;
    std::optional<int> m_shownDivisorSelection;
    std::size_t m_zoomStep = 0; // in form_layout::zoomSteps

    std::array<QPlainTextEdit*, 2> m_texts {}; // explanatory text, hidden quotation
    std::array<QLabel*, 3> m_labels {}; // title, "делител", "мандат"
    std::array<QLineEdit*, apportion::partyCount> m_voteBoxes {}; // vote totals, then seat counts
    std::array<QListWidget*, apportion::partyCount> m_quotientLists {};
    QListWidget* m_divisorList = nullptr;
    SeatList* m_seatTotals = nullptr;
    QGroupBox* m_methodFrame = nullptr;
    QButtonGroup* m_commands = nullptr; // ids: 0 enter votes, 1 next seat, 2 clear
    QButtonGroup* m_methods = nullptr; // ids: the DivisorMethod values
    FormActions* m_actions = nullptr;
};
