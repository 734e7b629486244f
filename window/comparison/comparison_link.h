#pragma once

#include "core/allocation/board.h"
#include "core/comparison/vote_threshold.h"

#include <QObject>

#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

class ComparisonWindow;
class QAction;
class QButtonGroup;
class QFont;
class QWidget;

// Keeps the methods compared in step with the board: each method option's tooltip gives its
// final seats for the votes and the seat total as they are typed, and the comparison window,
// made when it is first opened, follows them while it is shown and is brought up to date when it
// is shown again. Nothing is computed again unless the votes, the names, the seat total, the
// threshold or the other votes changed.
class ComparisonLink : public QObject {
    Q_OBJECT

public:
    // `methods` are the window's method options, by their DivisorMethod ids.
    ComparisonLink(
        std::shared_ptr<const apportion::Board> board, QButtonGroup* methods, QWidget* window);

    // The comparison window, once it has been opened.
    const ComparisonWindow* window() const { return m_window; }
    // Says what an action taken in the comparison window did, there.
    void say(const QString& text);

    // Opens the comparison beside the main window, with the main window's `shortcuts` working
    // in it, or brings it forward.
    void open(const QList<QAction*>& shortcuts, const QFont& font, qreal plainPoints);
    // The zoomed font, and the main window's text size at 100 %, the smallest the comparison
    // takes.
    void setFont(const QFont& font, qreal plainPoints);
    // After the votes, the names or the seat total may have changed.
    void update() { refresh(false); }

signals:
    // The threshold or the other votes were changed in the comparison window; the lesson's are
    // still as they were, for the main window to change as one step.
    void countChosen(const apportion::VoteCount& count, bool continuing);
    // Undo (or, with `redo`, redo) was pressed in the comparison window.
    void historyAsked(bool redo);

private:
    // Also into a closed comparison window, which otherwise is brought up to date when opened.
    void refresh(bool evenHidden);

    std::shared_ptr<const apportion::Board> m_board;
    QButtonGroup* m_methods;
    QWidget* m_mainWindow;
    ComparisonWindow* m_window = nullptr;
    // What the comparison was last computed for: the votes, the names, the seat total, the
    // threshold and the other votes.
    using Compared
        = std::tuple<std::vector<std::string>, apportion::PartyNames, double, apportion::VoteCount>;
    std::optional<Compared> m_compared;
    bool m_windowBehind = false; // the window shows older votes than m_compared
};
