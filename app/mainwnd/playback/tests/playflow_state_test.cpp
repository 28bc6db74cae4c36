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
        EXPECT_EQ(host.listState, state);
        for (const ControlRow& row : table)
            EXPECT_EQ(host.Enabled(row.control), row.enabled[state])
                << "state " << state << " control " << static_cast<int>(row.control);
    }
    // A checked row enables backup and delete once recordings are listed.
    host.checkedRows = 1;
    for (int state = 0; state <= 2; ++state) {
        flow->SetControlState(state);
        EXPECT_EQ(host.Enabled(PlayControl::Backup), state >= 1);
        EXPECT_EQ(host.Enabled(PlayControl::Delete), state >= 1);
    }
    // A check box change alone updates them too.
    flow->SetControlState(1);
    host.checkedRows = 0;
    flow->OnPanelNotify(msg::kNotifyRowCheck, 0);
    EXPECT_FALSE(host.Enabled(PlayControl::Backup));
    EXPECT_FALSE(host.Enabled(PlayControl::Delete));
}

TEST_F(PlayFlowTest, StoppedStatesResetThePlayBarDisplaysAndReadouts)
{
    ASSERT_NO_FATAL_FAILURE(LoadCard());
    ASSERT_EQ(flow->PlayStart(0), 0);
    ASSERT_TRUE(Pump([&] { return host.playBarPos > 0; }));
    const int clears = host.displays[0].clears;
    const int resets = host.readoutResets;
    flow->SetControlState(1);
    EXPECT_EQ(host.playBarMax, 10);
    EXPECT_EQ(host.playBarPos, 0);
    EXPECT_EQ(host.playBarLabel, "00:00:00/00:00:00");
    EXPECT_GT(host.displays[0].clears, clears);
    EXPECT_GT(host.fullScreen.clears, 0);
    EXPECT_EQ(host.readoutResets, resets + 1);
}

TEST_F(PlayFlowTest, SpeedLabelsAndTimeLapse)
{
    ASSERT_NO_FATAL_FAILURE(LoadCard());
    EXPECT_EQ(host.speedPos, 2);
    EXPECT_EQ(host.speedLabel, "x1.0");
    host.speedPos = 0;
    flow->OnSpeedSlider(ctrlmsg::WM_SLIDER_MOVED);
    EXPECT_EQ(host.speedLabel, "x0.25");
    host.timeLapse = true;
    flow->OnTimeLapse();
    EXPECT_EQ(host.speedLabel, "x0.25 (Time-lapse)");
    flow->SpeedReset();
    EXPECT_EQ(host.speedPos, 2);
    EXPECT_EQ(host.speedLabel, "x1.0 (Time-lapse)");
}

TEST_F(PlayFlowTest, VolumeKeysStayWithinRange)
{
    ASSERT_NO_FATAL_FAILURE(LoadCard());
    settings.m_nVolume = 98;
    flow->VolumeUp();
    EXPECT_EQ(settings.m_nVolume, 100);
    EXPECT_EQ(host.volumePos, 100);
    settings.m_nVolume = 3;
    flow->VolumeDown();
    EXPECT_EQ(settings.m_nVolume, 0);
    EXPECT_EQ(host.volumePos, 0);
    flow->OnVolumeSlider(140);
    EXPECT_EQ(settings.m_nVolume, 100);

    flow->ToggleMute();
    EXPECT_TRUE(host.mute);
    EXPECT_EQ(settings.m_nMute, 1);
    flow->ToggleMute();
    EXPECT_EQ(settings.m_nMute, 0);
}

TEST_F(PlayFlowTest, SwitchCyclesTheViewAndRotatesTheSlots)
{
    ASSERT_NO_FATAL_FAILURE(LoadCard());
    flow->SwitchView();
    EXPECT_EQ(flow->ViewChannel(), 1);
    EXPECT_EQ(host.fullScreenLabels.back(), "<display_text_rear>");
    EXPECT_EQ(host.placed[0], "display1");
    EXPECT_EQ(host.placed[1], "display0");
    EXPECT_EQ(host.resumeTimerMs, 100);
    flow->SwitchView();
    EXPECT_EQ(flow->ViewChannel(), 0);
    EXPECT_EQ(host.fullScreenLabels.back(), "<display_text_front>");
    EXPECT_EQ(host.placed[0], "display0");
}

TEST_F(PlayFlowTest, SwitchWithOneChannelOnlyReturnsToTheFirstChannel)
{
    ASSERT_NO_FATAL_FAILURE(LoadCard([](cardgen::CardOptions& o) { o.channels = 1; }));
    ASSERT_EQ(Record(0)->GetChannelCount(), 1);
    flow->SwitchView();  // stopped: the view may move
    ASSERT_EQ(flow->ViewChannel(), 1);
    ASSERT_EQ(flow->PlayStart(0), 0);
    EXPECT_EQ(flow->ViewChannel(), 0) << "a new channel count starts at the first channel";
    const size_t labels = host.fullScreenLabels.size();
    flow->SwitchView();
    EXPECT_EQ(flow->ViewChannel(), 0);
    EXPECT_EQ(host.fullScreenLabels.size(), labels) << "nothing happens at channel 0";
}

TEST_F(PlayFlowTest, FullScreenDrawsOnlyTheViewChannel)
{
    ASSERT_NO_FATAL_FAILURE(LoadCard());
    ASSERT_EQ(flow->PlayStart(0), 0);  // lays out for two channels
    flow->Stop();
    host.windowState = 3;
    flow->SwitchView();  // view channel 1, laid out for full screen
    EXPECT_TRUE(host.placed[0].isEmpty()) << "panels stay hidden in full screen";
    flow->ResumePictures();
    // Pictures the first start drew before its stop do not count.
    for (auto& display : host.displays)
        display.draws = 0;
    ASSERT_EQ(flow->PlayStart(0), 0);  // same channel count: the view stays
    ASSERT_EQ(flow->ViewChannel(), 1);
    ASSERT_TRUE(Pump([&] { return host.fullScreen.draws.load() > 2; }));
    EXPECT_EQ(host.displays[0].draws.load(), 0);
    EXPECT_EQ(host.displays[1].draws.load(), 0);
}

TEST_F(PlayFlowTest, PlayRecordNotificationSkipsTheSameRecording)
{
    ASSERT_NO_FATAL_FAILURE(LoadCard());
    host.selectedRow = 0;
    // The same recording (equal paths, another object) changes nothing.
    CRecFileInfo copy;
    for (const std::wstring& p : Record(0)->m_arrFilePath)
        copy.AddFilePath(p);
    flow->OnPanelNotify(msg::kNotifyPlayRecord, reinterpret_cast<intptr_t>(&copy));
    EXPECT_EQ(host.selectedRow, 0);
    // Another recording is selected while stopped...
    flow->OnPanelNotify(msg::kNotifyPlayRecord, reinterpret_cast<intptr_t>(Record(2)));
    EXPECT_EQ(host.selectedRow, 2);
    EXPECT_EQ(flow->PlayState(), CPlayFlow::kStopped);
    // ...and played at once while playing.
    ASSERT_EQ(flow->PlayStart(0), 0);
    flow->OnPanelNotify(msg::kNotifyPlayRecord, reinterpret_cast<intptr_t>(Record(1)));
    EXPECT_EQ(host.selectedRow, 1);
    EXPECT_EQ(host.playingRow, 1);
    EXPECT_EQ(flow->CurrentRecord(), Record(1));
}

TEST_F(PlayFlowTest, NextAndPreviousWhileStoppedOnlyMoveTheSelection)
{
    ASSERT_NO_FATAL_FAILURE(LoadCard());
    host.selectedRow = 0;
    flow->NextFile();
    EXPECT_EQ(host.selectedRow, 1);
    flow->NextFile();
    flow->NextFile();
    EXPECT_EQ(host.selectedRow, 2) << "no row after the last";
    flow->PrevFile();
    EXPECT_EQ(host.selectedRow, 1);
    EXPECT_EQ(flow->PlayState(), CPlayFlow::kStopped);
    EXPECT_EQ(flow->CurrentRecord(), nullptr);
}

TEST_F(PlayFlowTest, PreviousAtTheFirstRecordingStops)
{
    ASSERT_NO_FATAL_FAILURE(LoadCard());
    ASSERT_EQ(flow->PlayStart(1), 0);
    flow->PrevFile();
    EXPECT_EQ(host.playingRow, 0);
    EXPECT_EQ(host.selectedRow, 0);
    EXPECT_EQ(flow->CurrentRecord(), Record(0));
    flow->PrevFile();
    EXPECT_EQ(flow->PlayState(), CPlayFlow::kStopped);
    EXPECT_TRUE(host.playShown);
}

TEST_F(PlayFlowTest, AdjustmentsAndZoomOptionsReachEveryDisplay)
{
    ASSERT_NO_FATAL_FAILURE(LoadCard());
    settings.m_nBrightness[1] = 70;
    settings.m_nContrast[1] = 20;
    settings.m_nFlip[1] = 0x103;  // only the low byte counts
    flow->OnPlayerEvent(msg::kEventVideoAdjust);
    EXPECT_EQ(host.displays[1].brightness, 70);
    EXPECT_EQ(host.displays[1].contrast, 20);
    EXPECT_EQ(host.displays[1].flip, 3);
    EXPECT_EQ(host.fullScreen.brightness, settings.m_nBrightness[0]) << "full screen follows the view channel";

    const int pos = settings.m_nZoomPipPos;
    flow->ToggleZoomPipPos();
    EXPECT_EQ(settings.m_nZoomPipPos, pos == 0 ? 1 : 0);
    EXPECT_EQ(host.displays[0].pipPos, settings.m_nZoomPipPos);
    EXPECT_EQ(host.fullScreen.pipPos, settings.m_nZoomPipPos);
    flow->ToggleZoomPipShow();
    EXPECT_EQ(host.displays[1].pipShow, settings.m_nZoomPipShow);
}

}  // namespace
}  // namespace kestrel::playflow::test
