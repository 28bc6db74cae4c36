// The scroll bar: its buttons, bounds, dragging and the position messages.
#include "controls/CCtrlVScroll.h"
#include "controls/CtrlMessages.h"
#include "ctrl_test_env.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {
class CtrlVScroll : public ::testing::Test {
protected:
    void SetUp() override {
        thumb = CtrlSolid(14, 28, QColor(0, 0, 200));
        top = CtrlSolid(14, 14, Qt::black);
        bar = new CCtrlVScroll(&parent);
        bar->SetImage(&thumb, CCtrlVScroll::ImgThumb);
        bar->SetImage(&top, CCtrlVScroll::ImgTop);
        bar->SetImage(&top, CCtrlVScroll::ImgBottom);
        bar->setGeometry(0, 0, 14, 140);
        bar->SetMaxRowCount(4);
        bar->SetItemCount(10);
        CtrlShow(&parent);
    }
    void ClickTop() { CtrlClickAt(bar, bar->TopButtonRect().center()); }
    void ClickBottom() { CtrlClickAt(bar, bar->BottomButtonRect().center()); }

    CtrlRecorder parent;
    QImage thumb, top;
    CCtrlVScroll* bar = nullptr;
};

TEST_F(CtrlVScroll, ButtonsStopAtBounds) {
    ClickTop();  // already at 0
    EXPECT_TRUE(parent.log.empty());
    for (int i = 0; i < 8; ++i) ClickBottom();
    EXPECT_EQ(bar->GetCurPos(), 6);  // 10 items - 4 rows
    ASSERT_EQ(parent.log.size(), 6u);
    EXPECT_EQ(parent.log[0], (CtrlMsg{ctrlmsg::WM_VSCROLL_POS, 1, 0}));
    EXPECT_EQ(parent.log[5], (CtrlMsg{ctrlmsg::WM_VSCROLL_POS, 6, 0}));
    ClickTop();
    EXPECT_EQ(parent.log.back(), (CtrlMsg{ctrlmsg::WM_VSCROLL_POS, 5, 0}));
}

TEST_F(CtrlVScroll, SetCurPosNotifiesOnlyWhenAsked) {
    bar->SetCurPos(3, false);
    EXPECT_TRUE(parent.log.empty());
    bar->SetCurPos(99, true);
    EXPECT_EQ(bar->GetCurPos(), 6);
    ASSERT_EQ(parent.log.size(), 1u);
    EXPECT_EQ(parent.log[0].wParam, 6u);
    bar->SetCurPos(6, true);  // unchanged: nothing sent
    EXPECT_EQ(parent.log.size(), 1u);
    bar->SetItemCount(2);  // fewer items than rows: back to 0
    EXPECT_EQ(bar->GetCurPos(), 0);
    EXPECT_EQ(bar->MaxPos(), 0);
}

TEST_F(CtrlVScroll, ThumbDragAndPixels) {
    const QRect track = bar->TrackRect();
    EXPECT_EQ(track, QRect(0, 14, 14, 112));
    QRect t = bar->ThumbRect();
    EXPECT_EQ(t.top(), 14);
    EXPECT_EQ(CtrlPixel(bar->grab().toImage(), 7, t.center().y()), QColor(0, 0, 200));
    QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(7, t.top() + 5));
    QTest::mouseMove(bar, QPoint(7, t.top() + 5 + 84));  // the whole free track
    QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(7, t.top() + 5 + 84));
    EXPECT_EQ(bar->GetCurPos(), 6);
    EXPECT_EQ(parent.log.back(), (CtrlMsg{ctrlmsg::WM_VSCROLL_POS, 6, 0}));
    t = bar->ThumbRect();
    EXPECT_EQ(t.bottom(), track.bottom());
    // A click on the track above the thumb pages up by the rows shown.
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(7, track.top() + 2));
    EXPECT_EQ(bar->GetCurPos(), 2);
}

TEST_F(CtrlVScroll, ProportionalThumb) {
    bar->SetScrollType(CCtrlVScroll::ThumbProportional);
    EXPECT_EQ(bar->ThumbRect().height(), 45);  // 112 x 4 / 10 = 44.8
}
}  // namespace
