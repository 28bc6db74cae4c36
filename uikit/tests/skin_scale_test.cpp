// Placement of skin records at other window sizes: every margin and
// centring case, the h_ratio modes and font scaling.
#include "skin/SkinScale.h"

#include <gtest/gtest.h>

using kestrel::skin::ScaleFontSize;
using kestrel::skin::ScaleSkinRect;
using kestrel::skin::UniformScale;

namespace {

const KSkinRect kRef{0, 0, 1920, 1080};

_WIN_POS Pos(int x, int y, int cx, int cy)
{
    _WIN_POS p;
    p.x = x;
    p.y = y;
    p.cx = cx;
    p.cy = cy;
    return p;
}

void ExpectRect(const KSkinRect& r, int l, int t, int rt, int b)
{
    EXPECT_EQ(r.left, l);
    EXPECT_EQ(r.top, t);
    EXPECT_EQ(r.right, rt);
    EXPECT_EQ(r.bottom, b);
}

}  // namespace

TEST(SkinScale, ReferenceSizeKeepsEveryRecord)
{
    _WIN_POS p = Pos(100, 50, 300, 40);
    ExpectRect(ScaleSkinRect(p, 1920, 1080, kRef), 100, 50, 400, 90);
}

TEST(SkinScale, UniformFactorNeverGrowsAndUsesSmallerAxis)
{
    EXPECT_DOUBLE_EQ(UniformScale(3840, 2160, kRef), 1.0);
    EXPECT_DOUBLE_EQ(UniformScale(1280, 1080, kRef), 1280.0 / 1920.0);
    EXPECT_DOUBLE_EQ(UniformScale(1920, 540, kRef), 0.5);
    EXPECT_DOUBLE_EQ(UniformScale(100, 100, KSkinRect{}), 1.0);  // empty reference
}

TEST(SkinScale, HRatioModes)
{
    // 1280 x 900: fx = 2/3, fy = 5/6, s = 2/3.
    _WIN_POS p = Pos(300, 600, 600, 120);
    p.h_ratio = 0;  // aspect kept by s
    ExpectRect(ScaleSkinRect(p, 1280, 900, kRef), 200, 400, 600, 480);
    p.h_ratio = 1;  // horizontal by fx, vertical by s
    ExpectRect(ScaleSkinRect(p, 1280, 900, kRef), 200, 400, 600, 480);
    p.h_ratio = 2;  // both axes by their own factor; y still by s
    ExpectRect(ScaleSkinRect(p, 1280, 900, kRef), 200, 400, 600, 500);
    p.h_ratio = 3;  // size and position by s
    ExpectRect(ScaleSkinRect(p, 1280, 900, kRef), 200, 400, 600, 480);

    // Wider than the reference: h_ratio 0 stays at skin size, 1 stretches x.
    _WIN_POS q = Pos(100, 10, 200, 20);
    q.h_ratio = 0;
    ExpectRect(ScaleSkinRect(q, 3840, 1080, kRef), 100, 10, 300, 30);
    q.h_ratio = 1;
    ExpectRect(ScaleSkinRect(q, 3840, 1080, kRef), 200, 10, 600, 30);
}

TEST(SkinScale, HorizontalMarginsWithoutCentring)
{
    _WIN_POS p = Pos(10, 0, 100, 20);
    p.s2l = 30;  // pinned left
    ExpectRect(ScaleSkinRect(p, 1920, 1080, kRef), 40, 0, 140, 20);
    p.s2l = -1;
    p.s2r = 30;  // pinned right: x shifts from the right edge
    ExpectRect(ScaleSkinRect(p, 1920, 1080, kRef), 1800, 0, 1900, 20);
    p.s2l = 30;  // both: stretches, left = Ml + 2X, right = W - Mr
    ExpectRect(ScaleSkinRect(p, 1600, 1080, kRef), 25 + 2 * 8, 0, 1600 - 25, 17);
}

TEST(SkinScale, HorizontalCentring)
{
    _WIN_POS p = Pos(10, 0, 100, 20);
    p.hc = 1;
    ExpectRect(ScaleSkinRect(p, 1920, 1080, kRef), 920, 0, 1020, 20);
    p.s2l = 40;
    ExpectRect(ScaleSkinRect(p, 1920, 1080, kRef), 880, 0, 980, 20);  // centre - Ml + X
    p.s2l = -1;
    p.s2r = 40;
    ExpectRect(ScaleSkinRect(p, 1920, 1080, kRef), 960, 0, 1060, 20);  // centre + X + Mr
    p.s2l = 40;  // both margins win over centring
    ExpectRect(ScaleSkinRect(p, 1920, 1080, kRef), 60, 0, 1880, 20);
    // Odd free space halves toward zero.
    _WIN_POS odd = Pos(0, 0, 101, 20);
    odd.hc = 1;
    EXPECT_EQ(ScaleSkinRect(odd, 1920, 1080, kRef).left, 909);
}

TEST(SkinScale, VerticalMarginsAndCentring)
{
    _WIN_POS p = Pos(0, 100, 50, 200);
    p.s2t = 20;
    ExpectRect(ScaleSkinRect(p, 1920, 1080, kRef), 0, 120, 50, 320);
    p.s2t = -1;
    p.s2b = 20;  // pinned bottom ignores y
    ExpectRect(ScaleSkinRect(p, 1920, 1080, kRef), 0, 860, 50, 1060);
    p.s2t = 20;  // both stretch
    ExpectRect(ScaleSkinRect(p, 1920, 1080, kRef), 0, 120, 50, 1060);

    _WIN_POS c = Pos(0, 777, 50, 200);
    c.vc = 1;  // centred, y ignored
    ExpectRect(ScaleSkinRect(c, 1920, 1080, kRef), 0, 440, 50, 640);
    c.s2t = 40;
    ExpectRect(ScaleSkinRect(c, 1920, 1080, kRef), 0, 400, 50, 600);
    c.s2t = -1;
    c.s2b = 40;
    ExpectRect(ScaleSkinRect(c, 1920, 1080, kRef), 0, 480, 50, 680);
    c.s2t = 40;  // both: y counts again
    ExpectRect(ScaleSkinRect(c, 1920, 1080, kRef), 0, 817, 50, 1040);
}

TEST(SkinScale, MarginsScaleWithTheirAxisFactors)
{
    // 1280 x 1080: fx = s = 2/3; at 1920 x 720: fx = 1, s = 2/3.
    _WIN_POS p = Pos(0, 0, 90, 30);
    p.s2r = 30;
    p.h_ratio = 1;
    ExpectRect(ScaleSkinRect(p, 1920, 720, kRef), 1800, 0, 1890, 20);
    p.s2r = -1;
    p.s2b = 30;
    ExpectRect(ScaleSkinRect(p, 1920, 720, kRef), 0, 680, 90, 700);
}

TEST(SkinScale, FontSizesFollowTheUniformFactor)
{
    EXPECT_EQ(ScaleFontSize(14, 1920, 1080, kRef), 14);
    EXPECT_EQ(ScaleFontSize(14, 1280, 720, kRef), 9);    // 9.33
    EXPECT_EQ(ScaleFontSize(16, 1440, 810, kRef), 12);   // 12.0
    EXPECT_EQ(ScaleFontSize(13, 1760, 990, kRef), 12);   // 11.9
    EXPECT_EQ(ScaleFontSize(14, 3840, 2160, kRef), 14);  // never grows
}

TEST(SkinScale, PanelRecordsScaleWithTheWindowButPinToThePanel)
{
    // A 600 x 400 panel in a 1280 x 720 window: s = 2/3 from the window,
    // the right margin counted from the panel's right edge.
    _WIN_POS p = Pos(0, 30, 90, 30);
    p.s2r = 15;
    ExpectRect(kestrel::skin::ScaleSkinRectWithin(p, 600, 400, 1280, 720, kRef), 530, 20, 590, 40);
}
