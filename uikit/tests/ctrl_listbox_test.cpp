// The skinned list box driven with real clicks, double clicks and wheel
// turns: notifications, check states, scaling and the pixels of rows.
#include "controls/CCtrlListbox.h"
#include "controls/CCtrlVScroll.h"
#include "controls/CtrlMessages.h"
#include "ctrl_test_env.h"

#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

namespace {
constexpr int kId = 8291;
const QColor kBackground(10, 10, 10), kRow(250, 250, 250), kSelect(0, 0, 220), kCheckOff(255, 255, 255),
    kCheckOn(0, 160, 0), kCheckPart(240, 140, 0), kPlay(0, 255, 0), kPause(255, 0, 255), kHeader(90, 90, 90);

class CtrlListbox : public ::testing::Test {
protected:
    void SetUp() override {
        images = {CtrlSolid(4, 4, kBackground), CtrlSolid(4, 4, kRow),      CtrlSolid(4, 4, kHeader),
                  CtrlSolid(4, 4, kHeader),     CtrlSolid(1, 4, Qt::gray),  CtrlSolid(12, 12, kCheckOff),
                  CtrlSolid(12, 12, kCheckOn),  CtrlSolid(12, 12, kPlay),   CtrlSolid(12, 12, kPause),
                  CtrlSolid(4, 4, kSelect),     CtrlSolid(14, 4, Qt::gray), CtrlSolid(14, 28, Qt::darkGray),
                  CtrlSolid(14, 14, Qt::black), CtrlSolid(14, 14, Qt::black), CtrlSolid(12, 12, kCheckPart)};
        list = new CCtrlListbox(&parent, kId);
        for (int i = 0; i < CCtrlListbox::kImageCount; ++i) list->SetImage(&images[size_t(i)], i);
        // The recording list's columns: 32, 128, 128, 108, 90, 64 = 550 of 564.
        const int widths[] = {32, 128, 128, 108, 90, 64};
        for (int c = 0; c < 6; ++c) list->InsertColumn(c, c ? QString("Col %1").arg(c) : QString(), widths[c], c ? 1 : 0);
        list->ActivateCheckbox();
        list->setGeometry(0, 0, 564, 32 + 5 * 32);  // header and five rows
        CtrlShow(&parent);
    }
    void Fill(int n) {
        for (int i = 0; i < n; ++i) {
            list->InsertItem(i, QString());
            list->SetItemText(i, 1, QString("Item %1").arg(i));
        }
    }
    QPoint RowPoint(int row, int x = 300) const { return QPoint(x, list->RowRect(row).center().y()); }
    void Wheel(int notches) {
        const QPointF pos(200, 100);
        QWheelEvent e(pos, list->mapToGlobal(pos), QPoint(), QPoint(0, 120 * notches), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(list, &e);
    }

    CtrlRecorder parent;
    std::vector<QImage> images;
    CCtrlListbox* list = nullptr;
};

TEST_F(CtrlListbox, ScalesBelowBaseWidthOnly) {
    Fill(3);
    list->SetItemState(1, 1);
    list->resize(282, 200);  // half the base width
    EXPECT_DOUBLE_EQ(list->Scale(), 0.5);
    EXPECT_EQ(list->RowHeight(), 16);
    EXPECT_EQ(list->HeaderHeight(), 16);
    EXPECT_EQ(list->FontPixelSize(), 6);
    EXPECT_EQ(list->ColumnWidth(1), 64);
    EXPECT_EQ(list->ColumnLeft(2), 16 + 64);
    QImage img = list->grab().toImage();
    EXPECT_EQ(CtrlPixel(img, 100, 16 + 16 + 8), kSelect);  // row 1 at half size
    EXPECT_EQ(CtrlPixel(img, 100, 16 + 32 + 8), kRow);      // row 2 is not selected

    list->resize(1128, 200);  // wider than the base: design size
    EXPECT_DOUBLE_EQ(list->Scale(), 1.0);
    EXPECT_EQ(list->RowHeight(), 32);
    EXPECT_EQ(list->ColumnWidth(1), 128);
    EXPECT_EQ(list->FontPixelSize(), 12);
    img = list->grab().toImage();
    EXPECT_EQ(CtrlPixel(img, 100, 32 + 32 + 16), kSelect);
    EXPECT_EQ(CtrlPixel(img, 100, 32 + 16), kRow);
}

TEST_F(CtrlListbox, HeaderCheckStatesAndHeaderClickClearsAll) {
    list->ShowHeaderCheckbox(true);
    Fill(3);
    list->SetCheck(0, 1);
    list->SetCheck(2, 1);
    EXPECT_EQ(list->GetCheck(-1), -1);
    EXPECT_EQ(list->GetCheckedCount(), 2);
    const QRect hb = list->HeaderCheckRect();
    EXPECT_EQ(CtrlPixel(list->grab().toImage(), hb.center().x(), hb.center().y()), kCheckPart);

    QTest::mouseClick(list, Qt::LeftButton, {}, hb.center());
    ASSERT_EQ(parent.log.size(), 1u);
    EXPECT_EQ(parent.log[0], (CtrlMsg{ctrlmsg::WM_LISTBOX_CHECK, uintptr_t(intptr_t(-1)), kId}));
    EXPECT_EQ(list->GetCheck(-1), 0);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(list->GetCheck(i), 0);
    EXPECT_EQ(list->GetCheckedCount(), 0);
    EXPECT_EQ(list->GetFirstCheckedIndex(), -1);
    QImage img = list->grab().toImage();
    EXPECT_EQ(CtrlPixel(img, hb.center().x(), hb.center().y()), kCheckOff);
    EXPECT_EQ(CtrlPixel(img, list->RowCheckRect(0).center().x(), list->RowCheckRect(0).center().y()), kCheckOff);

    QTest::mouseClick(list, Qt::LeftButton, {}, hb.center());
    EXPECT_EQ(list->GetCheck(-1), 1);
    EXPECT_EQ(list->GetCheckedCount(), 3);
    EXPECT_EQ(list->GetLastCheckedIndex(), 2);

    // Unticking one row by a click makes the header "some".
    QTest::mouseClick(list, Qt::LeftButton, {}, list->RowCheckRect(1).center());
    EXPECT_EQ(parent.log.back(), (CtrlMsg{ctrlmsg::WM_LISTBOX_CHECK, 1, kId}));
    EXPECT_EQ(list->GetCheck(1), 0);
    EXPECT_EQ(list->GetCheck(-1), -1);
    EXPECT_EQ(list->GetNextCheckedIndex(0), 2);
    EXPECT_EQ(list->GetPrevCheckedIndex(2), 0);
    // A "some" header click clears, as "all" does.
    QTest::mouseClick(list, Qt::LeftButton, {}, hb.center());
    EXPECT_EQ(list->GetCheck(-1), 0);
    EXPECT_EQ(list->GetCheckedCount(), 0);
    // Ticking every row by hand makes it "all".
    for (int i = 0; i < 3; ++i) QTest::mouseClick(list, Qt::LeftButton, {}, list->RowCheckRect(i).center());
    EXPECT_EQ(list->GetCheck(-1), 1);
}

TEST_F(CtrlListbox, NewRowEndsAllChecked) {
    list->ShowHeaderCheckbox(true);
    Fill(2);
    list->SetCheck(-1, 1);
    EXPECT_EQ(list->GetCheckedCount(), 2);
    list->InsertItem(2, "new");
    EXPECT_EQ(list->GetCheck(-1), -1);
    EXPECT_EQ(list->GetCheckedCount(), 2);
}

TEST_F(CtrlListbox, ClicksOutsideRowsSendNothing) {
    Fill(2);
    QTest::mouseClick(list, Qt::LeftButton, {}, RowPoint(3));          // below the last item
    QTest::mouseClick(list, Qt::LeftButton, {}, QPoint(16, 16));       // header, no header check box
    QTest::mouseClick(list, Qt::LeftButton, {}, QPoint(300, 30));      // lower part of the header
    QTest::mouseDClick(list, Qt::LeftButton, {}, RowPoint(4));
    EXPECT_TRUE(parent.log.empty());
    EXPECT_EQ(list->GetSelectedItem(), -1);
}

TEST_F(CtrlListbox, RowClickSelectsAndDoubleClickIndicates) {
    Fill(4);
    QTest::mouseClick(list, Qt::LeftButton, {}, RowPoint(2));
    ASSERT_EQ(parent.log.size(), 1u);
    EXPECT_EQ(parent.log[0], (CtrlMsg{ctrlmsg::WM_LISTBOX_CLICK, 2, kId}));
    EXPECT_EQ(list->GetSelectedItem(), 2);
    QImage img = list->grab().toImage();
    EXPECT_EQ(CtrlPixel(img, 300, list->RowRect(2).top() + 2), kSelect);
    EXPECT_EQ(CtrlPixel(img, 300, list->RowRect(1).top() + 2), kRow);

    QTest::mouseDClick(list, Qt::LeftButton, {}, RowPoint(3));
    EXPECT_EQ(parent.log.back(), (CtrlMsg{ctrlmsg::WM_LISTBOX_DBLCLICK, 3, kId}));
    EXPECT_EQ(list->GetIndicatedItem(), 3);
    // The play mark of the indicated row follows the play status.
    const QPoint mark = list->PlayMarkRect(3).center();
    EXPECT_EQ(CtrlPixel(list->grab().toImage(), mark.x(), mark.y()), kPause);
    list->SetPlayStatus(1);
    EXPECT_EQ(CtrlPixel(list->grab().toImage(), mark.x(), mark.y()), kPlay);
    // Without the second option nothing is marked.
    list->SetOption(1, 0);
    QTest::mouseDClick(list, Qt::LeftButton, {}, RowPoint(0));
    EXPECT_EQ(list->GetIndicatedItem(), 3);
    EXPECT_EQ(CtrlPixel(list->grab().toImage(), mark.x(), mark.y()), kRow);
    // A non-zero second option clears the mark.
    list->SetOption(1, 1);
    EXPECT_EQ(list->GetIndicatedItem(), -1);
}

TEST_F(CtrlListbox, ColumnPicturesAndUnreadableFiles) {
    Fill(2);
    const QImage pic = CtrlSolid(10, 10, QColor(255, 0, 0));
    EXPECT_TRUE(list->SetItemImage(1, 2, &pic));
    const QRect row = list->RowRect(1);
    const QPoint centre(list->ColumnLeft(2) + list->ColumnWidth(2) / 2, row.center().y());
    EXPECT_EQ(CtrlPixel(list->grab().toImage(), centre.x(), centre.y()), QColor(255, 0, 0));
    EXPECT_TRUE(list->SetItemImage(1, 2, QString("/no/such/picture.png")));
    EXPECT_EQ(CtrlPixel(list->grab().toImage(), centre.x(), centre.y()), kRow);
    EXPECT_FALSE(list->SetItemImage(5, 2, &pic));
    EXPECT_FALSE(list->SetItemImage(1, 10, &pic));
}

TEST_F(CtrlListbox, DoubleClickOnCheckBoxOnlyToggles) {
    Fill(2);
    const QPoint box = list->RowCheckRect(1).center();
    // The whole sequence a double click produces: click, double click, release.
    QTest::mouseClick(list, Qt::LeftButton, {}, box);
    QTest::mouseDClick(list, Qt::LeftButton, {}, box);
    QTest::mouseRelease(list, Qt::LeftButton, {}, box);
    EXPECT_EQ(list->GetIndicatedItem(), -1);
    ASSERT_EQ(parent.log.size(), 2u);
    for (const CtrlMsg& m : parent.log) EXPECT_EQ(m, (CtrlMsg{ctrlmsg::WM_LISTBOX_CHECK, 1, kId}));
    EXPECT_EQ(list->GetCheck(1), 0);
}

TEST_F(CtrlListbox, WheelOverScrollBarScrollsTheList) {
    list->ActivateVScroll(5);
    Fill(9);
    const QPointF pos(7, 60);
    QWheelEvent e(pos, list->VScroll()->mapToGlobal(pos), QPoint(), QPoint(0, -240), Qt::NoButton, Qt::NoModifier,
                  Qt::NoScrollPhase, false);
    QApplication::sendEvent(list->VScroll(), &e);
    EXPECT_EQ(list->VScroll()->GetCurPos(), 2);
    EXPECT_EQ(list->GetTopRow(), 2);
    QTest::mouseClick(list, Qt::LeftButton, {}, RowPoint(0));
    EXPECT_EQ(parent.log.back(), (CtrlMsg{ctrlmsg::WM_LISTBOX_CLICK, 2, kId}));
}

TEST_F(CtrlListbox, ItemDataWords) {
    Fill(2);
    EXPECT_EQ(list->AddItemData(1, 0xFFFFFFFFu), 1);
    EXPECT_EQ(list->AddItemData(1, 42), 1);
    EXPECT_EQ(list->AddItemData(7, 1), 0);
    EXPECT_EQ(list->GetItemData(1, 0), 0xFFFFFFFFll);  // a full word is not mistaken for -1
    EXPECT_EQ(list->GetItemData(1, 1), 42);
    EXPECT_EQ(list->GetItemData(1, 2), -1);
    EXPECT_EQ(list->GetItemData(0, 0), -1);
    EXPECT_EQ(list->GetItemData(9, 0), -1);
    EXPECT_EQ(list->GetItemData(1, -1), -1);
}

TEST_F(CtrlListbox, InsertReplacesFirstColumnAndDeleteAllResets) {
    Fill(3);
    list->InsertItem(1, "again");
    EXPECT_EQ(list->GetItemCount(), 3);
    EXPECT_EQ(list->GetItemText(1, 0), "again");
    EXPECT_EQ(list->GetItemText(1, 1), "Item 1");
    list->SetItemState(2, 1);
    list->DeleteAllItems();
    EXPECT_EQ(list->GetItemCount(), 0);
    EXPECT_EQ(list->GetSelectedItem(), -1);
    EXPECT_FALSE(list->SetItemText(0, 1, "x"));
}

TEST_F(CtrlListbox, WheelScrollsWithinBoundsAndScrollBarFollows) {
    list->ActivateVScroll(5);
    Fill(12);
    ASSERT_EQ(list->VisibleRows(), 5);
    Wheel(-1);  // one notch down
    EXPECT_EQ(list->GetTopRow(), 1);
    EXPECT_EQ(list->VScroll()->GetCurPos(), 1);
    Wheel(-20);
    EXPECT_EQ(list->GetTopRow(), 7);  // 12 items - 5 rows
    Wheel(30);
    EXPECT_EQ(list->GetTopRow(), 0);
    // Clicks address the item under the pointer, not the row number.
    Wheel(-2);
    QTest::mouseClick(list, Qt::LeftButton, {}, RowPoint(0));
    EXPECT_EQ(parent.log.back(), (CtrlMsg{ctrlmsg::WM_LISTBOX_CLICK, 2, kId}));
    list->EnsureVisible(11);
    EXPECT_EQ(list->GetTopRow(), 7);
    list->EnsureVisible(3);
    EXPECT_EQ(list->GetTopRow(), 3);
    EXPECT_EQ(list->VScroll()->GetCurPos(), 3);
    // The scroll bar's bottom button scrolls the list.
    CtrlClickAt(list->VScroll(), list->VScroll()->BottomButtonRect().center());
    EXPECT_EQ(list->GetTopRow(), 4);
}

TEST_F(CtrlListbox, WheelOnShortListStaysAtTop) {
    Fill(3);
    Wheel(-3);
    EXPECT_EQ(list->GetTopRow(), 0);
}
}  // namespace
