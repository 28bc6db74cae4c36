// kestrel-player run offscreen on a generated two-channel card with sound.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include <QImage>

#include "CardGen.h"

namespace {

namespace fs = std::filesystem;

class PlayerRunTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_folder = fs::temp_directory_path() / ("kestrel-player-card-" + std::to_string(getpid()));
        kestrel::cardgen::CardOptions o;
        o.folder = s_folder;
        o.seed = 3;
        o.recordings = 2;
        o.durationSec = 3.0;
        o.width = 160;
        o.height = 96;
        o.fps = 10;
        o.channels = 2;
        o.container = kestrel::cardgen::Container::AviChannelFiles;
        o.audio = true;
        kestrel::cardgen::CardResult result;
        std::string error;
        s_generated = kestrel::cardgen::GenerateCard(o, &result, &error);
        if (!s_generated)
            ADD_FAILURE() << "card generation failed: " << error;
    }
    static void TearDownTestSuite()
    {
        std::error_code ec;
        fs::remove_all(s_folder, ec);
    }
    void SetUp() override
    {
        if (!s_generated)
            GTEST_SKIP() << "no card";
    }

    // Runs the player offscreen; the exit code, or -1 when it did not exit.
    static int Run(const std::string& args, const std::string& capture = std::string())
    {
        std::string cmd = "QT_QPA_PLATFORM=offscreen ";
        if (!capture.empty())
            cmd += "KESTREL_SOUND_CAPTURE='" + capture + "' ";
        cmd += "'" KESTREL_APP_DIR "/kestrel-player' " + args + " 2>/dev/null";
        const int status = std::system(cmd.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    static inline fs::path s_folder;
    static inline bool s_generated = false;
};

// Pixels in `area` that are not black.
int Lit(const QImage& img, QRect area)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); y += 3)
        for (int x = area.left(); x <= area.right(); x += 3)
            n += QColor(img.pixel(x, y)).value() > 40;
    return n;
}

}  // namespace

TEST_F(PlayerRunTest, PlaysEveryChannelGrabsTheWindowAndPassesSound)
{
    const fs::path png = s_folder / "grab.png";
    const fs::path wav = s_folder / "sound.wav";
    ASSERT_EQ(Run("'" + s_folder.string() + "' 1 --frames 12 --grab '" + png.string() + "'", wav.string()), 0);
    QImage img;
    ASSERT_TRUE(img.load(QString::fromStdString(png.string())));
    ASSERT_GE(img.width(), 320);
    // Both halves (one per channel) show a picture, not the black panel.
    const int half = img.width() / 2;
    const int each = (half / 3) * (img.height() / 3);
    EXPECT_GT(Lit(img, QRect(0, 0, half - 2, img.height())), each / 2);
    EXPECT_GT(Lit(img, QRect(half + 2, 0, half - 3, img.height())), each / 2);

    std::ifstream in(wav, std::ios::binary);
    std::string header(44, '\0');
    ASSERT_TRUE(in.read(header.data(), 44));
    EXPECT_EQ(header.substr(0, 4), "RIFF");
    EXPECT_EQ(header.substr(8, 4), "WAVE");
    EXPECT_GT(fs::file_size(wav), 44u);  // sound of the played part arrived
}

TEST_F(PlayerRunTest, BadFolderIndexAndCommandLine)
{
    EXPECT_EQ(Run("'" + (s_folder / "missing").string() + "'"), 3);
    EXPECT_EQ(Run("'" + s_folder.string() + "' 7 --frames 1"), 4);
    EXPECT_EQ(Run("'" + s_folder.string() + "' --grab x.png"), 2);
    EXPECT_EQ(Run(""), 2);
}
