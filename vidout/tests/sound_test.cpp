// Sound output without an application object: the null output, with the
// capture file recording exactly what would be played.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

#include "SoundOutput.h"
#include "vidout/ISound.h"

namespace {

uint32_t Get32(const std::vector<uint8_t>& b, size_t at)
{
    return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 | uint32_t(b[at + 3]) << 24;
}

uint16_t Get16(const std::vector<uint8_t>& b, size_t at)
{
    return uint16_t(b[at] | b[at + 1] << 8);
}

std::vector<int16_t> Ramp(int count)
{
    std::vector<int16_t> s(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        s[size_t(i)] = int16_t((i * 997) % 60000 - 30000);
    return s;
}

class SoundTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        path = ::testing::TempDir() + "vidout_sound_" + std::to_string(getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".wav";
        setenv("KESTREL_SOUND_CAPTURE", path.c_str(), 1);
        sound.reset(ISound::Create());
        ASSERT_TRUE(sound);
        ASSERT_EQ(sound->Initialise(nullptr), 0);
    }
    void TearDown() override
    {
        sound.reset();
        unsetenv("KESTREL_SOUND_CAPTURE");
        std::remove(path.c_str());
    }
    int Play(const std::vector<int16_t>& s, int rate = 22050)
    {
        return sound->PlayBuffer(reinterpret_cast<const uint8_t*>(s.data()), int(s.size() * 2), 1, 16, rate);
    }
    std::vector<uint8_t> CloseAndRead()
    {
        sound->Close();
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    static std::vector<int16_t> Samples(const std::vector<uint8_t>& file)
    {
        std::vector<int16_t> s((file.size() - 44) / 2);
        for (size_t i = 0; i < s.size(); ++i)
            s[i] = int16_t(Get16(file, 44 + i * 2));
        return s;
    }

    std::string path;
    std::unique_ptr<ISound> sound;
};

}  // namespace

TEST_F(SoundTest, CaptureHasAValidHeaderAndEveryPushedByte)
{
    const std::vector<int16_t> a = Ramp(1000), b = Ramp(357);
    ASSERT_EQ(Play(a), 0);
    ASSERT_EQ(Play(b), 0);
    const std::vector<uint8_t> f = CloseAndRead();
    ASSERT_EQ(f.size(), 44u + (a.size() + b.size()) * 2);
    EXPECT_EQ(std::string(f.begin(), f.begin() + 4), "RIFF");
    EXPECT_EQ(Get32(f, 4), f.size() - 8);
    EXPECT_EQ(std::string(f.begin() + 8, f.begin() + 16), "WAVEfmt ");
    EXPECT_EQ(Get32(f, 16), 16u);
    EXPECT_EQ(Get16(f, 20), 1);      // PCM
    EXPECT_EQ(Get16(f, 22), 1);      // mono
    EXPECT_EQ(Get32(f, 24), 22050u);
    EXPECT_EQ(Get32(f, 28), 44100u);  // bytes per second
    EXPECT_EQ(Get16(f, 32), 2);
    EXPECT_EQ(Get16(f, 34), 16);
    EXPECT_EQ(std::string(f.begin() + 36, f.begin() + 40), "data");
    EXPECT_EQ(Get32(f, 40), (a.size() + b.size()) * 2);
    std::vector<int16_t> expected = a;
    expected.insert(expected.end(), b.begin(), b.end());
    EXPECT_EQ(Samples(f), expected);
}

TEST_F(SoundTest, MuteGivesSilenceAndVolumeScales)
{
    const std::vector<int16_t> s = Ramp(200);
    sound->SetMute(1);
    ASSERT_EQ(Play(s), 0);
    sound->SetMute(0);
    sound->SetVolume(50);
    ASSERT_EQ(Play(s), 0);
    sound->SetVolume(150);  // clamped to 100
    ASSERT_EQ(Play(s), 0);
    sound->SetVolume(0);
    ASSERT_EQ(Play(s), 0);
    const std::vector<int16_t> out = Samples(CloseAndRead());
    ASSERT_EQ(out.size(), s.size() * 4);
    for (size_t i = 0; i < s.size(); ++i) {
        EXPECT_EQ(out[i], 0);
        EXPECT_EQ(out[s.size() + i], s[i] / 2);
        EXPECT_EQ(out[2 * s.size() + i], s[i]);
        EXPECT_EQ(out[3 * s.size() + i], 0);
    }
}

TEST_F(SoundTest, NullOutputAcceptsSoundAndRefusesOtherFormats)
{
    auto* output = dynamic_cast<SoundOutput*>(sound.get());
    ASSERT_NE(output, nullptr);
    EXPECT_FALSE(output->HasDevice());  // no application, no device
    const std::vector<int16_t> s = Ramp(64);
    EXPECT_EQ(sound->Initialise(nullptr), -1);
    EXPECT_EQ(sound->PlayBuffer(reinterpret_cast<const uint8_t*>(s.data()), 128, 2, 16, 22050), -1);
    EXPECT_EQ(sound->PlayBuffer(reinterpret_cast<const uint8_t*>(s.data()), 128, 1, 8, 22050), -1);
    EXPECT_EQ(sound->PlayBuffer(nullptr, 128, 1, 16, 22050), -1);
    EXPECT_EQ(Play(s, 8000), 0);
    sound->Reset();
    sound->Stop();
    EXPECT_EQ(Play(s, 8000), 0);  // playing again after Stop
    const std::vector<uint8_t> f = CloseAndRead();
    EXPECT_EQ(Get32(f, 24), 8000u);
    EXPECT_EQ(Get32(f, 40), 256u);
    EXPECT_EQ(Play(s, 8000), -1);  // closed
}

TEST(SoundCapture, FileWithoutSoundIsStillAValidWave)
{
    const std::string path = ::testing::TempDir() + "vidout_empty_" + std::to_string(getpid()) + ".wav";
    setenv("KESTREL_SOUND_CAPTURE", path.c_str(), 1);
    {
        std::unique_ptr<ISound> sound(ISound::Create());
        ASSERT_EQ(sound->Initialise(nullptr), 0);
    }  // deleting without Close finishes the file too
    unsetenv("KESTREL_SOUND_CAPTURE");
    std::ifstream in(path, std::ios::binary);
    const std::vector<uint8_t> f{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::remove(path.c_str());
    ASSERT_EQ(f.size(), 44u);
    EXPECT_EQ(Get32(f, 4), 36u);
    EXPECT_EQ(Get32(f, 40), 0u);
    EXPECT_GT(Get32(f, 24), 0u);
}
