#pragma once

#include "core/comparison/comparison_table.h"

#include <QElapsedTimer>
#include <QFont>
#include <QWidget>

class ComparisonModel;
class QDoubleSpinBox;
class QGridLayout;
class QScrollArea;
class QSpinBox;
class QLabel;
class QTableView;
class QTableWidget;
class SeatChart;

// A separate window with the five divisor methods and Hare–Niemeyer compared for the votes and
// the seat total of the main window, which it follows live, under a vote threshold chosen here
// ("Праг"); below the table, Hare–Niemeyer worked step by step and the seats as a picture, beside
// the working where that leaves the picture room for its labels, else under it. It keeps
// within the available area of the main window's screen at every zoom: it takes the main window's
// zoomed font where the whole table fits the screen, and a smaller one where it would not, and it
// grows or shrinks by as much as its cells widen or narrow, so a size the user gave it keeps its
// difference from the fit; a new zoom fits it afresh. Ctrl+C copies the comparison and says so;
// Escape and Ctrl+W close it; the main window's other shortcuts work in it too. Tab walks its
// parts, and the Menu key or Shift+F10 opens the focused part's menu. A screen reader reads it as a
// table, cell by cell, with its row and column headings.
class ComparisonWindow : public QWidget {
    Q_OBJECT

public:
    // `window` is the main window: its screen is the one the comparison keeps to.
    explicit ComparisonWindow(QWidget* window);

    void showComparison(const apportion::MethodComparison& comparison);
    // The threshold chosen, in percent, and the votes of parties not listed.
    apportion::VoteCount count() const;
    // As the lesson holds them; says nothing.
    void setCount(const apportion::VoteCount& count);
    // Says what an action taken here did, in the line beside the threshold.
    void say(const QString& text);
    // Follows the main window's zoom.
    void setZoomedFont(const QFont& font);
    // The main window's text size at 100 %: the comparison is never set smaller than it, and
    // scrolls instead. Without one, it shrinks to a part of the zoomed size. Taken at the next
    // fit: give it before the zoomed font.
    void setPlainPointSize(qreal points);
    // Moves beside the main window, or below it, where all of the comparison shows on its
    // screen; otherwise as near as the screen allows.
    void placeBeside(const QWidget& window);
    // Brings it into view: shown, raised and placed back inside the screen if it was moved off.
    void bringForward();

    const ComparisonModel& model() const { return *m_model; }
    SeatChart& chart() const { return *m_chart; }
    // The font the table is drawn in: the zoomed font, or smaller where that would not fit.
    QFont tableFont() const;

signals:
    // The threshold or the other votes were changed here, to `count`; `continuing` where the
    // change goes on from one made in the same box a moment before (a burst of typing).
    void countChosen(const apportion::VoteCount& count, bool continuing);
    // Undo (or, with `redo`, redo) was pressed here.
    void historyAsked(bool redo);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    // Keeps the threshold within its range, and says so where it was past it.
    void chooseThreshold(double percent);
    void chooseCount(QObject* box);
    void fitToContents();
    // Widens a column whose cell outgrew it, after its cells changed in place.
    void keepCellsWhole();
    // The size the window needs at the given font, its frame left out.
    QSize neededSize(const QFont& font);
    // The picture beside the working, or under it across the window.
    void placeChart(bool under);
    void applyFont(const QFont& font);
    QRect availableArea() const;
    QSize frameExtra() const;
    void keepInside();

    QWidget* m_window;
    QFont m_zoomedFont;
    qreal m_fittedSize = 0; // the point size the last fit found, 0 before one
    int m_measuredRows = -1; // the table's rows when their heights were last measured
    QSize m_fitted; // the size the last fit asked for; none before one, or since a new zoom
    // What the window was last fitted for: the table's rows and columns, the working's, the
    // heading, and the screen's available size.
    struct Shape {
        int rows = -1;
        int columns = -1;
        int steps = -1;
        int stepColumns = -1;
        QString heading;
        QSize screen;
        bool operator==(const Shape&) const = default;
    };
    Shape m_fittedShape;
    ComparisonModel* m_model = nullptr;
    QLabel* m_legend = nullptr;
    QDoubleSpinBox* m_threshold = nullptr;
    QSpinBox* m_others = nullptr; // "Други гласове"
    QLabel* m_said = nullptr;
    QTableView* m_table = nullptr;
    QLabel* m_notes = nullptr;
    QLabel* m_quota = nullptr;
    QTableWidget* m_working = nullptr;
    SeatChart* m_chart = nullptr;
    QScrollArea* m_scroll = nullptr;
    QWidget* m_page = nullptr; // every part, in the scroll area
    qreal m_plainSize = 0;
    QGridLayout* m_below = nullptr; // the working, and the picture beside or under it
    // The box last changed, and when: changes that follow each other closely are one burst.
    QObject* m_lastChanged = nullptr;
    QElapsedTimer m_sinceChange;
};
