// Whole cards: determinism, container layout and decoding, the user data in
// both containers, and the decoy and damaged files.
#include "CardGen.h"
#include "Nmea.h"
#include "card_files.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <map>

extern "C" {
#include <libavutil/log.h>
}

namespace fs = std::filesystem;
using namespace kestrel::cardgen;

namespace {

CardOptions SmallCard(const std::string& folder, uint32_t seed)
{
    CardOptions o = kestrel::cardgen::SmallTestCard(folder, seed);
    o.recordings = 4;
    o.height = 90;
    o.channels = 3;
    o.audio = true;
    o.container = Container::Mixed;
    o.hiddenFiles = true;
    o.nestedFolders = true;
    o.damagedFiles = true;
    return o;
}

std::map<std::string, std::vector<uint8_t>> Snapshot(const std::string& folder)
{
    std::map<std::string, std::vector<uint8_t>> files;
    for (const auto& e : fs::recursive_directory_iterator(folder))
        if (e.is_regular_file()) files[fs::relative(e.path(), folder).string()] = ReadBytes(e.path().string());
    return files;
}

struct Fix {
    int64_t time = 0;  // seconds of the day
    bool valid = false;
    double lat = 0, lon = 0, knots = 0;
};

double Degrees(const std::string& raw, const std::string& hemi)
{
    const double v = std::atof(raw.c_str());
    const int d = static_cast<int>(v / 100);
    const double deg = d + (v - 100.0 * d) / 60.0;
    return (hemi == "S" || hemi == "W") ? -deg : deg;
}

// Fields: time,status,lat,N/S,lon,E/W,speed,...
Fix ParseFields(const std::string& text)
{
    std::vector<std::string> f;
    size_t start = 0;
    for (size_t i = 0; i <= text.size(); ++i)
        if (i == text.size() || text[i] == ',') {
            f.push_back(text.substr(start, i - start));
            start = i + 1;
        }
    Fix fix;
    if (f.size() < 7) return fix;
    const int hms = std::atoi(f[0].c_str());
    fix.time = hms / 10000 * 3600 + hms / 100 % 100 * 60 + hms % 100;
    fix.valid = f[1] == "A";
    if (fix.valid) {
        fix.lat = Degrees(f[2], f[3]);
        fix.lon = Degrees(f[4], f[5]);
        fix.knots = std::atof(f[6].c_str());
    }
    return fix;
}

class CardTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        av_log_set_level(AV_LOG_ERROR);
        s_root = (fs::temp_directory_path() / ("kestrel_cardgen_test_" + std::to_string(getpid()))).string();
        fs::remove_all(s_root);
        std::string error;
        s_ok = GenerateCard(SmallCard(s_root + "/a", 5), &s_card, &error);
        ASSERT_TRUE(s_ok) << error;
    }
    static void TearDownTestSuite() { fs::remove_all(s_root); }

    void SetUp() override { ASSERT_TRUE(s_ok); }

    static std::vector<const GeneratedFile*> FilesOf(int recording)
    {
        std::vector<const GeneratedFile*> out;
        for (const auto& f : s_card.files)
            if (f.recordingIndex == recording) out.push_back(&f);
        return out;
    }

    // The recording's GPS fixes and X readings from its own user data.
    static void UserData(const GeneratedRecording& r, std::vector<Fix>* fixes, std::vector<double>* xs)
    {
        if (r.container == Container::Mp4) {
            for (const auto& s : ReadSdsmTrack(r.primaryPath).samples) {
                if (s[0] == 'G') fixes->push_back(ParseFields(std::string(s.begin() + 9, s.end())));
                if (s[0] == 'M') xs->push_back((s[1] - 128) / 64.0);
            }
        } else {
            for (const auto& c : ReadAviDataChunks(r.primaryPath)) {
                const std::string sentence(reinterpret_cast<const char*>(c.data() + 34));
                fixes->push_back(ParseFields(sentence.substr(7)));
                int32_t x;
                std::memcpy(&x, c.data() + 298, 4);
                xs->push_back(x / 1000.0);
            }
        }
    }

    static inline std::string s_root;
    static inline CardResult s_card;
    static inline bool s_ok = false;
};

}  // namespace

TEST_F(CardTest, SameSeedGivesSameBytesOtherSeedDiffers)
{
    std::string error;
    CardResult again, other;
    ASSERT_TRUE(GenerateCard(SmallCard(s_root + "/b", 5), &again, &error)) << error;
    const auto a = Snapshot(s_root + "/a");
    const auto b = Snapshot(s_root + "/b");
    ASSERT_EQ(a.size(), s_card.files.size());
    ASSERT_EQ(a.size(), b.size());
    for (const auto& [name, bytes] : a) {
        ASSERT_TRUE(b.count(name)) << name;
        EXPECT_TRUE(bytes == b.at(name)) << name << " differs between two runs";
    }

    ASSERT_TRUE(GenerateCard(SmallCard(s_root + "/c", 6), &other, &error)) << error;
    const auto c = Snapshot(s_root + "/c");
    int same = 0;
    for (const auto& [name, bytes] : c)
        if (a.count(name) && a.at(name) == bytes && !bytes.empty()) ++same;
    EXPECT_EQ(same, 0) << "another seed should change every file";
}

TEST_F(CardTest, RecordingCountsAndNames)
{
    ASSERT_EQ(s_card.recordings, 5);  // four asked for, plus the hidden MP4
    ASSERT_EQ(static_cast<int>(s_card.recordingList.size()), s_card.recordings);
    EXPECT_EQ(s_card.aviRecordings + s_card.mp4Recordings, s_card.recordings);
    EXPECT_EQ(s_card.recordingList[1].recType, 1) << "the second recording is an event";
    int64_t previousEnd = 0;
    for (const auto& r : s_card.recordingList) {
        EXPECT_GE(r.startEpochSec * 1000, previousEnd) << "recordings must not overlap";
        previousEnd = r.startEpochSec * 1000 + r.durationMs;
        EXPECT_EQ(r.durationMs, 2000);
        // The name carries the local start time as 14 digits.
        const std::string name = fs::path(r.primaryPath).filename().string();
        std::string stem = fs::path(r.primaryPath).stem().string();
        if (stem.rfind("ch", 0) == 0) stem = stem.substr(4);
        std::string digits;
        for (char ch : stem) {
            if (ch >= '0' && ch <= '9') digits += ch;
        }
        ASSERT_EQ(digits.size(), 14u) << name;
        const time_t t = static_cast<time_t>(r.startEpochSec);
        struct tm tm {};
        localtime_r(&t, &tm);
        char expect[16];
        strftime(expect, sizeof expect, "%Y%m%d%H%M%S", &tm);
        EXPECT_EQ(digits, expect) << name;
        const auto files = FilesOf(r.index);
        const size_t expectedFiles = r.container == Container::AviChannelFiles ? 3u : 1u;
        EXPECT_EQ(files.size(), expectedFiles) << name;
        EXPECT_EQ(r.hidden, name[0] == '.');
    }
    EXPECT_TRUE(s_card.recordingList.back().hidden);
    EXPECT_EQ(s_card.recordingList.back().container, Container::Mp4);
}

TEST_F(CardTest, EveryFileOpensAndDecodesWithTheExpectedLayout)
{
    for (const auto& r : s_card.recordingList) {
        for (const GeneratedFile* f : FilesOf(r.index)) {
            SCOPED_TRACE(f->path);
            const ProbedFile p = ProbeFile(f->path);
            ASSERT_TRUE(p.opened);
            const bool first = f->channel == 0;
            switch (r.container) {
            case Container::AviChannelFiles:
                EXPECT_EQ(p.video, 1);
                EXPECT_EQ(p.audio, first ? 1 : 0);
                break;
            default:
                EXPECT_EQ(p.video, 2);
                EXPECT_EQ(p.audio, 1);
                break;
            }
            EXPECT_EQ(p.other, 1) << "the user-data stream";
            EXPECT_NEAR(p.videoSeconds, r.durationMs / 1000.0, 0.01);
            if (r.container == Container::Mp4) {
                EXPECT_NEAR(p.audioSeconds, r.durationMs / 1000.0, 0.07);
            }
            int pictures = 0;
            EXPECT_EQ(DecodeAll(f->path, &pictures), 0);
            EXPECT_EQ(pictures, p.video * 10);
        }
    }
}

TEST_F(CardTest, UserDataInBothContainers)
{
    bool sawMp4 = false, sawAvi = false;
    for (const auto& r : s_card.recordingList) {
        SCOPED_TRACE(r.primaryPath);
        if (r.container == Container::Mp4) {
            sawMp4 = true;
            const SdsmTrack t = ReadSdsmTrack(r.primaryPath);
            ASSERT_TRUE(t.found);
            EXPECT_GE(t.stscEntries, 2) << "chunks of different sample counts";
            int g = 0, m = 0;
            for (const auto& s : t.samples) {
                if (s[0] == 'G') ++g;
                if (s[0] == 'M' && s.size() == 4) ++m;
            }
            EXPECT_EQ(g, 2);
            EXPECT_EQ(m, 20);
        } else {
            sawAvi = true;
            const auto chunks = ReadAviDataChunks(r.primaryPath);
            ASSERT_EQ(chunks.size(), 2u);
            for (const auto& c : chunks) {
                ASSERT_GE(c.size(), 302u);
                EXPECT_EQ(c.size() % 2, 0u);
                const void* zero = std::memchr(c.data() + 34, 0, c.size() - 34);
                ASSERT_NE(zero, nullptr);
                EXPECT_TRUE(NmeaChecksumValid(reinterpret_cast<const char*>(c.data() + 34)));
                int32_t z;
                std::memcpy(&z, c.data() + 290, 4);
                EXPECT_NEAR(z / 1000.0, 1.0, 0.5);
            }
            // Every channel file of a set carries the same data.
            for (const GeneratedFile* f : FilesOf(r.index)) EXPECT_EQ(ReadAviDataChunks(f->path), chunks);
        }
    }
    EXPECT_TRUE(sawMp4);
    EXPECT_TRUE(sawAvi);
}

TEST_F(CardTest, DriveContinuesAcrossRecordingsAndEventsBrakeHard)
{
    std::vector<Fix> all;
    for (const auto& r : s_card.recordingList) {
        std::vector<Fix> fixes;
        std::vector<double> xs;
        UserData(r, &fixes, &xs);
        ASSERT_FALSE(fixes.empty());
        if (r.index == 0) {
            EXPECT_FALSE(fixes[0].valid) << "no fix while the receiver starts";
        }
        if (r.recType == 1) {
            EXPECT_LT(*std::min_element(xs.begin(), xs.end()), -0.6) << "hard brake";
        }
        all.insert(all.end(), fixes.begin(), fixes.end());
    }
    const Fix* last = nullptr;
    int valid = 0;
    for (const Fix& f : all) {
        if (!f.valid) continue;
        ++valid;
        EXPECT_LE(f.knots * 1.852, 121.0);
        if (last) {
            const int64_t dt = (f.time - last->time + 86400) % 86400;
            const double metres = std::hypot((f.lat - last->lat) * 111320.0,
                                             (f.lon - last->lon) * 111320.0 * std::cos(f.lat * 3.14159265 / 180));
            EXPECT_LE(metres, 34.0 * static_cast<double>(dt) + 5.0) << "jump after " << dt << " s";
        }
        last = &f;
    }
    EXPECT_GT(valid, 5);
}

TEST_F(CardTest, DecoyAndDamagedFiles)
{
    std::map<FileRole, const GeneratedFile*> byRole;
    for (const auto& f : s_card.files) {
        EXPECT_TRUE(fs::exists(f.path)) << f.path;
        if (f.role != FileRole::Recording) {
            EXPECT_EQ(f.recordingIndex, -1) << f.path;
            byRole[f.role] = &f;
        }
    }
    ASSERT_EQ(byRole.size(), 6u);
    EXPECT_EQ(fs::path(byRole[FileRole::HiddenAvi]->path).filename().string().substr(0, 8), ".hidden_");
    EXPECT_FALSE(byRole[FileRole::HiddenAvi]->damaged);
    const std::string deep = fs::relative(byRole[FileRole::TooDeep]->path, s_root + "/a").string();
    EXPECT_EQ(std::count(deep.begin(), deep.end(), '/'), 3) << deep;
    EXPECT_TRUE(ProbeFile(byRole[FileRole::TooDeep]->path).opened);
    for (FileRole role : {FileRole::Truncated, FileRole::WrongExtension, FileRole::Empty}) {
        EXPECT_TRUE(byRole[role]->damaged);
        EXPECT_FALSE(ProbeFile(byRole[role]->path).opened) << byRole[role]->path;
    }
    EXPECT_EQ(fs::file_size(byRole[FileRole::Empty]->path), 0u);
    EXPECT_LT(fs::file_size(byRole[FileRole::Truncated]->path), 200u);
    EXPECT_TRUE(ProbeFile(byRole[FileRole::BadName]->path).opened) << "valid content, only the name is wrong";
}

TEST(CardOptionsTest, RejectsBadOptions)
{
    CardOptions o;
    CardResult r;
    std::string error;
    o.folder = "";
    EXPECT_FALSE(GenerateCard(o, &r, &error));
    EXPECT_FALSE(error.empty());
    o.folder = (fs::temp_directory_path() / "kestrel_cardgen_bad").string();
    o.width = 161;
    EXPECT_FALSE(GenerateCard(o, &r, &error));
    o.width = 160;
    o.channels = 5;
    EXPECT_FALSE(GenerateCard(o, &r, &error));
    o.channels = 2;
    o.durationSec = 0;
    EXPECT_FALSE(GenerateCard(o, &r, &error));
    fs::remove_all(o.folder);
}
