// Skinned buttons driven with real mouse events: the strip frame shown in
// every state, clicks, check and radio behaviour, caption colours, draw types.
#include "controls/CCtrlButton.h"
#include "controls/CCtrlButtonEx.h"
#include "controls/CtrlMessages.h"
#include "ctrl_test_env.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {
constexpr int kFW = 24, kFH = 16;

// Puts `b` into state index `state` (0 normal, 1 hover, 2 disabled,
// 3 pressed, 4 pressed and hover, 5 disabled and pressed) the way a user
// and the owner would.
void EnterState(CCtrlButton& b, int state) {
    switch (state) {
    case 1: QTest::mouseMove(&b, QPoint(5, 5)); break;
    case 2: b.setEnabled(false); break;
    case 3: b.SetCheck(1); break;  // check style: checked, pointer elsewhere
    case 4: QTest::mousePress(&b, Qt::LeftButton, {}, QPoint(5, 5)); break;
    case 5: b.SetCheck(1); b.setEnabled(false); break;
    default: break;
    }
}

struct FrameCase {
    int frames;
    int expected[6];
};

class CtrlButtonFrames : public ::testing::TestWithParam<FrameCase> {};

TEST_P(CtrlButtonFrames, EachStateShowsItsStripFrame) {
    const FrameCase fc = GetParam();
    const QImage strip = CtrlStrip(fc.frames, kFW, kFH);
    for (int state = 0; state < 6; ++state) {
        CtrlRecorder parent;
        auto* b = new CCtrlButton(&parent, 7, CCtrlButton::StyleCheck);
        b->setGeometry(100, 100, kFW, kFH);
        b->SetButtonImage(&strip, fc.frames);
        CtrlShow(&parent);
        QTest::mouseMove(&parent, QPoint(5, 5));  // pointer away from the button
        CtrlLeave(b);
        EnterState(*b, state);
        ASSERT_EQ(b->GetState(), state);
        const QImage face = b->grab().toImage();
        EXPECT_EQ(CtrlPixel(face, kFW / 2, kFH / 2), CtrlFrameColour(fc.expected[state]))
            << fc.frames << " frames, state " << state;
        if (state == 4) QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(5, 5));
    }
}

INSTANTIATE_TEST_SUITE_P(CtrlStrips, CtrlButtonFrames,
                         ::testing::Values(FrameCase{2, {0, 0, 0, 1, 1, 1}},
                                           FrameCase{4, {0, 1, 2, 3, 3, 2}},
                                           FrameCase{6, {0, 1, 2, 3, 4, 5}}));

TEST(CtrlButton, UndefinedFrameCountShowsFirstFrame) {
    const QImage strip = CtrlStrip(3, kFW, kFH);
    CtrlRecorder parent;
    auto* b = new CCtrlButton(&parent, 7);
    b->setGeometry(0, 0, kFW, kFH);
    b->SetButtonImage(&strip, 3);
    CtrlShow(&parent);
    QTest::mousePress(b, Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(CtrlPixel(b->grab().toImage(), 12, 8), CtrlFrameColour(0));
    QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(3, 3));
}

TEST(CtrlButton, ClickSendsCommandAndReleaseOutsideDoesNot) {
    CtrlRecorder parent;
    auto* b = new CCtrlButton(&parent, 0x1234);
    b->setGeometry(10, 10, 40, 20);
    CtrlShow(&parent);
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(20, 10));
    ASSERT_EQ(parent.log.size(), 1u);
    EXPECT_EQ(parent.log[0], (CtrlMsg{ctrlmsg::WM_COMMAND, 0x1234, 0}));
    EXPECT_EQ(b->GetCheck(), 0);  // a push button keeps no checked state

    // Press inside, leave, release outside: no click.
    QTest::mousePress(b, Qt::LeftButton, {}, QPoint(20, 10));
    QTest::mouseMove(b, QPoint(200, 200));
    EXPECT_EQ(b->GetState(), CCtrlButton::StateNormal);
    QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(200, 200));
    EXPECT_EQ(parent.log.size(), 1u);

    // A disabled button ignores the mouse.
    b->setEnabled(false);
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(20, 10));
    EXPECT_EQ(parent.log.size(), 1u);
}

TEST(CtrlButton, CheckStyleTogglesAndRadioKeepsOneOn) {
    CtrlRecorder parent;
    auto* check = new CCtrlButton(&parent, 1, CCtrlButton::StyleCheck);
    auto* r1 = new CCtrlButton(&parent, 2, CCtrlButton::StyleRadio);
    auto* r2 = new CCtrlButton(&parent, 3, CCtrlButton::StyleRadio);
    check->setGeometry(0, 0, 30, 20);
    r1->setGeometry(0, 30, 30, 20);
    r2->setGeometry(0, 60, 30, 20);
    CtrlShow(&parent);
    QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(check->GetCheck(), 1);
    QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(check->GetCheck(), 0);

    QTest::mouseClick(r1, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(r1->GetCheck(), 1);
    QTest::mouseClick(r2, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(r1->GetCheck(), 0);
    EXPECT_EQ(r2->GetCheck(), 1);
    QTest::mouseClick(r2, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(r2->GetCheck(), 1);  // clicking the chosen radio keeps it chosen
    EXPECT_EQ(check->GetCheck(), 0);
    ASSERT_EQ(parent.log.size(), 5u);
    EXPECT_EQ(parent.log[2].wParam, 2u);
}

// Counts the pixels of `img` that are clearly of hue `c` (pure red or blue).
int CountNear(const QImage& img, QColor c) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QColor p = img.pixelColor(x, y);
            if (p.alpha() > 128 && std::abs(p.red() - c.red()) < 60 && std::abs(p.green() - c.green()) < 60 &&
                std::abs(p.blue() - c.blue()) < 60)
                ++n;
        }
    return n;
}

TEST(CtrlButton, CaptionTakesTheStateColourAndOffset) {
    CtrlRecorder parent;
    auto* b = new CCtrlButton(&parent, 1);
    b->setGeometry(0, 0, 80, 30);
    const QImage bg = CtrlSolid(4, 4, Qt::white);
    b->SetButtonImageBg(&bg);
    b->SetInitFont(QString(), 18, FontStyleBold);
    b->SetWindowText("MM");
    b->SetTextColor(QColor(255, 0, 0), CCtrlButton::StateNormal);
    b->SetTextColor(QColor(0, 0, 255), CCtrlButton::StateHover);
    CtrlShow(&parent);
    CtrlLeave(b);
    QImage face = b->grab().toImage();
    EXPECT_GT(CountNear(face, Qt::red), 10);
    EXPECT_EQ(CountNear(face, Qt::blue), 0);
    QTest::mouseMove(b, QPoint(40, 15));
    face = b->grab().toImage();
    EXPECT_EQ(CountNear(face, Qt::red), 0);
    EXPECT_GT(CountNear(face, Qt::blue), 10);
    // A state without its own colour uses the normal one.
    b->setEnabled(false);
    EXPECT_GT(CountNear(b->grab().toImage(), Qt::red), 10);

    // The horizontal offset moves the caption right: nothing left of it.
    b->setEnabled(true);
    QTest::mouseMove(&parent, QPoint(300, 300));
    b->SetTextOffset(50);
    face = b->grab().toImage();
    EXPECT_EQ(CountNear(face.copy(0, 0, 50, 30), Qt::red), 0);
    EXPECT_GT(CountNear(face.copy(50, 0, 30, 30), Qt::red), 5);
}

TEST(CtrlButton, DrawTypeTwoKeepsTheBorderUnscaled) {
    // One frame 24x16: a 3-pixel black border around a green centre.
    QImage strip = CtrlSolid(48, 16, Qt::black);
    for (int f = 0; f < 2; ++f)
        for (int y = 3; y < 13; ++y)
            for (int x = 3; x < 21; ++x) strip.setPixelColor(f * 24 + x, y, QColor(0, 200, 0));
    CtrlRecorder parent;
    auto* b = new CCtrlButton(&parent, 1);
    b->setGeometry(0, 0, 96, 64);  // four times the frame
    b->SetButtonImage(&strip, 2);
    CtrlShow(&parent);
    QImage face = b->grab().toImage();
    EXPECT_EQ(CtrlPixel(face, 8, 8), QColor(Qt::black));  // 3 px border scaled to 12 px
    b->SetButtonType(2, 3);
    face = b->grab().toImage();
    EXPECT_EQ(CtrlPixel(face, 1, 1), QColor(Qt::black));
    EXPECT_EQ(CtrlPixel(face, 94, 62), QColor(Qt::black));
    EXPECT_EQ(CtrlPixel(face, 8, 8), QColor(0, 200, 0));
    EXPECT_EQ(CtrlPixel(face, 48, 32), QColor(0, 200, 0));
}

TEST(CtrlButtonEx, DividedImageReadsFramesRowByRow) {
    // 2 columns x 2 rows: frames 0,1 on the first row, 2,3 on the second.
    QImage grid(2 * kFW, 2 * kFH, QImage::Format_ARGB32_Premultiplied);
    for (int f = 0; f < 4; ++f)
        for (int y = 0; y < kFH; ++y)
            for (int x = 0; x < kFW; ++x) grid.setPixelColor((f % 2) * kFW + x, (f / 2) * kFH + y, CtrlFrameColour(f));
    CtrlRecorder parent;
    auto* b = new CCtrlButtonEx(&parent, 1);
    b->setGeometry(0, 0, kFW, kFH);
    b->SetButtonImage(&grid, 4);
    b->SetButtonDiv(2, 2);
    CtrlShow(&parent);
    b->setEnabled(false);  // 4 frames: disabled shows frame 2
    EXPECT_EQ(CtrlPixel(b->grab().toImage(), 12, 8), CtrlFrameColour(2));
}
}  // namespace
