// What the playback flow needs from the main window: the list panel, the
// channel displays and the full-screen view, the transport controls, the
// play-bar, speed and volume controls, the G-sensor panel, the read-outs and
// the map. The flow (CPlayFlow) talks to the window only through this
// interface, so it can run against a fake window in tests.
//
// Threads: every operation is called on the user-interface thread, except
// the three marked "any thread", which must only queue work for the
// user-interface thread and never wait for it.
#pragma once

#include "kestrel/KestrelTypes.h"

#include <QSize>
#include <QString>

#include <cstdint>

class IDisplay;

namespace kestrel::playflow {

// The transport controls whose enabled state follows the play state.
enum class PlayControl {
    Play,
    Pause,
    Stop,
    StepBackward,
    StepForward,
    PrevFile,
    NextFile,
    TimeLapse,
    PlayBar,
    SpeedSlider,
    SpeedReset,
    Snapshot,
    Report,
    Backup,
    Delete,
};

class IPlayHost {
public:
    virtual ~IPlayHost() = default;

    // ---- Hand-offs to the user-interface thread (any thread) -------------

    // Posts WM_PLAYER_EVENT with `code`; the window later calls
    // CPlayFlow::OnPlayerEvent(code) on the user-interface thread.
    virtual void PostPlayerEvent(uintptr_t code) = 0;
    // Queues one position update; the window later calls
    // CPlayFlow::OnPositionPosted() on the user-interface thread.
    virtual void PostPositionUpdate() = 0;

    // ---- Recording list -------------------------------------------------

    virtual int ListPlayingIndex() = 0;   // -1 when no row plays
    virtual int ListSelectedIndex() = 0;  // -1 when no row is selected
    // Marks `row` as the playing row and scrolls it into view.
    virtual void ListMarkPlaying(int row) = 0;
    // No row plays any more.
    virtual void ListClearPlaying() = 0;
    // Selects `row` and scrolls it into view.
    virtual void ListSelectRow(int row) = 0;
    // The playing row's play/pause mark.
    virtual void ListSetPlayStatus(bool playing) = 0;
    virtual int ListCheckedCount() = 0;
    // Stores the play state in the list: 1 and 2 enable its filter buttons,
    // 0 resets the list and disables them.
    virtual void ListSetState(int state) = 0;

    // ---- Displays ---------------------------------------------------------

    // The display of channel 0..3, or null when that panel has no window.
    // Asked on the user-interface thread; the objects must live as long as
    // the flow (the engine draws into them from its own thread).
    virtual IDisplay* ChannelDisplay(int channel) = 0;
    virtual IDisplay* FullScreenDisplay() = 0;
    // 0 normal, 1 maximised, 2 and 3 full screen.
    virtual int WindowState() = 0;
    virtual QSize ClientSize() = 0;
    // Places channel panel `channel` at the skin record `slotKey`
    // ("display%d") scaled to a client area of `clientSize`, and shows it.
    virtual void PlaceChannelPanel(int channel, const QString& slotKey, QSize clientSize) = 0;
    virtual void HideChannelPanel(int channel) = 0;
    // The full-screen view's label; the view repaints.
    virtual void SetFullScreenLabel(const QString& text) = 0;
    // Starts the one-shot re-layout timer; when it fires the window calls
    // CPlayFlow::ResumePictures().
    virtual void StartPictureResumeTimer(int ms) = 0;

    // ---- Transport controls -------------------------------------------

    // true: play button shown, pause hidden; false: the other way round.
    virtual void ShowPlayButton(bool showPlay) = 0;
    virtual void EnableControl(PlayControl control, bool enabled) = 0;

    virtual void SetPlayBarRange(int maxMs) = 0;
    virtual void SetPlayBarPos(int ms) = 0;
    virtual int PlayBarPos() = 0;
    virtual int PlayBarMax() = 0;
    virtual void SetPlayBarLabel(const QString& text) = 0;

    virtual int SpeedSliderPos() = 0;
    virtual void SetSpeedSliderPos(int pos) = 0;
    virtual void SetSpeedLabel(const QString& text) = 0;
    virtual bool TimeLapseChecked() = 0;

    virtual int VolumeSliderPos() = 0;
    virtual void SetVolumeSliderPos(int volume) = 0;
    virtual bool MuteChecked() = 0;
    virtual void SetMuteChecked(bool checked) = 0;

    // Accelerator keys on or off (while a question is open).
    virtual void SetAcceleratorsEnabled(bool enabled) = 0;
    // The open-failed question: 1 when the user confirmed, 2 when cancelled.
    virtual int AskOpenFailed() = 0;

    // Text of a language key.
    virtual QString Text(const QString& key) = 0;

    // ---- G-sensor panel and read-outs ------------------------------------

    // The panel's record (null: none), stream information and range; it
    // rebuilds its graph and repaints.
    virtual void GSensorSetRecord(CRecFileInfo* rec, const _TAG_STREAM_INFO& stream, int range) = 0;
    // Cursor at a play position in milliseconds (-1: none); it repaints.
    virtual void GSensorSetCursor(int ms) = 0;
    // Drops the graph and repaints.
    virtual void GSensorReset() = 0;
    // The G-sensor and GPS read-outs for a play position; `gps` is the
    // recording's sample for that second or null, valid during the call.
    virtual void UpdateReadouts(int positionMs, const CUserDataInfo* gps) = 0;
    // The read-outs of "nothing plays".
    virtual void ResetReadouts() = 0;

    // ---- Map --------------------------------------------------------------

    // 1: the map lives in the map dialog; otherwise in the map panel.
    virtual int MapType() = 0;
    virtual bool MapDialogReady() = 0;
    // Hands a record (or null) to the map dialog's thread.
    virtual void MapDialogPostRecord(CRecFileInfo* rec) = 0;
    // The map dialog's play and pause buttons: playing or stopped.
    virtual void MapDialogSetPlaying(bool playing) = 0;
    virtual void MapDialogSample(const CUserDataInfo& sample) = 0;
    virtual bool MapPanelReady() = 0;
    virtual bool MapPanelEnabled() = 0;
    virtual void MapPanelLoadTrack(CRecFileInfo* rec) = 0;
    // Drops the track (and clears the page's lines when it is loaded).
    virtual void MapPanelClearTrack() = 0;
    virtual void MapPanelSample(const CUserDataInfo& sample) = 0;
};

}  // namespace kestrel::playflow
