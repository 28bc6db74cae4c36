// kestrel-player run offscreen on a generated two-channel card with sound.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include <QImage>

#include "PlayerRunFixture.h"

namespace {

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
