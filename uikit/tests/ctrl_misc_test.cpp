// The smaller controls: digit display, static text with icon, picture with
// caption, group box enabling, hyperlink opening and colours.
#include "controls/CCtrlButton.h"
#include "controls/CCtrlGroupBox.h"
#include "controls/CCtrlImage.h"
#include "controls/CCtrlNumber.h"
#include "controls/CCtrlStatic.h"
#include "controls/CHyperLink.h"
#include "ctrl_test_env.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {
TEST(CtrlNumber, DigitsInEqualCellsNonDigitsEmpty) {
    std::vector<QImage> digits;
    for (int d = 0; d < 10; ++d) digits.push_back(CtrlSolid(10, 16, QColor(20 * d, 255 - 20 * d, 100)));
    const QImage bk = CtrlSolid(200, 100, Qt::black);
    CtrlRecorder parent;
    auto* n = new CCtrlNumber(&parent);
    for (int d = 0; d < 10; ++d) n->SetImage(&digits[size_t(d)], d);
    n->SetImage(&digits[0], 10);  // out of range: ignored
    n->SetBkImage(&bk);
    n->setGeometry(0, 0, 60, 20);
    n->SetDigit(3);
    n->SetWindowText("7:91");
    CtrlShow(&parent);
    const QImage img = n->grab().toImage();
    EXPECT_EQ(CtrlPixel(img, 10, 10), QColor(140, 115, 100));  // '7' in cell 0
    EXPECT_EQ(CtrlPixel(img, 30, 10), QColor(Qt::black));      // ':' leaves cell 1 empty
    EXPECT_EQ(CtrlPixel(img, 50, 10), QColor(180, 75, 100));   // '9' in cell 2; '1' not shown
    // Four characters share the width in four cells.
    n->SetDigit(4);
    EXPECT_EQ(n->CellRect(3), QRect(45, 0, 15, 20));
    EXPECT_EQ(CtrlPixel(n->grab().toImage(), 52, 10), QColor(20, 235, 100));
    // Fewer characters than digits: only those present are drawn.
    n->SetWindowText("5");
    EXPECT_EQ(CtrlPixel(n->grab().toImage(), 22, 10), QColor(Qt::black));
}

TEST(CtrlNumber, BackgroundPartOrStretched) {
    QImage bk = CtrlSolid(100, 100, Qt::red);
    for (int y = 50; y < 100; ++y)
        for (int x = 50; x < 100; ++x) bk.setPixelColor(x, y, Qt::blue);
    CtrlRecorder parent;
    auto* n = new CCtrlNumber(&parent);
    n->setGeometry(0, 0, 20, 20);
    n->SetBkImage(&bk, 50, 50);  // the control-sized part from (50, 50), unscaled
    CtrlShow(&parent);
    EXPECT_EQ(CtrlPixel(n->grab().toImage(), 1, 1), QColor(Qt::blue));
    n->SetBkImage(&bk, -1, -1);  // the whole picture stretched
    EXPECT_EQ(CtrlPixel(n->grab().toImage(), 1, 1), QColor(Qt::red));
    EXPECT_EQ(CtrlPixel(n->grab().toImage(), 18, 18), QColor(Qt::blue));
}

TEST(CtrlWnd, RendersAtTheScreensPixelDensity) {
    const QImage bk = CtrlSolid(2, 2, Qt::green);
    CCtrlStatic s;
    s.resize(20, 10);
    s.SetBkImage(&bk);
    const QImage img = s.RenderImage(2.0);
    EXPECT_EQ(img.size(), QSize(40, 20));
    EXPECT_DOUBLE_EQ(img.devicePixelRatio(), 2.0);
    EXPECT_EQ(CtrlPixel(img, 39, 19), QColor(Qt::green));
    s.resize(0, 0);
    EXPECT_TRUE(s.RenderImage().isNull());
}

TEST(CtrlStatic, IconAtLeftTextAfterIt) {
    const QImage bk = CtrlSolid(4, 4, Qt::black), icon = CtrlSolid(10, 10, Qt::green);
    CtrlRecorder parent;
    auto* s = new CCtrlStatic(&parent);
    s->setGeometry(0, 0, 120, 30);
    s->SetBkImage(&bk);
    s->SetImageIcon(&icon);
    s->SetInitFont(QString(), 16);
    s->SetTextColor(Qt::white);
    s->SetTextAlign(StringAlignmentNear, StringAlignmentCenter);
    s->SetWindowText("HH");
    CtrlShow(&parent);
    const QImage img = s->grab().toImage();
    EXPECT_EQ(CtrlPixel(img, 5, 15), QColor(Qt::green));
    EXPECT_EQ(CtrlPixel(img, 5, 2), QColor(Qt::black));
    int firstInk = -1;
    for (int x = 10; x < 120 && firstInk < 0; ++x)
        for (int y = 0; y < 30; ++y)
            if (img.pixelColor(x, y).red() > 128) { firstInk = x; break; }
    EXPECT_GE(firstInk, 14);  // a gap after the icon
    EXPECT_LT(firstInk, 20);
}

TEST(CtrlImage, PictureFitsKeepingProportions) {
    const QImage pic = CtrlSolid(40, 20, Qt::blue);
    CtrlRecorder parent;
    auto* c = new CCtrlImage(&parent);
    c->setGeometry(0, 0, 20, 40);
    c->SetImage(&pic);
    EXPECT_EQ(c->PictureRect(), QRect(0, 15, 20, 10));
    c->resize(100, 100);  // never enlarged
    EXPECT_EQ(c->PictureRect(), QRect(30, 40, 40, 20));
    CtrlShow(&parent);
    EXPECT_EQ(CtrlPixel(c->grab().toImage(), 50, 50), QColor(Qt::blue));
}

TEST(CtrlGroupBox, EnableWindowReachesControlsInside) {
    CtrlRecorder parent;
    auto* box = new CCtrlGroupBox(&parent, 1011);
    box->setGeometry(10, 10, 200, 100);
    box->SetWindowText("Size");
    auto* inner = new CCtrlButton(&parent, 1001, CCtrlButton::StyleRadio);
    inner->setGeometry(20, 30, 50, 20);
    auto* child = new CCtrlButton(box, 1002);
    child->setGeometry(10, 40, 50, 20);
    auto* outside = new CCtrlButton(&parent, 1003);
    outside->setGeometry(250, 30, 50, 20);
    CtrlShow(&parent);
    box->EnableWindow(false);
    EXPECT_FALSE(box->isEnabled());
    EXPECT_FALSE(inner->isEnabled());
    EXPECT_FALSE(child->isEnabled());
    EXPECT_TRUE(outside->isEnabled());
    box->EnableWindow(true);
    EXPECT_TRUE(inner->isEnabled());
    EXPECT_TRUE(child->isEnabled());

    // The frame line stops where the header text sits on it.
    box->SetBorderColor(Qt::red);
    box->SetInitFont(QString(), 14);
    const QImage img = box->grab().toImage();
    const int lineY = box->FrameRect().top();
    EXPECT_EQ(CtrlPixel(img, 190, lineY), QColor(Qt::red));
    EXPECT_EQ(CtrlPixel(img, 0, 60), QColor(Qt::red));
    EXPECT_NE(CtrlPixel(img, 1, 60), QColor(Qt::red));
    EXPECT_NE(CtrlPixel(img, 12, lineY), QColor(Qt::red));  // under the text
}

TEST(CtrlHyperLink, ClickOpensLinkAndMarksVisited) {
    std::vector<QUrl> opened;
    CHyperLink::SetUrlOpener([&](const QUrl& u) { opened.push_back(u); return true; });
    CtrlRecorder parent;
    auto* link = new CHyperLink(&parent);
    link->setGeometry(0, 0, 150, 20);
    link->SetURL("https://example.org/manual");
    link->SetColours(Qt::blue, Qt::darkMagenta, Qt::red);
    CtrlShow(&parent);
    CtrlLeave(link);
    EXPECT_EQ(link->CurrentColour(), QColor(Qt::blue));
    QTest::mouseMove(link, QPoint(10, 10));
    EXPECT_EQ(link->CurrentColour(), QColor(Qt::red));
    QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(10, 10));
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].toString(), "https://example.org/manual");
    EXPECT_TRUE(link->GetVisited());
    CtrlLeave(link);
    EXPECT_EQ(link->CurrentColour(), QColor(Qt::darkMagenta));

    // A failed open leaves it unvisited; an empty link opens nothing.
    CHyperLink::SetUrlOpener([](const QUrl&) { return false; });
    link->SetVisited(false);
    EXPECT_FALSE(link->GotoURL());
    EXPECT_FALSE(link->GetVisited());
    link->SetURL(QString());
    EXPECT_FALSE(link->GotoURL());
    CHyperLink::SetUrlOpener({});

    // Auto size follows the text.
    link->SetAutoSize(true);
    link->SetWindowText("a much longer caption than before");
    const int wide = link->width();
    link->SetWindowText("x");
    EXPECT_LT(link->width(), wide);
}
}  // namespace
