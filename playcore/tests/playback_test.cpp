// Every picture of every channel reaches the callback, in order, equal to an
// independent decode of the same stream, with the right time stamps; the end
// is announced once and the presentation thread ends.
#include <thread>

#include "PlayerFixture.h"

namespace {

void ExpectSameAsReference(const std::vector<CallbackEvent>& pictures, const std::string& path, int stream,
                           int width = 320, int height = 240)
{
    const std::vector<std::string> reference = testmedia::ReferencePictureMd5(path, stream);
    ASSERT_FALSE(reference.empty());
    ASSERT_EQ(pictures.size(), reference.size()) << path << " stream " << stream;
    for (size_t i = 0; i < pictures.size(); ++i) {
        ASSERT_EQ(pictures[i].md5, reference[i]) << path << " stream " << stream << " picture " << i;
        EXPECT_EQ(pictures[i].width, width);
        EXPECT_EQ(pictures[i].height, height);
        EXPECT_EQ(pictures[i].pixelFormat, 0);
        EXPECT_EQ(pictures[i].param, 0u);
        if (i > 0) {
            EXPECT_GT(pictures[i].time, pictures[i - 1].time) << "picture " << i;
        }
    }
}

void ExpectTimes(const std::vector<CallbackEvent>& pictures, const std::vector<double>& times)
{
    ASSERT_EQ(pictures.size(), times.size());
    for (size_t i = 0; i < times.size(); ++i)
        EXPECT_NEAR(pictures[i].time, times[i], 1e-6) << "picture " << i;
}

// After the end: exactly one end notice, the last call is the audio stop of
// the ending thread, and no presentation thread is left.
void ExpectEndedOnce(const CallbackRecorder& recorder)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    const auto events = recorder.Events();
    EXPECT_EQ(recorder.Count(PB_CB_END), 1u);
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.back().code, PB_CB_AUDIO_STOP);
    EXPECT_EQ(testmedia::ThreadsNamed("PlayManager"), 0);
}

}  // namespace

TEST_F(PlayerTest, TwoStreamAviPlaysEachStreamOnItsChannelWithDtsTimes)
{
    const std::string avi = testmedia::TwoStreamAvi();
    Open({avi, avi}, 1000);
    _TAG_STREAM_INFO info;
    ASSERT_EQ(player->GetStreamInfo(0, &info), 0);
    EXPECT_NEAR(info.dDuration, 6.0, 0.05);
    EXPECT_EQ(rec->GetEndTime(), 1000 + static_cast<int64_t>(info.dDuration * 1000.0));

    player->SetPBSpeed(kNoPacing);
    ASSERT_EQ(player->Start(), 0);
    EXPECT_TRUE(testmedia::WaitForThreadsNamed("PlayManager", 1));
    EXPECT_TRUE(testmedia::WaitForThreadsNamed("ReadThread - 1", 1));
    EXPECT_TRUE(testmedia::WaitForThreadsNamed("DecoderThread 1", 1));
    ASSERT_TRUE(WaitForEnd());
    ExpectEndedOnce(recorder);
    EXPECT_EQ(player->GetPlayState(), 1);  // the end does not stop the player

    ExpectSameAsReference(recorder.Pictures(0), avi, 0);
    ExpectSameAsReference(recorder.Pictures(1), avi, 1);
    ExpectTimes(recorder.Pictures(0), testmedia::PacketTimes(avi, 0, "dts_time"));
    ExpectTimes(recorder.Pictures(1), testmedia::PacketTimes(avi, 1, "dts_time"));
    EXPECT_EQ(recorder.Count(PB_CB_AUDIO_FRAME), 0u);  // no sound away from speed 1.0
}

TEST_F(PlayerTest, PicturesHandedOutWithoutACopyStayIntactUntilTaken)
{
    // Every picture of this size is handed out as the decoder's own planes.
    const std::string mp4 = testmedia::WideMp4();
    Open({mp4, mp4});
    player->SetPBSpeed(kNoPacing);
    ASSERT_EQ(player->Start(), 0);
    ASSERT_TRUE(WaitForEnd());
    ExpectEndedOnce(recorder);
    const auto pictures = recorder.Pictures(0);
    ExpectSameAsReference(pictures, mp4, 0, 640, 360);
    ExpectSameAsReference(recorder.Pictures(1), mp4, 0, 640, 360);
}

TEST_F(PlayerTest, TwoTrackMp4PlaysEachTrackOnItsChannel)
{
    const std::string mp4 = testmedia::TwoStreamMp4();
    Open({mp4, mp4});
    player->SetPBSpeed(kNoPacing);
    ASSERT_EQ(player->Start(), 0);
    ASSERT_TRUE(WaitForEnd());
    ExpectEndedOnce(recorder);
    ExpectSameAsReference(recorder.Pictures(0), mp4, 0);
    ExpectSameAsReference(recorder.Pictures(1), mp4, 1);
    ExpectTimes(recorder.Pictures(1), testmedia::PacketTimes(mp4, 1, "pts_time"));
}

TEST_F(PlayerTest, ChannelFilesPlayTheirOwnFiles)
{
    const std::string front = testmedia::ChannelFileAvi(0);
    const std::string rear = testmedia::ChannelFileAvi(1);
    Open({front, rear}, 5000);
    player->SetPBSpeed(kNoPacing);
    ASSERT_EQ(player->Start(), 0);
    ASSERT_TRUE(WaitForEnd());
    ExpectEndedOnce(recorder);
    ExpectSameAsReference(recorder.Pictures(0), front, 0);
    ExpectSameAsReference(recorder.Pictures(1), rear, 0);
}

TEST_F(PlayerTest, KeepsAnEndTimeThatIsAlreadySet)
{
    rec = testmedia::MakeRecord({testmedia::ShortSoundAvi()}, 1000);
    rec->SetEndTime(99999);
    ASSERT_EQ(player->OpenFile(rec.get()), 0);
    EXPECT_EQ(rec->GetEndTime(), 99999);
}

TEST_F(PlayerTest, TruncatedFilePlaysWhatItHasAndEnds)
{
    const std::string cut = testmedia::TruncatedCopy(testmedia::TwoStreamAvi(), 40);
    Open({cut, cut});
    player->SetPBSpeed(kNoPacing);
    ASSERT_EQ(player->Start(), 0);
    ASSERT_TRUE(WaitForEnd(60.0));
    ExpectEndedOnce(recorder);
    EXPECT_GT(recorder.Pictures(0).size(), 10u);
    std::remove(cut.c_str());
}

// Damaged recordings neither stall nor cut playback.

TEST_F(PlayerTest, ChannelEndingWithoutAPictureDoesNotHoldTheOthers)
{
    // Channel 1's stream has no readable packet, channel 0's only its first.
    const std::string avi = testmedia::IndexPastEndAvi();
    const std::vector<std::string> reference = testmedia::ReferencePictureMd5(avi, 0);
    ASSERT_EQ(reference.size(), 1u);
    Open({avi, avi});
    ASSERT_EQ(player->Start(), 0);
    ASSERT_TRUE(WaitForEnd(20.0));
    const auto shown = recorder.Pictures(0);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown.front().md5, reference.front());
    EXPECT_TRUE(recorder.Pictures(1).empty());
    ExpectEndedOnce(recorder);
}

TEST_F(PlayerTest, DamagedTrackTheChannelDoesNotPlayIsNotRead)
{
    // The data track's chunks lie past the end of the file.
    const std::string mp4 = testmedia::DataTrackPastEndMp4();
    Open({mp4});
    player->SetPBSpeed(kNoPacing);
    ASSERT_EQ(player->Start(), 0);
    ASSERT_TRUE(WaitForEnd(30.0));
    ExpectEndedOnce(recorder);
    ExpectSameAsReference(recorder.Pictures(0), mp4, 0);
    ASSERT_EQ(recorder.Pictures(0).size(), 20u);
}
