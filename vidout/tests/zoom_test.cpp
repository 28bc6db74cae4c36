#include <gtest/gtest.h>

#include "ZoomView.h"

namespace {

const QRectF kTarget(10, 20, 400, 300);

}  // namespace

TEST(ZoomView, WheelZoomKeepsThePointUnderThePointer)
{
    ZoomView z;
    z.SetPicture(QSize(1280, 720));
    EXPECT_FALSE(z.Zoomed());
    const QPointF pointer(310, 95);
    const QPointF before = z.ToPicture(kTarget, pointer);
    z.ZoomAt(kTarget, pointer, 1.25);
    EXPECT_TRUE(z.Zoomed());
    EXPECT_NEAR(z.View().width(), 1280 / 1.25, 1e-6);
    QPointF after = z.ToPicture(kTarget, pointer);
    EXPECT_NEAR(after.x(), before.x(), 1e-6);
    EXPECT_NEAR(after.y(), before.y(), 1e-6);
    // Further in, and out again, around another point.
    const QPointF other(150, 250);
    const QPointF anchor = z.ToPicture(kTarget, other);
    z.ZoomAt(kTarget, other, 2.0);
    after = z.ToPicture(kTarget, other);
    EXPECT_NEAR(after.x(), anchor.x(), 1e-6);
    EXPECT_NEAR(after.y(), anchor.y(), 1e-6);
    z.ZoomAt(kTarget, other, 0.8);
    after = z.ToPicture(kTarget, other);
    EXPECT_NEAR(after.x(), anchor.x(), 1e-6);
    EXPECT_NEAR(after.y(), anchor.y(), 1e-6);
}

TEST(ZoomView, ZoomStaysBetweenWholeAndMaximum)
{
    ZoomView z;
    z.SetPicture(QSize(800, 600));
    z.ZoomAt(kTarget, QPointF(100, 100), 1000.0);
    EXPECT_NEAR(z.View().width(), 800 / ZoomView::kMaxZoom, 1e-6);
    z.ZoomAt(kTarget, QPointF(100, 100), 0.001);
    EXPECT_EQ(z.View(), QRectF(0, 0, 800, 600));
    EXPECT_FALSE(z.Zoomed());
    // Zooming at the very edge keeps the view inside the picture.
    z.ZoomAt(kTarget, QPointF(kTarget.right(), kTarget.bottom()), 4.0);
    EXPECT_NEAR(z.View().right(), 800, 1e-6);
    EXPECT_NEAR(z.View().bottom(), 600, 1e-6);
}

TEST(ZoomView, PanFollowsTheDragAndClampsToThePicture)
{
    ZoomView z;
    z.SetPicture(QSize(800, 600));
    z.ZoomAt(kTarget, kTarget.center(), 4.0);
    const QRectF start = z.View();
    // 40 widget pixels are 40 * 200/400 = 20 picture pixels; dragging right
    // moves the picture right, i.e. the view left.
    z.Pan(kTarget, QPointF(40, -30));
    EXPECT_NEAR(z.View().x(), start.x() - 20, 1e-6);
    EXPECT_NEAR(z.View().y(), start.y() + 15, 1e-6);
    z.Pan(kTarget, QPointF(1e6, 1e6));
    EXPECT_EQ(z.View().topLeft(), QPointF(0, 0));
    z.Pan(kTarget, QPointF(-1e7, -1e7));
    EXPECT_NEAR(z.View().right(), 800, 1e-6);
    EXPECT_NEAR(z.View().bottom(), 600, 1e-6);
    EXPECT_NEAR(z.View().width(), 200, 1e-6);
}

TEST(ZoomView, NewPictureSizeResetsAndSetViewClips)
{
    ZoomView z;
    z.SetPicture(QSize(800, 600));
    z.SetView(QRectF(700, 500, 300, 300));
    EXPECT_EQ(z.View(), QRectF(700, 500, 100, 100));
    z.SetView(QRectF(10, 10, 1, 1));  // below the maximum zoom: grown to it
    EXPECT_NEAR(z.View().width(), 100, 1e-6);
    z.SetPicture(QSize(800, 600));  // same size keeps the view
    EXPECT_TRUE(z.Zoomed());
    z.SetPicture(QSize(640, 480));
    EXPECT_EQ(z.View(), QRectF(0, 0, 640, 480));
}

TEST(ZoomView, OverviewCorners)
{
    const QRect tl = ZoomView::PipRect(QSize(400, 300), 0);
    const QRect br = ZoomView::PipRect(QSize(400, 300), 1);
    EXPECT_EQ(tl.size(), QSize(100, 75));
    EXPECT_LT(tl.left(), 10);
    EXPECT_LT(tl.top(), 10);
    EXPECT_GT(br.right(), 390);
    EXPECT_GT(br.bottom(), 290);
    EXPECT_LE(br.right(), 399);
}
