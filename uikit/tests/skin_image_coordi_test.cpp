// Skin pictures by name with the "transparent" fallback, and window
// records with their defaults and colours.
#include "skin/CUICoordi.h"
#include "skin/CUIImage.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

namespace {

class SkinTest : public ::testing::Test {
protected:
    QString Write(const QString& name, const QByteArray& bytes)
    {
        const QString path = dir.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
        return path;
    }
    void Picture(const QString& name, QSize size, QColor colour)
    {
        QImage img(size, QImage::Format_ARGB32);
        img.fill(colour);
        ASSERT_TRUE(img.save(dir.filePath(name)));
    }
    QTemporaryDir dir;
};

TEST(SkinColor, ParsesAlphaRedGreenBlue)
{
    uint32_t argb = 0, ref = 0;
    CUICoordi::ParseColor(QStringLiteral("128,255,0,0"), argb, ref);
    EXPECT_EQ(argb, 0x80FF0000u);
    EXPECT_EQ(ref, 0x000000FFu);
    CUICoordi::ParseColor(QStringLiteral("255, 1, 2, 3"), argb, ref);
    EXPECT_EQ(argb, 0xFF010203u);
    EXPECT_EQ(ref, 0x00030201u);
    CUICoordi::ParseColor(QStringLiteral("255,300,-4,9"), argb, ref);  // parts kept to a byte
    EXPECT_EQ(argb, 0xFFFF0009u);
    CUICoordi::ParseColor(QStringLiteral("7"), argb, ref);  // missing parts read as 0
    EXPECT_EQ(argb, 0x07000000u);
    EXPECT_EQ(ref, 0u);
}

TEST_F(SkinTest, WindowRecordsDefaultsAndColours)
{
    const QString path = Write("coordi.ini",
                               "[base_window]\nx=0\ny=0\ncx=1920\ncy=1080\ndl=8\ndt=9\nType=2\n"
                               "[btn_exit]\nx=10\ny=400\ncx=32\ncy=32\nhc=1\ns2r=5\nh_ratio=3\n"
                               "ColorText=128,255,0,0\nColor00=255,40,40,40\nColor05=1,2,3,4\n"
                               "[no_cx]\nx=30\ny=4\n");
    CUICoordi c;
    EXPECT_EQ(c.LoadInfo(path), 1);

    const _WIN_POS* base = c.GetWinPos(QStringLiteral("base_window"));
    EXPECT_EQ(base->cx, 1920);
    EXPECT_EQ(base->rect.right, 1920);
    EXPECT_EQ(base->rect.bottom, 1080);
    EXPECT_EQ(base->rectD.left, 8);
    EXPECT_EQ(base->rectD.top, 9);
    EXPECT_EQ(base->type, 2);

    const _WIN_POS* exit = c.GetWinPos(QStringLiteral("btn_exit"));
    EXPECT_EQ(exit->ptOrigin.x, 10);
    EXPECT_EQ(exit->ptOrigin.y, 400);
    EXPECT_EQ(exit->rect.right, 42);
    EXPECT_EQ(exit->hc, 1);
    EXPECT_EQ(exit->s2l, -1);
    EXPECT_EQ(exit->s2r, 5);
    EXPECT_EQ(exit->rectS2.right, 5);
    EXPECT_EQ(exit->rectS2.left, -1);
    EXPECT_EQ(exit->h_ratio, 3);
    EXPECT_EQ(exit->color[0], 0x80FF0000u);
    EXPECT_EQ(exit->colorRef[0], 0x0000FFu);
    EXPECT_EQ(exit->color[1], 0xFF282828u);
    EXPECT_EQ(exit->color[2], 0xFFFFFFFFu);  // Color01 missing: opaque white
    EXPECT_EQ(exit->colorRef[2], 0xFFFFFFu);
    EXPECT_EQ(exit->color[6], 0x01020304u);

    const _WIN_POS* noCx = c.GetWinPos(QStringLiteral("no_cx"));
    EXPECT_EQ(noCx->cx, -1);
    EXPECT_EQ(noCx->cy, -1);
    EXPECT_EQ(noCx->rect.right, 29);  // x - 1

    // Names are case-sensitive; unknown names answer the built-in record.
    const _WIN_POS* def = c.GetWinPos(QStringLiteral("BTN_EXIT"));
    ASSERT_NE(def, nullptr);
    EXPECT_EQ(def->cx, 0);
    EXPECT_EQ(def->x, 0);
    EXPECT_EQ(def->s2l, -1);
    EXPECT_EQ(def->s2b, -1);
    EXPECT_EQ(def->rectS2.top, -1);
    EXPECT_EQ(def->color[0], 0u);
    EXPECT_EQ(def, c.GetWinPos(QStringLiteral("other")));

    c.UnloadInfo();
    EXPECT_EQ(c.GetWinPos(QStringLiteral("btn_exit"))->cx, 0);
}

TEST_F(SkinTest, PicturesFallBackToTransparent)
{
    Picture("t.png", {1, 1}, Qt::transparent);
    Picture("base.png", {64, 36}, Qt::darkBlue);
    Picture("logo.png", {20, 10}, Qt::red);
    Picture("icon.png", {32, 32}, Qt::green);
    Write("broken.png", "not a picture");
    const QString list = Write("ImageList.ini",
                               "[HD-png]\ntransparent=t.png\nbase_window=base.png\nbroken=broken.png\nmissing=nofile.png\n"
                               "[HD-bmp]\nlogo_main_front=logo.png\nlogo_bad=broken.png\n"
                               "[HD-icon]\nmain-icon=icon.png\nbad-icon=nofile.png\n");
    CUIImage img;
    EXPECT_EQ(img.LoadImageFiles(dir.path(), list), 1);
    EXPECT_EQ(img.LoadBitmapFiles(dir.path(), list), 1);
    EXPECT_EQ(img.LoadIconFiles(dir.path(), list), 1);

    const QImage* transparent = img.GetImageFile(QStringLiteral("transparent"));
    ASSERT_NE(transparent, nullptr);
    EXPECT_EQ(transparent->size(), QSize(1, 1));
    ASSERT_NE(img.GetImageFile(QStringLiteral("base_window")), nullptr);
    EXPECT_EQ(img.GetImageFile(QStringLiteral("base_window"))->size(), QSize(64, 36));
    EXPECT_EQ(img.GetImageFile(QStringLiteral("not_listed")), transparent);
    EXPECT_EQ(img.GetImageFile(QStringLiteral("broken")), transparent);
    EXPECT_EQ(img.GetImageFile(QStringLiteral("missing")), transparent);
    EXPECT_EQ(img.GetImageFile(QStringLiteral("BASE_WINDOW")), transparent);

    ASSERT_NE(img.GetBitmapFile(QStringLiteral("logo_main_front")), nullptr);
    EXPECT_EQ(img.GetBitmapFile(QStringLiteral("logo_main_front"))->size(), QSize(20, 10));
    EXPECT_EQ(img.GetBitmapFile(QStringLiteral("logo_bad")), nullptr);
    EXPECT_EQ(img.GetBitmapFile(QStringLiteral("absent")), nullptr);
    ASSERT_NE(img.GetIconFile(QStringLiteral("main-icon")), nullptr);
    EXPECT_EQ(img.GetIconFile(QStringLiteral("bad-icon")), nullptr);

    img.UnloadImageFiles();
    EXPECT_EQ(img.GetImageFile(QStringLiteral("base_window")), nullptr);  // no fallback left
    img.UnloadBitmapFiles();
    img.UnloadIconFiles();
    EXPECT_EQ(img.GetBitmapFile(QStringLiteral("logo_main_front")), nullptr);
    EXPECT_EQ(img.GetIconFile(QStringLiteral("main-icon")), nullptr);
}

TEST_F(SkinTest, EmptyOrMissingSectionsLoadNothing)
{
    Picture("t.png", {1, 1}, Qt::transparent);
    const QString list = Write("ImageList.ini", "[HD-png]\n\n[HD-bmp]\n; only a comment\n[HD-icon]\nmain-icon=t.png\n");
    CUIImage img;
    EXPECT_EQ(img.LoadImageFiles(dir.path(), list), 0);
    EXPECT_EQ(img.LoadBitmapFiles(dir.path(), list), 0);
    EXPECT_EQ(img.LoadIconFiles(dir.path(), list), 1);
    EXPECT_EQ(img.LoadImageFiles(dir.path(), dir.filePath("absent.ini")), 0);
    EXPECT_EQ(img.GetImageFile(QStringLiteral("transparent")), nullptr);
}

}  // namespace
