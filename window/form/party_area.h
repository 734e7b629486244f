#pragma once

#include "core/allocation/board.h"

#include <QColor>
#include <QPalette>
#include <QScrollArea>

#include <functional>
#include <memory>
#include <vector>

class QAbstractItemDelegate;
class QLabel;
class QLineEdit;
class QListView;
class QuotientModel;
class ScrollLink;

// The party columns: for each party of the board, a name box (shown once the names' row is), a
// vote box and its quotient list, 1320 twips apart. Where the columns do not fit the window, the
// area scrolls sideways as one. The area lies at the window's top-left corner with no frame, so
// a column's geometry is in the window's own coordinates.
//
// The area is a view: it is told what changed by showBoard, and reports what the user typed.
class PartyArea : public QScrollArea {
    Q_OBJECT

public:
    // `textBoxKeys` is installed on every box, `rows` draws every list's rows; `before` is the
    // control the columns follow in the tab order.
    PartyArea(std::shared_ptr<const apportion::Board> board, QObject* textBoxKeys,
        QAbstractItemDelegate* rows, QWidget* before, QWidget* parent);
    ~PartyArea() override;

    int columnCount() const { return static_cast<int>(m_columns.size()); }
    QLineEdit* voteBox(int party) const;
    QLineEdit* nameBox(int party) const;
    QListView* quotientList(int party) const;

    // Makes a column for each party of the board, and shows every entry text, name and row.
    void showBoard();
    // Marks the columns of the parties the lesson's threshold leaves out: greyed and hatched
    // rows, "под прага" over the list's foot, and the votes each lacks in its tooltip. Nothing
    // is marked, or changed, where no party is out.
    void showThreshold();
    // Places the columns at this zoom in an area `visibleWidth` pixels wide, with or without the
    // names' row above the vote boxes.
    void place(double zoom, int visibleWidth, bool namesShown);
    // Brings the last row of every list into view, and the newest seat's column where the area
    // scrolls.
    void showLastRow(int party);
    // Frames a party's vote box as the one guessed to win the next seat; -1 frames none.
    void markGuess(int party);
    static constexpr QRgb guessColour = 0xffd55e00;
    // Scrolls the area sideways so that the control of a column stands whole in view.
    void showColumnOf(QWidget* control);

signals:
    void votesEdited(int party, const QString& text);
    void nameEdited(int party, const QString& text);
    // Enter in the last vote box: the focus goes on past the columns.
    void leftLastVoteBox();
    // A party's list or name was pressed with the mouse.
    void columnPressed(int party);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Column {
        QLineEdit* name = nullptr;
        QLineEdit* votes = nullptr;
        QListView* list = nullptr;
        QuotientModel* model = nullptr;
        QLabel* under = nullptr; // "под прага", made when the party first is
        bool greyed = false; // shown as under the threshold
        QPalette plain; // the list's palette before it was first greyed
    };

    void addColumn();
    // Reports a vote box's text with every space in it a blank.
    void editVotes(int party, const QString& text);
    void removeColumn();
    // The accessible names and tooltips that carry the party's name.
    void nameColumn(int party);
    void chainTabOrder();
    // Greys and labels one column as out, or shows it as it was; `why` is the tooltip's text.
    void markUnder(Column& column, bool under, const QString& why);
    // Puts the label at the foot of its list, at the zoom.
    void placeUnderLabel(const Column& column);

    std::shared_ptr<const apportion::Board> m_board;
    QObject* m_textBoxKeys;
    QAbstractItemDelegate* m_rows;
    QWidget* m_before;
    QWidget* m_columnsWidget;
    std::vector<Column> m_columns;
    std::unique_ptr<ScrollLink> m_scrollLink;
    double m_zoom = 1;
    bool m_namesShown = false;
};
