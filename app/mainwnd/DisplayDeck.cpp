#include "DisplayDeck.h"

#include "PlayStats.h"

#include "kestrel/RecordRules.h"
#include "panels/display/CFullScreen.h"
#include "vidout/IDisplay.h"

namespace kestrel::mainwnd {

void CDisplayDeck::AttachChannel(int channel, QWidget* panel, IDisplay* display)
{
    if (!Valid(channel))
        return;
    m_panels[size_t(channel)] = panel;
    m_displays[size_t(channel)] = display;
}

void CDisplayDeck::AttachFullScreen(QWidget* view, IDisplay* display, CFullScreen* labelled)
{
    m_fullScreen = view;
    m_fullScreenDisplay = display;
    m_labelled = labelled;
}

QWidget* CDisplayDeck::Panel(int channel) const
{
    return Valid(channel) ? m_panels[size_t(channel)].data() : nullptr;
}

QRect CDisplayDeck::SlotRect(int channel) const
{
    return Valid(channel) ? m_rects[size_t(channel)] : QRect();
}

void CDisplayDeck::ResetAreas()
{
    for (IDisplay* display : m_displays)
        if (display)
            display->SetArea(IDisplay::kAreaReset, QRect(), QRect());
    if (m_fullScreenDisplay)
        m_fullScreenDisplay->SetArea(IDisplay::kAreaReset, QRect(), QRect());
}

IDisplay* CDisplayDeck::ChannelDisplay(int channel)
{
    if (!Valid(channel) || !m_panels[size_t(channel)])
        return nullptr;
    IDisplay* display = m_displays[size_t(channel)];
    return m_stats ? m_stats->Wrap(channel, display) : display;
}

IDisplay* CDisplayDeck::FullScreenDisplay()
{
    IDisplay* display = m_fullScreen ? m_fullScreenDisplay : nullptr;
    return m_stats ? m_stats->Wrap(CPlayStats::kFullScreenSlot, display) : display;
}

void CDisplayDeck::PlaceChannelPanel(int channel, const QString& slotKey, QSize clientSize)
{
    if (!Valid(channel))
        return;
    const QRect rect = m_hooks.slotRect ? m_hooks.slotRect(slotKey, clientSize) : QRect();
    m_rects[size_t(channel)] = rect;
    QWidget* panel = m_panels[size_t(channel)];
    if (!panel)
        return;
    if (rect.isEmpty()) {
        panel->hide();
        return;
    }
    panel->setGeometry(rect);
    panel->show();
}

void CDisplayDeck::HideChannelPanel(int channel)
{
    if (QWidget* panel = Panel(channel))
        panel->hide();
}

void CDisplayDeck::ShowViewChannel(int channel)
{
    if (!m_labelled || !m_hooks.text)
        return;
    m_labelled->SetLabelText(m_hooks.text(QString::fromLatin1(kestrel::ChannelLabelKey(channel))));
    m_labelled->update();
}

void CDisplayDeck::StartPictureResumeTimer(int ms)
{
    if (m_hooks.startResumeTimer)
        m_hooks.startResumeTimer(ms);
}

}  // namespace kestrel::mainwnd
