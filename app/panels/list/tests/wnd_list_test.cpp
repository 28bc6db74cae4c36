// The list panel against the real skin, language and plug-in with a
// generated card: rows, selection, notifications to the owner and the
// posted stop after a filter change.
#include "CWndList.h"
#include "ListTestEnv.h"

#include "controls/CCtrlButton.h"
#include "controls/CCtrlListbox.h"
#include "controls/CtrlMessages.h"
#include "filehub/CPluginManager.h"
#include "kestrel/ViewerMessages.h"
#include "startup/CKestrelApp.h"
#include "util/PostedMessage.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

using kestrel::msg::WM_PANEL_NOTIFY;

struct Message {
    uint32_t msg;
    uintptr_t wParam;
    intptr_t lParam;
    bool operator==(const Message&) const = default;
};

// The main window's part: sent notifications arrive here.
struct OwnerLog : CMsgTarget {
    intptr_t SendMsg(uint32_t msg, uintptr_t wParam, intptr_t lParam) override
    {
        log.push_back({msg, wParam, lParam});
        return 0;
    }
    std::vector<Message> log;
};

// The parent window: posted notifications arrive here.
class PostedLog : public QWidget {
public:
    bool event(QEvent* e) override
    {
        if (const KPostedMessage* m = AsPostedMessage(e)) {
            log.push_back({m->Msg(), m->WParam(), m->LParam()});
            return true;
        }
        return QWidget::event(e);
    }
    std::vector<Message> TakePosted()
    {
        QCoreApplication::sendPostedEvents(this, KPostedMessage::EventType());
        std::vector<Message> out;
        out.swap(log);
        return out;
    }
    std::vector<Message> log;
};

class WndList : public ::testing::Test {
protected:
    void SetUp() override
    {
        app = listtest::App();
        if (!app)
            GTEST_SKIP() << "application folder not prepared";
        ASSERT_GT(listtest::Card().recordings, 0);
        pm = app->PluginManager();
        parent.resize(900, 600);
        panel = std::make_unique<CWndList>(&parent, &owner, app->Resources());
        panel->SetPluginManager(pm);
        panel->Create();
        panel->setGeometry(0, 0, 800, 500);
        panel->SetWindowSize(1920, 1080);
        // As the main window does after a load.
        panel->ResetTypeFilter();
        pm->MergeData(panel->Filter());
        panel->FillList();
        list = panel->ListBox();
        ASSERT_NE(list, nullptr);
    }
    void TearDown() override
    {
        panel.reset();
        parent.TakePosted();
    }

    // What a click on a type or All button does: the button toggles itself
    // and tells the panel.
    void Press(CCtrlButton* button)
    {
        button->SetCheck(button->GetCheck() ? 0 : 1);
        panel->SendMsg(ctrlmsg::WM_COMMAND, uintptr_t(button->GetDlgCtrlID()), 0);
    }
    int MergedCount() { return pm->GetMergedDataCount(); }
    // Places the list box where clicks can reach rows, whatever the skin says.
    void ShowListForClicks()
    {
        list->setGeometry(0, 0, 564, 32 * 8);
        parent.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&parent));
    }

    CKestrelApp* app = nullptr;
    CPluginManager* pm = nullptr;
    PostedLog parent;
    OwnerLog owner;
    std::unique_ptr<CWndList> panel;
    CCtrlListbox* list = nullptr;
};

TEST_F(WndList, RowsShowTypeLocalStartAndChannels)
{
    const int count = MergedCount();
    ASSERT_EQ(count, listtest::Card().recordings);
    ASSERT_EQ(list->GetItemCount(), count);
    ASSERT_EQ(list->GetColumnCount(), 6);
    for (int i = 0; i < count; ++i) {
        const CRecFileInfo* rec = pm->GetRecFileInfo(i);
        ASSERT_NE(rec, nullptr);
        const QDateTime local = QDateTime::fromSecsSinceEpoch(rec->GetStartTime() / 1000, Qt::LocalTime);
        EXPECT_EQ(list->GetItemText(i, 0), "");
        EXPECT_EQ(list->GetItemText(i, 1),
                  app->Resources().GetUIText(QStringLiteral("rec_type_%1").arg(rec->GetRecType())));
        EXPECT_EQ(list->GetItemText(i, 2), local.toString("yyyy-MM-dd"));
        EXPECT_EQ(list->GetItemText(i, 3), local.toString("HH:mm:ss"));
        EXPECT_EQ(list->GetItemText(i, 4), "1/2");  // two channel files each
    }
    EXPECT_EQ(list->GetSelectedItem(), 0);

    panel->ResetTypeFilter();
    EXPECT_EQ(list->GetSelectedItem(), -1);
    list->SetItemState(2, 1);
    panel->FillList();
    EXPECT_EQ(list->GetSelectedItem(), 0);
    EXPECT_TRUE(parent.TakePosted().empty());  // refills alone post nothing
    EXPECT_FALSE(panel->grab().isNull());
}

TEST_F(WndList, ListNotificationsReachTheOwner)
{
    ShowListForClicks();
    ASSERT_GE(list->GetItemCount(), 3);
    QTest::mouseClick(list, Qt::LeftButton, {}, list->RowRect(1).center());
    ASSERT_FALSE(owner.log.empty());
    EXPECT_EQ(owner.log.back(), (Message{WM_PANEL_NOTIFY, 1324, 1}));

    owner.log.clear();
    QTest::mouseDClick(list, Qt::LeftButton, {}, list->RowRect(2).center());
    ASSERT_FALSE(owner.log.empty());
    EXPECT_EQ(owner.log.back(), (Message{WM_PANEL_NOTIFY, 1325, 2}));

    EXPECT_EQ(panel->CountCheckedRows(), 0);
    EXPECT_EQ(panel->FirstCheckedRow(), -1);
    owner.log.clear();
    QTest::mouseClick(list, Qt::LeftButton, {}, list->RowCheckRect(2).center());
    EXPECT_EQ(owner.log, (std::vector<Message>{{WM_PANEL_NOTIFY, 1326, 2}}));
    EXPECT_EQ(panel->CountCheckedRows(), 1);
    EXPECT_EQ(panel->FirstCheckedRow(), 2);

    // The header box: some checked -> none, then none -> all.
    owner.log.clear();
    QTest::mouseClick(list, Qt::LeftButton, {}, list->HeaderCheckRect().center());
    EXPECT_EQ(owner.log, (std::vector<Message>{{WM_PANEL_NOTIFY, 1326, -1}}));
    EXPECT_EQ(panel->CountCheckedRows(), 0);
    QTest::mouseClick(list, Qt::LeftButton, {}, list->HeaderCheckRect().center());
    EXPECT_EQ(panel->CountCheckedRows(), list->GetItemCount());
    EXPECT_EQ(panel->FirstCheckedRow(), 0);
    EXPECT_TRUE(parent.TakePosted().empty());
}

TEST_F(WndList, TypeButtonNarrowsTheListAndPostsStop)
{
    // The card's second recording is always an event; show only its type.
    const int type = listtest::Card().recordingList.at(1).recType;
    int ofType = 0;
    for (const auto& r : listtest::Card().recordingList)
        ofType += r.recType == type;

    CCtrlButton* button = panel->TypeButton(type);
    ASSERT_NE(button, nullptr);
    Press(button);
    EXPECT_EQ(button->GetCheck(), 1);
    EXPECT_EQ(panel->AllButton()->GetCheck(), 0);
    EXPECT_EQ(list->GetItemCount(), ofType);
    for (int i = 0; i < list->GetItemCount(); ++i)
        EXPECT_EQ(list->GetItemText(i, 1), app->Resources().GetUIText(QStringLiteral("rec_type_%1").arg(type)));
    EXPECT_EQ(list->GetSelectedItem(), 0);
    EXPECT_EQ(parent.TakePosted(), (std::vector<Message>{{WM_PANEL_NOTIFY, kestrel::msg::kNotifyStop, 0}}));
    EXPECT_TRUE(owner.log.empty());

    // Unticking the only type goes back to All and every offered type.
    Press(button);
    EXPECT_EQ(button->GetCheck(), 0);
    EXPECT_EQ(panel->AllButton()->GetCheck(), 1);
    int offeredRecordings = 0;
    for (const auto& r : listtest::Card().recordingList)
        offeredRecordings += panel->TypeFilter().IsAvailable(r.recType);
    EXPECT_EQ(list->GetItemCount(), offeredRecordings);
    EXPECT_EQ(parent.TakePosted().size(), 1u);

    // All again while it already stands for every offered type: nothing.
    Press(panel->AllButton());
    EXPECT_EQ(panel->AllButton()->GetCheck(), 1);
    EXPECT_EQ(list->GetItemCount(), offeredRecordings);
    EXPECT_TRUE(parent.TakePosted().empty());
}

TEST_F(WndList, ListStateEnablesTheFilterButtons)
{
    Press(panel->TypeButton(0));
    parent.TakePosted();
    panel->SetListState(0);
    EXPECT_EQ(panel->ListState(), 0);
    EXPECT_FALSE(panel->AllButton()->isEnabled());
    EXPECT_EQ(panel->AllButton()->GetCheck(), 1);
    for (int i = 0; i < CWndList::kTypeCount; ++i) {
        EXPECT_FALSE(panel->TypeButton(i)->isEnabled());
        EXPECT_EQ(panel->TypeButton(i)->GetCheck(), 0);
        EXPECT_EQ(panel->Filter()[i], 1);
    }
    EXPECT_EQ(list->GetSelectedItem(), -1);
    panel->SetListState(2);
    EXPECT_EQ(panel->ListState(), 2);
    EXPECT_TRUE(panel->AllButton()->isEnabled());
    EXPECT_TRUE(panel->TypeButton(7)->isEnabled());
    EXPECT_TRUE(parent.TakePosted().empty());
}

TEST_F(WndList, SelectRecordFindsTheSameRecording)
{
    ASSERT_GE(MergedCount(), 4);
    // A copy with the same channel files, as a record of a later load would be.
    CRecFileInfo copy;
    for (const std::wstring& path : pm->GetRecFileInfo(3)->m_arrFilePath)
        copy.AddFilePath(path);
    panel->SelectRecord(&copy);
    EXPECT_EQ(list->GetSelectedItem(), 3);

    panel->SelectRecord(pm->GetRecFileInfo(1), [](const CRecFileInfo*, const CRecFileInfo*) { return false; });
    EXPECT_EQ(list->GetSelectedItem(), 3);
    panel->SelectRecord(nullptr);
    EXPECT_EQ(list->GetSelectedItem(), 3);
    CRecFileInfo stranger;
    stranger.AddFilePath(L"/nowhere/ch0.avi");
    panel->SelectRecord(&stranger);
    EXPECT_EQ(list->GetSelectedItem(), 3);
}

TEST_F(WndList, ResizingLaysTheChildrenOutAgain)
{
    parent.show();  // hidden widgets get their resize events only when shown
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&parent));
    const QRect before = list->geometry();
    ASSERT_FALSE(before.isEmpty()) << "no list_view record in the skin";
    panel->resize(panel->width(), panel->height() + 100);
    const QRect taller = list->geometry();
    EXPECT_TRUE(panel->rect().contains(taller));
    EXPECT_GT(taller.height(), before.height());

    // A smaller main window shrinks the buttons with it.
    const QSize button = panel->AllButton()->size();
    panel->SetWindowSize(1280, 720);
    EXPECT_LT(panel->AllButton()->width(), button.width());
    EXPECT_LT(panel->AllButton()->height(), button.height());
    EXPECT_TRUE(panel->rect().contains(list->geometry()));
}

}  // namespace
