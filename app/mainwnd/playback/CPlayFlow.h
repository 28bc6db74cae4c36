// CPlayFlow: the playback flow of the main window. It opens a recording of
// the merged list in the playback engine, starts, pauses, steps, seeks,
// changes speed and volume, moves to the next or previous recording, turns
// the engine's callbacks into pictures, sound and player events, and follows
// the play position with a worker thread. It drives the views through their
// roles (PlayViews); the window only builds and wires them, and its handlers
// of the same names delegate here.
//
// Threads and hand-offs:
// - User-interface thread: every public operation except OnPlayerCallback.
// - Engine thread ("PlayManager"): OnPlayerCallback. It draws into the
//   displays cached on the user-interface thread, feeds the sound object,
//   writes the last picture time and the map sample, wakes the worker and
//   posts player events through the post role. It reads the record it plays only
//   through the engine session (record, duration, start second), which is
//   published before IPlayback::Start and withdrawn after IPlayback::Stop;
//   Stop joins the engine thread, so after it no callback can still hold
//   the record, and only then are records or samples released.
// - Position worker: woken by each channel-0 picture; it only asks the post
//   role for one position update (at most one is pending). The update runs
//   UpdatePosition on the user-interface thread with the newest picture
//   time, so the worker never waits for that thread, PlayStop can join it,
//   and a late update after PlayStop finds play state 1 and does nothing.
#pragma once

#include "PositionWorker.h"
#include "SetupEvent.h"

#include "kestrel/KestrelTypes.h"
#include "playcore/IPlayback.h"
#include "views/PlayViews.h"

#include <QSize>
#include <QString>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>

class CPluginManager;
class CViewerSetup;
class IDisplay;
class ISound;
class QWidget;

namespace kestrel::playflow {

// What Initialize takes from the application and the window.
struct PlayFlowContext {
    CPluginManager* plugins = nullptr;  // source of records, samples, extension channels
    CViewerSetup* settings = nullptr;   // the window's viewer settings (kept, not owned)
    _PLUGIN_INFO pluginInfo{};          // the loaded plug-in's description
    QString userDataFolder;             // where Uninitialize saves the settings
    QWidget* window = nullptr;          // parent for the plug-in manager and the sound
};

class CPlayFlow {
public:
    // Play states of the window.
    static constexpr int kNoRecordings = 0;
    static constexpr int kStopped = 1;
    static constexpr int kPlaying = 2;  // also while the player is paused
    // Value of "display setting" passed with every Draw.
    static constexpr int kDisplayFormat = 5;
    static constexpr int kMaxChannels = 4;

    // Null roles in `views` are absent views (see PlayViews).
    explicit CPlayFlow(const views::PlayViews& views);
    ~CPlayFlow();
    CPlayFlow(const CPlayFlow&) = delete;
    CPlayFlow& operator=(const CPlayFlow&) = delete;

    // ---- Life ------------------------------------------------------------
    int Initialize(const PlayFlowContext& context);  // always 0
    // Stops playback, releases the player and the sound and saves the
    // settings; the window calls it before it is destroyed.
    void Uninitialize();

    // ---- Core operations ------------------------------------------------
    int PlayStart(int index);  // 0, or -1 when the record cannot be played
    void PlayStop();
    void PlayNextOnEnd();
    // Engine thread (or the user-interface thread inside OpenFile).
    void OnPlayerCallback(uint32_t code, uint32_t param, void* info);
    // User-interface thread, with the newest channel-0 picture time.
    void UpdatePosition(double seconds);
    void SetControlState(int state);
    void LayoutDisplays(QSize clientSize);
    void ApplySpeed(int apply);
    void ApplyVideoAdjustments();
    void ApplyZoomOptions();

    // ---- Deliveries from the window ---------------------------------------
    // WM_PLAYER_EVENT; false for the codes the window handles itself.
    bool OnPlayerEvent(uintptr_t code);
    // The position update the worker asked the host to post.
    void OnPositionPosted();
    // WM_PANEL_NOTIFY; false for codes that are not the flow's.
    bool OnPanelNotify(uint16_t code, intptr_t value);
    // Re-layout: pictures are dropped until ResumePictures (timer 4105).
    void SuppressPictures(int ms);
    void ResumePictures() { m_suppressPictures = 0; }

    // ---- Commands -----------------------------------------------------------
    void Play();
    void Pause();
    void Stop();
    void TogglePlayPause();  // Space
    void Restart();          // Backspace
    void FrameStep();        // F
    void NextFile();
    void PrevFile();
    void StepForward();
    void StepBackward();
    // Slider messages (1088 pressed, 1089 released, 1090 moved) with the
    // slider's position.
    void OnPlayBarSlider(uint32_t msg, int positionMs);
    void OnSpeedSlider(uint32_t msg);
    void OnTimeLapse() { ApplySpeed(1); }
    void SpeedReset();
    void OnVolumeSlider(int position);
    void VolumeUp();
    void VolumeDown();
    void OnMuteButton();  // the check button was clicked
    void ToggleMute();    // M: toggle the check, then as a click
    void SwitchView();
    void ToggleZoomPipPos();   // F9
    void ToggleZoomPipShow();  // F10
    // After a language change.
    void SignalSetupEvent() { m_setupEvent.Signal(); }

    // ---- State ---------------------------------------------------------------
    int PlayState() const { return m_playState; }
    // The open command and the list's owners set 0 or 1.
    void SetPlayState(int state) { m_playState = state; }
    int ViewChannel() const { return m_viewChannel; }
    CRecFileInfo* CurrentRecord() const { return m_curRec; }
    const _TAG_STREAM_INFO& StreamInfo() const { return m_stream; }
    IPlayback* Player() const { return m_player; }
    ISound* Sound() const { return m_sound; }
    CUserDataInfo MapSample() const;
    // Channels shown side by side: 2, or more with extension channels.
    int SlotCount() const;
    bool WorkerRunning() const { return m_worker.Running(); }

private:
    static void PlayerCallback(uint32_t code, uint32_t param, void* info, void* user);
    void OnVideoFrame(_TAG_DEC_INFO* picture);
    void DrawPicture(const _TAG_DEC_INFO& picture);
    void OnPictureWake();

    // The engine's state; Stopped when there is no engine.
    playcore::PlayState EngineState() const;
    void StopEngine(bool clearDisplays);
    void ClearDisplays();
    void RefreshDisplays();
    int MergedCount();
    CRecFileInfo* RecordAt(int index);
    int FindRow(const CRecFileInfo* rec);
    void SetListPlayStatus(bool playing);
    // The view channel and the full-screen label that names it.
    void SetViewChannel(int channel);
    // Play button shown, pause hidden, the list's play status off.
    void ShowPlayPresentation();
    void EnableCheckDependent(int state);
    void SetVolume(int volume);
    // Flip, brightness and contrast of `channel`'s settings.
    void ApplyAdjustments(IDisplay* display, int channel);
    void WritePlayBarLabel(const QString& text);
    void ReleaseRecordSamples(CRecFileInfo* rec);

    const views::PlayViews m_v;  // every role set: absent ones are stand-ins
    CPluginManager* m_pm = nullptr;
    CViewerSetup* m_settings = nullptr;
    _PLUGIN_INFO m_info{};
    QString m_userDataFolder;
    IPlayback* m_player = nullptr;
    ISound* m_sound = nullptr;
    CSetupEvent m_setupEvent;

    // User-interface thread only.
    CRecFileInfo* m_curRec = nullptr;
    _TAG_STREAM_INFO m_stream;
    int m_laidOutChannels = kMaxChannels;
    int m_listState = 0;
    playcore::PlayState m_dragPlayerState = playcore::PlayState::Stopped;
    int m_failedIndex = -1;  // row whose recording could not be opened
    QString m_shownLabel;
    bool m_opening = false;
    bool m_inNext = false;
    bool m_inPrev = false;
    bool m_inStep = false;
    bool m_inFrameStep = false;
    // When the last forward step ran: forward steps keep a steady pace.
    std::chrono::steady_clock::time_point m_lastForwardStep{};

    // Shared with the engine thread and the worker.
    std::atomic<int> m_playState{kNoRecordings};
    std::atomic<int> m_windowState{0};
    std::atomic<int> m_viewChannel{0};
    std::atomic<int> m_suppressPictures{0};
    std::atomic<IDisplay*> m_displays[kMaxChannels] = {};
    std::atomic<IDisplay*> m_fullScreen{nullptr};
    // The engine session (see the header comment).
    std::atomic<CRecFileInfo*> m_engineRec{nullptr};
    std::atomic<double> m_engineDuration{0.0};
    std::atomic<int64_t> m_engineStartSec{0};
    // Time of the latest channel-0 picture; negative: none since opening.
    std::atomic<double> m_lastPictureTime{-1.0};
    std::atomic<bool> m_positionPending{false};
    mutable std::mutex m_mapLock;
    CUserDataInfo m_mapSample;

    CPositionWorker m_worker;
};

}  // namespace kestrel::playflow
