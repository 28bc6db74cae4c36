// CTitleBarDrag: lets the user move a frameless window by a drag area of its
// own, such as a skinned title bar. A press in the area first asks the
// window system to move the window, which is the only way where the
// compositor places windows itself (Wayland ignores a client's move()); when
// the window system declines, the window follows the pointer through move()
// until the button is released.
//
// The owner forwards its mouse press, move and release events; each call
// answers true when it used the event (the owner then stops there).
#pragma once

#include <QPoint>

class QMouseEvent;
class QWidget;

class CTitleBarDrag {
public:
    // `inDragArea`: the press lies where the window may be dragged by.
    bool Press(QWidget& window, const QMouseEvent& event, bool inDragArea);
    bool Move(QWidget& window, const QMouseEvent& event);
    bool Release(const QMouseEvent& event);

    // The window follows the pointer itself (the window system declined).
    bool Following() const { return m_following; }

private:
    bool m_following = false;
    QPoint m_offset;  // from the pointer to the window's top-left corner
};
