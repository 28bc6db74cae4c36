// The readers with the real media library, on tiny files made by the ffmpeg
// command-line tool at test time.
#include "ByteBuilders.h"
#include "CFileTypeAVI_UB.h"
#include "CFileTypeMP4_A.h"
#include "MediaProbe.h"
#include "TestFiles.h"
#include "kestrel/WideText.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <limits>

using namespace recplugin;
using rptest::TempDir;

namespace {

// Makes a 2-second 64x48 video file; false when ffmpeg is not available.
bool MakeVideo(const std::filesystem::path& path, int videoStreams)
{
    std::filesystem::create_directories(path.parent_path());
    std::string cmd = "ffmpeg -nostdin -loglevel error -y -f lavfi -i testsrc=size=64x48:rate=5 -t 2";
    for (int i = 0; i < videoStreams; ++i)
        cmd += " -map 0:v";
    cmd += " -c:v mpeg4 '" + path.string() + "' >/dev/null 2>&1";
    return std::system(cmd.c_str()) == 0 && std::filesystem::exists(path);
}

}  // namespace

TEST(MediaProbe, DurationsFromStreamUnits)
{
    EXPECT_EQ(StreamDurationMs(10, 1, 5), 2000);
    EXPECT_EQ(StreamDurationMs(90000, 1, 90000), 1000);
    EXPECT_EQ(StreamDurationMs(std::numeric_limits<int64_t>::min(), 1, 1000), 0);  // no value
    EXPECT_EQ(StreamDurationMs(-5, 1, 1000), 0);
    EXPECT_EQ(StreamDurationMs(10, 1, 0), 0);
    EXPECT_EQ(StreamDurationMs(std::numeric_limits<int64_t>::max(), 1000, 1), 0);
}

TEST(MediaProbe, RealChannelFilesAndMultiStreamMp4)
{
    TempDir dir;
    if (!MakeVideo(dir.Path() / "avi/ch0_20180916_123456_NE.avi", 1))
        GTEST_SKIP() << "ffmpeg cannot make test media here";
    std::filesystem::copy_file(dir.Path() / "avi/ch0_20180916_123456_NE.avi",
                               dir.Path() / "avi/ch1_20180916_123456_NE.avi");
    ASSERT_TRUE(MakeVideo(dir.Path() / "mp4/20180916-123456-EVT.mp4", 2));

    CFileTypeAVI_UB avi;
    ASSERT_EQ(avi.SelectFileType(dir.WPath() + L"/avi"), 2);
    ASSERT_EQ(avi.LoadFile(L""), 0);
    ASSERT_EQ(avi.GetAllDataCount(), 1);
    const CRecFileInfo* rec = avi.GetAllDataInfo(0);
    EXPECT_EQ(rec->m_arrChannel, (CWideStringArray{L"1", L"2"}));
    EXPECT_EQ(rec->m_tEnd - rec->m_tStart, 2000);

    CFileTypeMP4_A mp4;
    ASSERT_EQ(mp4.SelectFileType(dir.WPath() + L"/mp4"), 1);
    ASSERT_EQ(mp4.LoadFile(L""), 0);
    const CRecFileInfo* two = mp4.GetAllDataInfo(0);
    ASSERT_NE(two, nullptr);
    EXPECT_EQ(two->m_arrChannel, (CWideStringArray{L"1", L"2"}));
    EXPECT_EQ(two->m_nRecType, 1);
    EXPECT_EQ(two->m_tEnd - two->m_tStart, 2000);
    // A real MP4 without a user-data track: parsed, nothing found.
    EXPECT_EQ(mp4.ParseGSensor(const_cast<CRecFileInfo*>(two)), 0);
    EXPECT_TRUE(two->m_arrGSensor.empty());
}

TEST(MediaProbe, NamesThatLookLikeProtocolsStayFilePaths)
{
    TempDir dir;
    const auto path = dir.Path() / "concat:x|y" / "20180916_123456_NE.avi";
    if (!MakeVideo(path, 1))
        GTEST_SKIP() << "ffmpeg cannot make test media here";
    // Relative to the working folder, the name starts like a protocol.
    const auto cwd = std::filesystem::current_path();
    std::filesystem::current_path(dir.Path());
    CAvFormatProbe probe;
    const auto r = probe.Probe(L"concat:x|y/20180916_123456_NE.avi");
    std::filesystem::current_path(cwd);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->videoDurationsMs.size(), 1u);
    EXPECT_FALSE(probe.Probe(dir.WPath() + L"/missing.avi"));
}

TEST(UserDataFiles, ReadersParseTheFileTheRecordNames)
{
    TempDir dir;
    rptest::Mp4Track track;
    track.chunks = {{rptest::Mp4GSensorSample(0x80, 0xC0, 0x40), rptest::Mp4GpsSample("1,A,1,N,1,E,1")}};
    CRecFileInfo mp4Rec;
    mp4Rec.AddDataPathA(dir.Write("a.mp4", rptest::BuildMp4({track})));
    CFileTypeMP4_A mp4;
    EXPECT_EQ(mp4.ParseGPS(&mp4Rec), 0);  // the GPS parse alone reads nothing
    EXPECT_TRUE(mp4Rec.m_arrGps.empty());
    EXPECT_EQ(mp4.ParseGSensor(&mp4Rec), 0);
    EXPECT_EQ(mp4Rec.m_arrGps.size(), 1u);
    EXPECT_EQ(mp4Rec.m_arrGSensor.size(), 1u);
    EXPECT_EQ(mp4.ParseGSensor(&mp4Rec), 1);
    mp4Rec.ClearGps();
    mp4Rec.ClearGSensor();
    mp4Rec.m_arrDataPathA[0] = dir.WPath() + L"/gone.mp4";
    EXPECT_EQ(mp4.ParseGSensor(&mp4Rec), -1);

    rptest::AviSpec spec;
    spec.dataChunks = {rptest::AviDataChunk("$GPGGA,1", 0, 0, 0)};
    CRecFileInfo aviRec;
    aviRec.AddDataPathB(dir.Write("b.avi", rptest::BuildAvi(spec)));
    CFileTypeAVI_UB avi;
    EXPECT_EQ(avi.ParseGPS(&aviRec), 0);  // the same parse as ParseGSensor
    ASSERT_EQ(aviRec.m_arrGps.size(), 1u);
    EXPECT_EQ(aviRec.m_arrGps[0]->m_cStatus, u'V');  // a GGA sentence
    EXPECT_EQ(aviRec.m_arrGSensor.size(), 1u);
    EXPECT_EQ(avi.ParseGSensor(nullptr), -1);
}
