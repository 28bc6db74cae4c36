// Life of the flow, opening and closing recordings, the engine callback, the
// position updates and the control states.
#include "CPlayFlow.h"

#include "AbsentViews.h"
#include "PlayFormat.h"

#include "filehub/CPluginManager.h"
#include "kestrel/Trace.h"
#include "kestrel/ViewerMessages.h"
#include "playcore/IPlayback.h"
#include "startup/CViewerSetup.h"
#include "vidout/ISound.h"

#include <ctime>

namespace kestrel::playflow {

CPlayFlow::CPlayFlow(const views::PlayViews& views) : m_v(WithStandIns(views)) {}

CPlayFlow::~CPlayFlow()
{
    // The window calls Uninitialize while it still exists; this only makes
    // sure no thread outlives the flow, without calling back into the host.
    m_worker.Stop();
    if (m_player) {
        m_player->SetCallback(nullptr, nullptr);
        delete m_player;
    }
    if (m_sound) {
        m_sound->Close();
        delete m_sound;
    }
}

int CPlayFlow::Initialize(const PlayFlowContext& context)
{
    kestrel::Trace("CKestrelDlg::Initialize() - begin\n");
    m_pm = context.plugins;
    m_settings = context.settings;
    m_info = context.pluginInfo;
    m_userDataFolder = context.userDataFolder;
    if (m_pm)
        m_pm->SetParentWnd(context.window);
    if (!m_player) {
        m_player = IPlayback::Create();
        if (m_player) {
            m_player->SetCallback(&CPlayFlow::PlayerCallback, this);
            if (m_settings)
                m_player->SetAudioLevel(m_settings->m_dAudioLevel);
        }
    }
    if (!m_sound) {
        m_sound = ISound::Create();
        if (m_sound)
            m_sound->Initialise(context.window);
    }
    if (!m_setupEvent.Create())
        kestrel::Trace("CKestrelDlg::Initialize() - no set-up event\n");

    RefreshDisplays();
    m_v.transport->SetSpeedSliderPos(kSpeedSliderReset);
    ApplySpeed(0);
    if (m_settings) {
        m_v.transport->SetVolumeSliderPos(ClampVolume(m_settings->m_nVolume));
        m_v.transport->SetMuteChecked(m_settings->m_nMute != 0);
        if (m_sound) {
            m_sound->SetVolume(ClampVolume(m_settings->m_nVolume));
            m_sound->SetMute(m_settings->m_nMute != 0 ? 1 : 0);
        }
        ApplyVideoAdjustments();
        ApplyZoomOptions();
    }
    SetControlState(m_playState);
    kestrel::Trace("CKestrelDlg::Initialize() - end\n");
    return 0;
}

void CPlayFlow::Uninitialize()
{
    if (m_player && (EngineState() != playcore::PlayState::Stopped || m_playState == kPlaying))
        PlayStop();
    m_worker.Stop();
    if (m_player) {
        // Its destructor stops and closes; callbacks end with it.
        delete m_player;
        m_player = nullptr;
    }
    m_engineRec = nullptr;
    if (m_sound) {
        m_sound->Stop();
        m_sound->Close();
        delete m_sound;
        m_sound = nullptr;
    }
    if (m_settings && !m_userDataFolder.isEmpty()) {
        if (!m_settings->SaveSettings(m_userDataFolder))
            kestrel::Trace("CKestrelDlg::Uninitialize() - settings not saved\n");
        m_settings = nullptr;
    }
    m_setupEvent.Delete();
}

// ---- Opening and closing ---------------------------------------------------

playcore::PlayState CPlayFlow::EngineState() const
{
    return m_player ? static_cast<playcore::PlayState>(m_player->GetPlayState()) : playcore::PlayState::Stopped;
}

void CPlayFlow::StopEngine(bool clearDisplays)
{
    if (m_player) {
        m_player->Stop();  // joins the engine thread: no callback runs after this
        m_player->CloseFile();
    }
    m_engineRec = nullptr;
    m_lastPictureTime = -1.0;
    if (clearDisplays)
        ClearDisplays();
}

int CPlayFlow::PlayStart(int index)
{
    // OpenFile may ask a question with its own event loop; a second start
    // from there would reopen the player under the first one's feet.
    if (m_opening || !m_player || !m_pm)
        return -1;
    const std::time_t begun = std::time(nullptr);
    // Stopped and closed whatever the state says: a player left open by a
    // failed Start would refuse every later OpenFile.
    StopEngine(EngineState() != playcore::PlayState::Stopped);

    if (index < 0 || index >= MergedCount())
        return -1;
    CRecFileInfo* rec = RecordAt(index);
    if (!rec)
        return -1;

    const int channels = rec->GetChannelCount();
    if (channels != m_laidOutChannels) {
        if (m_viewChannel != 0) {
            SetViewChannel(0);
            LayoutDisplays(m_v.displays->ClientSize());
        }
        m_laidOutChannels = channels;
    }

    m_opening = true;
    const int opened = m_player->OpenFile(rec);  // may raise PB_CB_OPEN_FAILED here
    m_opening = false;
    if (opened != 0) {
        m_failedIndex = index;  // "next" continues after this row
        return -1;
    }
    m_failedIndex = -1;

    _TAG_STREAM_INFO info;
    m_player->GetStreamInfo(0, &info);
    m_stream.dDuration = info.dDuration;
    m_stream.nLength = rec->GetStartTime() / 1000;

    m_pm->ParseGSensor(rec);
    m_pm->ParseGPS(rec);

    m_v.transport->SetPlayBarRange(ToPlayBarMs(m_stream.dDuration));
    m_v.transport->SetPlayBarPos(0);
    WritePlayBarLabel(QStringLiteral("00:00:00/%1").arg(FormatClock(m_stream.dDuration)));

    m_curRec = rec;
    m_v.gsensor->SetRecord(rec, m_stream, m_settings ? m_settings->m_nGSensorRange : 2);
    m_v.gsensor->SetCursor(-1);

    if (!m_worker.Running())
        m_worker.Start([this] { OnPictureWake(); });

    char when[32] = {};
    std::tm local{};
    localtime_r(&begun, &local);
    std::strftime(when, sizeof when, "%Y-%m-%d %H:%M:%S", &local);
    kestrel::Trace("%s: %s - duration:%1.3f\n", "CKestrelDlg::PlayStart", when, m_stream.dDuration);

    // Pictures are held back only while a layout settles; a layout that
    // ended before this recording started must not cost it its first
    // pictures (a window that lays out on show and plays at once lost 0.2 s).
    // The panels were placed synchronously above, so drawing can go ahead.
    ResumePictures();

    // Publish the session before the engine thread exists.
    m_engineDuration = m_stream.dDuration;
    m_engineStartSec = m_stream.nLength;
    m_engineRec = rec;
    m_player->Start();

    m_v.list->MarkPlayingRow(index);
    m_playState = kPlaying;
    SetControlState(kPlaying);

    m_v.map->PlaybackStarted(rec);  // a map that is not ready yet draws it when it is
    return 0;
}

void CPlayFlow::PlayStop()
{
    if (m_playState == kStopped)
        return;
    kestrel::Trace("CKestrelDlg::PlayStop\n");
    m_playState = kStopped;
    // The worker only queues work, so joining it here cannot deadlock.
    m_worker.Stop();
    m_positionPending = false;
    StopEngine(false);
    m_failedIndex = -1;
    m_v.list->ClearPlayingRow();
    // The engine's threads are joined: no picture reaches a display after
    // this, so the panels can reset at once.

    // The graph and the map let go of the record before its samples may go.
    CRecFileInfo* rec = m_curRec;
    m_curRec = nullptr;
    m_v.gsensor->SetRecord(nullptr, m_stream, m_settings ? m_settings->m_nGSensorRange : 2);
    m_v.map->PlaybackStopped();
    if (!m_v.map->KeepsRecordSamples())
        ReleaseRecordSamples(rec);
    SetControlState(kStopped);
}

void CPlayFlow::ReleaseRecordSamples(CRecFileInfo* rec)
{
    // Safe only here: the engine and the worker are stopped, so nothing
    // else reads the sample lists.
    if (!rec)
        return;
    rec->ClearGps();
    rec->ClearGSensor();
}

void CPlayFlow::PlayNextOnEnd()
{
    const int base = m_failedIndex >= 0 ? m_failedIndex : m_v.list->PlayingRow();
    m_failedIndex = -1;
    const int next = base + 1;
    if (next >= 0 && next < MergedCount() && RecordAt(next)) {
        const playcore::PlayState remembered = EngineState();
        StopEngine(true);
        PlayStart(next);
        if (playcore::IsPaused(remembered) && m_player) {
            m_player->Pause(0);
            ShowPlayPresentation();
        }
        m_v.list->MarkPlayingRow(next);
        return;
    }
    // The end of the last recording stops playback. The play status is
    // cleared first: the list takes it only while playing.
    ShowPlayPresentation();
    PlayStop();
}

// ---- Engine callback (engine thread) ---------------------------------------

void CPlayFlow::PlayerCallback(uint32_t code, uint32_t param, void* info, void* user)
{
    if (user)
        static_cast<CPlayFlow*>(user)->OnPlayerCallback(code, param, info);
}

void CPlayFlow::OnPlayerCallback(uint32_t code, uint32_t, void* info)
{
    auto* dec = static_cast<_TAG_DEC_INFO*>(info);
    switch (code) {
    case PB_CB_VIDEO_FRAME:
        OnVideoFrame(dec);
        break;
    case PB_CB_AUDIO_FRAME:
        if (dec && m_sound)
            m_sound->PlayBuffer(dec->pBuffer, dec->SoundBytes(), dec->nAudioChannels, dec->nBitsPerSample,
                                dec->nSampleRate);
        break;
    case PB_CB_AUDIO_RESET:
        if (m_sound)
            m_sound->Reset();
        break;
    case PB_CB_AUDIO_STOP:
        if (m_sound)
            m_sound->Stop();
        break;
    case PB_CB_END:
        m_v.post->PostPlayerEvent(msg::kEventEnd);
        break;
    case PB_CB_OPEN_FAILED: {
        // Raised inside OpenFile, on the user-interface thread.
        const bool goOn = m_v.prompt->AskOpenFailed();
        m_v.post->PostPlayerEvent(goOn ? msg::kEventEnd : msg::kEventStop);
        break;
    }
    default:
        break;
    }
}

void CPlayFlow::OnVideoFrame(_TAG_DEC_INFO* picture)
{
    if (m_suppressPictures || !picture)
        return;
    if (m_info.bVideoExtChannel && picture->nChannel == 1 && m_pm) {
        // Channel 1 only feeds the derived pictures.
        for (int i = 0; i <= m_info.nVideoExtChannel && i < kMaxChannels; ++i) {
            _TAG_DEC_INFO derived;
            if (m_pm->GetVideoExtChannel(i, picture, &derived) >= 0)
                DrawPicture(derived);
        }
        return;
    }
    DrawPicture(*picture);
    if (picture->nChannel != 0)
        return;
    const double t = picture->dTime;
    if (!(t >= 0.0 && t < m_engineDuration))
        return;
    m_lastPictureTime = t;
    m_worker.Signal();

    CRecFileInfo* rec = m_engineRec;
    if (!rec || !m_pm)
        return;
    const CUserDataInfo* sample = m_pm->GetGPSData(rec, m_engineStartSec + static_cast<int64_t>(t));
    if (!sample)
        return;
    {
        std::lock_guard<std::mutex> lock(m_mapLock);
        if (sample->m_dLatRaw == m_mapSample.m_dLatRaw && sample->m_dLonRaw == m_mapSample.m_dLonRaw)
            return;
        m_mapSample = *sample;
    }
    m_v.post->PostPlayerEvent(msg::kEventGpsSample);
}

CUserDataInfo CPlayFlow::MapSample() const
{
    std::lock_guard<std::mutex> lock(m_mapLock);
    return m_mapSample;
}

// ---- Position --------------------------------------------------------------

void CPlayFlow::OnPictureWake()
{
    // Worker thread: one pending update is enough, it reads the newest time.
    if (m_playState == kPlaying && !m_positionPending.exchange(true))
        m_v.post->PostPositionUpdate();
}

void CPlayFlow::OnPositionPosted()
{
    m_positionPending = false;
    const double t = m_lastPictureTime;
    if (t >= 0.0)
        UpdatePosition(t);
}

void CPlayFlow::UpdatePosition(double seconds)
{
    if (!m_pm || m_playState != kPlaying)
        return;
    const int ms = ToPlayBarMs(seconds);
    m_v.transport->SetPlayBarPos(ms);
    WritePlayBarLabel(PlayBarLabel(seconds, m_stream.dDuration));
    m_v.gsensor->SetCursor(ms);
    const CUserDataInfo* gps =
        m_curRec ? m_pm->GetGPSData(m_curRec, m_stream.nLength + static_cast<int64_t>(seconds)) : nullptr;
    m_v.readouts->UpdateReadouts(m_curRec, ms, gps);
}

void CPlayFlow::WritePlayBarLabel(const QString& text)
{
    if (text == m_shownLabel)
        return;
    m_shownLabel = text;
    m_v.transport->SetPlayBarLabel(text);
}

// ---- Control state -----------------------------------------------------------

void CPlayFlow::SetControlState(int state)
{
    const bool loaded = state >= kStopped;
    const bool playing = state == kPlaying;
    m_v.transport->EnableControl(views::PlayControl::Play, loaded);
    m_v.transport->EnableControl(views::PlayControl::Pause, loaded);
    m_v.transport->EnableControl(views::PlayControl::Stop, playing);
    m_v.transport->EnableControl(views::PlayControl::StepBackward, playing);
    m_v.transport->EnableControl(views::PlayControl::StepForward, playing);
    m_v.transport->EnableControl(views::PlayControl::PrevFile, loaded);
    m_v.transport->EnableControl(views::PlayControl::NextFile, loaded);
    m_v.transport->EnableControl(views::PlayControl::TimeLapse, loaded);
    m_v.transport->EnableControl(views::PlayControl::PlayBar, playing);
    m_v.transport->EnableControl(views::PlayControl::SpeedSlider, loaded);
    m_v.transport->EnableControl(views::PlayControl::SpeedReset, loaded);
    m_v.transport->EnableControl(views::PlayControl::Snapshot, playing);
    m_v.transport->EnableControl(views::PlayControl::Report, playing);
    EnableCheckDependent(state);
    if (!playing) {
        ClearDisplays();
        m_v.transport->SetPlayBarRange(10);
        m_v.transport->SetPlayBarPos(0);
        WritePlayBarLabel(EmptyPlayBarLabel());
        m_v.readouts->ResetReadouts();
        m_v.gsensor->Reset();
    }
    m_listState = state;
    m_v.list->SetListState(state);
}

void CPlayFlow::EnableCheckDependent(int state)
{
    const bool checked = state >= kStopped && m_v.list->CheckedRowCount() > 0;
    m_v.transport->EnableControl(views::PlayControl::Backup, state == kPlaying || checked);
    m_v.transport->EnableControl(views::PlayControl::Delete, checked);
}

// ---- Small helpers ---------------------------------------------------------------

int CPlayFlow::MergedCount() { return m_pm ? m_pm->GetMergedDataCount() : 0; }

CRecFileInfo* CPlayFlow::RecordAt(int index)
{
    return m_pm && index >= 0 ? m_pm->GetRecFileInfo(index) : nullptr;
}

}  // namespace kestrel::playflow
