// The channel display panel against the staged skin and language files.
#include "CWndDisplay.h"
#include "DisplaySetup.h"
#include "FakeDisplay.h"
#include "PanelTestEnv.h"
#include "RecordingOwner.h"
#include "TestPictures.h"

#include "kestrel/ViewerMessages.h"
#include "skin/CUIResources.h"
#include "util/PostedMessage.h"

#include <QElapsedTimer>
#include <QPixmap>

#include <gtest/gtest.h>

#include <memory>

namespace {

// A panel whose display is a FakeDisplay (or none).
class FakePanel : public CWndDisplay {
public:
    FakePanel(QWidget* parent, CMsgTarget* owner, int channel, FakeDisplay* fake)
        : CWndDisplay(parent, owner, *paneltest::Res(), channel), m_fake(fake)
    {
    }

protected:
    IDisplay* NewDisplay() override { return m_fake; }

private:
    FakeDisplay* m_fake;
};

void Wait(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

QImage Bitmap(const QString& key)
{
    const QPixmap* p = paneltest::Res()->GetUIBitmap(key);
    return p ? p->toImage() : QImage();
}

class WndDisplayTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        res = paneltest::Res();
        ASSERT_TRUE(res) << "the staged application folder could not be prepared";
        host.resize(640, 360);
        host.show();
    }
    // A panel on channel `channel` with a fresh fake display, created.
    std::unique_ptr<FakePanel> Make(int channel)
    {
        fake = new FakeDisplay(&deleted);
        auto panel = std::make_unique<FakePanel>(&host, &owner, channel, fake);
        panel->resize(320, 180);
        EXPECT_TRUE(panel->Create());
        panel->show();
        return panel;
    }

    const CUIResources* res = nullptr;
    RecordingOwner owner;
    QWidget host;
    FakeDisplay* fake = nullptr;
    bool deleted = false;
};

TEST_F(WndDisplayTest, NamedChannelsGetTheirLabelThenPlacement)
{
    for (int channel : {0, 1, 2, 3, 16}) {
        SCOPED_TRACE(channel);
        auto panel = Make(channel);
        const QString key = kestrel::display::LabelKeyForChannel(channel);
        EXPECT_FALSE(res->GetUIText(key).isEmpty()) << "language file lacks " << key.toStdString();
        EXPECT_EQ(fake->label, res->GetUIText(key));
        EXPECT_EQ(fake->labelSize, res->GetUIFontSize(key));
        EXPECT_EQ(fake->labelFace, res->FontName());
        EXPECT_EQ(fake->labelColour, 0xFFFFFFu);
        const int label = int(fake->calls.indexOf("SetLabel"));
        ASSERT_GE(label, 0);
        EXPECT_EQ(fake->calls.value(label + 1), "SetLabelPlacement(0,-1)");
        EXPECT_EQ(fake->calls.count("SetLabelPlacement(0,-1)"), 1);
    }
}

TEST_F(WndDisplayTest, OtherChannelsGetNoLabelButPlacementFrontLogosAndThePoll)
{
    for (int channel : {4, 9, 15, 17, -1}) {
        SCOPED_TRACE(channel);
        auto panel = Make(channel);
        EXPECT_FALSE(fake->calls.contains("SetLabel"));
        EXPECT_TRUE(fake->calls.contains("SetLabelPlacement(0,-1)"));
        EXPECT_EQ(fake->logos[0], Bitmap("logo_main_front"));
        EXPECT_TRUE(panel->RecoveryPollActive());
        EXPECT_EQ(panel->RecoveryPollInterval(), 500);
    }
}

TEST_F(WndDisplayTest, LogoSetsByChannelAndLogoZeroChosenAfterThem)
{
    const QStringList front{"logo_main_front", "logo_sub_front", "logo_full_front"};
    const QStringList rear{"logo_main_rear", "logo_sub_rear", "logo_full_rear"};
    for (int channel : {0, 1, 2, 3, 4, 16}) {
        SCOPED_TRACE(channel);
        auto panel = Make(channel);
        const QStringList& keys = (channel >= 1 && channel <= 3) ? rear : front;
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(fake->logos[size_t(i)], Bitmap(keys[i])) << keys[i].toStdString();
        const QStringList order = fake->calls.filter("Logo");
        EXPECT_EQ(order, QStringList({"SetLogo(0)", "SetLogo(1)", "SetLogo(2)", "SelectLogo(0)"}));
        EXPECT_EQ(fake->calls.first(), "CreateScreen(5)");
    }
    // The default skin has at least the main front logo.
    EXPECT_NE(Bitmap("logo_main_front"), QImage());
}

TEST_F(WndDisplayTest, CreationFailsWithoutDisplayOrScreen)
{
    FakePanel none(&host, &owner, 0, nullptr);
    EXPECT_FALSE(none.Create());
    EXPECT_EQ(none.Display(), nullptr);

    bool gone = false;
    FakePanel noScreen(&host, &owner, 0, new FakeDisplay(&gone, -1));
    EXPECT_FALSE(noScreen.Create());
    EXPECT_EQ(noScreen.Display(), nullptr);
    EXPECT_TRUE(gone);
    EXPECT_FALSE(noScreen.RecoveryPollActive());
}

TEST_F(WndDisplayTest, ScreenFillsThePanelAndZeroSizesAreIgnored)
{
    auto panel = Make(1);
    ASSERT_TRUE(fake->widget);
    EXPECT_EQ(fake->widget->geometry(), QRect(0, 0, 320, 180));
    panel->setGeometry(10, 20, 400, 300);
    QCoreApplication::processEvents();
    EXPECT_EQ(fake->widget->geometry(), QRect(0, 0, 400, 300));
    panel->resize(0, 300);
    QCoreApplication::processEvents();
    EXPECT_EQ(fake->widget->geometry(), QRect(0, 0, 400, 300));
    panel->resize(250, 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(fake->widget->geometry(), QRect(0, 0, 400, 300));
}

TEST_F(WndDisplayTest, FailingRecoveryIsRetriedEvery500ms)
{
    auto panel = Make(0);
    QCoreApplication::processEvents();  // the first paint settles
    fake->needsRecovery = 1;
    const int clearsBefore = fake->clears;
    Wait(1150);
    EXPECT_GE(fake->recoverAttempts, 2);
    EXPECT_LE(fake->recoverAttempts, 3);
    EXPECT_EQ(fake->marked, 1);
    EXPECT_EQ(fake->clears, clearsBefore);

    fake->recoverSucceeds = true;
    Wait(600);
    EXPECT_EQ(fake->marked, 0);
    EXPECT_GT(fake->clears, clearsBefore);
}

TEST_F(WndDisplayTest, NotificationsReachTheOwnerForFrontAndRearOnly)
{
    owner.answer = 42;
    for (int channel : {0, 1, 2, 3, 16}) {
        SCOPED_TRACE(channel);
        owner.sent.clear();
        auto panel = Make(channel);
        const intptr_t answer = panel->SendMsg(kestrel::msg::WM_DISPLAY_NOTIFY, 7, 99);
        if (channel < 2) {
            ASSERT_EQ(owner.sent.size(), 1u);
            EXPECT_EQ(owner.sent[0].msg, kestrel::msg::WM_DISPLAY_NOTIFY);
            EXPECT_EQ(owner.sent[0].wParam, 7u);
            EXPECT_EQ(owner.sent[0].lParam, channel);
            EXPECT_EQ(answer, 42);
        } else {
            EXPECT_TRUE(owner.sent.empty());
            EXPECT_EQ(answer, 0);
        }
    }
    // Posted from another thread it arrives the same way.
    owner.sent.clear();
    auto rear = Make(1);
    PostMsg(rear.get(), kestrel::msg::WM_DISPLAY_NOTIFY, 3, 0);
    QCoreApplication::processEvents();
    ASSERT_EQ(owner.sent.size(), 1u);
    EXPECT_EQ(owner.sent[0].lParam, 1);
    // Other messages are not forwarded.
    EXPECT_EQ(rear->SendMsg(kestrel::msg::WM_PANEL_NOTIFY, 7, 0), 0);
    EXPECT_EQ(owner.sent.size(), 1u);
}

TEST_F(WndDisplayTest, UpdateLabelAppliesTheLabelAgainAndDestroyFreesTheDisplay)
{
    auto panel = Make(2);
    fake->label.clear();
    panel->UpdateLabel();
    EXPECT_EQ(fake->label, res->GetUIText("display_text_left"));
    EXPECT_EQ(fake->calls.count("SetLabel"), 2);
    panel.reset();
    EXPECT_TRUE(deleted);
}

TEST_F(WndDisplayTest, DrawnPictureShowsInThePanel)
{
    CWndDisplay panel(&host, &owner, *res, 0);
    panel.setGeometry(0, 0, 320, 240);
    ASSERT_TRUE(panel.Create());
    panel.show();
    ASSERT_TRUE(panel.Display());
    QCoreApplication::processEvents();
    const QImage logo = panel.grab().toImage();

    const YuvPicture red = YuvPicture::Solid(64, 48, kRed);
    ASSERT_EQ(panel.Display()->Draw(0, red.data, red.width, red.height, 5, red.linesize), 0);
    Wait(50);
    const QImage shown = panel.grab().toImage();
    SaveForLooking(shown, "panel_red");
    ASSERT_EQ(shown.size(), QSize(320, 240));
    // Away from the label in the top-left corner.
    EXPECT_TRUE(Near(shown.pixelColor(160, 200), 255, 0, 0, 40)) << shown.pixelColor(160, 200).name().toStdString();
    EXPECT_FALSE(Near(logo.pixelColor(160, 200), 255, 0, 0, 40));
}

}  // namespace
