#pragma once

#include <QObject>

class QAction;
class QMenu;
class QWidget;

// The teacher's actions of the window: a new example, lessons opened and saved, undo and redo,
// adding, removing and naming parties, copying and printing the worked table, comparing the
// methods, and zooming for a projector. Each has its standard shortcuts, active anywhere in the
// window (a text box keeps its own editing keys while it has the focus), and all are listed in the
// window's context menu.
class FormActions : public QObject {
    Q_OBJECT

public:
    explicit FormActions(QWidget* window);

    // A new context menu listing the actions with their shortcuts; the caller owns it.
    QMenu* createMenu(QWidget* parent) const;

    QAction* newExample = nullptr;
    QAction* openLesson = nullptr;
    QAction* saveLesson = nullptr;
    QAction* saveLessonAs = nullptr;
    // The example lessons that come with the program, each opening its own; the resource path
    // in the action's data.
    QList<QAction*> examples;
    // Brings back the newest lesson kept by a window that is gone, the next one at each press.
    QAction* lastLesson = nullptr;
    // Each lesson kept by a window that is gone, newest first, bringing it back; its file's
    // path in the action's data. Listed in the menu under "Последни уроци".
    QList<QAction*> keptLessons;
    QAction* undo = nullptr;
    QAction* redo = nullptr;
    // Take undo's and redo's keys while there is nothing to undo or redo, to say so; never in
    // the menu.
    QAction* nothingToUndo = nullptr;
    QAction* nothingToRedo = nullptr;
    QAction* copy = nullptr;
    // Takes the copy's keys while there is nothing to copy, to say why; never in the menu.
    QAction* nothingToCopy = nullptr;
    QAction* print = nullptr;
    QAction* addParty = nullptr;
    QAction* removeParty = nullptr;
    // Shows the names' row over the vote boxes and puts the cursor in the first name.
    QAction* nameParties = nullptr;
    QAction* nextVoteColumn = nullptr; // the votes from the pasted table's next column
    QAction* compare = nullptr;
    // The parliament as a half circle of seats, in a window of its own.
    QAction* hemicycle = nullptr;
    // "Познай следващия мандат": checkable, off at start.
    QAction* guessMode = nullptr;
    // The number keys 1 to 9 and 0 (the tenth party) that name a party's guess; enabled only
    // while guessing, never in the menu. A party's number in the data.
    QList<QAction*> guessKeys;
    // The lesson's title and source, and its threshold and other votes, asked for in one dialog
    // opened at the one or the other.
    QAction* lessonTitle = nullptr;
    QAction* voteCount = nullptr;
    QAction* zoomIn = nullptr;
    QAction* zoomOut = nullptr;
    QAction* zoomReset = nullptr;
    // Shift+F10, which opens the context menu where the platform does not.
    QAction* showMenu = nullptr;
};
