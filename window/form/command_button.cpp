#include "window/form/command_button.h"

void CommandButton::mousePressEvent(QMouseEvent* event)
{
    // With updates off, the press's repaint() does nothing; update() asks for the same picture
    // with the next repaint of the window.
    setUpdatesEnabled(false);
    QPushButton::mousePressEvent(event);
    setUpdatesEnabled(true);
    update();
}
