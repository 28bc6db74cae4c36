#include <QCoreApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include "DisplayFixture.h"
#include "ZoomView.h"

// Font look-up keeps a cache for the life of the process that the leak
// checker would otherwise report when text is drawn.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}

namespace {

// Four vertical bars: white, red, green, blue.
YuvPicture ColourBars(int w = 160, int h = 120)
{
    return YuvPicture(w, h, [w](int x, int) {
        const Yuv bars[] = {kWhite, kRed, kGreen, kBlue};
        return bars[std::min(3, x * 4 / w)];
    });
}

// Quadrants: red top-left, green top-right, blue bottom-left, white bottom-right.
YuvPicture Quadrants(int w = 160, int h = 120)
{
    return YuvPicture(w, h, [w, h](int x, int y) {
        if (y < h / 2)
            return x < w / 2 ? kRed : kGreen;
        return x < w / 2 ? kBlue : kWhite;
    });
}

int Luma(QColor c)
{
    return (c.red() * 299 + c.green() * 587 + c.blue() * 114) / 1000;
}

}  // namespace

TEST_F(DisplayTest, GreyAndColourBarsConvertToTheirColours)
{
    ASSERT_EQ(Draw(YuvPicture::Solid(160, 120, kGrey)), 0);
    QImage img = Grab();
    EXPECT_TRUE(Near(img.pixelColor(160, 120), 128, 128, 128, 6)) << img.pixelColor(160, 120).name().toStdString();

    ASSERT_EQ(Draw(ColourBars()), 0);
    img = Grab();
    const int y = 120;
    EXPECT_TRUE(Near(img.pixelColor(40, y), 255, 255, 255));
    EXPECT_TRUE(Near(img.pixelColor(120, y), 255, 0, 0, 20));
    EXPECT_TRUE(Near(img.pixelColor(200, y), 0, 255, 0, 20));
    EXPECT_TRUE(Near(img.pixelColor(280, y), 0, 0, 255, 20));
    SaveForLooking(img, "bars");
}

TEST_F(DisplayTest, BadPicturesAreRefused)
{
    YuvPicture p = YuvPicture::Solid(64, 48, kGrey);
    EXPECT_EQ(display->Draw(0, p.data, 0, 48, 5, p.linesize), -1);
    EXPECT_EQ(display->Draw(0, p.data, 64, -1, 5, p.linesize), -1);
    int shortRows[8] = {32, p.linesize[1], p.linesize[2]};
    EXPECT_EQ(display->Draw(0, p.data, 64, 48, 5, shortRows), -1);
    uint8_t* missing[8] = {p.data[0], nullptr, p.data[2]};
    EXPECT_EQ(display->Draw(0, missing, 64, 48, 5, p.linesize), -1);
    EXPECT_EQ(display->NeedsRecovery(), 0);
    EXPECT_EQ(Draw(p), 0);
}

TEST_F(DisplayTest, FlipMirrorsThePicture)
{
    ASSERT_EQ(Draw(Quadrants()), 0);
    EXPECT_TRUE(Near(Grab().pixelColor(20, 20), 255, 0, 0, 20));
    display->SetFlip(2, -1);  // horizontal
    EXPECT_TRUE(Near(Grab().pixelColor(20, 20), 0, 255, 0, 20));
    display->SetFlip(1, -1);  // vertical only
    EXPECT_TRUE(Near(Grab().pixelColor(20, 20), 0, 0, 255, 20));
    display->SetFlip(3, -1);  // both
    EXPECT_TRUE(Near(Grab().pixelColor(20, 20), 255, 255, 255, 20));
    display->SetFlip(0, 2);   // clear only the horizontal bit
    EXPECT_TRUE(Near(Grab().pixelColor(20, 20), 0, 0, 255, 20));
}

TEST_F(DisplayTest, BrightnessAndContrastMoveThePixelsTheRightWay)
{
    const YuvPicture grey = YuvPicture::Solid(64, 48, kGrey);
    ASSERT_EQ(Draw(grey), 0);
    const int neutral = Luma(Grab().pixelColor(160, 120));
    display->SetBrightness(80);
    ASSERT_EQ(Draw(grey), 0);
    const int brighter = Luma(Grab().pixelColor(160, 120));
    display->SetBrightness(20);
    ASSERT_EQ(Draw(grey), 0);
    const int darker = Luma(Grab().pixelColor(160, 120));
    EXPECT_GT(brighter, neutral + 40);
    EXPECT_LT(brighter, 255);  // a moderate setting does not wash the picture out
    EXPECT_LT(darker, neutral - 40);
    EXPECT_GT(darker, 0);

    // Two greys: contrast widens or narrows their distance.
    display->SetBrightness(50);
    const YuvPicture twoGreys(64, 48, [](int x, int) { return x < 32 ? Yuv{80, 128, 128} : Yuv{180, 128, 128}; });
    auto spread = [&] {
        EXPECT_EQ(Draw(twoGreys), 0);
        const QImage img = Grab();
        return Luma(img.pixelColor(300, 120)) - Luma(img.pixelColor(20, 120));
    };
    const int normal = spread();
    display->SetContrast(80);
    const int high = spread();
    display->SetContrast(20);
    const int low = spread();
    EXPECT_GT(high, normal + 20);
    EXPECT_LT(low, normal - 20);
    EXPECT_GT(low, 0);
    // The middle grey stays about where it was.
    display->SetContrast(80);
    ASSERT_EQ(Draw(grey), 0);
    EXPECT_NEAR(Luma(Grab().pixelColor(160, 120)), neutral, 8);
}

TEST_F(DisplayTest, LogoWhileNoPictureAndAfterClear)
{
    QImage logo(40, 30, QImage::Format_RGB32);
    logo.fill(QColor(0, 200, 0));
    QImage other(40, 30, QImage::Format_RGB32);
    other.fill(QColor(200, 0, 200));
    display->SetLogo(0, logo);
    display->SetLogo(1, other);
    display->SelectLogo(0);
    QImage img = Grab();
    EXPECT_TRUE(Near(img.pixelColor(160, 120), 0, 200, 0, 2));
    EXPECT_TRUE(Near(img.pixelColor(5, 5), 0, 0, 0, 2));
    display->SelectLogo(1);
    EXPECT_TRUE(Near(Grab().pixelColor(160, 120), 200, 0, 200, 2));

    ASSERT_EQ(Draw(YuvPicture::Solid(64, 48, kGrey)), 0);
    img = Grab();
    EXPECT_TRUE(Near(img.pixelColor(160, 120), 128, 128, 128, 6));
    EXPECT_TRUE(Near(img.pixelColor(5, 5), 128, 128, 128, 6));

    display->Clear(1);
    EXPECT_TRUE(Near(Grab().pixelColor(160, 120), 200, 0, 200, 2));
    EXPECT_TRUE(Near(Grab().pixelColor(5, 5), 0, 0, 0, 2));
}

TEST_F(DisplayTest, LabelIsDrawnInItsColour)
{
    display->SetLabel(QString(), 28, QStringLiteral("FRONT"), 0xFF0000);
    display->SetLabelPlacement(2, 1);  // bottom right
    ASSERT_EQ(Draw(YuvPicture::Solid(64, 48, kBlue)), 0);
    const QImage img = Grab();
    auto redIn = [&](QRect r) {
        int n = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                n += Near(img.pixelColor(x, y), 255, 0, 0, 40);
        return n;
    };
    EXPECT_GT(redIn(QRect(160, 180, 160, 60)), 20);
    EXPECT_EQ(redIn(QRect(0, 0, 160, 60)), 0);
}

TEST_F(DisplayTest, ALabelStaysReadableOverAPictureOfItsOwnColour)
{
    display->SetLabel(QString(), 28, QStringLiteral("REAR"), 0xFFFFFF);
    display->SetLabelPlacement(0, -1);  // top left
    ASSERT_EQ(Draw(YuvPicture::Solid(64, 48, kWhite)), 0);
    const QImage img = Grab();
    int dark = 0;
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 160; ++x)
            dark += img.pixelColor(x, y).lightness() < 160;
    EXPECT_GT(dark, 20) << "the label's shadow sets it off from a white picture";
    EXPECT_TRUE(Near(img.pixelColor(300, 200), 255, 255, 255, 8)) << "the picture itself is untouched";
}

TEST_F(DisplayTest, WheelZoomsAroundThePointerAndDragPans)
{
    ASSERT_EQ(Draw(Quadrants()), 0);
    QWidget* w = display->Widget();
    // Zoom in hard over the white (bottom-right) quadrant.
    const QPointF at(250, 200);
    for (int i = 0; i < 10; ++i) {
        QWheelEvent wheel(at, w->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(w, &wheel);
    }
    display->SetPipShow(0);
    QImage img = Grab();
    for (QPoint p : {QPoint(5, 5), QPoint(315, 5), QPoint(5, 235), QPoint(315, 235)})
        EXPECT_TRUE(Near(img.pixelColor(p), 255, 255, 255)) << p.x() << "," << p.y();

    // A long drag to the right and down shows the top-left corner of the
    // view's reach; the view stops at the picture's edge.
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(10, 10), w->mapToGlobal(QPointF(10, 10)), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &press);
    for (int step = 1; step <= 20; ++step) {
        const QPointF p(10 + step * 300, 10 + step * 200);
        QMouseEvent move(QEvent::MouseMove, p, w->mapToGlobal(p), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(w, &move);
    }
    img = Grab();
    EXPECT_TRUE(Near(img.pixelColor(5, 5), 255, 0, 0, 20));  // picture's top-left is red
}

TEST_F(DisplayTest, OverviewOnlyWhenZoomedAndShownInTheNamedCorner)
{
    ASSERT_EQ(Draw(Quadrants()), 0);
    const QSize size(320, 240);
    // The overview's own bottom-right quadrant is white.
    auto overviewWhite = [&](int position) {
        const QRect box = ZoomView::PipRect(size, position);
        const QPoint probe(box.x() + box.width() * 3 / 4, box.y() + box.height() * 3 / 4);
        return Near(Grab().pixelColor(probe), 255, 255, 255, 30);
    };
    display->SetPipShow(1);
    display->SetPipPosition(0);
    EXPECT_FALSE(overviewWhite(0));  // not zoomed: the picture itself (red) is there

    display->SetArea(0, QRect(60, 40, 10, 8), QRect());  // zoomed into the red quadrant
    EXPECT_TRUE(Near(Grab().pixelColor(160, 120), 255, 0, 0, 20));
    EXPECT_TRUE(overviewWhite(0));
    EXPECT_TRUE(Near(Grab().pixelColor(315, 235), 255, 0, 0, 20));  // other corner untouched

    display->SetPipPosition(1);
    EXPECT_TRUE(overviewWhite(1));
    SaveForLooking(Grab(), "overview");
    EXPECT_TRUE(Near(Grab().pixelColor(10, 10), 255, 0, 0, 20));

    display->SetPipShow(0);
    EXPECT_FALSE(overviewWhite(1));

    // The full-screen area operation shows the whole picture again.
    display->SetPipShow(1);
    display->SetArea(IDisplay::kAreaReset, QRect(), QRect());
    EXPECT_FALSE(overviewWhite(0));
    EXPECT_TRUE(Near(Grab().pixelColor(300, 220), 255, 255, 255, 20));
}

TEST_F(DisplayTest, RecoveryQueriesOnAHealthyDisplay)
{
    EXPECT_EQ(display->NeedsRecovery(), 0);
    display->MarkRecovery(1);
    EXPECT_EQ(display->Recover(), 1);
    display->MarkRecovery(0);
    EXPECT_EQ(Draw(YuvPicture::Solid(64, 48, kWhite)), 0);
    EXPECT_TRUE(Near(Grab().pixelColor(100, 100), 255, 255, 255));
}
