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
    EXPECT_EQ(views.list.playingRow, 1);
    EXPECT_EQ(views.gsensor.record, rec);
    EXPECT_EQ(views.map.track, rec);
    EXPECT_FALSE(rec->m_arrGps.empty()) << "GPS parsed before the start";
    const double duration = flow->StreamInfo().dDuration;
    EXPECT_NEAR(duration, 2.0, 0.3);
    EXPECT_EQ(views.transport.playBarMax, static_cast<int>(duration * 1000.0));
    EXPECT_EQ(views.transport.playBarLabel, "00:00:00/00:00:0" + QString::number(static_cast<int>(duration)));
    EXPECT_EQ(flow->StreamInfo().nLength, rec->GetStartTime() / 1000);

    // The worker's updates move the play-bar past one second.
    ASSERT_TRUE(Pump([&] { return views.transport.playBarPos >= 1000; }));
    EXPECT_TRUE(views.transport.playBarLabel.startsWith("00:00:01/"));
    EXPECT_EQ(views.gsensor.cursor, views.transport.playBarPos);
    EXPECT_GT(views.readouts.updates, 0);
    EXPECT_GT(views.readouts.updatesWithGps, 0);
    EXPECT_GT(views.displays.channels[0].draws.load(), 0);
    EXPECT_GT(views.displays.channels[1].draws.load(), 0);
    EXPECT_EQ(views.displays.fullScreen.draws.load(), 0) << "normal window: panels only";
    // The label is written once per second, not once per picture.
    EXPECT_LT(views.transport.labelWrites, 6);
    EXPECT_GT(views.post.PostedCount(msg::kEventGpsSample), 0);
    EXPECT_GT(views.map.samples, 0);
}

TEST_F(PlayFlowTest, TheEndOfTheLastRecordingStopsAndShowsPlay)
{
    ASSERT_NO_FATAL_FAILURE(LoadCard());
    const int last = RecordCount() - 1;
    CRecFileInfo* rec = Record(last);
    ASSERT_EQ(flow->PlayStart(last), 0);
    views.transport.playShown = false;
    ASSERT_TRUE(Pump([&] { return flow->PlayState() == CPlayFlow::kStopped; }));
    EXPECT_TRUE(views.transport.playShown);
    EXPECT_EQ(views.list.playingRow, -1);
    EXPECT_EQ(flow->CurrentRecord(), nullptr);
    EXPECT_EQ(views.gsensor.record, nullptr);
    EXPECT_EQ(views.map.track, nullptr);
    EXPECT_TRUE(rec->m_arrGps.empty());
    EXPECT_TRUE(rec->m_arrGSensor.empty());
    EXPECT_FALSE(flow->WorkerRunning());
    EXPECT_EQ(views.transport.playBarLabel, "00:00:00/00:00:00");
    EXPECT_FALSE(views.transport.Enabled(PlayControl::Stop));
    EXPECT_TRUE(views.transport.Enabled(PlayControl::Play));
}

TEST_F(PlayFlowTest, AnEndWhilePausedOpensTheNextRecordingPaused)
{
    ASSERT_NO_FATAL_FAILURE(LoadCard());
    ASSERT_EQ(flow->PlayStart(0), 0);
    views.transport.ShowPlayButton(false);
    flow->Pause();
    ASSERT_TRUE(playcore::IsPaused(flow->Player()->GetPlayState()));
    // The engine reports the end (it can end while paused after frame steps).
    flow->OnPlayerEvent(msg::kEventEnd);
    EXPECT_EQ(views.list.playingRow, 1);
    EXPECT_EQ(flow->CurrentRecord(), Record(1));
    EXPECT_EQ(flow->Player()->GetPlayState(), int(playcore::PlayState::Paused));
    EXPECT_TRUE(views.transport.playShown);

    // Running recordings continue running.
    flow->Play();
    flow->OnPlayerEvent(msg::kEventEnd);
    EXPECT_EQ(views.list.playingRow, 2);
    EXPECT_EQ(flow->Player()->GetPlayState(), int(playcore::PlayState::Playing));
    EXPECT_FALSE(views.transport.playShown);
}

TEST_F(PlayFlowTest, SpaceBackspaceAndFrameStepKeepTheButtonsInStep)
{
    ASSERT_NO_FATAL_FAILURE(LoadCard());
    ASSERT_EQ(flow->PlayStart(0), 0);
    flow->Play();  // already open: resumes, shows pause
    IPlayback* player = flow->Player();
    EXPECT_FALSE(views.transport.playShown);
    EXPECT_TRUE(views.list.playStatus);

    flow->TogglePlayPause();
    EXPECT_EQ(player->GetPlayState(), int(playcore::PlayState::Paused));
    EXPECT_TRUE(views.transport.playShown);
    EXPECT_FALSE(views.list.playStatus);
    flow->FrameStep();  // paused: one picture on, still paused
    EXPECT_EQ(player->GetPlayState(), int(playcore::PlayState::Paused));

    flow->Restart();  // paused: back to the start and running
    EXPECT_EQ(player->GetPlayState(), int(playcore::PlayState::Playing));
    EXPECT_FALSE(views.transport.playShown);
    EXPECT_TRUE(views.list.playStatus);
    flow->FrameStep();  // running: pauses
    EXPECT_EQ(player->GetPlayState(), int(playcore::PlayState::Paused));
    flow->TogglePlayPause();
    EXPECT_EQ(player->GetPlayState(), int(playcore::PlayState::Playing));
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
    EXPECT_EQ(player->GetPlayState(), int(playcore::PlayState::Paused)) << "dragging pauses";
    flow->OnPlayBarSlider(ctrlmsg::WM_SLIDER_MOVED, 800);
    flow->OnPlayBarSlider(ctrlmsg::WM_SLIDER_RELEASED, 900);
    EXPECT_EQ(player->GetPlayState(), int(playcore::PlayState::Playing));

    flow->Pause();
    flow->OnPlayBarSlider(ctrlmsg::WM_SLIDER_PRESSED, 500);
    flow->OnPlayBarSlider(ctrlmsg::WM_SLIDER_RELEASED, 600);
    EXPECT_EQ(player->GetPlayState(), int(playcore::PlayState::Paused)) << "paused before the drag: stays paused";
}

TEST_F(PlayFlowTest, StepBackwardNearTheStartSeeksToTheStart)
{
    // Recordings long enough that the next one cannot start (at 0) while
    // the test waits: only a real seek back brings the position under 0.5 s.
    ASSERT_NO_FATAL_FAILURE(LoadCard([](cardgen::CardOptions& o) { o.durationSec = 8.0; }));
    settings.m_nStepIntrPlaying = 1;
    ASSERT_EQ(flow->PlayStart(0), 0);
    ASSERT_TRUE(Pump([&] { return views.transport.playBarPos >= 1000; }));
    // The play-bar claims 0.3 s: back by 1.5 s lands on 0, not below.
    views.transport.playBarPos = 300;
    flow->StepBackward();
    ASSERT_TRUE(Pump([&] { return views.transport.playBarPos < 500 && views.transport.playBarLabel.startsWith("00:00:00/"); },
                     4000));
    EXPECT_EQ(flow->CurrentRecord(), Record(0)) << "still the first recording";
}

TEST_F(PlayFlowTest, HeldForwardStepsKeepTheirPaceWithoutBlocking)
{
    ASSERT_NO_FATAL_FAILURE(LoadCard([](cardgen::CardOptions& o) { o.durationSec = 8.0; }));
    settings.m_nStepIntrPlaying = 1;
    ASSERT_EQ(flow->PlayStart(0), 0);
    ASSERT_TRUE(Pump([&] { return views.transport.playBarPos > 0; }));
    // Ten key repeats in a burst: the first steps, the rest fall within the
    // pace and are dropped at once instead of sleeping or queueing.
    const auto begun = std::chrono::steady_clock::now();
    views.transport.playBarPos = 1000;
    views.transport.playBarMax = 8000;
    for (int i = 0; i < 10; ++i)
        flow->StepForward();
    const auto spent = std::chrono::steady_clock::now() - begun;
    EXPECT_LT(spent, std::chrono::milliseconds(150)) << "the user-interface thread does not wait between steps";
    ASSERT_TRUE(Pump([&] { return views.transport.playBarPos >= 2000; }, 4000)) << "the first step went ahead";
}

TEST_F(PlayFlowTest, AnUnopenableRecordingAsksAndContinuesWhenConfirmed)
{
    ASSERT_NO_FATAL_FAILURE(LoadCard());
    // Damage the middle recording's first file after the list was read.
    const std::string path = std::filesystem::path(Record(1)->m_arrFilePath[0]).string();
    std::ofstream(path, std::ios::binary | std::ios::trunc) << "not a recording";

    views.prompt.goOn = true;
    EXPECT_TRUE(flow->OnPanelNotify(msg::kNotifyRowDoubleClick, 1));
    EXPECT_EQ(views.prompt.questions, 1);
    EXPECT_EQ(flow->PlayState(), CPlayFlow::kStopped);
    // Confirming continues after the failed row, not after the last played one.
    ASSERT_TRUE(Pump([&] { return flow->PlayState() == CPlayFlow::kPlaying; }));
    EXPECT_EQ(views.list.playingRow, 2);
    EXPECT_EQ(flow->CurrentRecord(), Record(2));
    EXPECT_EQ(views.prompt.questions, 1);
}

TEST_F(PlayFlowTest, AnUnopenableRecordingStopsWhenCancelled)
{
    ASSERT_NO_FATAL_FAILURE(LoadCard());
    const std::string path = std::filesystem::path(Record(1)->m_arrFilePath[0]).string();
    std::ofstream(path, std::ios::binary | std::ios::trunc) << "not a recording";

    ASSERT_EQ(flow->PlayStart(0), 0);
    views.prompt.goOn = false;
    flow->NextFile();
    EXPECT_EQ(views.prompt.questions, 1);
    ASSERT_TRUE(Pump([&] { return flow->PlayState() == CPlayFlow::kStopped; }));
    EXPECT_TRUE(views.transport.playShown);
    EXPECT_EQ(flow->CurrentRecord(), nullptr);
    EXPECT_EQ(views.post.PostedCount(msg::kEventStop), 1);
}

TEST_F(PlayFlowTest, StopWhileTheWorkerIsBusyEndsPromptly)
{
    ASSERT_NO_FATAL_FAILURE(LoadCard());
    views.post.delayMs = 40;  // the worker spends its time handing over
    for (int round = 0; round < 4; ++round) {
        ASSERT_EQ(flow->PlayStart(round % RecordCount()), 0);
        ASSERT_TRUE(Pump([&] { return views.transport.playBarPos > 0; }));
        const auto begun = std::chrono::steady_clock::now();
        flow->Stop();
        const auto took = std::chrono::steady_clock::now() - begun;
        EXPECT_LT(took, std::chrono::seconds(2));
        EXPECT_FALSE(flow->WorkerRunning());
        // Updates still queued from before the stop change nothing.
        Pump(nullptr, 100);
        EXPECT_EQ(views.transport.playBarLabel, "00:00:00/00:00:00");
        EXPECT_EQ(views.transport.playBarPos, 0);
    }
}

}  // namespace
}  // namespace kestrel::playflow::test
