// Sliders driven by press, drag and release: positions from points at both
// ends and the middle, clamping, the notifications and the thumb's place.
#include "controls/CCtrlSlider.h"
#include "controls/CCtrlSliderEx.h"
#include "controls/CtrlMessages.h"
#include "ctrl_test_env.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {
constexpr int kId = 0x77;
const QColor kLeft(220, 0, 0), kRight(0, 0, 220), kThumb(0, 200, 0);

class CtrlSlider : public ::testing::Test {
protected:
    void SetUp() override {
        left = CtrlSolid(4, 10, kLeft);
        right = CtrlSolid(4, 10, kRight);
        thumb = CtrlSolid(12, 20, kThumb);
        slider = new CCtrlSliderEx(&parent, kId);
        slider->SetImage(&left, CCtrlSlider::ImgLeftBar);
        slider->SetImage(&right, CCtrlSlider::ImgRightBar);
        slider->SetImage(&thumb, CCtrlSlider::ImgThumb);
        slider->setGeometry(20, 20, 112, 20);  // 100 pixels of travel
        slider->SetRange(0, 100);
        CtrlShow(&parent);
    }
    CtrlRecorder parent;
    QImage left, right, thumb;
    CCtrlSliderEx* slider = nullptr;
};

TEST_F(CtrlSlider, PositionFromPointAtEndsMiddleAndBeyond) {
    EXPECT_EQ(slider->PosFromPoint(6), 0);     // thumb centred on the left end
    EXPECT_EQ(slider->PosFromPoint(0), 0);
    EXPECT_EQ(slider->PosFromPoint(56), 50);
    EXPECT_EQ(slider->PosFromPoint(106), 100);
    EXPECT_EQ(slider->PosFromPoint(111), 100);  // clamped
    EXPECT_EQ(slider->PosFromPoint(-40), 0);
    slider->SetRange(0, 7);
    EXPECT_EQ(slider->PosFromPoint(6 + 50), 4);  // 3.5 rounds up
}

TEST_F(CtrlSlider, PressDragReleaseNotifyWithCapture) {
    QTest::mousePress(slider, Qt::LeftButton, {}, QPoint(56, 10));
    ASSERT_EQ(parent.log.size(), 1u);
    EXPECT_EQ(parent.log[0], (CtrlMsg{ctrlmsg::WM_SLIDER_PRESSED, kId, 50}));
    EXPECT_TRUE(slider->IsDragging());
    QTest::mouseMove(slider, QPoint(31, 10));
    EXPECT_EQ(parent.log.back(), (CtrlMsg{ctrlmsg::WM_SLIDER_MOVED, kId, 25}));
    // Dragging past the end keeps the pointer and clamps the position.
    QTest::mouseMove(slider, QPoint(400, 10));
    EXPECT_EQ(parent.log.back(), (CtrlMsg{ctrlmsg::WM_SLIDER_MOVED, kId, 100}));
    QTest::mouseRelease(slider, Qt::LeftButton, {}, QPoint(400, 10));
    EXPECT_EQ(parent.log.back(), (CtrlMsg{ctrlmsg::WM_SLIDER_RELEASED, kId, 100}));
    EXPECT_FALSE(slider->IsDragging());
    EXPECT_EQ(slider->GetPos(), 100);
    const size_t n = parent.log.size();
    QTest::mouseMove(slider, QPoint(10, 10));  // no button held: nothing
    EXPECT_EQ(parent.log.size(), n);
}

TEST_F(CtrlSlider, ThumbLeftEdgeAndBars) {
    slider->SetPos(50);
    EXPECT_EQ(slider->ThumbLeft(50), 50);
    QImage img = slider->grab().toImage();
    EXPECT_EQ(CtrlPixel(img, 49, 10), kLeft);
    EXPECT_EQ(CtrlPixel(img, 50, 10), kThumb);
    EXPECT_EQ(CtrlPixel(img, 61, 10), kThumb);
    EXPECT_EQ(CtrlPixel(img, 62, 10), kRight);
    slider->SetPos(0);
    img = slider->grab().toImage();
    EXPECT_EQ(CtrlPixel(img, 0, 10), kThumb);
    EXPECT_EQ(CtrlPixel(img, 12, 10), kRight);
    slider->SetPos(100);
    img = slider->grab().toImage();
    EXPECT_EQ(CtrlPixel(img, 111, 10), kThumb);
    EXPECT_EQ(CtrlPixel(img, 99, 10), kLeft);
    // Bars meeting under the thumb's centre.
    slider->SetBarType(CCtrlSliderEx::BarToCentre);
    slider->SetPos(50);
    slider->SetImage(nullptr, CCtrlSlider::ImgThumb);  // thumb hidden, its width now 0
    img = slider->grab().toImage();
    EXPECT_EQ(CtrlPixel(img, 55, 10), kLeft);
    EXPECT_EQ(CtrlPixel(img, 57, 10), kRight);
    // Revealed bar: the left picture stretched over the track, shown up to the centre.
    slider->SetBarType(CCtrlSliderEx::BarReveal);
    img = slider->grab().toImage();
    EXPECT_EQ(CtrlPixel(img, 2, 10), kLeft);
    EXPECT_EQ(CtrlPixel(img, 55, 10), kLeft);
    EXPECT_EQ(CtrlPixel(img, 57, 10), kRight);
    EXPECT_EQ(CtrlPixel(img, 110, 10), kRight);
}

TEST_F(CtrlSlider, SetPosAndRangeClamp) {
    slider->SetPos(500);
    EXPECT_EQ(slider->GetPos(), 100);
    slider->SetPos(-5);
    EXPECT_EQ(slider->GetPos(), 0);
    slider->SetRange(50, 10);  // given the wrong way round
    EXPECT_EQ(slider->GetRangeMin(), 10);
    EXPECT_EQ(slider->GetRangeMax(), 50);
    EXPECT_EQ(slider->GetPos(), 10);
    slider->SetRange(5, 5);  // an empty range neither divides by zero nor moves
    EXPECT_EQ(slider->ThumbLeft(5), 0);
    EXPECT_EQ(slider->PosFromPoint(80), 5);
}

TEST_F(CtrlSlider, RangeNotStartingAtZero) {
    slider->SetRange(100, 200);
    EXPECT_EQ(slider->PosFromPoint(6), 100);
    EXPECT_EQ(slider->PosFromPoint(56), 150);
    EXPECT_EQ(slider->PosFromPoint(106), 200);
    EXPECT_EQ(slider->ThumbLeft(100), 0);
    EXPECT_EQ(slider->ThumbLeft(150), 50);
    EXPECT_EQ(slider->ThumbLeft(200), 100);
}

TEST_F(CtrlSlider, NarrowerThanThumbStaysAtMinimum) {
    slider->resize(8, 20);
    EXPECT_EQ(slider->PosFromPoint(4), 0);
    EXPECT_EQ(slider->ThumbLeft(80), 0);
    EXPECT_FALSE(slider->grab().toImage().isNull());
}
}  // namespace
