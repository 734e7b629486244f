#pragma once

#include "core/board.h"
#include "core/undo_history.h"
#include "window/form_zoom.h"

#include <QWidget>

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <tuple>

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
class QuotientModel;
class ScrollLink;
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
        NewExample
    };

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
    void copyTable();
    void refuseCopy();
    void newExample();
    void openComparison();
    void zoomBy(int steps);
    void applyZoom();

    void showBoard(Operation operation);
    void showDivisorSelection();
    // Only what a seat, a method change or a clear can change is updated on the click's path;
    // the zoom actions change with the zoom and the screen.
    void showHistoryActions();
    void showZoomActions();
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
    // What the comparison was last computed for: the votes, the seat total and the threshold.
    using Compared = std::tuple<std::array<std::string, apportion::partyCount>, double, double>;
    std::optional<Compared> m_compared;

    std::array<QPlainTextEdit*, 2> m_texts {}; // explanatory text, hidden quotation
    std::array<QLabel*, 3> m_labels {}; // title, "делител", "мандат"
    std::array<QLineEdit*, apportion::partyCount> m_voteBoxes {}; // vote totals, then seat counts
    std::array<QListView*, apportion::partyCount> m_quotientLists {};
    QListView* m_divisorList = nullptr;
    SeatList* m_seatTotals = nullptr;
    QGroupBox* m_methodFrame = nullptr;
    QButtonGroup* m_commands = nullptr; // ids: 0 enter votes, 1 next seat, 2 clear
    QButtonGroup* m_methods = nullptr; // ids: the DivisorMethod values
    FormActions* m_actions = nullptr;
    std::array<QuotientModel*, apportion::partyCount> m_quotientModels {};
    DivisorModel* m_divisorModel = nullptr;
    ScrollLink* m_scrollLink = nullptr;
    ComparisonWindow* m_comparison = nullptr;
    StatusLine* m_status = nullptr;
    bool m_comparisonStale = false; // the comparison window shows older votes than m_compared
};
