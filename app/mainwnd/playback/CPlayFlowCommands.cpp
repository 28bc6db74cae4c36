// The transport commands, the sliders, the view switch, the player events
// and the panel notifications, all on the user-interface thread.
#include "CPlayFlow.h"

#include "PlayFormat.h"

#include "filehub/CPluginManager.h"
#include "kestrel/RecordRules.h"
#include "kestrel/ViewerMessages.h"
#include "playcore/IPlayback.h"
#include "startup/CViewerSetup.h"
#include "controls/CtrlMessages.h"
#include "util/ReentryGuard.h"
#include "vidout/ISound.h"

#include <chrono>

namespace kestrel::playflow {

namespace {

// Forward steps keep this pace, so a held key does not pile up seeks.
constexpr std::chrono::milliseconds kStepForwardPace{200};
constexpr int kSwitchSuppressMs = 100;

}  // namespace

// ---- Presentation ------------------------------------------------------------

void CPlayFlow::SetListPlayStatus(bool playing)
{
    if (m_listState == kPlaying)
        m_v.list->ShowPlayStatus(playing);
}

void CPlayFlow::SetViewChannel(int channel)
{
    m_viewChannel = channel;
    m_v.displays->ShowViewChannel(channel);
}

void CPlayFlow::ShowPlayPresentation()
{
    m_v.transport->ShowPlayButton(true);
    SetListPlayStatus(false);
}

// ---- Play, pause, stop -----------------------------------------------------------

void CPlayFlow::Play()
{
    if (!m_player)
        return;
    if (EngineState() == playcore::PlayState::Stopped) {
        const int playing = m_v.list->PlayingRow();
        if (PlayStart(playing >= 0 ? playing : m_v.list->SelectedRow()) != 0)
            return;
    } else {
        m_player->Resume();
    }
    m_v.transport->ShowPlayButton(false);
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
    if (EngineState() == playcore::PlayState::Playing)
        Pause();
    else
        Play();
}

void CPlayFlow::Restart()
{
    if (!m_player)
        return;
    const playcore::PlayState state = EngineState();
    if (state == playcore::PlayState::Stopped)
        return;
    m_player->SetPos(0.0);
    if (playcore::IsPaused(state)) {
        m_player->Resume();
        m_v.transport->ShowPlayButton(false);
        SetListPlayStatus(true);
    }
}

void CPlayFlow::FrameStep()
{
    KReentryGuard guard(m_inFrameStep);
    if (!guard.Acquired() || m_playState != kPlaying || !m_player)
        return;
    if (playcore::IsPaused(EngineState()))
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
        const int playing = m_v.list->PlayingRow();
        if (playing >= 0)
            m_v.list->SelectRow(playing);
    } else if (m_playState == kStopped) {
        const int next = m_v.list->SelectedRow() + 1;
        if (next >= 0 && next < MergedCount())
            m_v.list->SelectRow(next);
    }
}

void CPlayFlow::PrevFile()
{
    KReentryGuard guard(m_inPrev);
    if (!guard.Acquired())
        return;
    if (m_playState == kPlaying) {
        const int prev = m_v.list->PlayingRow() - 1;
        if (prev >= 0 && prev < MergedCount() && RecordAt(prev)) {
            StopEngine(true);
            PlayStart(prev);
            m_v.list->MarkPlayingRow(prev);
        } else {
            Stop();
        }
        const int playing = m_v.list->PlayingRow();
        if (playing >= 0)
            m_v.list->SelectRow(playing);
    } else if (m_playState == kStopped) {
        const int prev = m_v.list->SelectedRow() - 1;
        if (prev >= 0 && prev < MergedCount())
            m_v.list->SelectRow(prev);
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
        m_dragPlayerState = EngineState();
        m_player->Pause(0);
        m_player->SetPos(seconds);
        break;
    case ctrlmsg::WM_SLIDER_MOVED:
        m_player->SetPos(seconds);
        break;
    case ctrlmsg::WM_SLIDER_RELEASED:
        m_player->SetPos(seconds);
        // Only a recording that was running (not paused) runs on.
        if (m_dragPlayerState == playcore::PlayState::Playing)
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
    // A step within the pace of the last one is dropped, not queued: a
    // held key's repeats end with the key.
    const auto now = std::chrono::steady_clock::now();
    if (m_lastForwardStep.time_since_epoch().count() != 0 && now - m_lastForwardStep < kStepForwardPace)
        return;
    m_lastForwardStep = now;
    const int interval =
        EngineState() == playcore::PlayState::Playing ? m_settings->m_nStepIntrPlaying : m_settings->m_nStepIntrPause;
    m_player->SetPos(StepTarget(m_v.transport->PlayBarPos(), m_v.transport->PlayBarMax(), interval, true));
}

void CPlayFlow::StepBackward()
{
    KReentryGuard guard(m_inStep);
    if (!guard.Acquired() || m_playState != kPlaying || !m_player || !m_settings)
        return;
    const int interval =
        EngineState() == playcore::PlayState::Playing ? m_settings->m_nStepIntrPlaying : m_settings->m_nStepIntrPause;
    m_player->SetPos(StepTarget(m_v.transport->PlayBarPos(), m_v.transport->PlayBarMax(), interval, false));
}

// ---- Speed ---------------------------------------------------------------------------

void CPlayFlow::ApplySpeed(int apply)
{
    const SpeedChoice c = SpeedForSlider(m_v.transport->SpeedSliderPos(), m_v.transport->TimeLapseChecked(),
                                         m_v.prompt->Text(QStringLiteral("btn_timelapse")));
    if (apply && m_player)
        m_player->SetPBSpeed(c.factor);
    m_v.transport->SetSpeedLabel(c.label);
}

void CPlayFlow::OnSpeedSlider(uint32_t msg)
{
    ApplySpeed(msg == ctrlmsg::WM_SLIDER_RELEASED ? 1 : 0);
}

void CPlayFlow::SpeedReset()
{
    m_v.transport->SetSpeedSliderPos(kSpeedSliderReset);
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
    const int v = ClampVolume((m_settings ? m_settings->m_nVolume : m_v.transport->VolumeSliderPos()) + kVolumeStep);
    m_v.transport->SetVolumeSliderPos(v);
    SetVolume(v);
}

void CPlayFlow::VolumeDown()
{
    const int v = ClampVolume((m_settings ? m_settings->m_nVolume : m_v.transport->VolumeSliderPos()) - kVolumeStep);
    m_v.transport->SetVolumeSliderPos(v);
    SetVolume(v);
}

void CPlayFlow::OnMuteButton()
{
    const int mute = m_v.transport->MuteChecked() ? 1 : 0;
    if (m_settings)
        m_settings->m_nMute = mute;
    if (m_sound)
        m_sound->SetMute(mute);
}

void CPlayFlow::ToggleMute()
{
    m_v.transport->SetMuteChecked(!m_v.transport->MuteChecked());
    OnMuteButton();
}

// ---- View channel and zoom ---------------------------------------------------------------

void CPlayFlow::SwitchView()
{
    const int n = SlotCount();
    if (m_playState == kPlaying && m_curRec && m_curRec->GetChannelCount() < 2) {
        if (m_viewChannel == 0)
            return;
        SetViewChannel(0);
    } else {
        SetViewChannel((m_viewChannel + 1) % n);
    }
    SuppressPictures(kSwitchSuppressMs);
    LayoutDisplays(m_v.displays->ClientSize());
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
        if (m_v.map->Ready())
            m_v.map->Sample(sample);
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
        if (r == rec || kestrel::SameRecording(r, rec))
            return i;
    }
    return -1;
}

bool CPlayFlow::OnPanelNotify(uint16_t code, intptr_t value)
{
    switch (code) {
    case msg::kNotifyPlayRecord: {
        auto* rec = reinterpret_cast<CRecFileInfo*>(value);
        const CRecFileInfo* reference = m_playState == kStopped   ? RecordAt(m_v.list->SelectedRow())
                                        : m_playState == kPlaying ? m_curRec
                                                                  : nullptr;
        if (!rec || kestrel::SameRecording(rec, reference))
            break;
        const int row = FindRow(rec);
        if (row < 0)
            break;  // not in the list shown: nothing to select or play
        if (m_playState == kStopped) {
            m_v.list->SelectRow(row);
        } else if (m_playState == kPlaying) {
            Stop();
            m_v.list->SelectRow(row);
            Play();
        }
        break;
    }
    case msg::kNotifyMapRecord:
        if (m_v.map->Ready()) {
            CRecFileInfo* rec = m_playState == kStopped   ? RecordAt(m_v.list->SelectedRow())
                                : m_playState == kPlaying ? m_curRec
                                                          : nullptr;
            m_v.map->RecordChosen(rec);
        }
        break;
    case msg::kNotifyRowClick:
        if (m_v.map->Ready())
            m_v.map->RecordChosen(RecordAt(static_cast<int>(value)));
        break;
    case msg::kNotifyRowDoubleClick:
        if (PlayStart(static_cast<int>(value)) == 0) {
            m_v.transport->ShowPlayButton(false);
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
