// CKestrelDlg: the playback commands, keys, slider messages, player events
// and panel notifications, routed to the playback flow; closing while a
// recording plays.
#include "CKestrelDlg.h"

#include "CPlayFlow.h"
#include "PlayStats.h"

#include "controls/CtrlMessages.h"
#include "panels/list/CWndList.h"
#include "startup/CKestrelApp.h"
#include "util/PostedMessage.h"

#include "kestrel/Trace.h"
#include "kestrel/ViewerMessages.h"

using namespace kestrel::mainwnd;
using kestrel::playflow::CPlayFlow;

void CKestrelDlg::OnCommand(int id)
{
    CPlayFlow* flow = m_flow.get();
    if (!flow)
        return;
    switch (id) {
    case kBtnPlayForward: flow->Play(); break;
    case kBtnPause: flow->Pause(); break;
    case kBtnStop: flow->Stop(); break;
    case kCmdPlayPauseToggle: flow->TogglePlayPause(); break;
    case kCmdRestart: flow->Restart(); break;
    case kCmdFrameStep: flow->FrameStep(); break;
    case kBtnFileNext: flow->NextFile(); break;
    case kBtnFilePrev: flow->PrevFile(); break;
    case kBtnStepForward: flow->StepForward(); break;
    case kBtnStepBackward: flow->StepBackward(); break;
    case kCmdVolumeUp: flow->VolumeUp(); break;
    case kCmdVolumeDown: flow->VolumeDown(); break;
    case kBtnVolume: flow->OnMuteButton(); break;
    case kCmdMuteToggle: flow->ToggleMute(); break;
    case kBtnSwitch: flow->SwitchView(); break;
    case kCmdZoomPipPos: flow->ToggleZoomPipPos(); break;
    case kCmdZoomPipShow: flow->ToggleZoomPipShow(); break;
    case kBtnTimelapse: flow->OnTimeLapse(); break;
    case kBtnPbSpeed: flow->SpeedReset(); break;
    case kBtnOpen: OpenCommand(); break;
    default:
        break;  // popups and the rest arrive with their own windows
    }
}

void CKestrelDlg::OnSliderMessage(uint32_t msg, int id, int position)
{
    if (!m_flow)
        return;
    switch (id) {
    case kSldPlaybar: m_flow->OnPlayBarSlider(msg, position); break;
    case kSldPbSpeed: m_flow->OnSpeedSlider(msg); break;
    case kSldVolume: m_flow->OnVolumeSlider(position); break;
    default: break;
    }
}

bool CKestrelDlg::PlayRow(int index)
{
    if (!m_flow || m_flow->PlayState() == CPlayFlow::kNoRecordings)
        return false;
    m_flow->OnPanelNotify(kestrel::msg::kNotifyRowDoubleClick, index);
    return m_flow->PlayState() == CPlayFlow::kPlaying && m_listWnd && m_listWnd->PlayingRow() == index;
}

intptr_t CKestrelDlg::OnPlaybackMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam)
{
    switch (msg) {
    case kestrel::msg::WM_PLAYER_EVENT:
        if (!m_flow || !m_flow->OnPlayerEvent(wParam))
            OnStartupEvent(wParam);
        return 0;
    case kMsgPositionUpdate:
        if (m_flow)
            m_flow->OnPositionPosted();
        return 0;
    case kestrel::msg::WM_PANEL_NOTIFY: {
        if (!m_flow)
            return 0;
        const auto code = static_cast<uint16_t>(wParam & 0xFFFF);
        m_flow->OnPanelNotify(code, lParam);
        // The list box marks a double-clicked row as playing before it
        // tells the window; a row that did not start must not keep the mark.
        if (code == kestrel::msg::kNotifyRowDoubleClick && m_flow->PlayState() != CPlayFlow::kPlaying && m_listWnd)
            m_listWnd->ClearPlayingRow();
        return 0;
    }
    case kestrel::msg::WM_DISPLAY_NOTIFY:
    default:
        return 0;
    }
}

void CKestrelDlg::OnStartupEvent(uintptr_t code)
{
    if (code == kestrel::msg::kEventFirstRun) {
        // The plug-in and size choice of a first run belongs to its popup;
        // the run is marked done either way so it is offered once.
        if (m_app)
            m_app->Profile().WriteProfileInt(QStringLiteral("plugin"), QStringLiteral("run"), 0);
        PostMsg(this, kestrel::msg::WM_PLAYER_EVENT, kestrel::msg::kEventStartup, 0);
    } else if (code == kestrel::msg::kEventStartup) {
        StartDriveWatch();
    }
}

void CKestrelDlg::BeforeClose()
{
    // Play shown, pause hidden, the list's play mark off, then stopped.
    if (m_flow && m_flow->PlayState() == CPlayFlow::kPlaying)
        m_flow->Stop();
}

void CKestrelDlg::Uninitialize()
{
    StopDriveWatch();
    if (m_flow)
        m_flow->Uninitialize();
    if (m_stats && !m_stats->Write())
        kestrel::Trace("CKestrelDlg: the play statistics could not be written\n");
}
