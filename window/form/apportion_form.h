#pragma once

#include "core/board.h"
#include "core/undo_history.h"
#include "window/form/form_zoom.h"

#include <QWidget>

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

class ComparisonWindow;
class DivisorModel;
class FormActions;
class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListView;
class QPlainTextEdit;
class QPrinter;
class PartyArea;
class SeatList;
class StatusLine;

// The program's one window. It owns one Board for its whole life and the history of what was
// done to it: every method choice, button press and teacher's action runs one operation, after
// which showBoard() tells the lists' models and the controls what changed. Typing in a vote box
// and choosing a seat total only change texts the next operation reads (and the methods'
// comparison, which follows them live).
class ApportionForm : public QWidget {
    Q_OBJECT

public:
    explicit ApportionForm(QWidget* parent = nullptr);
    ~ApportionForm() override;

    const apportion::Board& board() const { return *m_board; }
    const FormActions& actions() const { return *m_actions; }
    // The comparison of the methods, once it has been opened.
    const ComparisonWindow* comparisonWindow() const { return m_comparison; }

    int zoomPercent() const { return m_zoom.percent(); }
    // Zooms to the largest step up to `percent` at which the window fits its screen.
    void setZoomPercent(int percent);

    // Prints the worked table, with a title, the date, the seat total and the votes, on the
    // printer's pages.
    void printTable(QPrinter& printer) const;

    // What the line under the controls says the last action did.
    QString statusReport() const;

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    // What an operation may have changed, for showBoard.
    enum class Operation {
        LoadWindow,
        SelectMethod,
        EnterVotes,
        GiveNextSeat,
        ClearAll,
        History,
        NewExample,
        Parties
    };

    void createControls();
    void placeControls();
    void connectEvents();

    // One handler per control array, dispatching on the index.
    void runCommand(int index);
    void selectMethod(int index, bool checked);
    void editVotes(int party, const QString& text);
    void editName(int party, const QString& text);
    void selectSeatTotal();

    void undo();
    void redo();
    void copyTable();
    void refuseCopy();
    void newExample();
    void addParty();
    void removeParty();
    void nameParties();
    // Fills the parties from the box's on with a results table on the clipboard; false where the
    // clipboard holds no table, or the parties cannot change now, and the box pastes as usual.
    bool pasteTable(QLineEdit* box);
    void openComparison();
    void zoomBy(int steps);
    void applyZoom();

    void showBoard(Operation operation);
    void showDivisorSelection();
    // Only what a seat, a method change or a clear can change is updated on the click's path;
    // the zoom actions change with the zoom and the screen.
    void showHistoryActions();
    void showZoomActions();
    void showPartyActions();
    // Whether the names' row stands over the vote boxes: once a party is named, or asked for.
    bool namesShown() const;
    // The five methods' final seats for the votes and the seat total, in the method options'
    // tooltips and the comparison window; computed again only when those changed.
    void showComparison();
    // Also into a closed comparison window, which otherwise is brought up to date when opened.
    void updateComparison(bool evenHidden);
    // The comparison window's threshold, 0 before it was opened.
    double comparedThreshold() const;

    // Shared with the lists' models, so that no view outlives the board it shows.
    std::shared_ptr<apportion::Board> m_board;
    apportion::UndoHistory m_history;
    FormZoom m_zoom;
    // What the comparison was last computed for: the votes, the names, the seat total and the
    // threshold.
    using Compared = std::tuple<std::vector<std::string>, apportion::PartyNames, double, double>;
    std::optional<Compared> m_compared;

    std::array<QPlainTextEdit*, 2> m_texts {}; // explanatory text, hidden quotation
    std::array<QLabel*, 3> m_labels {}; // title, "делител", "мандат"
    PartyArea* m_parties = nullptr; // vote boxes, names and quotient lists
    QListView* m_divisorList = nullptr;
    SeatList* m_seatTotals = nullptr;
    QGroupBox* m_methodFrame = nullptr;
    QButtonGroup* m_commands = nullptr; // ids: 0 enter votes, 1 next seat, 2 clear
    QButtonGroup* m_methods = nullptr; // ids: the DivisorMethod values
    FormActions* m_actions = nullptr;
    DivisorModel* m_divisorModel = nullptr;
    ComparisonWindow* m_comparison = nullptr;
    StatusLine* m_status = nullptr;
    bool m_comparisonStale = false; // the comparison window shows older votes than m_compared
    bool m_namesAsked = false; // the names' row was asked for
    bool m_namesPlaced = false; // the names' row as the controls were last placed
    int m_columnsPlaced = apportion::defaultPartyCount; // the columns the window was last sized for
};
