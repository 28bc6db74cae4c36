// Whole cards from the sample-card generator, read by the readers with the
// real media library.
#include "CFileManager.h"
#include "CardGen.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

using namespace recplugin;
using namespace kestrel::cardgen;

namespace {

struct CardCase {
    Container container;
    int readerIndex;  // 0: MP4, 1: AVI
};

class CardTest : public ::testing::TestWithParam<CardCase> {};

}  // namespace

TEST_P(CardTest, EveryRecordingIsFoundAndItsSamplesFollowTheRecording)
{
    rptest::TempDir dir;
    CardOptions o = kestrel::cardgen::SmallTestCard(dir.Path().string(), 11);
    o.width = 64;
    o.height = 48;
    o.container = GetParam().container;
    o.hiddenFiles = true;
    o.nestedFolders = true;
    o.damagedFiles = true;
    CardResult card;
    std::string error;
    ASSERT_TRUE(GenerateCard(o, &card, &error)) << error;

    CFileManager manager;
    ASSERT_GT(manager.SelectFileType(dir.WPath()), 0);
    IFileMan* reader = manager.Current();
    ASSERT_EQ(reader, manager.Reader(GetParam().readerIndex));
    ASSERT_EQ(reader->LoadFile(L""), 0);
    ASSERT_EQ(reader->GetAllDataCount(), card.recordings);

    for (int i = 0; i < reader->GetAllDataCount(); ++i) {
        CRecFileInfo* rec = reader->GetAllDataInfo(i);
        ASSERT_EQ(rec->GetChannelCount(), o.channels) << i;
        EXPECT_GT(rec->m_tEnd, rec->m_tStart);
        ASSERT_EQ(reader->ParseGSensor(rec), 0) << i;
        ASSERT_FALSE(rec->m_arrGps.empty());
        ASSERT_FALSE(rec->m_arrGSensor.empty());
        for (const CUserDataInfo* s : rec->m_arrGps) {
            EXPECT_GE(s->m_tTimeMs, rec->m_tStart);
            EXPECT_LT(s->m_tTimeMs, rec->m_tEnd);
        }
        const CUserDataInfo* last = rec->m_arrGps.back();
        EXPECT_EQ(reader->GetGPSData(rec, last->m_tTime)->m_tTime, last->m_tTime);
    }
}

INSTANTIATE_TEST_SUITE_P(Containers, CardTest,
                         ::testing::Values(CardCase{Container::Avi, 1}, CardCase{Container::AviChannelFiles, 1},
                                           CardCase{Container::Mp4, 0}),
                         [](const auto& info) {
                             switch (info.param.container) {
                             case Container::Avi: return std::string("Avi");
                             case Container::AviChannelFiles: return std::string("AviChannelFiles");
                             default: return std::string("Mp4");
                             }
                         });
