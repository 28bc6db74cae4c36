// The caller's controls: opening and its failures, start rules, pause with
// and without holding the picture, stepping, speed and seeking.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <thread>

#include "PlayerFixture.h"

using std::chrono::milliseconds;
using std::this_thread::sleep_for;

namespace {

// Index of the first picture in `reference` whose time is at or after t.
size_t FirstAtOrAfter(const std::vector<double>& times, double t)
{
    return static_cast<size_t>(std::lower_bound(times.begin(), times.end(), t - 1e-9) - times.begin());
}

// Index of the first event with `code` at or after `from`.
size_t FindEvent(const std::vector<CallbackEvent>& events, uint32_t code, size_t from)
{
    for (size_t i = from; i < events.size(); ++i) {
        if (events[i].code == code)
            return i;
    }
    return events.size();
}

}  // namespace

TEST_F(PlayerTest, OpenRejectsMissingRecordsAndOpenFiles)
{
    EXPECT_EQ(player->OpenFile(nullptr), -1);
    CRecFileInfo empty;
    EXPECT_EQ(player->OpenFile(&empty), -1);
    EXPECT_EQ(player->Start(), -1);  // no file
    _TAG_STREAM_INFO info;
    EXPECT_EQ(player->GetStreamInfo(0, &info), -1);

    Open({testmedia::ShortSoundAvi()});
    auto other = testmedia::MakeRecord({testmedia::TwoStreamAvi()});
    EXPECT_EQ(player->OpenFile(other.get()), -2);
    EXPECT_EQ(player->GetStreamInfo(1, &info), -1);  // one channel only
    EXPECT_EQ(player->GetLastVideo(1), nullptr);
    EXPECT_EQ(recorder.Count(PB_CB_OPEN_FAILED), 0u);
}

TEST_F(PlayerTest, UnopenableChannelReportsAndClosesEverything)
{
    const std::string good = testmedia::ShortSoundAvi();
    rec = testmedia::MakeRecord({good, "/nonexistent/folder/rear.avi"});
    EXPECT_EQ(player->OpenFile(rec.get()), -1);
    EXPECT_EQ(recorder.Count(PB_CB_OPEN_FAILED), 1u);
    EXPECT_EQ(player->Start(), -1);  // nothing stayed open
    // A record with an empty path for a channel fails the same way.
    rec = testmedia::MakeRecord({good});
    rec->m_arrFilePath.push_back(L"");
    EXPECT_EQ(player->OpenFile(rec.get()), -1);
    EXPECT_EQ(recorder.Count(PB_CB_OPEN_FAILED), 2u);
    // Not a media file at all.
    const std::string noise = testmedia::NoiseFile();
    rec = testmedia::MakeRecord({noise});
    EXPECT_EQ(player->OpenFile(rec.get()), -1);
    EXPECT_EQ(recorder.Count(PB_CB_OPEN_FAILED), 3u);
    std::remove(noise.c_str());
    // The player stays usable.
    Open({good});
}

TEST_F(PlayerTest, SecondStartWithoutStopIsRefused)
{
    Open({testmedia::SilentTwoStreamMp4()});
    ASSERT_EQ(player->Start(), 0);
    EXPECT_EQ(player->Start(), -1);
    EXPECT_TRUE(testmedia::WaitForThreadsNamed("PlayManager", 1));
    EXPECT_TRUE(testmedia::WaitForThreadsNamed("ReadThread - 0", 1));
    EXPECT_TRUE(testmedia::WaitForThreadsNamed("DecoderThread 0", 1));
    player->Stop();
    EXPECT_EQ(player->GetPlayState(), 0);
    EXPECT_EQ(testmedia::ThreadsNamed("PlayManager"), 0);
    EXPECT_EQ(testmedia::ThreadsNamed("DecoderThread 0"), 0);
    const size_t afterStop = recorder.Size();
    sleep_for(milliseconds(100));
    EXPECT_EQ(recorder.Size(), afterStop);  // no callback after Stop returns
    EXPECT_EQ(player->Start(), 0);           // Stop then Start is fine
}

// The two-channel silent recording played to 0.4 s and paused there.
class PausedPlayerTest : public PlayerTest {
protected:
    // Pauses with `hold` and returns the index of the first event after the
    // pause took hold: a pass under way may still present a picture, but
    // every pass after the first paused pass's audio stop is a paused one.
    size_t PlayThenPause(int hold)
    {
        mp4 = testmedia::SilentTwoStreamMp4();
        times = testmedia::PacketTimes(mp4, 0, "pts_time");
        Open({mp4, mp4});
        EXPECT_EQ(player->Start(), 0);
        EXPECT_TRUE(WaitForPictureAt(0, 0.4));
        const size_t before = recorder.Size();
        player->Pause(hold);
        EXPECT_EQ(player->GetPlayState(), static_cast<int>(playcore::PlayState::Paused));
        EXPECT_TRUE(playcore::IsPaused(player->GetPlayState()));
        const size_t mark = recorder.WaitForCount(PB_CB_AUDIO_STOP, 1, 10.0, before);
        EXPECT_GT(mark, 0u) << "no paused pass";
        return mark;
    }
    // Waits until every channel has shown `n` pictures from event `from` on.
    bool WaitForPictures(size_t n, size_t from)
    {
        return recorder.WaitFor(
            [&](const std::vector<CallbackEvent>& events) {
                size_t counts[2] = {};
                for (size_t i = from; i < events.size(); ++i) {
                    if (events[i].code == PB_CB_VIDEO_FRAME && events[i].channel >= 0 && events[i].channel < 2)
                        ++counts[events[i].channel];
                }
                return counts[0] >= n && counts[1] >= n;
            },
            10.0);
    }

    std::string mp4;
    std::vector<double> times;
};

TEST_F(PausedPlayerTest, PauseResendsThePictureOnScreenAboutEvery60Ms)
{
    const size_t mark = PlayThenPause(0);
    ASSERT_TRUE(WaitForPictures(6, mark));
    for (int channel = 0; channel < 2; ++channel) {
        const auto repeats = recorder.Pictures(channel, mark);
        for (const auto& p : repeats)
            EXPECT_EQ(p.md5, repeats.front().md5) << "channel " << channel;
        // Paced by the paused passes, not by anything else that wakes the
        // thread (the decoders fill their pools behind the paused picture).
        const double ms =
            std::chrono::duration<double, std::milli>(repeats.back().at - repeats.front().at).count();
        EXPECT_GE(ms / static_cast<double>(repeats.size() - 1), 50.0) << "channel " << channel;
        EXPECT_LE(ms / static_cast<double>(repeats.size() - 1), 250.0) << "channel " << channel;
    }
    EXPECT_GE(recorder.Count(PB_CB_AUDIO_STOP, mark), 5u);
    const double shown = recorder.Pictures(0, mark).back().time;
    _TAG_DEC_INFO* last = player->GetLastVideo(0);
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(last->dTime, shown);
}

TEST_F(PausedPlayerTest, HeldPauseSendsNothingButAudioStops)
{
    const size_t mark = PlayThenPause(1);
    ASSERT_GT(recorder.WaitForCount(PB_CB_AUDIO_STOP, 5, 10.0, mark), 0u);
    const auto events = recorder.Events();
    for (size_t i = mark; i < events.size(); ++i)
        EXPECT_EQ(events[i].code, PB_CB_AUDIO_STOP) << "event " << i;
}

TEST_F(PausedPlayerTest, StepShowsExactlyTheNextPictureOnEveryChannel)
{
    const size_t mark = PlayThenPause(0);
    ASSERT_TRUE(WaitForPictures(1, mark));
    const double shown = recorder.Pictures(0, mark).front().time;
    const size_t index = FirstAtOrAfter(times, shown);
    ASSERT_LT(index + 1, times.size());

    const size_t stepped = recorder.Size();
    player->StepNext();
    // The stepped picture, then at least two repeats of it.
    ASSERT_TRUE(WaitForPictures(3, stepped));
    for (int channel = 0; channel < 2; ++channel) {
        const auto after = recorder.Pictures(channel, stepped);
        for (const auto& p : after)
            EXPECT_TRUE(std::abs(p.time - shown) < 1e-6 || std::abs(p.time - times[index + 1]) < 1e-6)
                << "channel " << channel << " showed " << p.time;
        EXPECT_NEAR(after[after.size() - 2].time, times[index + 1], 1e-6) << "channel " << channel;
        EXPECT_NEAR(after.back().time, times[index + 1], 1e-6) << "channel " << channel;
    }
    EXPECT_TRUE(playcore::IsPaused(player->GetPlayState()));
}

TEST_F(PausedPlayerTest, ResumeGoesOnFromTheNextPictureWithoutSkipping)
{
    const size_t mark = PlayThenPause(1);
    ASSERT_GT(recorder.WaitForCount(PB_CB_AUDIO_STOP, 3, 10.0, mark), 0u);
    const double shown = recorder.Pictures(0).back().time;
    const size_t next = FirstAtOrAfter(times, shown) + 1;
    ASSERT_LT(next + 5, times.size());

    const size_t resumed = recorder.Size();
    player->Resume();
    EXPECT_EQ(player->GetPlayState(), static_cast<int>(playcore::PlayState::Playing));
    ASSERT_TRUE(WaitForPictureAt(0, times[next + 5], 10.0, resumed));
    const auto after = recorder.Pictures(0, resumed);
    for (size_t i = 0; i < 6; ++i)
        EXPECT_NEAR(after[i].time, times[next + i], 1e-6) << "picture " << i << " after resuming";
}

namespace {

// Each picture came no earlier after the first than its own distance from it.
void ExpectOwnPace(const std::vector<CallbackEvent>& pictures, size_t count)
{
    ASSERT_GE(pictures.size(), count);
    for (size_t i = 1; i < count; ++i) {
        const double shownAfter = std::chrono::duration<double>(pictures[i].at - pictures.front().at).count();
        EXPECT_GE(shownAfter, pictures[i].time - pictures.front().time - 0.01) << "picture " << i;
    }
}

}  // namespace

TEST_F(PlayerTest, FirstPicturesComeAtTheirOwnPace)
{
    // However long the first picture takes to decode (here about 250
    // pictures that cannot be shown come first), the clock starts with it:
    // the next ones follow at their own distance instead of in a burst that
    // catches up on the wait.
    const std::string mp4 = testmedia::LateKeyFrameMp4();
    Open({mp4});
    ASSERT_EQ(player->Start(), 0);
    ASSERT_TRUE(WaitForPictureAt(0, 10.5, 30.0));
    const auto pictures = recorder.Pictures(0);
    EXPECT_NEAR(pictures.front().time, 9.96, 1e-6);
    ExpectOwnPace(pictures, 10);
}

TEST_F(PlayerTest, PicturesAfterALongSeekComeAtTheirOwnPace)
{
    // The only key frame is at 0: reaching 10.5 s decodes about 260
    // pictures, and that time must not be made up afterwards.
    const std::string mp4 = testmedia::OneKeyFrameMp4();
    const std::vector<double> times = testmedia::PacketTimes(mp4, 0, "pts_time");
    Open({mp4});
    ASSERT_EQ(player->Start(), 0);
    ASSERT_TRUE(WaitForPictureAt(0, 0.2));
    const size_t mark = recorder.Size();
    player->SetPos(10.5);
    ASSERT_TRUE(WaitForPictureAt(0, 10.9, 30.0, mark));
    const auto after = recorder.Pictures(0, mark);
    EXPECT_NEAR(after.front().time, times[FirstAtOrAfter(times, 10.5)], 1e-6);
    ExpectOwnPace(after, 10);
}

TEST_F(PlayerTest, OtherSpeedsSendNoSound)
{
    Open({testmedia::TwoStreamMp4()});
    player->SetPBSpeed(2.0);
    ASSERT_EQ(player->Start(), 0);
    ASSERT_TRUE(WaitForPictureAt(0, 2.0, 20.0));
    EXPECT_EQ(recorder.Count(PB_CB_AUDIO_FRAME), 0u);
    EXPECT_GT(recorder.Count(PB_CB_AUDIO_STOP), 0u);
}

TEST_F(PlayerTest, SeekShowsFirstThePictureAtOrAfterTheTarget)
{
    const std::string mp4 = testmedia::SilentTwoStreamMp4();
    const std::vector<std::string> sums = testmedia::ReferencePictureMd5(mp4, 1);
    const std::vector<double> times = testmedia::PacketTimes(mp4, 1, "pts_time");
    ASSERT_EQ(sums.size(), times.size());
    Open({mp4, mp4});
    player->SetPBSpeed(4.0);
    ASSERT_EQ(player->Start(), 0);

    for (double target : {3.3, 0.5, 4.92, 1.0}) {
        ASSERT_TRUE(WaitForPictureAt(1, 0.0, 20.0, recorder.Size()));
        const size_t mark = recorder.Size();
        player->SetPos(target);
        player->SetPos(0.1);  // ignored: the first seek is still under way
        ASSERT_TRUE(recorder.WaitFor(
            [&](const std::vector<CallbackEvent>& events) {
                const size_t start = FindEvent(events, PB_CB_AUDIO_STOP, mark);
                size_t n = 0;
                for (size_t i = start; i < events.size(); ++i)
                    n += events[i].code == PB_CB_VIDEO_FRAME && events[i].channel == 1;
                return n >= 5;
            },
            20.0));
        const auto events = recorder.Events();
        const size_t start = FindEvent(events, PB_CB_AUDIO_STOP, mark);
        const auto after = recorder.Pictures(1, start);
        const size_t first = FirstAtOrAfter(times, target);
        for (size_t i = 0; i < 5; ++i) {
            EXPECT_NEAR(after[i].time, times[first + i], 1e-6) << "target " << target;
            EXPECT_EQ(after[i].md5, sums[first + i]) << "target " << target;
        }
    }
}

TEST_F(PlayerTest, SeekAfterTheEndOfFileEndsPlayback)
{
    const std::string mp4 = testmedia::SilentTwoStreamMp4();
    Open({mp4, mp4});
    player->SetPBSpeed(4.0);
    ASSERT_EQ(player->Start(), 0);
    ASSERT_TRUE(WaitForPictureAt(0, 5.0, 30.0));
    player->SetPBSpeed(1.0);
    // From 5.7 s on the rest of the file fits the picture pool, so the
    // decoders finish the file while the player is paused.
    ASSERT_TRUE(WaitForPictureAt(0, 5.7, 30.0));
    player->Pause(1);
    sleep_for(milliseconds(300));
    const size_t mark = recorder.Size();
    player->SetPos(1.0);
    ASSERT_TRUE(recorder.WaitForCode(PB_CB_END, 10.0, mark));
    sleep_for(milliseconds(200));
    EXPECT_EQ(recorder.Count(PB_CB_VIDEO_FRAME, mark), 0u);
    EXPECT_EQ(recorder.Count(PB_CB_END), 1u);
    EXPECT_EQ(testmedia::ThreadsNamed("PlayManager"), 0);
}
