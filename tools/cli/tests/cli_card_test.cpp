// kestrel-cli end to end: a generated card read through the real recording
// plug-in. Skips with a message when the plug-in has not been built.
#include "CardGen.h"
#include "CliRunner.h"
#include "TextFormat.h"
#include "XmlCheck.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>

namespace {

using kestrel::cardgen::CardOptions;
using kestrel::cardgen::CardResult;
using kestrel::cardgen::Container;

struct Card {
    std::string folder;
    CardResult result;
};

// Cards are written once per test program run and shared by the tests.
const Card& MakeCard(Container container, bool southWest, bool damaged)
{
    static std::map<std::string, Card> cards;
    const std::string key = std::to_string(static_cast<int>(container)) + (southWest ? "s" : "n") + (damaged ? "d" : "");
    auto it = cards.find(key);
    if (it != cards.end())
        return it->second;
    Card card;
    card.folder = std::filesystem::temp_directory_path() / ("kestrel-cli-card-" + std::to_string(getpid()) + "-" + key);
    CardOptions o = kestrel::cardgen::SmallTestCard(card.folder, 7);
    o.container = container;
    o.southWest = southWest;
    o.damagedFiles = damaged;
    std::string error;
    if (!kestrel::cardgen::GenerateCard(o, &card.result, &error))
        ADD_FAILURE() << "card generation failed: " << error;
    return cards.emplace(key, std::move(card)).first->second;
}

class CliCardTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!PluginBuilt())
            GTEST_SKIP() << "no recording plug-in in " << KESTREL_APP_DIR << "/plugins; end-to-end test skipped";
    }
    static void TearDownTestSuite()
    {
        std::error_code ec;
        for (const auto& e : std::filesystem::directory_iterator(std::filesystem::temp_directory_path(), ec))
            if (e.path().filename().string().rfind("kestrel-cli-card-" + std::to_string(getpid()), 0) == 0)
                std::filesystem::remove_all(e.path(), ec);
    }
};

std::vector<int64_t> NumbersAfter(const std::string& text, const std::string& key)
{
    std::vector<int64_t> out;
    for (size_t p = text.find(key); p != std::string::npos; p = text.find(key, p + 1))
        out.push_back(std::strtoll(text.c_str() + p + key.size(), nullptr, 10));
    return out;
}

}  // namespace

TEST_F(CliCardTest, ScanListsEveryRecordingWithItsTimesAndChannels)
{
    const Card& card = MakeCard(Container::Avi, false, false);
    ASSERT_EQ(card.result.aviRecordings, 3);
    CliRun r = RunCli({"scan", card.folder, "--json"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(CountOf(r.out, "\"index\":"), 3u) << r.out;
    const std::vector<int64_t> starts = NumbersAfter(r.out, "\"start_ms\": ");
    ASSERT_EQ(starts.size(), 3u);
    EXPECT_TRUE(std::is_sorted(starts.begin(), starts.end()));
    for (size_t i = 0; i < 3; ++i) {
        const auto& want = card.result.recordingList[i];
        EXPECT_EQ(starts[i], want.startEpochSec * 1000) << i;
        EXPECT_NE(r.out.find("\"start\": \"" + kestrel::cli::FormatLocalTime(want.startEpochSec * 1000) + "\""),
                  std::string::npos);
    }
    EXPECT_EQ(CountOf(r.out, "\"channels\": 2"), 3u);

    // Newest first reverses the order; a type filter keeps only that type.
    r = RunCli({"scan", card.folder, "--json", "--newest-first"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    std::vector<int64_t> reversed = NumbersAfter(r.out, "\"start_ms\": ");
    std::reverse(reversed.begin(), reversed.end());
    EXPECT_EQ(reversed, starts);

    const int type = card.result.recordingList[0].recType;
    const auto sameType = std::count_if(card.result.recordingList.begin(), card.result.recordingList.end(),
                                        [&](const auto& g) { return g.recType == type; });
    r = RunCli({"scan", card.folder, "--json", "--types", std::to_string(type)});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(CountOf(r.out, "\"index\":"), static_cast<size_t>(sameType)) << r.out;

    r = RunCli({"scan", card.folder});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(CountOf(r.out, "\n"), 4u) << r.out;  // header and three rows
}

TEST_F(CliCardTest, GpxTracksCoverEveryRecordingWithFixes)
{
    const Card& card = MakeCard(Container::Avi, false, false);
    const std::string out = card.folder + "/../" + std::filesystem::path(card.folder).filename().string() + ".gpx";
    CliRun r = RunCli({"gps", card.folder, "-o", out});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::string gpx = ReadWholeFile(out);
    EXPECT_EQ(CheckWellFormedXml(gpx).substr(0, 4) == "not ", false) << gpx.substr(0, 2000);
    // Every recording is either a track or reported as without a fix.
    EXPECT_EQ(CountOf(gpx, "<trk>") + CountOf(r.err, "no valid GPS fix"), 3u) << r.err;
    EXPECT_GE(CountOf(gpx, "<trk>"), 1u);
    EXPECT_GT(CountOf(gpx, "<trkpt "), 3u);
    EXPECT_NE(gpx.find("<extensions><speed>"), std::string::npos);
    // Points lie in the northern and eastern hemispheres and carry UTC times
    // inside some recording of the card.
    EXPECT_EQ(gpx.find("lat=\"-"), std::string::npos);
    EXPECT_EQ(gpx.find("lon=\"-"), std::string::npos);
    const std::string first = card.result.recordingList[0].startEpochSec > 0
                                  ? kestrel::cli::FormatUtcIso(card.result.recordingList[0].startEpochSec * 1000).substr(0, 10)
                                  : "";
    EXPECT_NE(gpx.find("<time>" + first), std::string::npos);
    std::filesystem::remove(out);

    r = RunCli({"gps", card.folder, "--format", "kml"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(CheckWellFormedXml(r.out).substr(0, 4) == "not ", false);
    EXPECT_EQ(CountOf(r.out, "<when>"), CountOf(r.out, "<gx:coord>"));
    EXPECT_EQ(CountOf(r.out, "<when>"), CountOf(r.out, "<gx:value>"));
}

TEST_F(CliCardTest, SouthWestDriveGivesNegativeCoordinatesFromMp4)
{
    const Card& card = MakeCard(Container::Mp4, true, false);
    ASSERT_EQ(card.result.mp4Recordings, 3);
    CliRun r = RunCli({"gps", card.folder});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_GE(CountOf(r.out, "<trk>"), 1u);
    EXPECT_EQ(CountOf(r.out, "<trkpt lat=\"-"), CountOf(r.out, "<trkpt "));
    EXPECT_EQ(CountOf(r.out, "lon=\"-"), CountOf(r.out, "<trkpt "));
}

TEST_F(CliCardTest, GSensorCsvHasOneRowPerSample)
{
    const Card& card = MakeCard(Container::Mp4, true, false);
    CliRun r = RunCli({"gsensor", card.folder});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    ASSERT_EQ(r.out.rfind("recording,start_local,time_utc_ms,x_g,y_g,z_g\n", 0), 0u) << r.out.substr(0, 200);
    std::istringstream lines(r.out);
    std::string line;
    std::getline(lines, line);
    int rows = 0;
    const int64_t firstStart = card.result.recordingList.front().startEpochSec * 1000;
    const int64_t lastEnd = (card.result.recordingList.back().startEpochSec + 60) * 1000;
    while (std::getline(lines, line)) {
        ++rows;
        ASSERT_EQ(std::count(line.begin(), line.end(), ','), 5) << line;
        const size_t third = line.find(',', line.find(',') + 1);
        const int64_t t = std::strtoll(line.c_str() + third + 1, nullptr, 10);
        EXPECT_GE(t, firstStart) << line;
        EXPECT_LT(t, lastEnd) << line;
    }
    EXPECT_GT(rows, 3);
}

TEST_F(CliCardTest, DamagedCardStillExportsAndWriteFailuresAreReported)
{
    const Card& card = MakeCard(Container::AviChannelFiles, false, true);
    CliRun r = RunCli({"gps", card.folder});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(CheckWellFormedXml(r.out).substr(0, 4) == "not ", false);
    EXPECT_GE(CountOf(r.out, "<trk>"), 1u);

    r = RunCli({"gps", card.folder, "-o", "/nonexistent/folder/tracks.gpx"});
    EXPECT_EQ(r.exitCode, 6);
    EXPECT_NE(r.err.find("cannot create /nonexistent/folder/tracks.gpx"), std::string::npos) << r.err;
    r = RunCli({"gsensor", card.folder}, "/dev/full");
    EXPECT_EQ(r.exitCode, 6) << r.err;
}
