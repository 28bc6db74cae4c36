// The shared drawing helper: backgrounds stretched, tiled and in nine parts,
// the drawing rule by skin type, fonts and aligned strings.
#include "controls/CCtrlGDIpString.h"
#include "skin/WinPos.h"
#include "ctrl_test_env.h"

#include <QFontInfo>
#include <QPainter>
#include <gtest/gtest.h>

namespace {
const QColor kCorner(200, 0, 0), kEdge(0, 200, 0), kCentre(240, 240, 0);

// 12 x 12: 3-pixel red corners, green edges, yellow centre.
QImage NinePart() {
    QImage img = CtrlSolid(12, 12, kCentre);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 12; ++x) {
            const bool ex = x < 3 || x >= 9, ey = y < 3 || y >= 9;
            if (ex && ey) img.setPixelColor(x, y, kCorner);
            else if (ex || ey) img.setPixelColor(x, y, kEdge);
        }
    return img;
}

template <typename F>
QImage Paint(int w, int h, F draw) {
    QImage out = CtrlSolid(w, h, Qt::black);
    QPainter p(&out);
    draw(p);
    return out;
}

TEST(CtrlGDIpString, BackgroundModes) {
    const QImage src = NinePart();
    const QRect dst(0, 0, 60, 60);
    const QMargins b(3, 3, 3, 3);
    const QImage stretched = Paint(60, 60, [&](QPainter& p) { CCtrlGDIpString::DrawBg(p, src, dst, BgStretch, b); });
    EXPECT_EQ(CtrlPixel(stretched, 7, 7), kCorner);  // corners grow five times
    EXPECT_EQ(CtrlPixel(stretched, 30, 30), kCentre);

    const QImage nine = Paint(60, 60, [&](QPainter& p) { CCtrlGDIpString::DrawBg(p, src, dst, BgNinePart, b); });
    EXPECT_EQ(CtrlPixel(nine, 1, 1), kCorner);
    EXPECT_EQ(CtrlPixel(nine, 58, 58), kCorner);
    EXPECT_EQ(CtrlPixel(nine, 30, 1), kEdge);
    EXPECT_EQ(CtrlPixel(nine, 1, 30), kEdge);
    EXPECT_EQ(CtrlPixel(nine, 7, 7), kCentre);
    EXPECT_EQ(CtrlPixel(nine, 30, 30), kCentre);

    const QImage tiled = Paint(60, 60, [&](QPainter& p) { CCtrlGDIpString::DrawBg(p, src, dst, BgTile, b); });
    EXPECT_EQ(CtrlPixel(tiled, 13, 13), kCorner);  // the second tile starts at 12
    EXPECT_EQ(CtrlPixel(tiled, 6, 6), kCentre);
}

TEST(CtrlGDIpString, ScaledBordersAndTypeRule) {
    const QImage src = NinePart();
    const QRect dst(0, 0, 60, 60);
    const QMargins b(3, 3, 3, 3);
    QImage img = Paint(60, 60, [&](QPainter& p) { CCtrlGDIpString::DrawBg4(p, src, dst, b, 2.0); });
    EXPECT_EQ(CtrlPixel(img, 4, 4), kCorner);  // 6-pixel corners
    EXPECT_EQ(CtrlPixel(img, 7, 7), kCentre);

    // Type 3: nine parts only when the window is scaled up.
    img = Paint(60, 60, [&](QPainter& p) { CCtrlGDIpString::DrawByType(p, src, dst, 3, b, 1.5); });
    EXPECT_EQ(CtrlPixel(img, 7, 7), kCentre);
    img = Paint(60, 60, [&](QPainter& p) { CCtrlGDIpString::DrawByType(p, src, dst, 3, b, 0.8); });
    EXPECT_EQ(CtrlPixel(img, 7, 7), kCorner);
    // Type 4: borders scaled by min(1, s).
    img = Paint(60, 60, [&](QPainter& p) { CCtrlGDIpString::DrawByType(p, src, dst, 4, b, 3.0); });
    EXPECT_EQ(CtrlPixel(img, 4, 4), kCentre);
    img = Paint(60, 60, [&](QPainter& p) { CCtrlGDIpString::DrawByType(p, src, dst, 4, b, 0.4); });
    EXPECT_EQ(CtrlPixel(img, 0, 0), kCorner);
    EXPECT_EQ(CtrlPixel(img, 2, 2), kCentre);  // round(3 x 0.4) = 1
}

TEST(CtrlGDIpString, SkinRecordChoosesRuleAndBorders) {
    const QImage src = NinePart();
    _WIN_POS pos;
    pos.type = 2;
    pos.dl = 3, pos.dt = 3, pos.dr = 3, pos.db = 3;
    QImage img = Paint(60, 60, [&](QPainter& p) { CCtrlGDIpString::DrawByWinPos(p, src, QRect(0, 0, 60, 60), pos, 0.5); });
    EXPECT_EQ(CtrlPixel(img, 7, 7), kCentre);
    EXPECT_EQ(CtrlPixel(img, 1, 1), kCorner);
    pos.type = 0;
    img = Paint(60, 60, [&](QPainter& p) { CCtrlGDIpString::DrawByWinPos(p, src, QRect(0, 0, 60, 60), pos, 0.5); });
    EXPECT_EQ(CtrlPixel(img, 7, 7), kCorner);
}

TEST(CtrlGDIpString, BordersLargerThanTargetOrImageStayInside) {
    const QImage src = NinePart();
    // Borders wider than the target and than the picture: drawn shrunk, no
    // part with a negative size, nothing outside the target.
    const QImage img = Paint(20, 20, [&](QPainter& p) {
        CCtrlGDIpString::DrawNine(p, src, QRect(0, 0, 12, 12), QMargins(20, 20, 20, 20), QRect(5, 5, 4, 4),
                                  QMargins(30, 30, 30, 30));
    });
    EXPECT_EQ(CtrlPixel(img, 4, 4), QColor(Qt::black));
    EXPECT_EQ(CtrlPixel(img, 9, 9), QColor(Qt::black));
    EXPECT_NE(CtrlPixel(img, 6, 6), QColor(Qt::black));
    // A frame outside the picture draws nothing.
    const QImage none = Paint(20, 20, [&](QPainter& p) {
        CCtrlGDIpString::DrawBtn(p, src, QRect(0, 0, 20, 20), QRect(40, 0, 12, 12), QMargins(3, 3, 3, 3));
    });
    EXPECT_EQ(CtrlPixel(none, 10, 10), QColor(Qt::black));
}

TEST(CtrlGDIpString, FontFallsBackToSansSerifWithPixelSize) {
    CCtrlGDIpString s;
    s.SetInit("No Such Face 12345", 17, FontStyleBold | FontStyleItalic);
    const QFontInfo info(s.Font());
    EXPECT_NE(info.family(), "No Such Face 12345");
    EXPECT_EQ(s.Font().pixelSize(), 17);
    EXPECT_TRUE(s.Font().bold());
    EXPECT_TRUE(s.Font().italic());
}

// Leftmost and rightmost columns holding white text pixels.
std::pair<int, int> InkSpan(const QImage& img) {
    int lo = img.width(), hi = -1;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixelColor(x, y).red() > 128) { lo = std::min(lo, x); hi = std::max(hi, x); }
    return {lo, hi};
}

TEST(CtrlGDIpString, StringAlignmentsAndNoClipping) {
    CCtrlGDIpString s;
    s.SetInit(QString(), 14);
    auto draw = [&](int h) {
        return Paint(200, 30, [&](QPainter& p) { s.DrawString(p, "WWW", 50, 0, 100, 30, Qt::white, h, 1); });
    };
    const auto nearSpan = InkSpan(draw(StringAlignmentNear));
    const auto centreSpan = InkSpan(draw(StringAlignmentCenter));
    const auto farSpan = InkSpan(draw(StringAlignmentFar));
    EXPECT_GE(nearSpan.first, 50);
    EXPECT_LT(nearSpan.first, 55);
    EXPECT_LE(farSpan.second, 150);
    EXPECT_GT(farSpan.second, 144);
    EXPECT_NEAR((centreSpan.first + centreSpan.second) / 2.0, 100.0, 3.0);
    // Text wider than its box runs past it instead of being cut.
    const QImage wide = Paint(200, 30, [&](QPainter& p) {
        s.DrawString(p, "WWWWWWWWWW", 80, 0, 20, 30, Qt::white, StringAlignmentNear, 1);
    });
    EXPECT_GT(InkSpan(wide).second, 120);
}
}  // namespace
