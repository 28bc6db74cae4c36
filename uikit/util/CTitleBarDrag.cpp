#include "util/CTitleBarDrag.h"

#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

bool CTitleBarDrag::Press(QWidget& window, const QMouseEvent& event, bool inDragArea)
{
    if (event.button() != Qt::LeftButton || !inDragArea)
        return false;
    QWidget* top = window.window();
    if (QWindow* handle = top->windowHandle(); handle && handle->startSystemMove()) {
        m_following = false;  // the window system moves it from here on
        return true;
    }
    m_following = true;
    m_offset = event.globalPosition().toPoint() - top->frameGeometry().topLeft();
    return true;
}

bool CTitleBarDrag::Move(QWidget& window, const QMouseEvent& event)
{
    if (!m_following)
        return false;
    if (!(event.buttons() & Qt::LeftButton)) {
        // The release went elsewhere (a grab, a popup): stop following.
        m_following = false;
        return false;
    }
    window.window()->move(event.globalPosition().toPoint() - m_offset);
    return true;
}

bool CTitleBarDrag::Release(const QMouseEvent& event)
{
    if (!m_following || event.button() != Qt::LeftButton)
        return false;
    m_following = false;
    return true;
}
