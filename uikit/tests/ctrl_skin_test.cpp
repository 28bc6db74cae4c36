// The controls fed from the committed test skin through the skin loader, as
// the viewer and the gallery feed them.
#include "controls/CCtrlButton.h"
#include "controls/CCtrlListbox.h"
#include "controls/CCtrlVScroll.h"
#include "ctrl_test_env.h"
#include "skin/CUIImage.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {
const QString kSkin = QStringLiteral(KESTREL_SOURCE_DIR "/uikit/tests/ctrl_skin");

class CtrlTestSkin : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(skin.LoadImageFiles(kSkin, kSkin + "/imagelist.ini"), 1); }
    void TearDown() override { skin.UnloadImageFiles(); }
    CUIImage skin;
};

TEST_F(CtrlTestSkin, FourFrameButtonFromSkin) {
    CtrlRecorder parent;
    auto* b = new CCtrlButton(&parent, 1);
    b->setGeometry(0, 0, 96, 32);
    b->SetButtonImage(skin.GetImageFile("btn_frames4"), 4);
    b->SetButtonType(2, 3);
    CtrlShow(&parent);
    CtrlLeave(b);
    EXPECT_EQ(CtrlPixel(b->grab().toImage(), 48, 16), QColor(70, 110, 160));  // frame 0
    EXPECT_EQ(CtrlPixel(b->grab().toImage(), 1, 1), QColor(20, 20, 20));      // its border
    QTest::mousePress(b, Qt::LeftButton, {}, QPoint(48, 16));
    EXPECT_EQ(CtrlPixel(b->grab().toImage(), 48, 16), QColor(30, 60, 110));   // frame 3
    QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(48, 16));
    b->setEnabled(false);
    EXPECT_EQ(CtrlPixel(b->grab().toImage(), 48, 16), QColor(128, 128, 128));  // frame 2
}

TEST_F(CtrlTestSkin, ListRowsFromSkin) {
    const char* names[] = {"lst_header", "lst_row", "lst_h_line1", "lst_h_line2", "lst_v_line",
                           "lst_checkbox_unchecked", "lst_checkbox_checked", "lst_icon_play", "lst_icon_pause",
                           "lst_select_bar", "lst_vscroll_span", "lst_vscroll_thumb", "lst_vscroll_top",
                           "lst_vscroll_bottom", "lst_checkbox_3state"};
    CtrlRecorder parent;
    auto* list = new CCtrlListbox(&parent, 5);
    for (int i = 0; i < CCtrlListbox::kImageCount; ++i) list->SetImage(skin.GetImageFile(names[i]), i);
    list->InsertColumn(0, QString(), 32, 0);
    list->InsertColumn(1, "Type", 128, 1);
    list->ActivateVScroll(3);
    list->setGeometry(0, 0, 564, 128);
    for (int i = 0; i < 6; ++i) list->InsertItem(i, QString());
    CtrlShow(&parent);
    QTest::mouseClick(list, Qt::LeftButton, {}, QPoint(100, 32 + 32 + 10));
    EXPECT_EQ(list->GetSelectedItem(), 1);
    const QImage img = list->grab().toImage();
    EXPECT_EQ(CtrlPixel(img, 100, 32 + 32 + 10), QColor(190, 215, 250));  // selection bar
    EXPECT_EQ(CtrlPixel(img, 100, 32 + 10), QColor(255, 255, 255));       // plain row
    EXPECT_EQ(CtrlPixel(img, 100, 10), QColor(60, 70, 90));               // header
    EXPECT_EQ(list->VScroll()->geometry(), QRect(550, 32, 14, 96));
}
}  // namespace
