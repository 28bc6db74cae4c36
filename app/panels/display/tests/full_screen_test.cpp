// The full-screen view: creation, label, zones from the skin, the reveal
// rule acting on the window mask, and notification forwarding.
#include "CFullScreen.h"
#include "FakeDisplay.h"
#include "PanelTestEnv.h"
#include "RecordingOwner.h"
#include "TestPictures.h"

#include "kestrel/ViewerMessages.h"
#include "skin/SkinScale.h"
#include "skin/CUIResources.h"
#include "vidout/IDisplay.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPixmap>

#include <gtest/gtest.h>

#include <memory>

namespace {

class FakeFullScreen : public CFullScreen {
public:
    FakeFullScreen(QWidget* parent, CMsgTarget* owner, FakeDisplay* fake)
        : CFullScreen(parent, owner, *paneltest::Res()), m_fake(fake)
    {
    }

protected:
    IDisplay* NewDisplay() override { return m_fake; }

private:
    FakeDisplay* m_fake;
};

QRect Placed(const char* key, QSize size)
{
    const CUIResources* res = paneltest::Res();
    const _WIN_POS* pos = res->GetUIPos(QString::fromLatin1(key));
    const _WIN_POS* base = res->GetUIPos(QStringLiteral("base_window"));
    if (!pos || !base)
        return QRect();
    const KSkinRect r = kestrel::skin::ScaleSkinRect(*pos, size.width(), size.height(), base->rect);
    return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

class FullScreenTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        res = paneltest::Res();
        ASSERT_TRUE(res) << "the staged application folder could not be prepared";
        owner.resize(800, 450);
        owner.show();
        panel = new QWidget(&owner);
        panel->resize(400, 225);
        fake = new FakeDisplay(&deleted);
        view = std::make_unique<FakeFullScreen>(panel, &owner, fake);
        ASSERT_TRUE(view->Create());
    }
    // Shows the view at `size`, as the main window does on entering full screen.
    void Enter(QSize size)
    {
        view->setGeometry(QRect(QPoint(0, 0), size));
        view->show();
        QCoreApplication::processEvents();
    }
    // Pointer move over the picture, in window coordinates.
    void MoveTo(QPoint p)
    {
        QWidget* target = fake->widget ? fake->widget.data() : static_cast<QWidget*>(view.get());
        QMouseEvent move(QEvent::MouseMove, QPointF(p), target->mapToGlobal(QPointF(p)), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(target, &move);
    }
    bool HasZones() const
    {
        for (const char* key : {"fullscreen_range_top", "fullscreen_range_top_back", "fullscreen_range_right",
                                "fullscreen_range_right_back", "fullscreen_range_bottom", "fullscreen_range_bottom_back"})
            if (!res->GetUIPos(QString::fromLatin1(key)))
                return false;
        return true;
    }

    const CUIResources* res = nullptr;
    RecordingOwner owner;
    QWidget* panel = nullptr;
    FakeDisplay* fake = nullptr;
    bool deleted = false;
    std::unique_ptr<FakeFullScreen> view;
};

TEST_F(FullScreenTest, CreatedHiddenWithFrontLabelTwoLogosAndThePoll)
{
    EXPECT_FALSE(view->isVisible());
    EXPECT_TRUE(view->isWindow());
    EXPECT_EQ(fake->label, res->GetUIText("display_text_front"));
    EXPECT_EQ(fake->labelSize, res->GetUIFontSize("display_text_front"));
    EXPECT_EQ(fake->labelFace, res->FontName());
    EXPECT_EQ(fake->labelColour, 0xFFFFFFu);
    EXPECT_EQ(view->LabelText(), res->GetUIText("display_text_front"));
    EXPECT_EQ(fake->calls.filter("Logo"), QStringList({"SetLogo(0)", "SetLogo(1)", "SelectLogo(0)"}));
    const QPixmap* rear = res->GetUIBitmap("logo_main_rear");
    EXPECT_EQ(fake->logos[1], rear ? rear->toImage() : QImage());
    EXPECT_TRUE(fake->calls.contains("SetLabelPlacement(0,-1)"));
    EXPECT_TRUE(view->RecoveryPollActive());
    EXPECT_EQ(view->RecoveryPollInterval(), 500);
    EXPECT_FALSE(view->TopRevealed() || view->RightRevealed() || view->BottomRevealed());
}

TEST_F(FullScreenTest, CreationFailsWithoutDisplayOrScreen)
{
    FakeFullScreen none(panel, &owner, nullptr);
    EXPECT_FALSE(none.Create());
    bool gone = false;
    FakeFullScreen noScreen(panel, &owner, new FakeDisplay(&gone, -1));
    EXPECT_FALSE(noScreen.Create());
    EXPECT_EQ(noScreen.Display(), nullptr);
    EXPECT_TRUE(gone);
}

TEST_F(FullScreenTest, LabelTextAndFontFromTheMainWindow)
{
    view->SetLabelText("Rear camera");
    EXPECT_EQ(fake->label, "Rear camera");
    view->SetLabelFont("Serif", 31);
    EXPECT_EQ(fake->label, "Rear camera");
    EXPECT_EQ(fake->labelFace, "Serif");
    EXPECT_EQ(fake->labelSize, 31);
    EXPECT_EQ(fake->labelColour, 0xFFFFFFu);
}

TEST_F(FullScreenTest, DisplayFillsTheWindowAndZonesFollowTheSize)
{
    if (!HasZones())
        GTEST_SKIP() << "the skin lacks the fullscreen_range_* records";
    for (QSize size : {QSize(1920, 1080), QSize(1280, 720)}) {
        SCOPED_TRACE(size.width());
        Enter(size);
        EXPECT_EQ(fake->widget->geometry(), QRect(QPoint(0, 0), size));
        const auto& z = view->Zones();
        EXPECT_EQ(z.hot[CRevealRule::kTop], Placed("fullscreen_range_top", size));
        EXPECT_EQ(z.back[CRevealRule::kTop], Placed("fullscreen_range_top_back", size));
        EXPECT_EQ(z.hot[CRevealRule::kRight], Placed("fullscreen_range_right", size));
        EXPECT_EQ(z.back[CRevealRule::kRight], Placed("fullscreen_range_right_back", size));
        EXPECT_EQ(z.hot[CRevealRule::kBottom], Placed("fullscreen_range_bottom", size));
        EXPECT_EQ(z.back[CRevealRule::kBottom], Placed("fullscreen_range_bottom_back", size));
        // A strip can only stay open when its hot zone lies outside its
        // reveal region.
        for (int s = 0; s < CRevealRule::kStripCount; ++s) {
            EXPECT_FALSE(z.hot[size_t(s)].isEmpty()) << s;
            EXPECT_FALSE(z.hot[size_t(s)].intersects(z.back[size_t(s)]))
                << s << ": hot " << z.hot[size_t(s)].x() << "," << z.hot[size_t(s)].y() << " "
                << z.hot[size_t(s)].width() << "x" << z.hot[size_t(s)].height() << " back " << z.back[size_t(s)].x()
                << "," << z.back[size_t(s)].y() << " " << z.back[size_t(s)].width() << "x" << z.back[size_t(s)].height();
        }
    }
    view->resize(0, 500);
    QCoreApplication::processEvents();
    EXPECT_EQ(fake->widget->geometry(), QRect(0, 0, 1280, 720));
}

TEST_F(FullScreenTest, RevealingAStripMasksTheWindowAndActivatesTheMainWindow)
{
    if (!HasZones())
        GTEST_SKIP() << "the skin lacks the fullscreen_range_* records";
    Enter({1920, 1080});
    const auto z = view->Zones();
    EXPECT_TRUE(view->mask().isEmpty());

    view->activateWindow();
    MoveTo(z.hot[CRevealRule::kTop].center());
    EXPECT_TRUE(view->TopRevealed());
    EXPECT_EQ(view->mask(), QRegion(z.back[CRevealRule::kTop]));
    QCoreApplication::processEvents();
    EXPECT_EQ(QApplication::activeWindow(), &owner);

    // Straight on into the right hot zone (outside the top reveal region):
    // the top strip stays.
    const QPoint rightOutsideTopBack(z.hot[CRevealRule::kRight].center().x(), z.hot[CRevealRule::kRight].top());
    ASSERT_FALSE(z.back[CRevealRule::kTop].contains(rightOutsideTopBack));
    ASSERT_TRUE(z.hot[CRevealRule::kRight].contains(rightOutsideTopBack));
    MoveTo(rightOutsideTopBack);
    EXPECT_TRUE(view->TopRevealed());
    EXPECT_FALSE(view->RightRevealed());

    MoveTo(z.back[CRevealRule::kTop].center());
    EXPECT_FALSE(view->TopRevealed());
    EXPECT_TRUE(view->mask().isEmpty());

    MoveTo(z.hot[CRevealRule::kBottom].center());
    EXPECT_TRUE(view->BottomRevealed());
    EXPECT_EQ(view->mask(), QRegion(z.back[CRevealRule::kBottom]));
}

TEST_F(FullScreenTest, EnteringFullScreenAgainCoversTheWholeScreen)
{
    if (!HasZones())
        GTEST_SKIP() << "the skin lacks the fullscreen_range_* records";
    Enter({1920, 1080});
    MoveTo(view->Zones().hot[CRevealRule::kRight].center());
    ASSERT_TRUE(view->RightRevealed());
    view->hide();
    Enter({1920, 1080});
    EXPECT_FALSE(view->RightRevealed());
    EXPECT_TRUE(view->mask().isEmpty());
}

TEST_F(FullScreenTest, NotificationsGoToTheOwnerAs107AndKeysToItsWindow)
{
    owner.answer = 3;
    EXPECT_EQ(view->SendMsg(kestrel::msg::WM_DISPLAY_NOTIFY, 11, 0), 3);
    ASSERT_EQ(owner.sent.size(), 1u);
    EXPECT_EQ(owner.sent[0].msg, kestrel::msg::WM_DISPLAY_NOTIFY);
    EXPECT_EQ(owner.sent[0].wParam, 11u);
    EXPECT_EQ(owner.sent[0].lParam, 107);
    EXPECT_EQ(view->SendMsg(kestrel::msg::WM_PLAYER_EVENT, 11, 0), 0);
    EXPECT_EQ(owner.sent.size(), 1u);

    Enter({800, 600});
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(view.get(), &escape);
    EXPECT_TRUE(view->isVisible());
    ASSERT_EQ(owner.keys.size(), 1u);
    EXPECT_EQ(owner.keys[0], Qt::Key_Escape);
}

TEST_F(FullScreenTest, RealDisplayShowsThePictureAndPointerMovesOverItReveal)
{
    if (!HasZones())
        GTEST_SKIP() << "the skin lacks the fullscreen_range_* records";
    CFullScreen real(panel, &owner, *res);
    ASSERT_TRUE(real.Create());
    real.setGeometry(0, 0, 960, 540);
    real.show();
    QCoreApplication::processEvents();
    const YuvPicture red = YuvPicture::Solid(64, 36, kRed);
    ASSERT_EQ(real.Display()->Draw(0, red.data, red.width, red.height, 5, red.linesize), 0);
    QCoreApplication::processEvents();
    const QImage shown = real.grab().toImage();
    SaveForLooking(shown, "fullscreen_red");
    EXPECT_TRUE(Near(shown.pixelColor(480, 400), 255, 0, 0, 40)) << shown.pixelColor(480, 400).name().toStdString();

    QWidget* picture = real.Display()->Widget();
    ASSERT_TRUE(picture);
    const QPoint top = real.Zones().hot[CRevealRule::kTop].center();
    QMouseEvent move(QEvent::MouseMove, QPointF(top), picture->mapToGlobal(QPointF(top)), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(picture, &move);
    EXPECT_TRUE(real.TopRevealed());
    EXPECT_EQ(real.mask(), QRegion(real.Zones().back[CRevealRule::kTop]));
}

TEST_F(FullScreenTest, DestroyFreesTheDisplay)
{
    view.reset();
    EXPECT_TRUE(deleted);
}

}  // namespace
