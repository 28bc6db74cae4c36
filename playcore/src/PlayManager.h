// The player behind IPlayback: one controller per channel and the
// "PlayManager" presentation thread that paces decoded frames against a
// software clock and hands them to the callback.
#pragma once

#include <atomic>
#include <thread>
#include <vector>

#include "playcore/IPlayback.h"
#include "IPlaybackCtrl.h"

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
    void PresentationThread();
    // One pass; false when the thread shall end (end of the recording).
    bool SeekPass();
    bool PreRollPass(double* clock);
    bool RunningPass(double* clock, uint64_t* reference);
    bool StepPass(double* clock);
    void PausedPass();
    // True while anything is still queued or to come (running-clock rule).
    bool AnythingPending();

    std::thread m_thread;
    std::atomic<int> m_bRun{0};
    std::atomic<int> m_nPlayState{0};
    std::atomic<int> m_nHoldFrame{0};
    std::atomic<int> m_bClockRunning{0};
    std::atomic<double> m_dSpeed{1.0};
    std::atomic<int> m_nStepRequest{0};
    std::atomic<double> m_dAudioLevel{12.0};
    std::atomic<int> m_nSeekPhase{0};
    std::vector<playcore::IPlaybackCtrl*> m_channels;
    std::atomic<int> m_nChannels{0};
    CRecFileInfo* m_pRec = nullptr;
};
