// The transport commands, the sliders, the view switch, the player events
// and the panel notifications, all on the user-interface thread.
#include "CPlayFlow.h"

#include "PlayFormat.h"

#include "filehub/CPluginManager.h"
#include "kestrel/ViewerMessages.h"
#include "panels/list/SameRecording.h"
#include "playcore/IPlayback.h"
#include "startup/CViewerSetup.h"
#include "controls/CtrlMessages.h"
#include "util/ReentryGuard.h"
#include "vidout/ISound.h"

#include <chrono>
#include <thread>

namespace kestrel::playflow {

namespace {

// Forward steps pause a moment so a held key does not pile up seeks.
constexpr std::chrono::milliseconds kStepForwardPause{200};
constexpr int kSwitchSuppressMs = 100;

const char* ViewLabelKey(int view)
{
    switch (view) {
    case 1:
        return "display_text_rear";
    case 2:
        return "display_text_left";
    case 3:
        return "display_text_right";
    default:
        return "display_text_front";
    }
}

}  // namespace

// ---- Presentation ------------------------------------------------------------

void CPlayFlow::SetListPlayStatus(bool playing)
{
    if (m_listState == kPlaying)
        m_host.ListSetPlayStatus(playing);
}

void CPlayFlow::ShowPlayPresentation()
{
    m_host.ShowPlayButton(true);
    SetListPlayStatus(false);
}

// ---- Play, pause, stop -----------------------------------------------------------

void CPlayFlow::Play()
{
    if (!m_player)
        return;
    if (m_player->GetPlayState() == 0) {
        const int playing = m_host.ListPlayingIndex();
        if (PlayStart(playing >= 0 ? playing : m_host.ListSelectedIndex()) != 0)
            return;
    } else {
        m_player->Resume();
    }
    m_host.ShowPlayButton(false);
    SetListPlayStatus(true);
}

void CPlayFlow::Pause()
{
    if (m_player)
        m_player->Pause(0);
    ShowPlayPresentation();
}

void CPlayFlow::Stop()
{
    ShowPlayPresentation();
    PlayStop();
}

void CPlayFlow::TogglePlayPause()
{
    if (m_player && m_player->GetPlayState() == 1)
        Pause();
    else
        Play();
}

void CPlayFlow::Restart()
{
    if (!m_player)
        return;
    const int state = m_player->GetPlayState();
    if (state == 0)
        return;
    m_player->SetPos(0.0);
    if (state & kPausedBit) {
        m_player->Resume();
        m_host.ShowPlayButton(false);
        SetListPlayStatus(true);
    }
}

void CPlayFlow::FrameStep()
{
    KReentryGuard guard(m_inFrameStep);
    if (!guard.Acquired() || m_playState != kPlaying || !m_player)
        return;
    if (m_player->GetPlayState() & kPausedBit)
        m_player->StepNext();
    else
        Pause();
}

// ---- Next and previous -------------------------------------------------------------

void CPlayFlow::NextFile()
{
    KReentryGuard guard(m_inNext);
    if (!guard.Acquired())
        return;
    if (m_playState == kPlaying) {
        PlayNextOnEnd();
        const int playing = m_host.ListPlayingIndex();
        if (playing >= 0)
            m_host.ListSelectRow(playing);
    } else if (m_playState == kStopped) {
        const int next = m_host.ListSelectedIndex() + 1;
        if (next >= 0 && next < MergedCount())
            m_host.ListSelectRow(next);
    }
}

void CPlayFlow::PrevFile()
{
    KReentryGuard guard(m_inPrev);
    if (!guard.Acquired())
        return;
    if (m_playState == kPlaying) {
        const int prev = m_host.ListPlayingIndex() - 1;
        if (prev >= 0 && prev < MergedCount() && RecordAt(prev)) {
            StopEngine(true);
            PlayStart(prev);
            m_host.ListMarkPlaying(prev);
        } else {
            Stop();
        }
        const int playing = m_host.ListPlayingIndex();
        if (playing >= 0)
            m_host.ListSelectRow(playing);
    } else if (m_playState == kStopped) {
        const int prev = m_host.ListSelectedIndex() - 1;
        if (prev >= 0 && prev < MergedCount())
            m_host.ListSelectRow(prev);
    }
}

// ---- Seeking and stepping -------------------------------------------------------------

void CPlayFlow::OnPlayBarSlider(uint32_t msg, int positionMs)
{
    if (!m_player)
        return;
    const double seconds = positionMs / 1000.0;
    switch (msg) {
    case ctrlmsg::WM_SLIDER_PRESSED:
        m_dragPlayerState = m_player->GetPlayState();
        m_player->Pause(0);
        m_player->SetPos(seconds);
        break;
    case ctrlmsg::WM_SLIDER_MOVED:
        m_player->SetPos(seconds);
        break;
    case ctrlmsg::WM_SLIDER_RELEASED:
        m_player->SetPos(seconds);
        // Only a recording that was running (not paused) runs on.
        if (m_dragPlayerState == 1)
            m_player->Resume();
        break;
    default:
        break;
    }
}

void CPlayFlow::StepForward()
{
    KReentryGuard guard(m_inStep);
    if (!guard.Acquired() || m_playState != kPlaying || !m_player || !m_settings)
        return;
    const int interval =
        m_player->GetPlayState() == 1 ? m_settings->m_nStepIntrPlaying : m_settings->m_nStepIntrPause;
    m_player->SetPos(StepTarget(m_host.PlayBarPos(), m_host.PlayBarMax(), interval, true));
    std::this_thread::sleep_for(kStepForwardPause);
}

void CPlayFlow::StepBackward()
{
    KReentryGuard guard(m_inStep);
    if (!guard.Acquired() || m_playState != kPlaying || !m_player || !m_settings)
        return;
    const int interval =
        m_player->GetPlayState() == 1 ? m_settings->m_nStepIntrPlaying : m_settings->m_nStepIntrPause;
    m_player->SetPos(StepTarget(m_host.PlayBarPos(), m_host.PlayBarMax(), interval, false));
}

// ---- Speed ---------------------------------------------------------------------------

void CPlayFlow::ApplySpeed(int apply)
{
    const SpeedChoice c = SpeedForSlider(m_host.SpeedSliderPos(), m_host.TimeLapseChecked(),
                                         m_host.Text(QStringLiteral("btn_timelapse")));
    if (apply && m_player)
        m_player->SetPBSpeed(c.factor);
    m_host.SetSpeedLabel(c.label);
}

void CPlayFlow::OnSpeedSlider(uint32_t msg)
{
    ApplySpeed(msg == ctrlmsg::WM_SLIDER_RELEASED ? 1 : 0);
}

void CPlayFlow::SpeedReset()
{
    m_host.SetSpeedSliderPos(kSpeedSliderReset);
    ApplySpeed(1);
}

// ---- Volume and mute --------------------------------------------------------------------

void CPlayFlow::SetVolume(int volume)
{
    const int v = ClampVolume(volume);
    if (m_settings)
        m_settings->m_nVolume = v;
    if (m_sound)
        m_sound->SetVolume(v);
}

void CPlayFlow::OnVolumeSlider(int position) { SetVolume(position); }

void CPlayFlow::VolumeUp()
{
    const int v = ClampVolume((m_settings ? m_settings->m_nVolume : m_host.VolumeSliderPos()) + kVolumeStep);
    m_host.SetVolumeSliderPos(v);
    SetVolume(v);
}

void CPlayFlow::VolumeDown()
{
    const int v = ClampVolume((m_settings ? m_settings->m_nVolume : m_host.VolumeSliderPos()) - kVolumeStep);
    m_host.SetVolumeSliderPos(v);
    SetVolume(v);
}

void CPlayFlow::OnMuteButton()
{
    const int mute = m_host.MuteChecked() ? 1 : 0;
    if (m_settings)
        m_settings->m_nMute = mute;
    if (m_sound)
        m_sound->SetMute(mute);
}

void CPlayFlow::ToggleMute()
{
    m_host.SetMuteChecked(!m_host.MuteChecked());
    OnMuteButton();
}

// ---- View channel and zoom ---------------------------------------------------------------

void CPlayFlow::SwitchView()
{
    const int n = SlotCount();
    if (m_playState == kPlaying && m_curRec && m_curRec->GetChannelCount() < 2) {
        if (m_viewChannel == 0)
            return;
        m_viewChannel = 0;
    } else {
        m_viewChannel = (m_viewChannel + 1) % n;
    }
    m_host.SetFullScreenLabel(m_host.Text(QString::fromLatin1(ViewLabelKey(m_viewChannel))));
    SuppressPictures(kSwitchSuppressMs);
    LayoutDisplays(m_host.ClientSize());
}

void CPlayFlow::ToggleZoomPipPos()
{
    if (!m_settings)
        return;
    m_settings->m_nZoomPipPos = m_settings->m_nZoomPipPos == 0 ? 1 : 0;
    ApplyZoomOptions();
}

void CPlayFlow::ToggleZoomPipShow()
{
    if (!m_settings)
        return;
    m_settings->m_nZoomPipShow = m_settings->m_nZoomPipShow == 0 ? 1 : 0;
    ApplyZoomOptions();
}

// ---- Player events and panel notifications ---------------------------------------------------

bool CPlayFlow::OnPlayerEvent(uintptr_t code)
{
    switch (code) {
    case msg::kEventGpsSample: {
        const CUserDataInfo sample = MapSample();
        if (sample.m_cStatus != u'A')
            break;
        if (m_host.MapType() == 1) {
            if (m_host.MapDialogReady())
                m_host.MapDialogSample(sample);
        } else if (m_host.MapPanelReady() && m_host.MapPanelEnabled()) {
            m_host.MapPanelSample(sample);
        }
        break;
    }
    case msg::kEventEnd:
        PlayNextOnEnd();
        break;
    case msg::kEventStop:
        Stop();
        break;
    case msg::kEventVideoAdjust:
        ApplyVideoAdjustments();
        break;
    default:
        return false;
    }
    return true;
}

int CPlayFlow::FindRow(const CRecFileInfo* rec)
{
    const int count = MergedCount();
    for (int i = 0; i < count; ++i) {
        const CRecFileInfo* r = RecordAt(i);
        if (r == rec || SameRecording(r, rec))
            return i;
    }
    return -1;
}

bool CPlayFlow::OnPanelNotify(uint16_t code, intptr_t value)
{
    switch (code) {
    case msg::kNotifyPlayRecord: {
        auto* rec = reinterpret_cast<CRecFileInfo*>(value);
        const CRecFileInfo* reference = m_playState == kStopped   ? RecordAt(m_host.ListSelectedIndex())
                                        : m_playState == kPlaying ? m_curRec
                                                                  : nullptr;
        if (!rec || SameRecording(rec, reference))
            break;
        const int row = FindRow(rec);
        if (row < 0)
            break;  // not in the list shown: nothing to select or play
        if (m_playState == kStopped) {
            m_host.ListSelectRow(row);
        } else if (m_playState == kPlaying) {
            Stop();
            m_host.ListSelectRow(row);
            Play();
        }
        break;
    }
    case msg::kNotifyMapRecord:
        if (m_host.MapType() == 1 && m_host.MapDialogReady()) {
            CRecFileInfo* rec = m_playState == kStopped   ? RecordAt(m_host.ListSelectedIndex())
                                : m_playState == kPlaying ? m_curRec
                                                          : nullptr;
            m_host.MapDialogPostRecord(rec);
        }
        break;
    case msg::kNotifyRowClick:
        if (m_host.MapType() == 1 && m_host.MapDialogReady())
            m_host.MapDialogPostRecord(RecordAt(static_cast<int>(value)));
        break;
    case msg::kNotifyRowDoubleClick:
        if (PlayStart(static_cast<int>(value)) == 0) {
            m_host.ShowPlayButton(false);
            SetListPlayStatus(true);
        }
        break;
    case msg::kNotifyRowCheck:
        EnableCheckDependent(m_playState);
        break;
    case msg::kNotifyPlay:
        Play();
        break;
    case msg::kNotifyStop:
        Stop();
        break;
    default:
        return false;
    }
    return true;
}

}  // namespace kestrel::playflow
