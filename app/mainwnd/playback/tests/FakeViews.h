// Stand-ins for the views the playback flow drives: each role records what
// the flow asks of it. The post role queues player events and position
// updates until the test thread (playing the user-interface thread)
// delivers them with Pump.
#pragma once

#include "CPlayFlow.h"

#include "views/PlayViews.h"
#include "vidout/IDisplay.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <chrono>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

namespace kestrel::playflow::test {

using views::PlayControl;

// Counts pictures per display and keeps the size of the last one; Draw runs
// on the engine thread.
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
        if (data[0] && width > 0 && height > 0) {
            if (data[1])
                lastTint = TintOf(data[1], width / 2);
            ++draws;
        }
        return 0;
    }

    // The generated cards tint each channel's picture (U of the first
    // chroma row: 150 front, 100 rear) under one sweeping bar of U 60; of
    // the row's two ends at least one is clear of the bar.
    static int TintOf(const uint8_t* u, int chromaWidth)
    {
        const int first = u[0], last = u[std::max(0, chromaWidth - 1)];
        return std::abs(first - 60) > std::abs(last - 60) ? first : last;
    }
    // The channel whose tint the last picture had (-1: none yet).
    int LastChannel() const
    {
        const int tint = lastTint;
        if (tint < 0)
            return -1;
        return std::abs(tint - 150) < std::abs(tint - 100) ? 0 : 1;
    }
    void SetFlip(int f, int) override { flip = f; }
    void SetBrightness(int v) override { brightness = v; }
    void SetContrast(int v) override { contrast = v; }
    void SetPipPosition(int p) override { pipPos = p; }
    void SetPipShow(int s) override { pipShow = s; }
    void SetArea(int, const QRect&, const QRect&) override {}

    std::atomic<int> draws{0};
    std::atomic<int> lastTint{-1};
    int clears = 0;
    int flip = -1, brightness = -1, contrast = -1, pipPos = -1, pipShow = -1;
};

class FakePost : public views::IFlowPost {
public:
    void PostPlayerEvent(uintptr_t code) override
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_queue.push_back(static_cast<int64_t>(code));
        ++m_posted[code];
    }
    void PostPositionUpdate() override
    {
        // A slow window: the worker is busy here while the test stops it.
        if (delayMs > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
        std::lock_guard<std::mutex> lock(m_lock);
        m_queue.push_back(kPosition);
    }

    // Delivers queued posts to `flow` (as the window's event loop would)
    // until `done` holds or `timeoutMs` passes; true when `done` held.
    bool Pump(CPlayFlow& flow, const std::function<bool()>& done, int timeoutMs = 10000)
    {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        for (;;) {
            Deliver(flow);
            if (done && done())
                return true;
            if (std::chrono::steady_clock::now() >= end)
                return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }
    int PostedCount(uintptr_t code)
    {
        std::lock_guard<std::mutex> lock(m_lock);
        return m_posted[code];
    }

    std::atomic<int> delayMs{0};

private:
    void Deliver(CPlayFlow& flow)
    {
        for (;;) {
            int64_t item = 0;
            {
                std::lock_guard<std::mutex> lock(m_lock);
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

    static constexpr int64_t kPosition = -1;
    std::mutex m_lock;
    std::deque<int64_t> m_queue;
    std::map<uintptr_t, int> m_posted;
};

class FakeList : public views::IRecordListView {
public:
    int PlayingRow() const override { return playingRow; }
    int SelectedRow() const override { return selectedRow; }
    void MarkPlayingRow(int row) override { playingRow = row; }
    void ClearPlayingRow() override { playingRow = -1; }
    void SelectRow(int row) override { selectedRow = row; }
    void ShowPlayStatus(bool playing) override { playStatus = playing; }
    int CheckedRowCount() const override { return checkedRows; }
    void SetListState(int state) override { listState = state; }

    int playingRow = -1, selectedRow = -1, checkedRows = 0, listState = -1;
    bool playStatus = false;
};

class FakeTransport : public views::ITransportView {
public:
    void ShowPlayButton(bool showPlay) override { playShown = showPlay; }
    void EnableControl(PlayControl control, bool on) override { enabled[control] = on; }
    void SetPlayBarRange(int maxMs) override { playBarMax = maxMs; }
    void SetPlayBarPos(int ms) override { playBarPos = ms; }
    int PlayBarPos() const override { return playBarPos; }
    int PlayBarMax() const override { return playBarMax; }
    void SetPlayBarLabel(const QString& text) override
    {
        playBarLabel = text;
        ++labelWrites;
    }
    int SpeedSliderPos() const override { return speedPos; }
    void SetSpeedSliderPos(int pos) override { speedPos = pos; }
    void SetSpeedLabel(const QString& text) override { speedLabel = text; }
    bool TimeLapseChecked() const override { return timeLapse; }
    int VolumeSliderPos() const override { return volumePos; }
    void SetVolumeSliderPos(int v) override { volumePos = v; }
    bool MuteChecked() const override { return mute; }
    void SetMuteChecked(bool checked) override { mute = checked; }

    bool Enabled(PlayControl c) const
    {
        auto it = enabled.find(c);
        return it != enabled.end() && it->second;
    }

    bool playShown = true;
    std::map<PlayControl, bool> enabled;
    int playBarMax = 0, playBarPos = 0, labelWrites = 0;
    QString playBarLabel;
    int speedPos = 2;
    QString speedLabel;
    bool timeLapse = false;
    int volumePos = 0;
    bool mute = false;
};

class FakeDisplays : public views::IDisplaysView {
public:
    IDisplay* ChannelDisplay(int channel) override
    {
        return channel >= 0 && channel < 4 && channel < panels ? &channels[channel] : nullptr;
    }
    IDisplay* FullScreenDisplay() override { return &fullScreen; }
    int WindowState() const override { return windowState; }
    QSize ClientSize() const override { return {1920, 1080}; }
    void PlaceChannelPanel(int channel, const QString& slotKey, QSize) override { placed[channel] = slotKey; }
    void HideChannelPanel(int channel) override { placed[channel] = QString(); }
    void ShowViewChannel(int channel) override { viewChannels.push_back(channel); }
    void StartPictureResumeTimer(int ms) override { resumeTimerMs = ms; }

    int panels = 2;  // channel panels with a window
    FakeDisplay channels[4];
    FakeDisplay fullScreen;
    int windowState = 0;
    std::map<int, QString> placed;
    std::vector<int> viewChannels;  // every view channel named in full screen
    int resumeTimerMs = 0;
};

class FakeReadouts : public views::IReadoutView {
public:
    void UpdateReadouts(CRecFileInfo*, int, const CUserDataInfo* gps) override
    {
        ++updates;
        if (gps)
            ++updatesWithGps;
    }
    void ResetReadouts() override { ++resets; }

    int updates = 0, updatesWithGps = 0, resets = 0;
};

class FakeGSensor : public views::IGSensorView {
public:
    void SetRecord(CRecFileInfo* rec, const _TAG_STREAM_INFO&, int) override { record = rec; }
    void SetCursor(int ms) override { cursor = ms; }
    void Reset() override { ++resets; }

    CRecFileInfo* record = nullptr;
    int cursor = 0, resets = 0;
};

// A map panel: ready, takes the track at start and drops it at stop.
class FakeMap : public views::IMapSink {
public:
    bool Ready() const override { return true; }
    void PlaybackStarted(CRecFileInfo* rec) override { track = rec; }
    void PlaybackStopped() override { track = nullptr; }
    bool KeepsRecordSamples() const override { return false; }
    void Sample(const CUserDataInfo&) override { ++samples; }
    void RecordChosen(CRecFileInfo* rec) override { chosen = rec; }

    CRecFileInfo* track = nullptr;
    CRecFileInfo* chosen = nullptr;
    int samples = 0;
};

class FakePrompt : public views::IFlowPrompt {
public:
    bool AskOpenFailed() override
    {
        ++questions;
        return goOn;
    }
    QString Text(const QString& key) const override
    {
        return key == QLatin1String("btn_timelapse") ? QStringLiteral("Time-lapse") : QStringLiteral("<%1>").arg(key);
    }

    bool goOn = true;
    int questions = 0;
};

// Every role, as a window would hand them to the flow.
struct FakeViews {
    views::PlayViews Roles()
    {
        views::PlayViews v;
        v.post = &post;
        v.list = &list;
        v.transport = &transport;
        v.displays = &displays;
        v.readouts = &readouts;
        v.gsensor = &gsensor;
        v.map = &map;
        v.prompt = &prompt;
        return v;
    }

    FakePost post;
    FakeList list;
    FakeTransport transport;
    FakeDisplays displays;
    FakeReadouts readouts;
    FakeGSensor gsensor;
    FakeMap map;
    FakePrompt prompt;
};

}  // namespace kestrel::playflow::test
