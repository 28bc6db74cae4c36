// The real window playing a generated card: rows start by double click, the
// play-bar follows, recordings run into each other, pausing, seeking,
// stepping, speed, volume, the view switch, the type filter and a
// recording that cannot be opened.
#include "WindowPlaybackFixture.h"

#include "PlayStats.h"

#include "controls/CCtrlButton.h"
#include "controls/CCtrlSliderEx.h"
#include "controls/CCtrlStatic.h"
#include "controls/CtrlMessages.h"
#include "filehub/CPluginManager.h"
#include "kestrel/ViewerMessages.h"
#include "panels/display/CFullScreen.h"
#include "panels/display/CWndDisplay.h"
#include "playcore/IPlayback.h"
#include "startup/CKestrelApp.h"
#include "util/PostedMessage.h"

#include <QKeyEvent>

#include <fstream>

using namespace kestrel::mainwnd;
namespace msg = kestrel::msg;

namespace mainwnd_test {
namespace {

QString PlayBarText(CKestrelDlg& w)
{
    return w.Static(kStcPlaybar)->GetWindowText();
}

void Key(QWidget* target, int key)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
}

TEST_F(WindowPlayback, ADoubleClickPlaysTheRowAndTheListRunsToItsEnd)
{
    ASSERT_EQ(OpenWindowWithCard(), CPlayFlow::kStopped);
    ASSERT_EQ(List().GetItemCount(), m_card.recordings);
    EXPECT_TRUE(Shown(kBtnPlayForward));
    EXPECT_FALSE(w->Control(kBtnStop)->isEnabled());

    const int last = m_card.recordings - 1;
    DoubleClickRow(last - 1);
    ASSERT_EQ(Flow().PlayState(), CPlayFlow::kPlaying);
    EXPECT_EQ(w->ListWnd()->PlayingRow(), last - 1);
    EXPECT_FALSE(Shown(kBtnPlayForward));
    EXPECT_TRUE(Shown(kBtnPause));
    EXPECT_EQ(List().GetPlayStatus(), 1);
    EXPECT_TRUE(w->Control(kBtnStop)->isEnabled());
    EXPECT_EQ(w->Slider(kSldPlaybar)->GetRangeMax(), static_cast<int>(Flow().StreamInfo().dDuration * 1000.0));

    // The play-bar and its label follow the engine.
    ASSERT_TRUE(WaitFor([&] { return w->Slider(kSldPlaybar)->GetPos() >= 1000; }));
    EXPECT_TRUE(PlayBarText(*w).startsWith(QStringLiteral("00:00:01/00:00:0"))) << PlayBarText(*w).toStdString();

    // The end starts the next row; the end of the last stops and shows play.
    ASSERT_TRUE(WaitFor([&] { return w->ListWnd()->PlayingRow() == last; }));
    ASSERT_TRUE(WaitFor([&] { return Flow().PlayState() == CPlayFlow::kStopped; }));
    EXPECT_TRUE(Shown(kBtnPlayForward));
    EXPECT_FALSE(Shown(kBtnPause));
    EXPECT_EQ(w->ListWnd()->PlayingRow(), -1);
    EXPECT_EQ(PlayBarText(*w), QStringLiteral("00:00:00/00:00:00"));
}

TEST_F(WindowPlayback, EveryChannelPanelShowsPicturesAndFullScreenTakesTheViewChannel)
{
    qputenv("KESTREL_PLAY_STATS", m_tmp.filePath(QStringLiteral("stats.json")).toUtf8());
    ASSERT_EQ(OpenWindowWithCard(), CPlayFlow::kStopped);
    const QImage idle[2] = {w->ChannelPanel(0)->grab().toImage(), w->ChannelPanel(1)->grab().toImage()};
    ASSERT_TRUE(w->PlayRow(0));
    ASSERT_TRUE(WaitFor([&] { return w->Slider(kSldPlaybar)->GetPos() >= 600; }));
    Settle();
    for (int channel = 0; channel < 2; ++channel) {
        QWidget* panel = w->ChannelPanel(channel);
        ASSERT_NE(panel, nullptr);
        EXPECT_TRUE(panel->isVisible());
        EXPECT_NE(panel->grab().toImage(), idle[channel]) << "channel " << channel << " still shows its logo";
    }

    const CPlayStats* stats = w->PlayStats();
    ASSERT_NE(stats, nullptr);
    EXPECT_EQ(stats->Delivered(CPlayStats::kFullScreenSlot), 0);
    w->DispatchCommand(kBtnFull);
    Settle();
    ASSERT_NE(w->FullScreenWnd(), nullptr);
    EXPECT_TRUE(w->FullScreenWnd()->isVisible());
    EXPECT_FALSE(w->ChannelPanel(0)->isVisible());
    // The engine now draws the view channel into the full-screen view only.
    const int rearBefore = stats->Delivered(1);
    ASSERT_TRUE(WaitFor([&] { return stats->Delivered(CPlayStats::kFullScreenSlot) >= 2; }, 5000));
    EXPECT_LE(stats->Delivered(1), rearBefore + 1);
    w->DispatchCommand(kBtnFRestore);
    Settle();
    EXPECT_FALSE(w->FullScreenWnd()->isVisible());
    EXPECT_TRUE(w->ChannelPanel(0)->isVisible());

    // Closing while playing stops first, then writes the counters.
    w->DispatchCommand(kBtnExit);
    Settle();
    EXPECT_EQ(Flow().PlayState(), CPlayFlow::kStopped);
    EXPECT_TRUE(Shown(kBtnPlayForward));
    QFile written(m_tmp.filePath(QStringLiteral("stats.json")));
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QString json = QString::fromUtf8(written.readAll());
    EXPECT_TRUE(json.contains(QStringLiteral("\"seconds_played\""))) << json.toStdString();
    w.reset();
}

TEST_F(WindowPlayback, APausedRecordingThatEndsOpensTheNextPaused)
{
    ASSERT_EQ(OpenWindowWithCard(), CPlayFlow::kStopped);
    ASSERT_TRUE(w->PlayRow(0));
    w->DispatchCommand(kBtnPause);
    EXPECT_TRUE(Shown(kBtnPlayForward));
    PostMsg(w.get(), msg::WM_PLAYER_EVENT, msg::kEventEnd, 0);
    ASSERT_TRUE(WaitFor([&] { return w->ListWnd()->PlayingRow() == 1; }));
    EXPECT_TRUE(playcore::IsPaused(Flow().Player()->GetPlayState()));
    EXPECT_TRUE(Shown(kBtnPlayForward));
    EXPECT_FALSE(Shown(kBtnPause));

    // Space resumes it.
    Key(w.get(), Qt::Key_Space);
    EXPECT_EQ(Flow().Player()->GetPlayState(), int(playcore::PlayState::Playing));
    EXPECT_TRUE(Shown(kBtnPause));
}

TEST_F(WindowPlayback, ReleasingThePlayBarResumesOnlyWhatWasRunning)
{
    ASSERT_EQ(OpenWindowWithCard(), CPlayFlow::kStopped);
    ASSERT_TRUE(w->PlayRow(0));
    auto drag = [&](int ms) {
        w->SendMsg(ctrlmsg::WM_SLIDER_PRESSED, kSldPlaybar, ms);
        w->SendMsg(ctrlmsg::WM_SLIDER_MOVED, kSldPlaybar, ms + 100);
        w->SendMsg(ctrlmsg::WM_SLIDER_RELEASED, kSldPlaybar, ms + 200);
    };
    drag(300);
    EXPECT_EQ(Flow().Player()->GetPlayState(), int(playcore::PlayState::Playing)) << "running before the drag: runs on";
    w->DispatchCommand(kBtnPause);
    drag(300);
    EXPECT_TRUE(playcore::IsPaused(Flow().Player()->GetPlayState())) << "paused before the drag: stays";
}

TEST_F(WindowPlayback, StepBackwardNearTheStartSeeksToTheStartOfTheSameRecording)
{
    // Long recordings: the next one cannot start (at 0) within the wait, so
    // only a real seek back brings the play-bar under 0.5 s.
    ASSERT_EQ(OpenWindowWithCard([](kestrel::cardgen::CardOptions& o) { o.durationSec = 8.0; }), CPlayFlow::kStopped);
    ASSERT_TRUE(w->PlayRow(0));
    w->Settings().m_nStepIntrPlaying = 1;
    ASSERT_TRUE(WaitFor([&] { return w->Slider(kSldPlaybar)->GetPos() >= 800; }));
    w->Slider(kSldPlaybar)->SetPos(300);
    Key(w.get(), Qt::Key_Left);
    ASSERT_TRUE(WaitFor([&] {
        return w->Slider(kSldPlaybar)->GetPos() < 500 && PlayBarText(*w).startsWith(QStringLiteral("00:00:00/"));
    }, 4000));
    EXPECT_EQ(w->ListWnd()->PlayingRow(), 0) << "still the first recording";
}

TEST_F(WindowPlayback, SpeedLabelsTimeLapseAndVolumeLimits)
{
    ASSERT_EQ(OpenWindowWithCard(), CPlayFlow::kStopped);
    CCtrlStatic* speed = w->Static(kStcPbSpeed);
    ASSERT_NE(speed, nullptr);
    EXPECT_EQ(speed->GetWindowText(), QStringLiteral("x1.0"));
    w->Slider(kSldPbSpeed)->SetPos(0);
    w->SendMsg(ctrlmsg::WM_SLIDER_RELEASED, kSldPbSpeed, 0);
    EXPECT_EQ(speed->GetWindowText(), QStringLiteral("x0.25"));
    w->Slider(kSldPbSpeed)->SetPos(3);
    w->SendMsg(ctrlmsg::WM_SLIDER_MOVED, kSldPbSpeed, 3);
    EXPECT_EQ(speed->GetWindowText(), QStringLiteral("x1.5"));

    w->Button(kBtnTimelapse)->SetCheck(1);
    w->DispatchCommand(kBtnTimelapse);
    const QString suffix = m_app.App().Resources().GetUIText(QStringLiteral("btn_timelapse"));
    EXPECT_EQ(speed->GetWindowText(), QStringLiteral("x1.5 (%1)").arg(suffix));
    w->DispatchCommand(kBtnPbSpeed);
    EXPECT_EQ(w->Slider(kSldPbSpeed)->GetPos(), 2);
    EXPECT_EQ(speed->GetWindowText(), QStringLiteral("x1.0 (%1)").arg(suffix));

    w->Settings().m_nVolume = 98;
    Key(w.get(), Qt::Key_Up);
    EXPECT_EQ(w->Settings().m_nVolume, 100);
    EXPECT_EQ(w->Slider(kSldVolume)->GetPos(), 100);
    Key(w.get(), Qt::Key_Up);
    EXPECT_EQ(w->Settings().m_nVolume, 100);
    w->Settings().m_nVolume = 3;
    Key(w.get(), Qt::Key_Down);
    EXPECT_EQ(w->Settings().m_nVolume, 0);
    EXPECT_EQ(w->Slider(kSldVolume)->GetPos(), 0);
    Key(w.get(), Qt::Key_M);
    EXPECT_EQ(w->Settings().m_nMute, 1);
}

TEST_F(WindowPlayback, SwitchWithAOneChannelRecordingOnlyReturnsToTheFront)
{
    ASSERT_EQ(OpenWindowWithCard([](kestrel::cardgen::CardOptions& o) { o.channels = 1; }), CPlayFlow::kStopped);
    const QRect front = w->ChannelPanel(0)->geometry();
    w->DispatchCommand(kBtnSwitch);  // stopped: the view moves on
    EXPECT_EQ(Flow().ViewChannel(), 1);
    EXPECT_NE(w->ChannelPanel(0)->geometry(), front);
    ASSERT_TRUE(w->PlayRow(0));
    EXPECT_EQ(Flow().ViewChannel(), 0) << "a new channel count lays out from the front";
    EXPECT_EQ(w->ChannelPanel(0)->geometry(), front);
    w->DispatchCommand(kBtnSwitch);
    EXPECT_EQ(Flow().ViewChannel(), 0);
    EXPECT_EQ(w->FullScreenWnd()->LabelText(),
              m_app.App().Resources().GetUIText(QStringLiteral("display_text_front")));
}

TEST_F(WindowPlayback, TypeFilterOfTheRealListStopsOnlyWhenTheListChanges)
{
    ASSERT_EQ(OpenWindowWithCard(), CPlayFlow::kStopped);
    CWndList* list = w->ListWnd();
    const int type = m_app.App().PluginManager()->GetRecFileInfo(0)->GetRecType();
    ASSERT_TRUE(w->PlayRow(0));

    // All already stands for every type: nothing is posted, playback goes on.
    list->SendMsg(ctrlmsg::WM_COMMAND, CWndList::kIdAll, 0);
    Settle();
    EXPECT_EQ(Flow().PlayState(), CPlayFlow::kPlaying);

    // One type only: the list is filled again and playback stops.
    CCtrlButton* button = list->TypeButton(type);
    ASSERT_NE(button, nullptr);
    button->SetCheck(1);
    list->SendMsg(ctrlmsg::WM_COMMAND, CWndList::kIdFirstType + type, 0);
    Settle();
    EXPECT_EQ(Flow().PlayState(), CPlayFlow::kStopped);
    EXPECT_TRUE(Shown(kBtnPlayForward));
    EXPECT_FALSE(list->AllButton()->GetCheck());

    // Unchecking the last type selects All again.
    button->SetCheck(0);
    list->SendMsg(ctrlmsg::WM_COMMAND, CWndList::kIdFirstType + type, 0);
    Settle();
    EXPECT_EQ(list->AllButton()->GetCheck(), 1);
    EXPECT_EQ(List().GetItemCount(), m_card.recordings);
}

class WindowOpenFailed : public WindowPlayback, public ::testing::WithParamInterface<bool> {};

TEST_P(WindowOpenFailed, AnUnopenableRecordingAsksThenContinuesOrStops)
{
    const bool goOn = GetParam();
    qputenv("KESTREL_POPUP_ANSWER", goOn ? "ok" : "cancel");
    ASSERT_EQ(OpenWindowWithCard(), CPlayFlow::kStopped);
    // Damage the middle recording after the list was read.
    CRecFileInfo* rec = m_app.App().PluginManager()->GetRecFileInfo(1);
    ASSERT_NE(rec, nullptr);
    std::ofstream(std::filesystem::path(rec->m_arrFilePath[0]), std::ios::binary | std::ios::trunc)
        << "not a recording";

    DoubleClickRow(1);
    EXPECT_EQ(LoggedMessages().size(), 1);
    EXPECT_TRUE(m_app.App().AcceleratorsEnabled());
    if (goOn) {
        ASSERT_TRUE(WaitFor([&] { return w->ListWnd()->PlayingRow() == 2; }));
        EXPECT_EQ(Flow().PlayState(), CPlayFlow::kPlaying);
    } else {
        ASSERT_TRUE(WaitFor([&] { return Flow().PlayState() == CPlayFlow::kStopped; }));
        Settle();
        EXPECT_TRUE(Shown(kBtnPlayForward));
        EXPECT_EQ(w->ListWnd()->PlayingRow(), -1);
    }
}

INSTANTIATE_TEST_SUITE_P(Answers, WindowOpenFailed, ::testing::Bool());

}  // namespace
}  // namespace mainwnd_test
