// The channel displays and the full-screen view: which object the engine
// draws into, the slot layout of the view channel, and the per-channel
// adjustments and zoom options.
#include "CPlayFlow.h"

#include "startup/CViewerSetup.h"
#include "vidout/IDisplay.h"

#include <algorithm>

namespace kestrel::playflow {

namespace {

QString DisplaySlotKey(int slot) { return QStringLiteral("display%1").arg(slot); }

}  // namespace

// Engine thread: the panel of the picture's channel in a normal or maximised
// window, the full-screen view for the view channel in full screen.
void CPlayFlow::DrawPicture(const _TAG_DEC_INFO& picture)
{
    const int channel = picture.nChannel;
    if (channel < 0 || channel >= kMaxChannels)
        return;
    IDisplay* display = nullptr;
    if (m_windowState <= 1)
        display = m_displays[channel];
    else if (channel == m_viewChannel)
        display = m_fullScreen;
    if (display)
        display->Draw(0, picture.data, picture.nWidth, picture.nHeight, kDisplayFormat, picture.linesize);
}

void CPlayFlow::RefreshDisplays()
{
    for (int i = 0; i < kMaxChannels; ++i)
        m_displays[i] = m_v.displays->ChannelDisplay(i);
    m_fullScreen = m_v.displays->FullScreenDisplay();
    m_windowState = m_v.displays->WindowState();
}

void CPlayFlow::ClearDisplays()
{
    for (auto& d : m_displays)
        if (IDisplay* display = d.load())
            display->Clear(1);
    if (IDisplay* full = m_fullScreen.load())
        full->Clear(1);
}

int CPlayFlow::SlotCount() const
{
    // A description announcing absurd counts must not index past the four panels.
    if (!m_info.bVideoExtChannel)
        return 2;
    return std::clamp(m_info.nVideoExtChannel + 2, 2, kMaxChannels);
}

void CPlayFlow::LayoutDisplays(QSize clientSize)
{
    // Every change of the window state re-lays out, so the engine thread's
    // copy of the state and the display objects are refreshed here.
    RefreshDisplays();
    const int n = SlotCount();
    const int view = m_viewChannel;
    const bool fullScreen = m_windowState >= 2;
    for (int i = 0; i < n; ++i) {
        if (fullScreen)
            m_v.displays->HideChannelPanel(i);
        else
            m_v.displays->PlaceChannelPanel(i, DisplaySlotKey((view + i) % n), clientSize);
    }
    ApplyAdjustments(m_fullScreen, view);
}

void CPlayFlow::SuppressPictures(int ms)
{
    m_suppressPictures = 1;
    m_v.displays->StartPictureResumeTimer(ms);
}

void CPlayFlow::ApplyVideoAdjustments()
{
    if (!m_settings)
        return;
    for (int i = 0; i < kMaxChannels; ++i)
        ApplyAdjustments(m_displays[i], i);
    ApplyAdjustments(m_fullScreen, m_viewChannel);
}

void CPlayFlow::ApplyAdjustments(IDisplay* display, int channel)
{
    if (!display || !m_settings || channel < 0 || channel >= kMaxChannels)
        return;
    display->SetFlip(m_settings->m_nFlip[channel] & 0xFF, -1);
    display->SetBrightness(m_settings->m_nBrightness[channel]);
    display->SetContrast(m_settings->m_nContrast[channel]);
}

void CPlayFlow::ApplyZoomOptions()
{
    if (!m_settings)
        return;
    auto apply = [this](IDisplay* d) {
        if (!d)
            return;
        d->SetPipPosition(m_settings->m_nZoomPipPos);
        d->SetPipShow(m_settings->m_nZoomPipShow);
    };
    for (auto& d : m_displays)
        apply(d.load());
    apply(m_fullScreen.load());
}

}  // namespace kestrel::playflow
