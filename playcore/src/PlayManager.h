// The player behind IPlayback: one controller per channel and the
// "PlayManager" presentation thread that paces decoded frames against a
// software clock and hands them to the callback.
//
// The presentation thread sleeps between passes: until the next frame is due
// by the clock, until the next 60 ms pass while paused, or until it is rung
// (a frame queued, a stream at its end, a seek step, or a call of the caller:
// pause, resume, step, seek, speed, stop).
#pragma once

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "playcore/IPlayback.h"
#include "IPlaybackCtrl.h"
#include "PresentationClock.h"
#include "SeekPhase.h"
#include "Wakeup.h"

class CPlayManager : public IPlayback {
public:
    CPlayManager() = default;
    ~CPlayManager() override;
    CPlayManager(const CPlayManager&) = delete;
    CPlayManager& operator=(const CPlayManager&) = delete;

    int OpenFile(CRecFileInfo* rec) override;
    void CloseFile() override;
    int GetStreamInfo(int channel, _TAG_STREAM_INFO* info) override;
    int Start() override;
    void Stop() override;
    void Pause(int holdFrame) override;
    void Resume() override;
    void StepNext() override;
    void SetPos(double seconds) override;
    void SetPBSpeed(double factor) override;
    _TAG_DEC_INFO* GetLastVideo(int channel) override;
    void SetAudioLevel(double level) override;
    int GetPlayState() override;

private:
    using TimePoint = std::chrono::steady_clock::time_point;
    // When the presentation thread runs its next pass.
    struct NextPass {
        bool end = false;  // the recording is over: the thread ends
        TimePoint at{};    // at this time, or earlier when rung
    };
    static NextPass AtOnce() { return {}; }
    static NextPass At(TimePoint at) { return {false, at}; }
    static NextPass OnRing() { return {false, TimePoint::max()}; }
    static NextPass End() { return {true, {}}; }

    void PresentationThread();
    NextPass Pass();
    // The manager's half of a seek; false while the channels still flush.
    bool SeekPass();
    NextPass PreRollPass(TimePoint now);
    NextPass RunningPass(TimePoint now);
    NextPass StepPass(TimePoint now);
    NextPass PausedPass(TimePoint now);
    // When the next queued frame falls due by the clock.
    NextPass NextDue(double speed);
    // True while anything is still queued or to come (running-clock rule).
    bool AnythingPending();

    std::thread m_thread;
    std::atomic<int> m_bRun{0};
    std::atomic<playcore::PlayState> m_playState{playcore::PlayState::Stopped};
    std::atomic<int> m_nHoldFrame{0};
    std::atomic<int> m_bClockRunning{0};
    std::atomic<double> m_dSpeed{1.0};
    std::atomic<int> m_nStepRequest{0};
    std::atomic<double> m_dAudioLevel{12.0};
    std::atomic<playcore::SeekPhase> m_seekPhase{playcore::SeekPhase::Idle};
    std::vector<playcore::IPlaybackCtrl*> m_channels;
    std::atomic<int> m_nChannels{0};
    CRecFileInfo* m_pRec = nullptr;
    playcore::Wakeup m_wakeup;

    // Presentation-thread only.
    playcore::PresentationClock m_clock;
    TimePoint m_nextPausedPass{};
    bool m_bHeld = false;  // the last running pass found the player paused
};
