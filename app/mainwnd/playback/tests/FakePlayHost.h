// A main window stand-in for the playback flow: it records what the flow
// asks of the window, and queues the posted player events and position
// updates until the test thread (playing the user-interface thread)
// delivers them with Pump.
#pragma once

#include "CPlayFlow.h"
#include "IPlayHost.h"

#include "vidout/IDisplay.h"

#include <atomic>
#include <chrono>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

namespace kestrel::playflow::test {

// Counts pictures per display; Draw runs on the engine thread.
class FakeDisplay : public IDisplay {
public:
    int CreateScreen(QWidget*, int) override { return 0; }
    QWidget* Widget() const override { return nullptr; }
    void SetLogo(int, const QImage&) override {}
    void SelectLogo(int) override {}
    void Clear(int) override { ++clears; }
    int NeedsRecovery() override { return 0; }
    void MarkRecovery(int) override {}
    int Recover() override { return 1; }
    void SetLabel(const QString&, int, const QString&, uint32_t) override {}
    void SetLabelPlacement(int, int) override {}
    int Draw(int, uint8_t* const data[8], int width, int height, int, const int[8]) override
    {
        if (data[0] && width > 0 && height > 0)
            ++draws;
        return 0;
    }
    void SetFlip(int f, int) override { flip = f; }
    void SetBrightness(int v) override { brightness = v; }
    void SetContrast(int v) override { contrast = v; }
    void SetPipPosition(int p) override { pipPos = p; }
    void SetPipShow(int s) override { pipShow = s; }
    void SetArea(int, const QRect&, const QRect&) override {}

    std::atomic<int> draws{0};
    int clears = 0;
    int flip = -1, brightness = -1, contrast = -1, pipPos = -1, pipShow = -1;
};

class FakePlayHost : public IPlayHost {
public:
    // ---- Posting (any thread) ----
    void PostPlayerEvent(uintptr_t code) override
    {
        std::lock_guard<std::mutex> lock(m_queueLock);
        m_queue.push_back(static_cast<int64_t>(code));
        ++postedEvents[code];
    }
    void PostPositionUpdate() override
    {
        // A slow window: the worker is busy here while the test stops it.
        if (postDelayMs > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(postDelayMs));
        std::lock_guard<std::mutex> lock(m_queueLock);
        m_queue.push_back(kPosition);
    }

    // Delivers queued posts to `flow` (as the window's event loop would)
    // until `done` holds or `timeoutMs` passes; true when `done` held.
    bool Pump(CPlayFlow& flow, const std::function<bool()>& done, int timeoutMs = 10000)
    {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        for (;;) {
            DeliverQueued(flow);
            if (done && done())
                return true;
            if (std::chrono::steady_clock::now() >= end)
                return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }
    void DeliverQueued(CPlayFlow& flow)
    {
        for (;;) {
            int64_t item = 0;
            {
                std::lock_guard<std::mutex> lock(m_queueLock);
                if (m_queue.empty())
                    return;
                item = m_queue.front();
                m_queue.pop_front();
            }
            if (item == kPosition)
                flow.OnPositionPosted();
            else
                flow.OnPlayerEvent(static_cast<uintptr_t>(item));
        }
    }

    // ---- List ----
    int ListPlayingIndex() override { return playingRow; }
    int ListSelectedIndex() override { return selectedRow; }
    void ListMarkPlaying(int row) override { playingRow = row; }
    void ListClearPlaying() override { playingRow = -1; }
    void ListSelectRow(int row) override { selectedRow = row; }
    void ListSetPlayStatus(bool playing) override { playStatus = playing; }
    int ListCheckedCount() override { return checkedRows; }
    void ListSetState(int state) override { listState = state; }

    // ---- Displays ----
    IDisplay* ChannelDisplay(int channel) override
    {
        return channel >= 0 && channel < 4 && channel < panels ? &displays[channel] : nullptr;
    }
    IDisplay* FullScreenDisplay() override { return &fullScreen; }
    int WindowState() override { return windowState; }
    QSize ClientSize() override { return {1920, 1080}; }
    void PlaceChannelPanel(int channel, const QString& slotKey, QSize) override { placed[channel] = slotKey; }
    void HideChannelPanel(int channel) override { placed[channel] = QString(); }
    void SetFullScreenLabel(const QString& text) override { fullScreenLabels.push_back(text); }
    void StartPictureResumeTimer(int ms) override { resumeTimerMs = ms; }

    // ---- Transport ----
    void ShowPlayButton(bool showPlay) override { playShown = showPlay; }
    void EnableControl(PlayControl control, bool enabled) override { enabled_[control] = enabled; }
    void SetPlayBarRange(int maxMs) override { playBarMax = maxMs; }
    void SetPlayBarPos(int ms) override { playBarPos = ms; }
    int PlayBarPos() override { return playBarPos; }
    int PlayBarMax() override { return playBarMax; }
    void SetPlayBarLabel(const QString& text) override
    {
        playBarLabel = text;
        ++labelWrites;
    }
    int SpeedSliderPos() override { return speedPos; }
    void SetSpeedSliderPos(int pos) override { speedPos = pos; }
    void SetSpeedLabel(const QString& text) override { speedLabel = text; }
    bool TimeLapseChecked() override { return timeLapse; }
    int VolumeSliderPos() override { return volumePos; }
    void SetVolumeSliderPos(int v) override { volumePos = v; }
    bool MuteChecked() override { return mute; }
    void SetMuteChecked(bool checked) override { mute = checked; }
    void SetAcceleratorsEnabled(bool on) override { acceleratorLog.push_back(on); }
    int AskOpenFailed() override
    {
        ++questions;
        return openFailedAnswer;
    }
    QString Text(const QString& key) override
    {
        return key == QLatin1String("btn_timelapse") ? QStringLiteral("Time-lapse") : QStringLiteral("<%1>").arg(key);
    }

    // ---- G-sensor, read-outs ----
    void GSensorSetRecord(CRecFileInfo* rec, const _TAG_STREAM_INFO&, int) override { gsensorRecord = rec; }
    void GSensorSetCursor(int ms) override { gsensorCursor = ms; }
    void GSensorReset() override { ++gsensorResets; }
    void UpdateReadouts(int, const CUserDataInfo* gps) override
    {
        ++readouts;
        if (gps)
            ++readoutsWithGps;
    }
    void ResetReadouts() override { ++readoutResets; }

    // ---- Map ----
    int MapType() override { return 0; }
    bool MapDialogReady() override { return false; }
    void MapDialogPostRecord(CRecFileInfo*) override {}
    void MapDialogSetPlaying(bool) override {}
    void MapDialogSample(const CUserDataInfo&) override {}
    bool MapPanelReady() override { return true; }
    bool MapPanelEnabled() override { return true; }
    void MapPanelLoadTrack(CRecFileInfo* rec) override { mapTrack = rec; }
    void MapPanelClearTrack() override { mapTrack = nullptr; }
    void MapPanelSample(const CUserDataInfo&) override { ++mapSamples; }

    bool Enabled(PlayControl c) const
    {
        auto it = enabled_.find(c);
        return it != enabled_.end() && it->second;
    }

    // Window stand-in state.
    int panels = 2;  // channel panels with a window
    FakeDisplay displays[4];
    FakeDisplay fullScreen;
    int windowState = 0;
    std::map<int, QString> placed;
    std::vector<QString> fullScreenLabels;
    int resumeTimerMs = 0;
    int playingRow = -1, selectedRow = -1, checkedRows = 0, listState = -1;
    bool playStatus = false, playShown = true;
    std::map<PlayControl, bool> enabled_;
    int playBarMax = 0, playBarPos = 0, labelWrites = 0;
    QString playBarLabel;
    int speedPos = 2;
    QString speedLabel;
    bool timeLapse = false;
    int volumePos = 0;
    bool mute = false;
    std::vector<bool> acceleratorLog;
    int openFailedAnswer = 1, questions = 0;
    CRecFileInfo* gsensorRecord = nullptr;
    int gsensorCursor = 0, gsensorResets = 0;
    int readouts = 0, readoutsWithGps = 0, readoutResets = 0;
    CRecFileInfo* mapTrack = nullptr;
    int mapSamples = 0;
    std::atomic<int> postDelayMs{0};
    // Written on the engine thread, read after the queue lock handed over.
    std::map<uintptr_t, int> postedEvents;

    int PostedCount(uintptr_t code)
    {
        std::lock_guard<std::mutex> lock(m_queueLock);
        return postedEvents[code];
    }

private:
    static constexpr int64_t kPosition = -1;
    std::mutex m_queueLock;
    std::deque<int64_t> m_queue;
};

}  // namespace kestrel::playflow::test
