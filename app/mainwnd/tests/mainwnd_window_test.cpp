// The main window against the real skin and language files: window states,
// the key table, texts, switches from the configuration, layout limits,
// dragging, the popup-command guard and closing.
#include "CKestrelDlg.h"
#include "MainKeyTable.h"
#include "MainWndTestEnv.h"
#include "CPlayFlow.h"

#include "controls/CCtrlButton.h"
#include "controls/CCtrlStatic.h"
#include "startup/CKestrelApp.h"

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>

#include <gtest/gtest.h>

using namespace kestrel::mainwnd;
using mainwnd_test::AppFolderOptions;
using mainwnd_test::PreparedApp;

namespace {

// The window with its hooks made visible.
class ProbeDlg : public CKestrelDlg {
public:
    explicit ProbeDlg(CKestrelApp& app) : CKestrelDlg(app)
    {
        connect(this, &CKestrelDlg::CommandRaised, this, [this](int id) { raised.push_back(id); });
    }
    std::vector<int> raised;
    std::vector<int> handled;
    int beforeClose = 0;

protected:
    void OnCommand(int id) override { handled.push_back(id); }
    void BeforeClose() override { ++beforeClose; }
};

void Settle()
{
    QApplication::processEvents();
}

void Key(QWidget* w, int key, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    QKeyEvent press(QEvent::KeyPress, key, mods);
    QApplication::sendEvent(w, &press);
}

bool Shown(const CKestrelDlg& w, int id)
{
    const QWidget* c = w.Control(id);
    return c && !c->isHidden();
}

// Visible window-state buttons: max, mrestore, full, frestore.
std::array<bool, 4> StateButtons(const CKestrelDlg& w)
{
    return {Shown(w, kBtnMax), Shown(w, kBtnMRestore), Shown(w, kBtnFull), Shown(w, kBtnFRestore)};
}

const QRect kScreen(0, 0, 1920, 1080);
// Size class 3 on a 1920 x 1080 screen, centred.
const QRect kNormal(80, 45, 1760, 990);

class MainWndWindow : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_app.Ok()); }
    PreparedApp m_app;
};

TEST_F(MainWndWindow, OpensCentredAtTheSizeClassWithTheInitialControls)
{
    ProbeDlg w(m_app.App());
    w.show();
    Settle();
    EXPECT_EQ(w.geometry(), kNormal);
    EXPECT_EQ(w.WindowState(), kStateNormal);
    EXPECT_TRUE(w.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(w.windowTitle(), m_app.App().WindowTitle());
    EXPECT_EQ(StateButtons(w), (std::array{true, false, true, false}));
    EXPECT_TRUE(Shown(w, kBtnPlayForward));
    EXPECT_FALSE(Shown(w, kBtnPause));
    EXPECT_TRUE(Shown(w, kBtnGpsSpeedUnitKm));
    EXPECT_FALSE(Shown(w, kBtnGpsSpeedUnitMile));
    // The test plug-in asks for neither optional button.
    EXPECT_EQ(w.Control(kBtnFtp), nullptr);
    EXPECT_EQ(w.Control(kBtnDivision), nullptr);
    EXPECT_NE(w.Slider(kSldVolume), nullptr);
    w.LayoutForSize(w.width(), w.height());
    EXPECT_TRUE(w.PictureSuppressed());  // pictures wait until the new layout settles
    EXPECT_TRUE(w.KeepAwakeRunning());    // PowerSaveMode 0 by default
}

TEST_F(MainWndWindow, WindowStateTable)
{
    ProbeDlg w(m_app.App());
    w.show();
    Settle();

    w.DispatchCommand(kBtnMax);  // 0 -> 1
    EXPECT_EQ(w.WindowState(), kStateMaximised);
    EXPECT_EQ(w.geometry(), w.screen()->availableGeometry());
    EXPECT_EQ(StateButtons(w), (std::array{false, true, true, false}));

    w.DispatchCommand(kBtnFull);  // 1 -> 2
    EXPECT_EQ(w.WindowState(), kStateFullFromMaximised);
    EXPECT_EQ(w.geometry(), kScreen);
    EXPECT_EQ(StateButtons(w), (std::array{false, true, false, true}));

    Key(&w, Qt::Key_Escape);  // 2 -> 1
    EXPECT_EQ(w.WindowState(), kStateMaximised);
    EXPECT_EQ(StateButtons(w), (std::array{false, true, true, false}));

    w.DispatchCommand(kBtnFull);
    w.DispatchCommand(kBtnMRestore);  // restore from 2 -> 1
    EXPECT_EQ(w.WindowState(), kStateMaximised);
    EXPECT_EQ(StateButtons(w), (std::array{false, true, true, false}));

    w.DispatchCommand(kBtnMRestore);  // 1 -> 0, back to the kept rectangle
    EXPECT_EQ(w.WindowState(), kStateNormal);
    EXPECT_EQ(w.geometry(), kNormal);
    EXPECT_EQ(StateButtons(w), (std::array{true, false, true, false}));

    Key(&w, Qt::Key_Return);  // 0 -> 3
    EXPECT_EQ(w.WindowState(), kStateFullFromNormal);
    EXPECT_EQ(w.geometry(), kScreen);
    EXPECT_EQ(StateButtons(w), (std::array{false, true, false, true}));
    Key(&w, Qt::Key_Escape);  // 3 -> 0
    EXPECT_EQ(w.WindowState(), kStateNormal);
    EXPECT_EQ(w.geometry(), kNormal);
    EXPECT_EQ(StateButtons(w), (std::array{true, false, true, false}));

    Key(&w, Qt::Key_Escape);  // nothing to leave
    EXPECT_EQ(w.WindowState(), kStateNormal);

    Key(&w, Qt::Key_Return, Qt::ControlModifier);  // 0 -> 1
    EXPECT_EQ(w.WindowState(), kStateMaximised);
    Key(&w, Qt::Key_Return);  // 1 -> 2
    EXPECT_EQ(w.WindowState(), kStateFullFromMaximised);
    Key(&w, Qt::Key_Return, Qt::ControlModifier);  // no meaning in full screen
    EXPECT_EQ(w.WindowState(), kStateFullFromMaximised);
    Key(&w, Qt::Key_Return);  // 2 -> 1
    EXPECT_EQ(w.WindowState(), kStateMaximised);
    Key(&w, Qt::Key_Return, Qt::ControlModifier);  // 1 -> 0
    EXPECT_EQ(w.WindowState(), kStateNormal);

    w.DispatchCommand(kBtnFull);  // 0 -> 3, restore from 3 -> 0
    w.DispatchCommand(kBtnMRestore);
    EXPECT_EQ(w.WindowState(), kStateNormal);
    EXPECT_EQ(StateButtons(w), (std::array{true, false, true, false}));

    w.DispatchCommand(kBtnMin);
    Settle();
    EXPECT_TRUE(w.windowState() & Qt::WindowMinimized);
    EXPECT_EQ(w.WindowState(), kStateNormal);
}

TEST_F(MainWndWindow, NormalStateReturnsWhereTheUserPutTheWindow)
{
    ProbeDlg w(m_app.App());
    w.show();
    Settle();
    w.move(100, 50);
    const QRect moved = w.geometry();
    w.DispatchCommand(kBtnMax);
    w.DispatchCommand(kBtnFull);  // the full-screen rectangle must not replace the kept one
    Key(&w, Qt::Key_Escape);
    w.DispatchCommand(kBtnMRestore);
    EXPECT_EQ(w.geometry(), moved);
}

TEST_F(MainWndWindow, RestoreAfterASizeChangeWhileMaximisedCentresTheNewSize)
{
    ProbeDlg w(m_app.App());
    w.show();
    Settle();
    w.move(100, 50);
    w.DispatchCommand(kBtnMax);
    w.ApplyDialogSize(QSize(1440, 810));
    EXPECT_EQ(w.geometry(), w.screen()->availableGeometry());  // stays maximised
    w.DispatchCommand(kBtnMRestore);
    EXPECT_EQ(w.geometry(), QRect(240, 135, 1440, 810));

    w.ApplyDialogSize(QSize(1280, 720));  // in the normal state it moves at once
    EXPECT_EQ(w.geometry(), QRect(320, 180, 1280, 720));
}

TEST_F(MainWndWindow, EveryTableKeyRaisesItsCommandOnlyWhileAcceleratorsAreOn)
{
    ProbeDlg w(m_app.App());
    w.show();
    Settle();
    std::vector<int> expected;
    for (const KeyBinding& b : MainKeyTable()) {
        if (b.command == kBtnExit)
            continue;  // closing is checked on its own
        Key(&w, b.key, b.modifiers);
        expected.push_back(b.command);
    }
    EXPECT_EQ(w.raised, expected);

    // A key that arrives at a child control still reaches the table.
    w.raised.clear();
    Key(w.Control(kBtnPlayForward), Qt::Key_F12);
    EXPECT_EQ(w.raised, std::vector<int>{kBtnInfo});

    w.raised.clear();
    m_app.App().SetAcceleratorsEnabled(false);
    for (const KeyBinding& b : MainKeyTable())
        Key(&w, b.key, b.modifiers);
    m_app.App().SetAcceleratorsEnabled(true);
    EXPECT_TRUE(w.raised.empty());
    EXPECT_TRUE(w.isVisible());  // Escape did not close the window either
}

TEST_F(MainWndWindow, ButtonClicksDispatchAndPlaybackCommandsReachTheHook)
{
    ProbeDlg w(m_app.App());
    w.show();
    Settle();
    auto* play = w.Button(kBtnPlayForward);
    ASSERT_NE(play, nullptr);
    play->resize(40, 40);  // clickable whatever the skin's record
    play->setEnabled(true);  // nothing is loaded, so the window disabled it
    const QPointF at(10, 10);
    QMouseEvent press(QEvent::MouseButtonPress, at, play->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, at, play->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(play, &press);
    QApplication::sendEvent(play, &release);
    EXPECT_EQ(w.raised, std::vector<int>{kBtnPlayForward});
    EXPECT_EQ(w.handled, std::vector<int>{kBtnPlayForward});

    // Buttons without a command reach no handler.
    w.handled.clear();
    for (int id : {kBtnSite, kBtnReport})
        w.DispatchCommand(id);
    EXPECT_TRUE(w.handled.empty());
}

TEST_F(MainWndWindow, APopupCommandIgnoresASecondCallWhileTheFirstRuns)
{
    ProbeDlg w(m_app.App());
    int nested = 0;
    QObject::connect(&w, &CKestrelDlg::CommandRaised, &w, [&](int id) {
        if (id == kBtnInfo && nested++ == 0) {
            w.DispatchCommand(kBtnInfo);       // as if clicked again during the popup
            w.DispatchCommand(kBtnVideoCtrl);  // another popup command is not blocked
        }
    });
    w.DispatchCommand(kBtnInfo);
    EXPECT_EQ(w.handled, (std::vector<int>{kBtnVideoCtrl, kBtnInfo}));
    w.DispatchCommand(kBtnInfo);  // once finished it runs again
    EXPECT_EQ(w.handled.back(), kBtnInfo);
    EXPECT_EQ(w.handled.size(), 3u);
}

TEST_F(MainWndWindow, LayoutBelow1280By720LeavesThePreviousLayout)
{
    ProbeDlg w(m_app.App());
    w.show();
    Settle();
    const QRect mask = w.mask().boundingRect();
    const QRect list = w.ListPanelRect();
    const QRect exit = w.Control(kBtnExit)->geometry();
    w.LayoutForSize(1279, 720);
    w.LayoutForSize(1280, 719);
    EXPECT_EQ(w.mask().boundingRect(), mask);
    EXPECT_EQ(w.ListPanelRect(), list);
    EXPECT_EQ(w.Control(kBtnExit)->geometry(), exit);
    w.LayoutForSize(1280, 720);
    EXPECT_NE(w.mask().boundingRect(), mask);  // the rounded region follows every layout
}

TEST_F(MainWndWindow, DragsOnlyByTheTitleBarInTheNormalState)
{
    ProbeDlg w(m_app.App());
    w.show();
    Settle();
    auto drag = [&](QPoint from, QPoint by) {
        const QPoint g = w.mapToGlobal(from);
        QMouseEvent press(QEvent::MouseButtonPress, from, g, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&w, &press);
        QMouseEvent move(QEvent::MouseMove, from + by, g + by, Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&w, &move);
        QMouseEvent release(QEvent::MouseButtonRelease, from + by, g + by, Qt::LeftButton, Qt::NoButton,
                            Qt::NoModifier);
        QApplication::sendEvent(&w, &release);
    };
    const QRect bar = w.TitleBarRect();
    const QPoint outside(w.width() / 2, w.height() - 5);
    ASSERT_FALSE(bar.contains(outside));
    const QPoint start = w.pos();
    drag(outside, QPoint(30, 20));
    EXPECT_EQ(w.pos(), start);
    if (bar.isEmpty())
        GTEST_SKIP() << "the skin has no titlebar record";

    drag(bar.center(), QPoint(30, 20));
    EXPECT_EQ(w.pos(), start + QPoint(30, 20));

    w.DispatchCommand(kBtnMax);
    const QPoint maximised = w.pos();
    drag(w.TitleBarRect().center(), QPoint(30, 20));
    EXPECT_EQ(w.pos(), maximised);
}

TEST_F(MainWndWindow, CloseStopsFirstThenEndsTheWindowOnce)
{
    ProbeDlg w(m_app.App());
    w.show();
    Settle();
    EXPECT_FALSE(w.close());  // the window manager's close takes the exit road
    EXPECT_EQ(w.beforeClose, 1);
    w.DispatchCommand(kBtnExit);  // already closing
    EXPECT_EQ(w.beforeClose, 1);
    Settle();
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(w.result(), QDialog::Rejected);
    EXPECT_FALSE(w.KeepAwakeRunning());
}

TEST(MainWndConfig, SwitchesFollowTheConfigurationAndLanguages)
{
    {
        PreparedApp plain;
        ASSERT_TRUE(plain.Ok());
        CKestrelDlg w(plain.App());
        EXPECT_TRUE(w.Control(kBtnLang)->isHidden());  // one language file
        EXPECT_FALSE(w.Control(kBtnSite)->isEnabled());
        EXPECT_TRUE(w.Control(kBtnSetup)->isHidden());
    }
    AppFolderOptions options;
    options.url = QStringLiteral("https://example.org");
    options.setupName = QStringLiteral("setup.sh");
    options.secondLanguage = true;
    PreparedApp full(options);
    ASSERT_TRUE(full.Ok());
    CKestrelDlg w(full.App());
    EXPECT_FALSE(w.Control(kBtnLang)->isHidden());
    EXPECT_TRUE(w.Control(kBtnSite)->isEnabled());
    EXPECT_FALSE(w.Control(kBtnSetup)->isHidden());
}

TEST(MainWndConfig, PowerSavingModeLeavesTheSystemAlone)
{
    PreparedApp prepared;
    ASSERT_TRUE(prepared.Ok());
    const QString settings = prepared.App().UserDataFolder() + QStringLiteral("/ViewerSet.ini");
    QFile f(settings);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write("[Global]\nPowerSaveMode=1\n");
    f.close();
    {
        CKestrelDlg w(prepared.App());
        EXPECT_FALSE(w.KeepAwakeRunning());
    }
    QFile::remove(settings);
}

TEST(MainWndConfig, TextsAndToolTipsFollowALanguageChange)
{
    AppFolderOptions options;
    options.secondLanguage = true;
    PreparedApp prepared(options);
    ASSERT_TRUE(prepared.Ok());
    CKestrelApp& app = prepared.App();
    CKestrelDlg w(app);
    EXPECT_EQ(w.Control(kBtnExit)->toolTip(), app.Resources().GetUIText("btn_exit"));

    const int test = prepared.TestLanguageIndex();
    ASSERT_GE(test, 0);
    ASSERT_NE(app.CurrentLanguage(), test);
    ASSERT_TRUE(app.LoadLanguage(test));
    w.ReapplyLanguage();

    using mainwnd_test::TestLanguageText;
    EXPECT_EQ(w.Control(kBtnExit)->toolTip(), TestLanguageText("btn_exit"));
    EXPECT_EQ(w.Control(kBtnInfo)->toolTip(), TestLanguageText("btn_info"));
    EXPECT_EQ(w.Control(kBtnGpsMap)->toolTip(), TestLanguageText("btn_gps_map2"));
    EXPECT_EQ(w.Control(kBtnGpsMap)->GetWindowText(), TestLanguageText("btn_gps_map"));
    EXPECT_EQ(w.Control(kBtnGpsSpeedUnitKm)->toolTip(), TestLanguageText("btn_gps_speed_unit"));
    EXPECT_EQ(w.Control(kBtnGpsSpeedUnitMile)->toolTip(), TestLanguageText("btn_gps_speed_unit"));
    EXPECT_EQ(w.Control(kBtnGpsSpeedUnitMile)->GetWindowText(), TestLanguageText("btn_gps_speed_unit_mile"));
    EXPECT_TRUE(w.Control(kBtnIcon)->toolTip().isEmpty());  // has a text, but never a tip
    EXPECT_TRUE(w.Control(kBtnGpsStatus)->toolTip().isEmpty());
    // A key the test language lacks leaves no stale English tip behind.
    EXPECT_EQ(w.Control(kBtnMin)->toolTip(), app.Resources().GetUIText("btn_min"));

    EXPECT_EQ(w.Control(kStcGpsStatusTag)->GetWindowText(), TestLanguageText("stc_gps_status_tag"));
    EXPECT_EQ(w.Control(kStcGsenX)->GetWindowText(), TestLanguageText("stc_gsen_x"));
    EXPECT_EQ(w.Control(kStcPlaybar)->GetWindowText(), TestLanguageText("stc_playbar"));
    EXPECT_EQ(w.Control(kStcGpsLatLng)->GetWindowText(), QStringLiteral("Breite: \nLaenge:"));
}

}  // namespace

namespace {

// Pictures of the window at the smallest and the largest size class, kept
// in the build folder for a look by eye.
TEST_F(MainWndWindow, PaintsTheSkinAtTheSmallestAndLargestSize)
{
    ProbeDlg w(m_app.App());
    w.show();
    Settle();
    for (const QSize size : {QSize(1280, 720), QSize(1920, 1080)}) {
        w.ApplyDialogSize(size);
        Settle();
        const QImage shot = w.grab().toImage();
        ASSERT_EQ(shot.size(), size);
        shot.save(QStringLiteral(MAINWND_TEST_OUT "/main_%1x%2.png").arg(size.width()).arg(size.height()));
        // The skin's background, not an empty window (the middle belongs
        // to the channel panels, which show black before a recording plays).
        const QPoint probe = w.TitleBarRect().isEmpty() ? QPoint(8, 8) : w.TitleBarRect().center();
        EXPECT_NE(QColor(shot.pixel(probe)), QColor(Qt::black));
    }
}

}  // namespace

namespace {

TEST_F(MainWndWindow, AttachedPanelsFollowTheirSlotsAndHideInFullScreen)
{
    ProbeDlg w(m_app.App());
    w.show();
    Settle();
    auto* list = new QWidget;
    auto* front = new QWidget;
    auto* rear = new QWidget;
    w.AttachListPanel(list);
    w.AttachDisplayPanel(0, front, nullptr);
    w.AttachDisplayPanel(1, rear, nullptr);
    w.AttachDisplayPanel(7, new QWidget(&w), nullptr);  // no such channel: ignored
    Settle();
    EXPECT_EQ(list->parentWidget(), &w);
    EXPECT_EQ(list->geometry(), w.ListPanelRect());
    EXPECT_EQ(front->geometry(), w.DisplaySlotRect(0));
    EXPECT_EQ(rear->geometry(), w.DisplaySlotRect(1));
    if (!w.DisplaySlotRect(0).isEmpty()) {
        EXPECT_TRUE(front->isVisible());
    }

    // Switching the view channel swaps the two slots, and a later layout of
    // the window (a resize) keeps to the flow's view channel.
    const QRect slot0 = w.DisplaySlotRect(0), slot1 = w.DisplaySlotRect(1);
    ASSERT_NE(w.PlayFlow(), nullptr);
    w.PlayFlow()->SwitchView();  // this probe window keeps the commands to itself
    ASSERT_EQ(w.ViewChannel(), 1);
    EXPECT_EQ(front->geometry(), slot1);
    EXPECT_EQ(rear->geometry(), slot0);
    w.LayoutDisplays(w.width(), w.height());
    EXPECT_EQ(front->geometry(), slot1);
    EXPECT_EQ(rear->geometry(), slot0);

    w.DispatchCommand(kBtnFull);
    EXPECT_FALSE(front->isVisible());
    EXPECT_FALSE(rear->isVisible());
    w.DispatchCommand(kBtnFRestore);
    EXPECT_EQ(front->isVisible(), !w.DisplaySlotRect(0).isEmpty());
}

}  // namespace
