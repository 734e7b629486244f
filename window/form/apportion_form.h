#pragma once

#include "core/allocation/board.h"
#include "core/allocation/undo_history.h"
#include "core/teaching/seat_guess.h"
#include "lesson/lesson_file.h"
#include "window/form/form_zoom.h"
#include "window/lessons/lesson_keeper.h"

#include <QElapsedTimer>
#include <QWidget>

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

class ComparisonLink;
class ComparisonWindow;
struct FormControls;
class DivisorModel;
class FormActions;
class HemicycleWindow;
class LessonFiles;
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
    const ComparisonWindow* comparisonWindow() const;
    // The parliament's half circle, once it has been opened.
    HemicycleWindow* hemicycleWindow() const { return m_hemicycle; }

    // Whether "Познай следващия мандат" is on, the party guessed to win the next seat, and the
    // guesses' score since it was turned on.
    bool guessing() const { return m_guessing; }
    std::optional<int> guess() const { return m_guess; }
    const apportion::GuessScore& guessScore() const { return m_score; }

    int zoomPercent() const { return m_zoom.percent(); }
    // Zooms to the largest step up to `percent` at which the window fits its screen.
    void setZoomPercent(int percent);

    // Prints the worked table, with a title, the date, the seat total and the votes, on the
    // printer's pages.
    void printTable(QPrinter& printer) const;

    // What the line under the controls says the last action did.
    QString statusReport() const;
    // Opens a lesson file in place of the lesson on screen, as one step undo takes back; a file
    // that cannot be read is told and changes nothing. False where it was refused.
    bool openLesson(const QString& path);
    const LessonFiles& lessonFiles() const { return *m_lessonFiles; }

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

    // Sizes the window and places its controls for the zoom, the parties and the names' row.
    void placeControls();
    void connectEvents();

    // One handler per control array, dispatching on the index.
    void runCommand(int index);
    void selectMethod(int index, bool checked);
    void editVotes(int party, const QString& text);
    void editName(int party, const QString& text);
    void selectSeatTotal();

    // `inComparison` where pressed in the comparison window, which then tells it too.
    void undo(bool inComparison = false);
    void redo(bool inComparison = false);
    void reportHistoryStep(const std::string& report, bool inComparison);
    // The threshold or the other votes changed in the comparison or asked for here: one step,
    // with the seats given again under the new line.
    void changeVoteCount(const apportion::VoteCount& count, bool continuing);
    void copyTable();
    void refuseCopy();
    void newExample();
    void addParty();
    void removeParty();
    void nameParties();
    // Fills the parties from the box's on (a vote or a name box) with a results table on the
    // clipboard; false where the clipboard holds no table, and the box pastes as usual. Where
    // the parties cannot change now, the line says why and nothing is pasted.
    bool pasteTable(QLineEdit* box);
    // Fills the parties from `first` on with the table in `text`, its votes from its `choice`-th
    // vote column, as one step.
    void fillFromTable(int first, const std::string& text, int choice);
    // Takes the last pasted table's votes from its next vote column, in place of the paste.
    void takeNextVoteColumn();
    void forgetPaste();
    void openComparison();
    void openHemicycle();
    // Turns "Познай следващия мандат" on or off; on, the score starts again.
    void setGuessing(bool on);
    // The class names `party` (from 0) as the next seat's winner; nothing while not guessing.
    void guessParty(int party);
    // A number key while guessing: 1 to 9, and 0 for the tenth party; with ten parties or more,
    // "1" and then a second digit within a second name the tenth to the twelfth.
    void guessByKey(int digit);
    void forgetGuess();
    // Asks for the lesson's title and source, or its threshold and other votes; each changed
    // is one step.
    void askLesson(bool forTitle);
    void saveLesson(bool asked);
    void openLessonFromDialog();
    // The lesson as it stands on the board.
    apportion::Lesson lesson() const;
    // Puts an opened lesson on the board; `name` is its file's, for the line under the controls.
    void showLesson(const apportion::Lesson& lesson, const QString& name);
    // The threshold action's caption, with the lesson's threshold where it has one.
    void showVoteCountAction();
    // Keeps the lesson as it now stands, against a crash or a mistaken close.
    void keepLesson();
    void bringBackLastLesson();
    // Puts a kept lesson brought back on the board, or says there is none to bring.
    void showKeptLesson(const std::optional<LessonKeeper::Kept>& kept);
    // Lists the lessons kept by windows that are gone in the menu; returns them, newest first.
    std::vector<LessonKeeper::Kept> showKeptLessons();
    // The caption, ending with the lesson's file name where it has one.
    void showCaption();
    void zoomBy(int steps);
    void applyZoom();

    void showBoard(Operation operation);

    // The table last pasted, for taking its votes from another column while the board is as
    // the paste left it.
    struct Pasted {
        std::string text;
        int first = 0;
        int choice = 0;
        int choices = 1;
        apportion::Board after;
    };
    std::optional<Pasted> m_pasted;
    void showDivisorSelection();
    // Only what a seat, a method change or a clear can change is updated on the click's path;
    // the zoom actions change with the zoom and the screen.
    void showHistoryActions();
    void showZoomActions();
    void showPartyActions();
    // Whether the names' row stands over the vote boxes: once a party is named, or asked for.
    bool namesShown() const;
    // Twips the window has grown by: the names' row and a second line under the controls.
    int extraHeight() const;
    // Sizes the window again after it grew, at the largest zoom that still fits its screen.
    void refit();
    // The methods' final seats for the votes and the seat total, in the method options'
    // tooltips and the comparison window.
    void showComparison();
    // The window's text size at 100 %.
    qreal plainPointSize() const;

    // Shared with the lists' models, so that no view outlives the board it shows.
    std::shared_ptr<apportion::Board> m_board;
    apportion::UndoHistory m_history;
    FormZoom m_zoom;

    std::unique_ptr<FormControls> m_controls;
    FormActions* m_actions = nullptr;
    ComparisonLink* m_comparison = nullptr;
    HemicycleWindow* m_hemicycle = nullptr;
    bool m_guessing = false;
    std::optional<int> m_guess;
    apportion::GuessScore m_score;
    QElapsedTimer m_sinceDigit; // since the last number key naming a guess
    int m_lastDigit = -1;
    LessonFiles* m_lessonFiles = nullptr;
    LessonKeeper* m_keeper = nullptr;
    bool m_namesAsked = false; // the names' row was asked for
    bool m_namesPlaced = false; // the names' row as the controls were last placed
    int m_columnsPlaced = apportion::defaultPartyCount; // the columns the window was last sized for
};
