// The caller's controls: opening and its failures, start rules, pause with
// and without holding the picture, stepping, speed and seeking.
#include <algorithm>
#include <set>
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

TEST_F(PlayerTest, PauseResendsThePictureUnlessHeldAndStepAdvancesOnePicture)
{
    const std::string mp4 = testmedia::SilentTwoStreamMp4();
    const std::vector<double> times = testmedia::PacketTimes(mp4, 0, "pts_time");
    Open({mp4, mp4});
    ASSERT_EQ(player->Start(), 0);
    ASSERT_TRUE(WaitForPictureAt(0, 0.4));
    player->Pause(0);
    EXPECT_EQ(player->GetPlayState(), 0x81);
    sleep_for(milliseconds(150));

    // Not held: the picture on screen comes again about every 60 ms.
    size_t mark = recorder.Size();
    sleep_for(milliseconds(600));
    for (int channel = 0; channel < 2; ++channel) {
        const auto repeats = recorder.Pictures(channel, mark);
        EXPECT_GE(repeats.size(), 6u);
        EXPECT_LE(repeats.size(), 12u);
        for (const auto& p : repeats)
            EXPECT_EQ(p.md5, repeats.front().md5);
    }
    EXPECT_GE(recorder.Count(PB_CB_AUDIO_STOP, mark), 6u);
    const double shown = recorder.Pictures(0, mark).back().time;
    _TAG_DEC_INFO* last = player->GetLastVideo(0);
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(last->dTime, shown);

    // One step: exactly the next picture on every channel.
    mark = recorder.Size();
    player->StepNext();
    sleep_for(milliseconds(250));
    const size_t index = FirstAtOrAfter(times, shown);
    ASSERT_LT(index + 1, times.size());
    for (int channel = 0; channel < 2; ++channel) {
        std::set<double> seen;
        for (const auto& p : recorder.Pictures(channel, mark))
            seen.insert(p.time);
        EXPECT_NEAR(*seen.rbegin(), times[index + 1], 1e-6) << "channel " << channel;
        EXPECT_LE(seen.size(), 2u);
    }

    // Held: nothing but the audio stop.
    player->Pause(1);
    sleep_for(milliseconds(100));
    mark = recorder.Size();
    sleep_for(milliseconds(400));
    EXPECT_EQ(recorder.Count(PB_CB_VIDEO_FRAME, mark), 0u);
    EXPECT_GE(recorder.Count(PB_CB_AUDIO_STOP, mark), 4u);
    EXPECT_EQ(recorder.Size() - mark, recorder.Count(PB_CB_AUDIO_STOP, mark));

    // Resume goes on from the next picture.
    mark = recorder.Size();
    player->Resume();
    EXPECT_EQ(player->GetPlayState(), 1);
    ASSERT_TRUE(WaitForPictureAt(0, times[index + 2], 10.0, mark));
    EXPECT_GT(recorder.Pictures(0, mark).front().time, times[index]);
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
