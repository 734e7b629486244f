#pragma once

#include <QPushButton>

// A push button that draws its pressed state with the window's next repaint instead of at once.
// A plain button repaints itself synchronously on a press, which sends the window system a frame
// of its own before the click has done anything; the seat a click gives then needs another. A
// user sees no difference: the next repaint follows within the same pass of the event loop.
class CommandButton : public QPushButton {
    Q_OBJECT

public:
    using QPushButton::QPushButton;

protected:
    void mousePressEvent(QMouseEvent* event) override;
};
