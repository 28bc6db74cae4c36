// CKestrelDlg: the four window states (normal, maximised, full screen
// from either) and the moves between them.
#include "CKestrelDlg.h"

#include "CPlayFlow.h"
#include "startup/CKestrelApp.h"

#include "vidout/IDisplay.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>

using namespace kestrel::mainwnd;

namespace {

QScreen* ScreenOf(const QWidget* w)
{
    if (QScreen* s = QGuiApplication::screenAt(w->geometry().center()))
        return s;
    return w->screen() ? w->screen() : QGuiApplication::primaryScreen();
}

}  // namespace

void CKestrelDlg::PlaceCentred()
{
    // (0, 0) at the dialog size, then centred on the work area.
    setGeometry(QRect(QPoint(0, 0), m_dialogSize));
    if (const QScreen* screen = ScreenOf(this)) {
        const QRect area = screen->availableGeometry();
        move(area.x() + std::max(0, (area.width() - m_dialogSize.width()) / 2),
             area.y() + std::max(0, (area.height() - m_dialogSize.height()) / 2));
    }
}

void CKestrelDlg::ApplyDialogSize(QSize size)
{
    if (size.isEmpty())
        return;
    m_dialogSize = size;
    if (m_windowState == kStateNormal) {
        PlaceCentred();
        update();
    }
}

void CKestrelDlg::Maximise()
{
    if (m_windowState != kStateNormal)
        return;
    const int previous = m_windowState;
    m_windowState = kStateMaximised;
    ShowButton(kBtnMax, false);
    ShowButton(kBtnMRestore, true);
    ApplyWindowState(previous);
}

void CKestrelDlg::Restore()
{
    const int previous = m_windowState;
    if (m_windowState == kStateFullFromMaximised) {
        m_windowState = kStateMaximised;
        ShowButton(kBtnMax, false);
        ShowButton(kBtnMRestore, true);
    } else {
        m_windowState = kStateNormal;
        ShowButton(kBtnMax, true);
        ShowButton(kBtnMRestore, false);
    }
    ShowButton(kBtnFull, true);
    ShowButton(kBtnFRestore, false);
    ApplyWindowState(previous);
}

void CKestrelDlg::EnterFullScreen()
{
    const int previous = m_windowState;
    m_windowState = previous == kStateMaximised ? kStateFullFromMaximised : kStateFullFromNormal;
    ShowButton(kBtnFull, false);
    ShowButton(kBtnFRestore, true);
    ShowButton(kBtnMax, false);
    ShowButton(kBtnMRestore, true);
    ApplyWindowState(previous);
}

void CKestrelDlg::LeaveFullScreen()
{
    const int previous = m_windowState;
    if (previous == kStateFullFromMaximised) {
        m_windowState = kStateMaximised;
        ShowButton(kBtnMax, false);
        ShowButton(kBtnMRestore, true);
    } else if (previous == kStateFullFromNormal) {
        m_windowState = kStateNormal;
        ShowButton(kBtnMax, true);
        ShowButton(kBtnMRestore, false);
    } else {
        return;  // not in full screen
    }
    ShowButton(kBtnFull, true);
    ShowButton(kBtnFRestore, false);
    ApplyWindowState(previous);
}

void CKestrelDlg::ToggleFullScreen()
{
    if (m_windowState == kStateNormal || m_windowState == kStateMaximised)
        EnterFullScreen();
    else
        LeaveFullScreen();
}

void CKestrelDlg::ToggleMaximise()
{
    if (m_windowState == kStateNormal)
        Maximise();
    else if (m_windowState == kStateMaximised)
        Restore();
}

void CKestrelDlg::ApplyWindowState(int previous)
{
    // Only the normal state's rectangle is worth keeping: the maximised and
    // full-screen rectangles follow from the screen, and keeping them would
    // lose where the user had put the window.
    if (previous == kStateNormal && m_windowState != kStateNormal)
        m_keptRect = geometry();

    QScreen* screen = ScreenOf(this);
    switch (m_windowState) {
    case kStateNormal:
        if (QWidget* view = m_deck.FullScreenView())
            view->hide();
        if (m_keptRect.width() == m_dialogSize.width())
            setGeometry(m_keptRect);
        else
            PlaceCentred();
        break;
    case kStateMaximised:
        if (QWidget* view = m_deck.FullScreenView())
            view->hide();
        if (screen)
            setGeometry(screen->availableGeometry());
        break;
    default: {
        const QRect whole = screen ? screen->geometry() : geometry();
        setGeometry(whole);
        if (QWidget* view = m_deck.FullScreenView()) {
            view->setGeometry(whole);
            view->show();
            view->raise();
        }
        // Every display starts the full-screen state showing its whole picture.
        m_deck.ResetAreas();
        break;
    }
    }
    // The size may be unchanged (e.g. a full-screen state entered from a
    // maximised window on a screen without panels): lay out for the state.
    LayoutForSize(width(), height());
    if (m_flow)  // the engine draws into the view or the panels from now on
        m_flow->LayoutDisplays(size());
    update();
}
