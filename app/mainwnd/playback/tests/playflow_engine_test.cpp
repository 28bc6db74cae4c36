// The flow with the engine playing generated recordings: start, position,
// end of the list, paused continuation, seeking, stepping, failed opening
// and stopping under a busy worker.
#include "PlayFlowFixture.h"

#include "controls/CtrlMessages.h"
#include "kestrel/ViewerMessages.h"
#include "playcore/IPlayback.h"

#include <chrono>
#include <filesystem>
#include <fstream>

namespace kestrel::playflow::test {
namespace {

TEST_F(PlayFlowTest, StartShowsTheRecordingAndThePlayBarFollowsTheEngine)
{
    ASSERT_NO_FATAL_FAILURE(LoadCard());
    // The card's first recording starts without a GPS fix; the second has one.
    ASSERT_EQ(flow->PlayStart(1), 0);
    CRecFileInfo* rec = Record(1);
    EXPECT_EQ(flow->CurrentRecord(), rec);
    EXPECT_EQ(flow->PlayState(), CPlayFlow::kPlaying);
    EXPECT_EQ(host.playingRow, 1);
    EXPECT_EQ(host.gsensorRecord, rec);
    EXPECT_EQ(host.mapTrack, rec);
    EXPECT_FALSE(rec->m_arrGps.empty()) << "GPS parsed before the start";
    const double duration = flow->StreamInfo().dDuration;
    EXPECT_NEAR(duration, 2.0, 0.3);
    EXPECT_EQ(host.playBarMax, static_cast<int>(duration * 1000.0));
    EXPECT_EQ(host.playBarLabel, "00:00:00/00:00:0" + QString::number(static_cast<int>(duration)));
    EXPECT_EQ(flow->StreamInfo().nLength, rec->GetStartTime() / 1000);

    // The worker's updates move the play-bar past one second.
    ASSERT_TRUE(Pump([&] { return host.playBarPos >= 1000; }));
    EXPECT_TRUE(host.playBarLabel.startsWith("00:00:01/"));
    EXPECT_EQ(host.gsensorCursor, host.playBarPos);
    EXPECT_GT(host.readouts, 0);
    EXPECT_GT(host.readoutsWithGps, 0);
    EXPECT_GT(host.displays[0].draws.load(), 0);
    EXPECT_GT(host.displays[1].draws.load(), 0);
    EXPECT_EQ(host.fullScreen.draws.load(), 0) << "normal window: panels only";
    // The label is written once per second, not once per picture.
    EXPECT_LT(host.labelWrites, 6);
    EXPECT_GT(host.PostedCount(msg::kEventGpsSample), 0);
    EXPECT_GT(host.mapSamples, 0);
}

TEST_F(PlayFlowTest, TheEndOfTheLastRecordingStopsAndShowsPlay)
{
    ASSERT_NO_FATAL_FAILURE(LoadCard());
    const int last = RecordCount() - 1;
    CRecFileInfo* rec = Record(last);
    ASSERT_EQ(flow->PlayStart(last), 0);
    host.playShown = false;
    ASSERT_TRUE(Pump([&] { return flow->PlayState() == CPlayFlow::kStopped; }));
    EXPECT_TRUE(host.playShown);
    EXPECT_EQ(host.playingRow, -1);
    EXPECT_EQ(flow->CurrentRecord(), nullptr);
    EXPECT_EQ(host.gsensorRecord, nullptr);
    EXPECT_EQ(host.mapTrack, nullptr);
    EXPECT_TRUE(rec->m_arrGps.empty());
    EXPECT_TRUE(rec->m_arrGSensor.empty());
    EXPECT_FALSE(flow->WorkerRunning());
    EXPECT_EQ(host.playBarLabel, "00:00:00/00:00:00");
    EXPECT_FALSE(host.Enabled(PlayControl::Stop));
    EXPECT_TRUE(host.Enabled(PlayControl::Play));
}

TEST_F(PlayFlowTest, AnEndWhilePausedOpensTheNextRecordingPaused)
{
    ASSERT_NO_FATAL_FAILURE(LoadCard());
    ASSERT_EQ(flow->PlayStart(0), 0);
    host.ShowPlayButton(false);
    flow->Pause();
    ASSERT_NE(flow->Player()->GetPlayState() & CPlayFlow::kPausedBit, 0);
    // The engine reports the end (it can end while paused after frame steps).
    flow->OnPlayerEvent(msg::kEventEnd);
    EXPECT_EQ(host.playingRow, 1);
    EXPECT_EQ(flow->CurrentRecord(), Record(1));
    EXPECT_EQ(flow->Player()->GetPlayState(), 1 | CPlayFlow::kPausedBit);
    EXPECT_TRUE(host.playShown);

    // Running recordings continue running.
    flow->Play();
    flow->OnPlayerEvent(msg::kEventEnd);
    EXPECT_EQ(host.playingRow, 2);
    EXPECT_EQ(flow->Player()->GetPlayState(), 1);
    EXPECT_FALSE(host.playShown);
}

TEST_F(PlayFlowTest, SpaceBackspaceAndFrameStepKeepTheButtonsInStep)
{
    ASSERT_NO_FATAL_FAILURE(LoadCard());
    ASSERT_EQ(flow->PlayStart(0), 0);
    flow->Play();  // already open: resumes, shows pause
    IPlayback* player = flow->Player();
    EXPECT_FALSE(host.playShown);
    EXPECT_TRUE(host.playStatus);

    flow->TogglePlayPause();
    EXPECT_EQ(player->GetPlayState(), 1 | CPlayFlow::kPausedBit);
    EXPECT_TRUE(host.playShown);
    EXPECT_FALSE(host.playStatus);
    flow->FrameStep();  // paused: one picture on, still paused
    EXPECT_EQ(player->GetPlayState(), 1 | CPlayFlow::kPausedBit);

    flow->Restart();  // paused: back to the start and running
    EXPECT_EQ(player->GetPlayState(), 1);
    EXPECT_FALSE(host.playShown);
    EXPECT_TRUE(host.playStatus);
    flow->FrameStep();  // running: pauses
    EXPECT_EQ(player->GetPlayState(), 1 | CPlayFlow::kPausedBit);
    flow->TogglePlayPause();
    EXPECT_EQ(player->GetPlayState(), 1);
}

TEST_F(PlayFlowTest, UninitializeStopsAndSavesTheSettings)
{
    const std::string folder = (std::filesystem::temp_directory_path() /
                                ("kestrel_playflow_user_" + std::to_string(getpid())))
                                   .string();
    std::filesystem::create_directories(folder);
    userDataFolder = QString::fromStdString(folder);
    settings.LoadSettings(userDataFolder);
    ASSERT_NO_FATAL_FAILURE(LoadCard());
    ASSERT_EQ(flow->PlayStart(0), 0);
    settings.m_nVolume = 40;
    flow->VolumeDown();
    flow->Uninitialize();
    EXPECT_EQ(flow->Player(), nullptr);
    EXPECT_EQ(flow->PlayState(), CPlayFlow::kStopped);
    EXPECT_FALSE(flow->WorkerRunning());

    CViewerSetup reread;
    reread.LoadSettings(userDataFolder);
    EXPECT_EQ(reread.m_nVolume, 35);
    std::filesystem::remove_all(folder);
}

TEST_F(PlayFlowTest, ReleasingThePlayBarResumesOnlyWhatWasRunning)
{
    ASSERT_NO_FATAL_FAILURE(LoadCard());
    ASSERT_EQ(flow->PlayStart(0), 0);
    IPlayback* player = flow->Player();
    flow->OnPlayBarSlider(ctrlmsg::WM_SLIDER_PRESSED, 500);
    EXPECT_EQ(player->GetPlayState(), 1 | CPlayFlow::kPausedBit) << "dragging pauses";
    flow->OnPlayBarSlider(ctrlmsg::WM_SLIDER_MOVED, 800);
    flow->OnPlayBarSlider(ctrlmsg::WM_SLIDER_RELEASED, 900);
    EXPECT_EQ(player->GetPlayState(), 1);

    flow->Pause();
    flow->OnPlayBarSlider(ctrlmsg::WM_SLIDER_PRESSED, 500);
    flow->OnPlayBarSlider(ctrlmsg::WM_SLIDER_RELEASED, 600);
    EXPECT_EQ(player->GetPlayState(), 1 | CPlayFlow::kPausedBit) << "paused before the drag: stays paused";
}

TEST_F(PlayFlowTest, StepBackwardNearTheStartSeeksToTheStart)
{
    ASSERT_NO_FATAL_FAILURE(LoadCard());
    settings.m_nStepIntrPlaying = 1;
    ASSERT_EQ(flow->PlayStart(0), 0);
    ASSERT_TRUE(Pump([&] { return host.playBarPos >= 1000; }));
    // The play-bar claims 0.3 s: back by 1.5 s lands on 0, not below.
    host.playBarPos = 300;
    flow->StepBackward();
    ASSERT_TRUE(Pump([&] { return host.playBarPos < 500 && host.playBarLabel.startsWith("00:00:00/"); }));
}

TEST_F(PlayFlowTest, AnUnopenableRecordingAsksAndContinuesWhenConfirmed)
{
    ASSERT_NO_FATAL_FAILURE(LoadCard());
    // Damage the middle recording's first file after the list was read.
    const std::string path = std::filesystem::path(Record(1)->m_arrFilePath[0]).string();
    std::ofstream(path, std::ios::binary | std::ios::trunc) << "not a recording";

    host.openFailedAnswer = 1;
    EXPECT_TRUE(flow->OnPanelNotify(msg::kNotifyRowDoubleClick, 1));
    EXPECT_EQ(host.questions, 1);
    EXPECT_EQ(host.acceleratorLog, (std::vector<bool>{false, true}));
    EXPECT_EQ(flow->PlayState(), CPlayFlow::kStopped);
    // Confirming continues after the failed row, not after the last played one.
    ASSERT_TRUE(Pump([&] { return flow->PlayState() == CPlayFlow::kPlaying; }));
    EXPECT_EQ(host.playingRow, 2);
    EXPECT_EQ(flow->CurrentRecord(), Record(2));
    EXPECT_EQ(host.questions, 1);
}

TEST_F(PlayFlowTest, AnUnopenableRecordingStopsWhenCancelled)
{
    ASSERT_NO_FATAL_FAILURE(LoadCard());
    const std::string path = std::filesystem::path(Record(1)->m_arrFilePath[0]).string();
    std::ofstream(path, std::ios::binary | std::ios::trunc) << "not a recording";

    ASSERT_EQ(flow->PlayStart(0), 0);
    host.openFailedAnswer = 2;
    flow->NextFile();
    EXPECT_EQ(host.questions, 1);
    ASSERT_TRUE(Pump([&] { return flow->PlayState() == CPlayFlow::kStopped; }));
    EXPECT_TRUE(host.playShown);
    EXPECT_EQ(flow->CurrentRecord(), nullptr);
    EXPECT_EQ(host.PostedCount(msg::kEventStop), 1);
}

TEST_F(PlayFlowTest, StopWhileTheWorkerIsBusyEndsPromptly)
{
    ASSERT_NO_FATAL_FAILURE(LoadCard());
    host.postDelayMs = 40;  // the worker spends its time handing over
    for (int round = 0; round < 4; ++round) {
        ASSERT_EQ(flow->PlayStart(round % RecordCount()), 0);
        ASSERT_TRUE(Pump([&] { return host.playBarPos > 0; }));
        const auto begun = std::chrono::steady_clock::now();
        flow->Stop();
        const auto took = std::chrono::steady_clock::now() - begun;
        EXPECT_LT(took, std::chrono::seconds(2));
        EXPECT_FALSE(flow->WorkerRunning());
        // Updates still queued from before the stop change nothing.
        Pump(nullptr, 100);
        EXPECT_EQ(host.playBarLabel, "00:00:00/00:00:00");
        EXPECT_EQ(host.playBarPos, 0);
    }
}

}  // namespace
}  // namespace kestrel::playflow::test
