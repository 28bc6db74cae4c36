// Sound leaves the engine as 16-bit mono at the source rate, through the
// volume of the level set before the file was opened.
#include <algorithm>

#include "PlayerFixture.h"

namespace {

// Plays the short recording at speed 1.0 to its end.
void PlayToEnd(IPlayback& player, CallbackRecorder& recorder)
{
    ASSERT_EQ(player.Start(), 0);
    ASSERT_TRUE(recorder.WaitForCode(PB_CB_END, 60.0));
}

}  // namespace

TEST_F(PlayerTest, StereoSoundComesOutMono16BitThroughTheVolume)
{
    const std::string avi = testmedia::ShortSoundAvi();
    player->SetAudioLevel(1.0);
    Open({avi});
    player->SetAudioLevel(0.0);  // applies from the next file only
    PlayToEnd(*player, recorder);

    const std::vector<uint8_t> expected = testmedia::ReferenceMonoSound(avi, 1.0);
    ASSERT_GT(expected.size(), 48000u * 2 * 3 / 2);  // about two seconds
    double last = -1.0;
    size_t buffers = 0;
    for (const CallbackEvent& e : recorder.Events()) {
        if (e.code != PB_CB_AUDIO_FRAME)
            continue;
        ++buffers;
        EXPECT_EQ(e.audioChannels, 1);
        EXPECT_EQ(e.bitsPerSample, 16);
        EXPECT_EQ(e.sampleRate, 48000);
        EXPECT_GT(e.soundBytes, 0);
        EXPECT_EQ(e.soundBytes % 2, 0);
        EXPECT_GT(e.time, last);
        last = e.time;
    }
    EXPECT_GT(buffers, 10u);
    const std::vector<uint8_t> sound = recorder.Sound();
    ASSERT_EQ(sound.size(), expected.size());
    EXPECT_TRUE(sound == expected);
}

TEST_F(PlayerTest, LevelZeroIsSilence)
{
    const std::string avi = testmedia::ShortSoundAvi();
    player->SetAudioLevel(0.0);
    Open({avi});
    PlayToEnd(*player, recorder);
    const std::vector<uint8_t> sound = recorder.Sound();
    EXPECT_EQ(sound.size(), testmedia::ReferenceMonoSound(avi, 1.0).size());
    EXPECT_TRUE(std::all_of(sound.begin(), sound.end(), [](uint8_t b) { return b == 0; }));
}

TEST_F(PlayerTest, Mp4SoundIsPlayedAtSpeedOne)
{
    const std::string mp4 = testmedia::TwoStreamMp4();
    Open({mp4, mp4});
    ASSERT_EQ(player->Start(), 0);
    ASSERT_TRUE(WaitForPictureAt(1, 0.5, 20.0));
    EXPECT_GT(recorder.Count(PB_CB_AUDIO_FRAME), 10u);
}
