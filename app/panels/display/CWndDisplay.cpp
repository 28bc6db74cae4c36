#include "CWndDisplay.h"

#include "DisplaySetup.h"

#include "kestrel/Trace.h"
#include "kestrel/ViewerMessages.h"
#include "util/PostedMessage.h"
#include "vidout/IDisplay.h"

#include <QResizeEvent>

using namespace kestrel::display;

CWndDisplay::CWndDisplay(QWidget* parent, CMsgTarget* owner, const CUIResources& resources, int channel,
                         int screenMode)
    : QWidget(parent), m_res(resources), m_nChannel(channel), m_nScreenMode(screenMode), m_pOwner(owner)
{
    m_recoveryTimer.setInterval(kRecoveryPeriodMs);
    connect(&m_recoveryTimer, &QTimer::timeout, this, [this] {
        if (m_pDisplay)
            PollRecovery(*m_pDisplay);
    });
}

CWndDisplay::~CWndDisplay()
{
    Destroy();
}

IDisplay* CWndDisplay::NewDisplay()
{
    return IDisplay::CreateDisplay(0, this);
}

bool CWndDisplay::Create()
{
    if (m_pDisplay)
        return true;
    IDisplay* display = NewDisplay();
    if (!display)
        return false;
    if (display->CreateScreen(this, m_nScreenMode) < 0) {
        kestrel::Trace("failed to CreateScreen\n");
        delete display;
        return false;
    }
    m_pDisplay = display;
    ApplyLabel();
    m_pDisplay->SetLabelPlacement(0, -1);
    ApplyLogos(*m_pDisplay, m_res, LogoKeysForChannel(m_nChannel));
    m_recoveryTimer.start();
    return true;
}

void CWndDisplay::ApplyLabel()
{
    const QString key = LabelKeyForChannel(m_nChannel);
    if (m_pDisplay && !key.isEmpty())
        ApplyLabelKey(*m_pDisplay, m_res, key);
}

void CWndDisplay::UpdateLabel()
{
    ApplyLabel();
    update();
}

void CWndDisplay::Destroy()
{
    m_recoveryTimer.stop();
    delete m_pDisplay;
    m_pDisplay = nullptr;
}

intptr_t CWndDisplay::SendMsg(uint32_t msg, uintptr_t wParam, intptr_t)
{
    if (msg != kestrel::msg::WM_DISPLAY_NOTIFY)
        return 0;
    if ((m_nChannel != kChannelFront && m_nChannel != kChannelRear) || !m_pOwner)
        return 0;
    return m_pOwner->SendMsg(kestrel::msg::WM_DISPLAY_NOTIFY, wParam, m_nChannel);
}

bool CWndDisplay::event(QEvent* e)
{
    if (const KPostedMessage* posted = AsPostedMessage(e)) {
        SendMsg(posted->Msg(), posted->WParam(), posted->LParam());
        return true;
    }
    return QWidget::event(e);
}

void CWndDisplay::paintEvent(QPaintEvent*)
{
    kestrel::display::RepaintHeldPicture(m_pDisplay);
}

void CWndDisplay::resizeEvent(QResizeEvent* event)
{
    kestrel::display::FitToWindow(m_pDisplay, event->size());
}
