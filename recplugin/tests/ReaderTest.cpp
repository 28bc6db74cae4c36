#include "CFileManager.h"
#include "CFileTypeAVI_UB.h"
#include "CFileTypeMP4_A.h"
#include "FolderScan.h"
#include "TestFiles.h"
#include "TimeHelpers.h"
#include "kestrel/WideText.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace recplugin;
using rptest::TempDir;

namespace {

// Stands in for the media library: a file reading "VIDEO <streams> <ms>"
// has that many video streams of that duration; anything else cannot be
// opened.
class FakeProbe : public IMediaProbe {
public:
    std::optional<ProbeResult> Probe(const std::wstring& path) override
    {
        ++calls;
        std::ifstream in(kestrel::ToUtf8(path));
        std::string word;
        int streams = 0;
        int64_t ms = 0;
        if (!(in >> word >> streams >> ms) || word != "VIDEO")
            return std::nullopt;
        ProbeResult r;
        r.videoDurationsMs.assign(size_t(streams), ms);
        return r;
    }
    int calls = 0;
};

template <typename Reader>
std::unique_ptr<Reader> MakeReader(FakeProbe** probe = nullptr)
{
    auto reader = std::make_unique<Reader>();
    auto fake = std::make_unique<FakeProbe>();
    if (probe)
        *probe = fake.get();
    reader->SetProbe(std::move(fake));
    return reader;
}

std::vector<std::string> Names(const std::vector<std::wstring>& paths, const TempDir& dir)
{
    std::vector<std::string> out;
    const std::string root = dir.Path().string() + "/";
    for (const auto& p : paths)
        out.push_back(kestrel::ToUtf8(p).substr(root.size()));
    return out;
}

const std::string kVideo = "VIDEO 1 60000";

void CountProgress(uint32_t code, uint32_t, void*, void* user)
{
    if (code == 0)
        ++*static_cast<int*>(user);
}

}  // namespace

TEST(FolderScan, DepthThreeFilesBeforeSubfoldersSortedByName)
{
    TempDir dir;
    dir.Write("b.avi", kVideo);
    dir.Write("A.AVI", kVideo);  // extension matched without regard to case
    dir.Write("x/c.avi", kVideo);
    dir.Write("x/y/d.avi", kVideo);
    dir.Write("x/y/z/too_deep.avi", kVideo);
    dir.Write("notes.txt", "x");
    dir.Write("avi", "x");
    std::vector<std::wstring> found;
    ScanFolder(dir.WPath(), L".avi", true, 3, found);
    EXPECT_EQ(Names(found, dir), (std::vector<std::string>{"A.AVI", "b.avi", "x/c.avi", "x/y/d.avi"}));
    found.clear();
    ScanFolder(dir.WPath() + L"/missing", L".avi", true, 3, found);
    EXPECT_TRUE(found.empty());
}

TEST(FolderScan, AviFilesOnlyInTheThirdSubfolderLevelAreNotAccepted)
{
    TempDir deep;
    deep.Write("a/b/c/20180916_123456_NE.avi", kVideo);
    CFileManager manager;
    EXPECT_EQ(manager.SelectFileType(deep.WPath()), -1);
    EXPECT_EQ(manager.Current(), nullptr);

    TempDir ok;
    ok.Write("a/b/20180916_123456_NE.avi", kVideo);
    EXPECT_EQ(manager.SelectFileType(ok.WPath()), 1);
    EXPECT_EQ(manager.Current(), manager.Reader(1));
}

TEST(FolderScan, HiddenAviFilesAreSkippedHiddenMp4FilesAreNot)
{
    TempDir dir;
    dir.Write(".20180916_123456_NE.avi", kVideo);
    dir.Write(".hidden/20180916_123456_NE.avi", kVideo);  // a hidden folder is still searched
    CFileTypeAVI_UB avi;
    EXPECT_EQ(avi.SelectFileType(dir.WPath()), 1);
    dir.Write(".20180916_123456.mp4", kVideo);
    CFileTypeMP4_A mp4;
    EXPECT_EQ(mp4.SelectFileType(dir.WPath()), 1);
}

TEST(FolderScan, Mp4ReaderIsPreferredWhenBothKindsArePresent)
{
    TempDir dir;
    dir.Write("20180916_123456_NE.avi", kVideo);
    dir.Write("20180916_123500_NE.avi", kVideo);
    dir.Write("sub/20180916-123456-EVT.MP4", kVideo);
    CFileManager manager;
    EXPECT_EQ(manager.SelectFileType(dir.WPath()), 1);
    EXPECT_EQ(manager.Current(), manager.Reader(0));
}

TEST(AviReader, ChannelFilesOfOneMomentMakeOneRecord)
{
    TempDir dir;
    dir.Write("ch0_20180916_123456_NE.avi", kVideo);
    dir.Write("ch1_20180916_123456_NE.avi", "not opened");
    dir.Write("ch2_20180916_123456_NE.avi", "not opened");
    // Only channels 1 and 2 of another moment, upper-case names.
    dir.Write("CH1_20180916_130000_NM.AVI", kVideo);
    dir.Write("CH2_20180916_130000_NM.AVI", "not opened");
    FakeProbe* probe = nullptr;
    auto reader = MakeReader<CFileTypeAVI_UB>(&probe);
    ASSERT_EQ(reader->SelectFileType(dir.WPath()), 5);
    int progress = 0;
    reader->SetCallback(&CountProgress, &progress);
    ASSERT_EQ(reader->LoadFile(L"ignored"), 0);
    EXPECT_EQ(progress, 5);
    EXPECT_EQ(probe->calls, 2);  // only the primary files are opened
    ASSERT_EQ(reader->GetAllDataCount(), 2);

    const CRecFileInfo* three = reader->GetAllDataInfo(0);
    EXPECT_EQ(three->m_arrChannel, (CWideStringArray{L"1", L"2", L"3"}));
    EXPECT_EQ(three->m_arrFileName,
              (CWideStringArray{L"ch0_20180916_123456_NE.avi", L"ch1_20180916_123456_NE.avi",
                                L"ch2_20180916_123456_NE.avi"}));
    EXPECT_EQ(three->m_arrDataPathB, (CWideStringArray{dir.WPath() + L"/ch0_20180916_123456_NE.avi"}));
    EXPECT_EQ(three->m_tStart, rptest::LocalMs(2018, 9, 16, 12, 34, 56));
    EXPECT_EQ(three->m_tEnd, three->m_tStart + 60000);
    EXPECT_EQ(three->m_nRecType, 1);

    const CRecFileInfo* two = reader->GetAllDataInfo(1);
    EXPECT_EQ(two->m_arrChannel, (CWideStringArray{L"1", L"3"}));
    EXPECT_EQ(two->m_arrFileName, (CWideStringArray{L"CH1_20180916_130000_NM.AVI", L"CH2_20180916_130000_NM.AVI"}));
    EXPECT_EQ(two->m_nRecType, 5);
}

TEST(AviReader, UnopenableChannelFileIsDroppedUnopenableSingleFileIsKept)
{
    TempDir dir;
    dir.Write("ch0_20180916_123456_NE.avi", "garbage");
    dir.Write("ch1_20180916_123456_NE.avi", kVideo);  // a lower channel exists
    dir.Write("20180916_140000_NP.avi", "garbage");
    dir.Write("20180916_150000.avi", kVideo);  // no letters: no record
    auto reader = MakeReader<CFileTypeAVI_UB>();
    ASSERT_EQ(reader->SelectFileType(dir.WPath()), 4);
    ASSERT_EQ(reader->LoadFile(L""), 0);
    ASSERT_EQ(reader->GetAllDataCount(), 1);
    const CRecFileInfo* r = reader->GetAllDataInfo(0);
    EXPECT_EQ(r->GetChannelCount(), 0);
    EXPECT_EQ(r->m_tEnd, 0);
    EXPECT_EQ(r->m_nRecType, 4);
    EXPECT_EQ(reader->ParseGSensor(const_cast<CRecFileInfo*>(r)), -1);  // no data path
}

TEST(Mp4Reader, VideoStreamsBecomeChannelsAndTypesFillTheirLists)
{
    TempDir dir;
    dir.Write("20180916-123456-EVT.mp4", "VIDEO 2 30000");
    dir.Write("20180916-120000.mp4", "VIDEO 1 0");
    dir.Write("2018-09-16.mp4", kVideo);  // too few digits
    auto reader = MakeReader<CFileTypeMP4_A>();
    ASSERT_EQ(reader->SelectFileType(dir.WPath()), 3);
    ASSERT_EQ(reader->LoadFile(L""), 0);
    EXPECT_EQ(reader->TypeList(0).size(), 1u);
    ASSERT_EQ(reader->TypeList(1).size(), 1u);
    const CRecFileInfo* evt = reader->TypeList(1)[0];
    EXPECT_EQ(evt->m_arrChannel, (CWideStringArray{L"1", L"2"}));
    EXPECT_EQ(evt->m_arrFilePath.size(), 2u);
    EXPECT_EQ(evt->m_arrFilePath[0], evt->m_arrFilePath[1]);
    EXPECT_EQ(evt->m_arrDataPathA.size(), 1u);
    EXPECT_EQ(evt->m_tEnd - evt->m_tStart, 30000);
    const CRecFileInfo* plain = reader->TypeList(0)[0];
    EXPECT_EQ(plain->m_tEnd, plain->m_tStart);  // a video stream without duration
    // The user-data parse of the fake file finds no boxes: 0, empty lists.
    EXPECT_EQ(reader->ParseGSensor(const_cast<CRecFileInfo*>(evt)), 0);
    EXPECT_EQ(reader->ParseGPS(const_cast<CRecFileInfo*>(evt)), 0);
    EXPECT_TRUE(evt->m_arrGps.empty());
}

TEST(Mp4Reader, LoadWithoutRecordsFailsAndBreakStopsBetweenFiles)
{
    TempDir dir;
    dir.Write("nodate.mp4", kVideo);
    auto reader = MakeReader<CFileTypeMP4_A>();
    ASSERT_EQ(reader->SelectFileType(dir.WPath()), 1);
    EXPECT_EQ(reader->LoadFile(L""), -1);
    EXPECT_EQ(reader->GetAllDataCount(), 0);

    // A stop raised during the load (here by the first progress report)
    // ends it after the current file; what was loaded stays.
    dir.Write("20180916-120000.mp4", kVideo);
    dir.Write("20180916-120100.mp4", kVideo);
    ASSERT_EQ(reader->SelectFileType(dir.WPath()), 3);
    struct Ctx {
        IFileMan* reader;
        int calls;
    } ctx{reader.get(), 0};
    reader->SetCallback(
        [](uint32_t, uint32_t, void*, void* user) {
            auto* c = static_cast<Ctx*>(user);
            ++c->calls;
            c->reader->BreakLoadFile();
        },
        &ctx);
    EXPECT_EQ(reader->LoadFile(L""), 0);
    EXPECT_EQ(ctx.calls, 1);
    EXPECT_EQ(reader->GetAllDataCount(), 1);
}

TEST(ChannelSiblings, ListsEachFolderOnceAndMatchesBothSpellings)
{
    TempDir dir;
    dir.Write("CH1_X_Y.AVI", "");
    dir.Write("ch2_X_Y.Avi", "");
    CChannelSiblings s;
    EXPECT_EQ(s.Find(dir.WPath(), 1, L"X_Y"), dir.WPath() + L"/CH1_X_Y.AVI");
    EXPECT_EQ(s.Find(dir.WPath(), 2, L"X_Y"), dir.WPath() + L"/ch2_X_Y.Avi");
    EXPECT_EQ(s.Find(dir.WPath(), 0, L"X_Y"), L"");
    EXPECT_EQ(s.Find(dir.WPath(), 1, L"x_y"), L"");  // the rest of the name is exact
    // Files added after the first question are not seen: one listing per load.
    dir.Write("ch0_X_Y.avi", "");
    EXPECT_EQ(s.Find(dir.WPath(), 0, L"X_Y"), L"");
}
