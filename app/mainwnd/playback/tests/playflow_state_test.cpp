// The flow's control states, speed and volume controls, view switch and
// panel notifications.
#include "PlayFlowFixture.h"

#include "controls/CtrlMessages.h"
#include "kestrel/ViewerMessages.h"

namespace kestrel::playflow::test {
namespace {

struct ControlRow {
    PlayControl control;
    bool enabled[3];  // play state 0, 1, 2 with no row checked
};

TEST_F(PlayFlowTest, ControlStatesFollowTheTable)
{
    ASSERT_NO_FATAL_FAILURE(LoadCard());
    const ControlRow table[] = {
        {PlayControl::Play, {false, true, true}},         {PlayControl::Pause, {false, true, true}},
        {PlayControl::Stop, {false, false, true}},        {PlayControl::StepBackward, {false, false, true}},
        {PlayControl::StepForward, {false, false, true}}, {PlayControl::PrevFile, {false, true, true}},
        {PlayControl::NextFile, {false, true, true}},     {PlayControl::TimeLapse, {false, true, true}},
        {PlayControl::PlayBar, {false, false, true}},     {PlayControl::SpeedSlider, {false, true, true}},
        {PlayControl::SpeedReset, {false, true, true}},   {PlayControl::Snapshot, {false, false, true}},
        {PlayControl::Report, {false, false, true}},      {PlayControl::Backup, {false, false, true}},
        {PlayControl::Delete, {false, false, false}},
    };
    for (int state = 0; state <= 2; ++state) {
        flow->SetControlState(state);
        EXPECT_EQ(views.list.listState, state);
        for (const ControlRow& row : table)
            EXPECT_EQ(views.transport.Enabled(row.control), row.enabled[state])
                << "state " << state << " control " << static_cast<int>(row.control);
    }
    // A checked row enables backup and delete once recordings are listed.
    views.list.checkedRows = 1;
    for (int state = 0; state <= 2; ++state) {
        flow->SetControlState(state);
        EXPECT_EQ(views.transport.Enabled(PlayControl::Backup), state >= 1);
        EXPECT_EQ(views.transport.Enabled(PlayControl::Delete), state >= 1);
    }
    // A check box change alone updates them too.
    flow->SetControlState(1);
    views.list.checkedRows = 0;
    flow->OnPanelNotify(msg::kNotifyRowCheck, 0);
    EXPECT_FALSE(views.transport.Enabled(PlayControl::Backup));
    EXPECT_FALSE(views.transport.Enabled(PlayControl::Delete));
}

TEST_F(PlayFlowTest, StoppedStatesResetThePlayBarDisplaysAndReadouts)
{
    ASSERT_NO_FATAL_FAILURE(LoadCard());
    ASSERT_EQ(flow->PlayStart(0), 0);
    ASSERT_TRUE(Pump([&] { return views.transport.playBarPos > 0; }));
    const int clears = views.displays.channels[0].clears;
    const int resets = views.readouts.resets;
    flow->SetControlState(1);
    EXPECT_EQ(views.transport.playBarMax, 10);
    EXPECT_EQ(views.transport.playBarPos, 0);
    EXPECT_EQ(views.transport.playBarLabel, "00:00:00/00:00:00");
    EXPECT_GT(views.displays.channels[0].clears, clears);
    EXPECT_GT(views.displays.fullScreen.clears, 0);
    EXPECT_EQ(views.readouts.resets, resets + 1);
}

TEST_F(PlayFlowTest, SpeedLabelsAndTimeLapse)
{
    ASSERT_NO_FATAL_FAILURE(LoadCard());
    EXPECT_EQ(views.transport.speedPos, 2);
    EXPECT_EQ(views.transport.speedLabel, "x1.0");
    views.transport.speedPos = 0;
    flow->OnSpeedSlider(ctrlmsg::WM_SLIDER_MOVED);
    EXPECT_EQ(views.transport.speedLabel, "x0.25");
    views.transport.timeLapse = true;
    flow->OnTimeLapse();
    EXPECT_EQ(views.transport.speedLabel, "x0.25 (Time-lapse)");
    flow->SpeedReset();
    EXPECT_EQ(views.transport.speedPos, 2);
    EXPECT_EQ(views.transport.speedLabel, "x1.0 (Time-lapse)");
}

TEST_F(PlayFlowTest, VolumeKeysStayWithinRange)
{
    ASSERT_NO_FATAL_FAILURE(LoadCard());
    settings.m_nVolume = 98;
    flow->VolumeUp();
    EXPECT_EQ(settings.m_nVolume, 100);
    EXPECT_EQ(views.transport.volumePos, 100);
    settings.m_nVolume = 3;
    flow->VolumeDown();
    EXPECT_EQ(settings.m_nVolume, 0);
    EXPECT_EQ(views.transport.volumePos, 0);
    flow->OnVolumeSlider(140);
    EXPECT_EQ(settings.m_nVolume, 100);

    flow->ToggleMute();
    EXPECT_TRUE(views.transport.mute);
    EXPECT_EQ(settings.m_nMute, 1);
    flow->ToggleMute();
    EXPECT_EQ(settings.m_nMute, 0);
}

TEST_F(PlayFlowTest, SwitchCyclesTheViewAndRotatesTheSlots)
{
    ASSERT_NO_FATAL_FAILURE(LoadCard());
    flow->SwitchView();
    EXPECT_EQ(flow->ViewChannel(), 1);
    EXPECT_EQ(views.displays.viewChannels.back(), 1);
    EXPECT_EQ(views.displays.placed[0], "display1");
    EXPECT_EQ(views.displays.placed[1], "display0");
    EXPECT_EQ(views.displays.resumeTimerMs, 100);
    flow->SwitchView();
    EXPECT_EQ(flow->ViewChannel(), 0);
    EXPECT_EQ(views.displays.viewChannels.back(), 0);
    EXPECT_EQ(views.displays.placed[0], "display0");
}

TEST_F(PlayFlowTest, SwitchWithOneChannelOnlyReturnsToTheFirstChannel)
{
    ASSERT_NO_FATAL_FAILURE(LoadCard([](cardgen::CardOptions& o) { o.channels = 1; }));
    ASSERT_EQ(Record(0)->GetChannelCount(), 1);
    flow->SwitchView();  // stopped: the view may move
    ASSERT_EQ(flow->ViewChannel(), 1);
    ASSERT_EQ(flow->PlayStart(0), 0);
    EXPECT_EQ(flow->ViewChannel(), 0) << "a new channel count starts at the first channel";
    const size_t labels = views.displays.viewChannels.size();
    flow->SwitchView();
    EXPECT_EQ(flow->ViewChannel(), 0);
    EXPECT_EQ(views.displays.viewChannels.size(), labels) << "nothing happens at channel 0";
}

TEST_F(PlayFlowTest, AViewResetInFullScreenNamesTheFrontChannel)
{
    // In full screen no channel panel is placed, so the label must follow
    // the view channel by itself.
    ASSERT_NO_FATAL_FAILURE(LoadCard([](cardgen::CardOptions& o) { o.channels = 1; }));
    views.displays.windowState = 2;
    flow->LayoutDisplays({1920, 1080});
    flow->SwitchView();
    ASSERT_EQ(views.displays.viewChannels.back(), 1);
    ASSERT_EQ(flow->PlayStart(0), 0);
    EXPECT_EQ(flow->ViewChannel(), 0);
    EXPECT_EQ(views.displays.viewChannels.back(), 0);
}

TEST_F(PlayFlowTest, FullScreenDrawsOnlyTheViewChannel)
{
    ASSERT_NO_FATAL_FAILURE(LoadCard());
    ASSERT_EQ(flow->PlayStart(0), 0);  // lays out for two channels
    flow->Stop();
    views.displays.windowState = 3;
    flow->SwitchView();  // view channel 1, laid out for full screen
    EXPECT_TRUE(views.displays.placed[0].isEmpty()) << "panels stay hidden in full screen";
    flow->ResumePictures();
    // Pictures the first start drew before its stop do not count.
    for (auto& display : views.displays.channels)
        display.draws = 0;
    ASSERT_EQ(flow->PlayStart(0), 0);  // same channel count: the view stays
    ASSERT_EQ(flow->ViewChannel(), 1);
    ASSERT_TRUE(Pump([&] { return views.displays.fullScreen.draws.load() > 2; }));
    EXPECT_EQ(views.displays.channels[0].draws.load(), 0);
    EXPECT_EQ(views.displays.channels[1].draws.load(), 0);
    EXPECT_EQ(views.displays.fullScreen.LastChannel(), 1) << "the rear channel's pictures, not the front's";
}

TEST_F(PlayFlowTest, EachChannelPanelGetsItsOwnChannelsPictures)
{
    ASSERT_NO_FATAL_FAILURE(LoadCard());
    ASSERT_EQ(flow->PlayStart(0), 0);
    ASSERT_TRUE(Pump([&] {
        return views.displays.channels[0].draws.load() > 2 && views.displays.channels[1].draws.load() > 2;
    }));
    EXPECT_EQ(views.displays.channels[0].LastChannel(), 0);
    EXPECT_EQ(views.displays.channels[1].LastChannel(), 1);
}

TEST_F(PlayFlowTest, PlayRecordNotificationSkipsTheSameRecording)
{
    ASSERT_NO_FATAL_FAILURE(LoadCard());
    views.list.selectedRow = 0;
    // The same recording (equal paths, another object) changes nothing.
    CRecFileInfo copy;
    for (const std::wstring& p : Record(0)->m_arrFilePath)
        copy.AddFilePath(p);
    flow->OnPanelNotify(msg::kNotifyPlayRecord, reinterpret_cast<intptr_t>(&copy));
    EXPECT_EQ(views.list.selectedRow, 0);
    // Another recording is selected while stopped...
    flow->OnPanelNotify(msg::kNotifyPlayRecord, reinterpret_cast<intptr_t>(Record(2)));
    EXPECT_EQ(views.list.selectedRow, 2);
    EXPECT_EQ(flow->PlayState(), CPlayFlow::kStopped);
    // ...and played at once while playing.
    ASSERT_EQ(flow->PlayStart(0), 0);
    flow->OnPanelNotify(msg::kNotifyPlayRecord, reinterpret_cast<intptr_t>(Record(1)));
    EXPECT_EQ(views.list.selectedRow, 1);
    EXPECT_EQ(views.list.playingRow, 1);
    EXPECT_EQ(flow->CurrentRecord(), Record(1));
}

TEST_F(PlayFlowTest, NextAndPreviousWhileStoppedOnlyMoveTheSelection)
{
    ASSERT_NO_FATAL_FAILURE(LoadCard());
    views.list.selectedRow = 0;
    flow->NextFile();
    EXPECT_EQ(views.list.selectedRow, 1);
    flow->NextFile();
    flow->NextFile();
    EXPECT_EQ(views.list.selectedRow, 2) << "no row after the last";
    flow->PrevFile();
    EXPECT_EQ(views.list.selectedRow, 1);
    EXPECT_EQ(flow->PlayState(), CPlayFlow::kStopped);
    EXPECT_EQ(flow->CurrentRecord(), nullptr);
}

TEST_F(PlayFlowTest, PreviousAtTheFirstRecordingStops)
{
    ASSERT_NO_FATAL_FAILURE(LoadCard());
    ASSERT_EQ(flow->PlayStart(1), 0);
    flow->PrevFile();
    EXPECT_EQ(views.list.playingRow, 0);
    EXPECT_EQ(views.list.selectedRow, 0);
    EXPECT_EQ(flow->CurrentRecord(), Record(0));
    flow->PrevFile();
    EXPECT_EQ(flow->PlayState(), CPlayFlow::kStopped);
    EXPECT_TRUE(views.transport.playShown);
}

TEST_F(PlayFlowTest, AdjustmentsAndZoomOptionsReachEveryDisplay)
{
    ASSERT_NO_FATAL_FAILURE(LoadCard());
    settings.m_nBrightness[1] = 70;
    settings.m_nContrast[1] = 20;
    settings.m_nFlip[1] = 0x103;  // only the low byte counts
    flow->OnPlayerEvent(msg::kEventVideoAdjust);
    EXPECT_EQ(views.displays.channels[1].brightness, 70);
    EXPECT_EQ(views.displays.channels[1].contrast, 20);
    EXPECT_EQ(views.displays.channels[1].flip, 3);
    EXPECT_EQ(views.displays.fullScreen.brightness, settings.m_nBrightness[0]) << "full screen follows the view channel";

    const int pos = settings.m_nZoomPipPos;
    flow->ToggleZoomPipPos();
    EXPECT_EQ(settings.m_nZoomPipPos, pos == 0 ? 1 : 0);
    EXPECT_EQ(views.displays.channels[0].pipPos, settings.m_nZoomPipPos);
    EXPECT_EQ(views.displays.fullScreen.pipPos, settings.m_nZoomPipPos);
    flow->ToggleZoomPipShow();
    EXPECT_EQ(views.displays.channels[1].pipShow, settings.m_nZoomPipShow);
}

}  // namespace
}  // namespace kestrel::playflow::test

namespace kestrel::playflow::test {

TEST_F(PlayFlowTest, ARecordingStartedAfterALayoutShowsItsFirstPictures)
{
    ASSERT_NO_FATAL_FAILURE(LoadCard());
    // A layout just before the start: the resume timer has not fired yet
    // (the fake's timer never fires).
    flow->SuppressPictures(10000);
    ASSERT_EQ(flow->PlayStart(0), 0);
    ASSERT_TRUE(Pump([&] { return views.displays.channels[0].draws.load() > 0; }, 3000))
        << "pictures of a new recording are not held back by an earlier layout";
}

}  // namespace kestrel::playflow::test
