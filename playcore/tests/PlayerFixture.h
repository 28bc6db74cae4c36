// A player wired to a callback recorder, stopped and closed at the end of
// each test.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "CallbackRecorder.h"
#include "TestMedia.h"
#include "playcore/IPlayback.h"

// Fast enough that pacing never holds the pictures back.
constexpr double kNoPacing = 100000.0;

class PlayerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        player.reset(IPlayback::Create());
        ASSERT_TRUE(player);
        player->SetCallback(&CallbackRecorder::Callback, &recorder);
    }
    void TearDown() override
    {
        if (player) {
            player->Stop();
            player->CloseFile();
        }
    }
    // Opens `paths` as one recording.
    void Open(const std::vector<std::string>& paths, int64_t startMs = 0)
    {
        rec = testmedia::MakeRecord(paths, startMs);
        ASSERT_EQ(player->OpenFile(rec.get()), 0);
    }
    bool WaitForEnd(double seconds = 120.0) { return recorder.WaitForCode(PB_CB_END, seconds); }
    // Waits until channel `channel` has shown a picture at or after `time`.
    bool WaitForPictureAt(int channel, double time, double seconds = 60.0, size_t from = 0)
    {
        return recorder.WaitFor(
            [&](const std::vector<CallbackEvent>& events) {
                for (size_t i = from; i < events.size(); ++i) {
                    if (events[i].code == PB_CB_VIDEO_FRAME && events[i].channel == channel &&
                        events[i].time >= time)
                        return true;
                }
                return false;
            },
            seconds);
    }

    CallbackRecorder recorder;
    std::unique_ptr<CRecFileInfo> rec;
    std::unique_ptr<IPlayback> player;
};
