#include "ByteBuilders.h"
#include "ByteSource.h"
#include "Mp4UserData.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace recplugin;
using rptest::Bytes;
using rptest::BuildMp4;
using rptest::Mp4GpsSample;
using rptest::Mp4GSensorSample;
using rptest::Mp4Track;

namespace {

const char* kFields = "123519,A,3723.2475,N,12158.3416,W,0.13,309.62,120598";

int Parse(const Bytes& image, CRecFileInfo& rec)
{
    CMemoryByteSource src(image.data(), image.size());
    Mp4SampleTables tables;
    const int r = ParseMp4UserData(src, rec, tables);
    EXPECT_TRUE(tables.sampleSizes.empty() && tables.chunkOffsets.empty() && tables.samplesPerChunk.empty());
    return r;
}

Bytes StscBox(const std::vector<std::pair<uint32_t, uint32_t>>& entries, uint32_t claimed)
{
    Bytes p(4, 0);
    rptest::PutBE32(p, claimed);
    for (auto [first, per] : entries) {
        rptest::PutBE32(p, first);
        rptest::PutBE32(p, per);
        rptest::PutBE32(p, 1);
    }
    return rptest::Mp4Box("stsc", p);
}

Bytes StcoBox(uint32_t chunks)
{
    Bytes p(4, 0);
    rptest::PutBE32(p, chunks);
    for (uint32_t c = 0; c < chunks; ++c)
        rptest::PutBE32(p, 1000 + c);
    return rptest::Mp4Box("stco", p);
}

}  // namespace

TEST(Mp4SampleTables, StscExpandsToOneValuePerChunk)
{
    Bytes stbl = StscBox({{1, 4}, {3, 2}}, 2);
    rptest::Append(stbl, StcoBox(5));
    Mp4SampleTables t;
    BuildMp4SampleTables(stbl.data(), stbl.size(), t);
    EXPECT_EQ(t.samplesPerChunk, (std::vector<uint32_t>{4, 4, 2, 2, 2}));
    EXPECT_EQ(t.chunkOffsets.size(), 5u);
}

TEST(Mp4SampleTables, CountsAreBoundedByTheirBoxes)
{
    // stsc claims a million entries and a first chunk far away; stco claims
    // more offsets than it has. Nothing beyond the boxes is read and the
    // expansion stops at the number of chunks.
    Bytes stbl = StscBox({{1, 3}, {0x7FFFFFFF, 1}}, 1000000);
    Bytes stco = StcoBox(4);
    stco[12] = 0x10;  // count: 0x10000004
    rptest::Append(stbl, stco);
    Mp4SampleTables t;
    BuildMp4SampleTables(stbl.data(), stbl.size(), t);
    EXPECT_EQ(t.chunkOffsets.size(), 4u);
    EXPECT_EQ(t.samplesPerChunk, (std::vector<uint32_t>{3, 3, 3, 3}));

    // The last box cut off by its parent keeps the entries it has.
    Mp4SampleTables cut;
    BuildMp4SampleTables(stbl.data(), stbl.size() - 6, cut);
    EXPECT_EQ(cut.chunkOffsets.size(), 2u);
}

TEST(Mp4UserData, GSensorAndGpsSamplesAreDecodedAndStamped)
{
    Mp4Track video;
    video.handler = "vide";
    video.chunks = {{Bytes(50, 0x11)}};
    Mp4Track data;
    data.chunks = {{Mp4GSensorSample(0x80, 0xC0, 0x40), Mp4GpsSample(kFields)},
                   {Mp4GSensorSample(0x81, 0x80, 0x80), Mp4GpsSample(kFields), Bytes{0x00, 0x01}}};
    CRecFileInfo rec;
    rec.m_tStart = 2000000;
    rec.m_tEnd = 2000000 + 10000;
    ASSERT_EQ(Parse(BuildMp4({video, data}), rec), 0);
    ASSERT_EQ(rec.m_arrGSensor.size(), 2u);
    EXPECT_DOUBLE_EQ(rec.m_arrGSensor[0]->m_dX, 0.0);
    EXPECT_DOUBLE_EQ(rec.m_arrGSensor[0]->m_dY, 1.0);
    EXPECT_DOUBLE_EQ(rec.m_arrGSensor[0]->m_dZ, -1.0);
    EXPECT_DOUBLE_EQ(rec.m_arrGSensor[1]->m_dX, 1.0 / 64);
    ASSERT_EQ(rec.m_arrGps.size(), 2u);
    EXPECT_EQ(rec.m_arrGps[1]->m_cStatus, u'A');
    EXPECT_NEAR(rec.m_arrGps[1]->m_dLon, -121.972360, 1e-6);
    // Each list is stamped over the recording on its own.
    EXPECT_EQ(rec.m_arrGSensor[1]->m_tTimeMs, 2005000);
    EXPECT_EQ(rec.m_arrGps[1]->m_tTimeMs, 2005000);
}

TEST(Mp4UserData, OnlyTheFirstUserDataTrackIsRead)
{
    Mp4Track first;
    first.chunks = {{Mp4GSensorSample(0x80, 0x80, 0x80)}};
    Mp4Track second;
    second.chunks = {{Mp4GSensorSample(0xC0, 0xC0, 0xC0), Mp4GSensorSample(0xC0, 0xC0, 0xC0)}};
    CRecFileInfo rec;
    ASSERT_EQ(Parse(BuildMp4({first, second}), rec), 0);
    ASSERT_EQ(rec.m_arrGSensor.size(), 1u);
    EXPECT_DOUBLE_EQ(rec.m_arrGSensor[0]->m_dX, 0.0);
}

TEST(Mp4UserData, StscRunsOfSeveralChunks)
{
    Mp4Track data;
    for (int c = 0; c < 5; ++c) {
        std::vector<Bytes> chunk;
        for (int s = 0; s < (c < 2 ? 4 : 2); ++s)
            chunk.push_back(Mp4GSensorSample(uint8_t(0x80 + c), 0x80, 0x80));
        data.chunks.push_back(chunk);
    }
    data.stsc = {{1, 4}, {3, 2}};
    CRecFileInfo rec;
    ASSERT_EQ(Parse(BuildMp4({data}), rec), 0);
    ASSERT_EQ(rec.m_arrGSensor.size(), 14u);
    EXPECT_DOUBLE_EQ(rec.m_arrGSensor[13]->m_dX, 4.0 / 64);
}

TEST(Mp4UserData, NoUserTrackOrBrokenBoxesGiveZeroAndEmptyLists)
{
    Mp4Track video;
    video.handler = "vide";
    video.chunks = {{Bytes(10, 0)}};
    CRecFileInfo rec;
    EXPECT_EQ(Parse(BuildMp4({video}), rec), 0);
    EXPECT_TRUE(rec.m_arrGSensor.empty());

    // A 64-bit size (1) ends the walk before the moov box.
    Mp4Track data;
    data.chunks = {{Mp4GSensorSample(0x80, 0x80, 0x80)}};
    Bytes image = BuildMp4({data});
    Bytes large = image;
    large[24 + 0] = 0;  // mdat size field (ftyp is 24 bytes)
    large[24 + 1] = 0;
    large[24 + 2] = 0;
    large[24 + 3] = 1;
    EXPECT_EQ(Parse(large, rec), 0);
    EXPECT_TRUE(rec.m_arrGSensor.empty());

    // Truncated inside the moov box: nothing is read past the end.
    for (size_t cut = 0; cut < image.size(); cut += 7) {
        CRecFileInfo part;
        EXPECT_EQ(Parse(Bytes(image.begin(), image.begin() + cut), part), 0);
    }
}

TEST(Mp4UserData, SamplesPastTheEndOfTheFileStopTheRead)
{
    Mp4Track data;
    data.chunks = {{Mp4GSensorSample(0x80, 0x80, 0x80), Mp4GSensorSample(0x90, 0x80, 0x80)}};
    Bytes image = BuildMp4({data});
    // Point the chunk near the end of the file: the second sample would run
    // past it.
    const uint32_t off = uint32_t(image.size() - 6);
    for (size_t i = 0; i + 8 <= image.size(); ++i)
        if (std::memcmp(image.data() + i, "stco", 4) == 0) {
            image[i + 12] = uint8_t(off >> 24);
            image[i + 13] = uint8_t(off >> 16);
            image[i + 14] = uint8_t(off >> 8);
            image[i + 15] = uint8_t(off);
        }
    CRecFileInfo rec;
    EXPECT_EQ(Parse(image, rec), 0);
    EXPECT_LE(rec.m_arrGSensor.size(), 1u);
}
