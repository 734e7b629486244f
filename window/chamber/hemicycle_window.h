#pragma once

#include "core/allocation/board.h"

#include "window/shared/after_repaint.h"

#include <QWidget>

#include <memory>
#include <vector>

class HemicycleView;
class QComboBox;
class QGridLayout;
class QLabel;
class QListWidget;
class QPrinter;

// A separate window with the parliament as a half circle of seats (HemicycleView), beside the
// main window. It shows the seats the main window has given so far, following it through every
// seat, undo, redo, method change and new lesson; or, chosen above it, a method's final seats
// for the votes and the seat total as the comparison gives them. Beside the chamber a legend
// names each party with its seats; parties chosen in it (a click, or the arrow keys and Space)
// are added up as a coalition against the majority, in a line under the legend. Its context menu
// and Ctrl+C copy the picture for a slide (1600 pixels wide, and as SVG), and print it. Escape and
// Ctrl+W close it; the main window's shortcuts given to it work in it too.
class HemicycleWindow : public QWidget {
    Q_OBJECT

public:
    // Which seats the chamber shows: the main window's so far, a divisor method's final seats
    // (its DivisorMethod id), or Hare–Niemeyer's.
    static constexpr int seatBySeat = -1;
    static constexpr int hareNiemeyer = apportion::divisorMethodCount;

    HemicycleWindow(std::shared_ptr<const apportion::Board> board, QWidget* window);

    // After anything on the board may have changed: shown once the events of this pass are
    // handled where the window is shown, so that a burst of changes draws once; else when it is
    // shown again.
    void boardChanged();
    void showSeatsOf(int source);
    int source() const;
    // Follows the main window's zoom.
    void setZoomedFont(const QFont& font);
    // Beside the main window where its screen has room, else over its right part.
    void placeBeside(const QWidget& window);
    void bringForward();

    const HemicycleView& view() const { return *m_view; }
    QListWidget* legend() const { return m_legend; }
    // The coalition chosen in the legend added up, as its line says it.
    QString coalitionText() const;
    // The picture's title: the lesson's title and which seats it shows.
    QString pictureTitle() const;
    QString svg() const;
    // Puts the picture on the clipboard, as an image and as SVG, and says so.
    void copyPicture();
    // Writes the picture as SVG to `path`; false where it could not be written.
    bool saveSvg(const QString& path) const;
    // Draws the picture on the printer's first page, as vectors.
    void printTo(QPrinter& printer) const;

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void refresh();
    void applyFont(const QFont& font);
    // The legend beside the chamber, or under it where the window is narrow for both.
    bool underChamber() const;
    void placeParts(bool under);
    // The main window's screen's, where the window keeps.
    QRect availableArea() const;
    void keepInside();
    void chooseCoalition();
    // The parties chosen in the legend, from the leftmost.
    std::vector<int> chosenParties() const;
    void saveSvgWithDialog();
    void printWithDialog();

    std::shared_ptr<const apportion::Board> m_board;
    QComboBox* m_source = nullptr;
    HemicycleView* m_view = nullptr;
    QListWidget* m_legend = nullptr;
    QLabel* m_coalition = nullptr;
    QLabel* m_said = nullptr; // what the last copy or save did
    bool m_behind = true; // the window shows an older board than the main window's
    QGridLayout* m_grid = nullptr;
    QSize m_entrySize; // a legend entry's, for the longest name
    bool m_legendUnder = false;
    // What the parts were last placed for: the width where the legend is under the chamber,
    // the parties, and an entry's size.
    bool m_partsPlaced = false;
    QSize m_placedBy;
    QSize m_placedEntry;
    // One refresh for the changes of one pass of the event loop, after the main window's repaint.
    AfterRepaint m_refresh { [this] {
        if (m_behind)
            refresh();
    } };
};
