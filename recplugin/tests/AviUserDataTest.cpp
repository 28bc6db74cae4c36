#include "AviUserData.h"
#include "ByteBuilders.h"
#include "ByteSource.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace recplugin;
using rptest::AviDataChunk;
using rptest::AviSpec;
using rptest::Bytes;
using rptest::BuildAvi;

namespace {

const char* kFix = "$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W";

// Data chunks whose X value counts up, so order is visible.
std::vector<Bytes> Chunks(int n, size_t size = 302)
{
    std::vector<Bytes> out;
    for (int i = 0; i < n; ++i)
        out.push_back(AviDataChunk(kFix, 1000, -500, i, size));
    return out;
}

int Parse(const Bytes& image, CRecFileInfo& rec)
{
    CMemoryByteSource src(image.data(), image.size());
    return ParseAviUserData(src, rec);
}

std::vector<double> Xs(const CRecFileInfo& rec)
{
    std::vector<double> out;
    for (auto* s : rec.m_arrGSensor)
        out.push_back(s->m_dX);
    return out;
}

// Offset of the n-th occurrence of a four-character code.
size_t Find(const Bytes& b, const char* code, int nth = 0)
{
    for (size_t i = 0; i + 4 <= b.size(); ++i)
        if (std::memcmp(b.data() + i, code, 4) == 0 && nth-- == 0)
            return i;
    return std::string::npos;
}

}  // namespace

TEST(AviDataChunk, AxesAndSentence)
{
    CRecFileInfo rec;
    const Bytes d = AviDataChunk(kFix, 1000, -500, 250);
    ParseAviDataChunk(d.data(), rec);
    ASSERT_EQ(rec.m_arrGSensor.size(), 1u);
    EXPECT_DOUBLE_EQ(rec.m_arrGSensor[0]->m_dZ, 1.0);
    EXPECT_DOUBLE_EQ(rec.m_arrGSensor[0]->m_dY, -0.5);
    EXPECT_DOUBLE_EQ(rec.m_arrGSensor[0]->m_dX, 0.25);
    ASSERT_EQ(rec.m_arrGps.size(), 1u);
    EXPECT_EQ(rec.m_arrGps[0]->m_cStatus, u'A');

    // A sentence filling the whole area (no zero byte) is cut at 255
    // characters and never runs into the axes.
    Bytes full = AviDataChunk("", 7, 8, 9);
    std::memset(full.data() + 34, 'x', 290 - 34);
    ParseAviDataChunk(full.data(), rec);
    EXPECT_EQ(rec.m_arrGps[1]->m_cStatus, u'V');
    EXPECT_DOUBLE_EQ(rec.m_arrGSensor[1]->m_dZ, 0.007);
}

TEST(AviUserData, IndexAndMovieWalkGiveTheSameSamples)
{
    CRecFileInfo withIndex, withoutIndex, unpadded;
    withIndex.m_tStart = withoutIndex.m_tStart = unpadded.m_tStart = 1000000;
    withIndex.m_tEnd = withoutIndex.m_tEnd = unpadded.m_tEnd = 1000000 + 8000;
    AviSpec spec;
    spec.dataChunks = Chunks(8);
    ASSERT_EQ(Parse(BuildAvi(spec), withIndex), 0);
    spec.index = false;
    ASSERT_EQ(Parse(BuildAvi(spec), withoutIndex), 0);
    // Odd video chunks (101 bytes) written without their pad byte.
    spec.pad = false;
    ASSERT_EQ(Parse(BuildAvi(spec), unpadded), 0);
    // Unpadded with an index: the index still follows an odd-sized list.
    CRecFileInfo unpaddedIndexed;
    spec.index = true;
    ASSERT_EQ(Parse(BuildAvi(spec), unpaddedIndexed), 0);
    EXPECT_EQ(unpaddedIndexed.m_arrGSensor.size(), 8u);

    const std::vector<double> expected{0, 0.001, 0.002, 0.003, 0.004, 0.005, 0.006, 0.007};
    EXPECT_EQ(Xs(withIndex), expected);
    EXPECT_EQ(Xs(withoutIndex), expected);
    EXPECT_EQ(Xs(unpadded), expected);
    for (size_t i = 0; i < 8; ++i) {
        EXPECT_EQ(withIndex.m_arrGps[i]->m_tTimeMs, 1000000 + int64_t(i) * 1000);
        EXPECT_EQ(withoutIndex.m_arrGps[i]->m_tTimeMs, withIndex.m_arrGps[i]->m_tTimeMs);
        EXPECT_EQ(withoutIndex.m_arrGSensor[i]->m_tTimeMs, withIndex.m_arrGSensor[i]->m_tTimeMs);
    }
}

TEST(AviUserData, OnlyTheIndexIsUsedWhenPresent)
{
    AviSpec spec;
    spec.dataChunks = Chunks(6);
    Bytes image = BuildAvi(spec);
    // Retype the index entries of the last three data chunks: they no
    // longer name the data stream, so only three samples remain.
    const size_t idx = Find(image, "idx1");
    ASSERT_NE(idx, std::string::npos);
    int dataEntries = 0;
    for (size_t e = idx + 8; e + 16 <= image.size(); e += 16)
        if (image[e] == '0' && image[e + 1] == '1' && ++dataEntries > 3)
            image[e] = 'x';
    CRecFileInfo rec;
    ASSERT_EQ(Parse(image, rec), 0);
    EXPECT_EQ(Xs(rec), (std::vector<double>{0, 0.001, 0.002}));
}

TEST(AviUserData, EveryChunkIdWithTheStreamDigitsIsData)
{
    for (const char* suffix : {"tx", "dc", "wb", "ZZ"}) {
        AviSpec spec;
        spec.dataChunks = Chunks(3);
        spec.dataSuffix = suffix;
        for (bool index : {true, false}) {
            spec.index = index;
            CRecFileInfo rec;
            ASSERT_EQ(Parse(BuildAvi(spec), rec), 0) << suffix;
            EXPECT_EQ(rec.m_arrGSensor.size(), 3u) << suffix << index;
        }
    }
}

TEST(AviUserData, DataStreamNumberComesFromTheHeaderList)
{
    // Text stream first (chunks "00tx", video "01dc"), and third of three.
    for (auto [stream, count] : {std::pair{0, 2}, std::pair{2, 3}}) {
        AviSpec spec;
        spec.dataChunks = Chunks(4);
        spec.dataStream = stream;
        spec.streamCount = count;
        for (bool index : {true, false}) {
            spec.index = index;
            CRecFileInfo rec;
            ASSERT_EQ(Parse(BuildAvi(spec), rec), 0) << stream;
            EXPECT_EQ(rec.m_arrGSensor.size(), 4u) << stream << index;
        }
    }
}

TEST(AviUserData, RiffHeaderIsSearchedInTheFirst184Offsets)
{
    AviSpec spec;
    spec.dataChunks = Chunks(2);
    const Bytes image = BuildAvi(spec);
    Bytes at8(8, 0xAB);
    rptest::Append(at8, image);
    CRecFileInfo rec;
    EXPECT_EQ(Parse(at8, rec), 0);
    EXPECT_EQ(rec.m_arrGSensor.size(), 2u);

    Bytes at190(190, 0xAB);
    rptest::Append(at190, image);
    CRecFileInfo none;
    EXPECT_EQ(Parse(at190, none), -1);
    EXPECT_TRUE(none.m_arrGSensor.empty());
}

TEST(AviUserData, FailuresLeaveTheListsEmpty)
{
    AviSpec spec;
    spec.dataChunks = Chunks(2);
    Bytes image = BuildAvi(spec);
    CRecFileInfo rec;
    EXPECT_EQ(Parse(Bytes(image.begin(), image.begin() + 199), rec), -1);  // under 200 bytes

    // No stream header names the text stream.
    Bytes noStream = image;
    noStream[Find(noStream, "XBLB")] = 'Y';
    EXPECT_EQ(Parse(noStream, rec), -1);

    // A data stream but no data chunks, no index.
    AviSpec empty;
    empty.index = false;
    EXPECT_EQ(Parse(BuildAvi(empty), rec), -1);
    EXPECT_TRUE(rec.m_arrGps.empty());
    EXPECT_TRUE(rec.m_arrGSensor.empty());
}

TEST(AviUserData, ShortChunksAndOutOfRangeIndexEntriesAreSkipped)
{
    AviSpec spec;
    spec.dataChunks = Chunks(4);
    spec.dataChunks[1] = AviDataChunk(kFix, 0, 0, 77, 301);  // one byte short
    spec.dataChunks[2] = AviDataChunk(kFix, 0, 0, 2, 400);   // longer is fine
    for (bool index : {true, false}) {
        spec.index = index;
        CRecFileInfo rec;
        ASSERT_EQ(Parse(BuildAvi(spec), rec), 0);
        EXPECT_EQ(Xs(rec), (std::vector<double>{0, 0.002, 0.003})) << index;
    }

    // An index entry pointing past the end of the file is skipped.
    spec.index = true;
    spec.dataChunks = Chunks(3);
    Bytes image = BuildAvi(spec);
    const size_t idx = Find(image, "idx1");
    for (size_t e = idx + 8; e + 16 <= image.size(); e += 16)
        if (image[e] == '0' && image[e + 1] == '1') {
            image[e + 11] = 0x7F;  // offset += 2 GiB
            break;
        }
    CRecFileInfo rec;
    ASSERT_EQ(Parse(image, rec), 0);
    EXPECT_EQ(Xs(rec), (std::vector<double>{0.001, 0.002}));
}

TEST(AviUserData, TruncatedFileKeepsTheCompleteChunks)
{
    AviSpec spec;
    spec.dataChunks = Chunks(5);
    spec.index = false;
    Bytes image = BuildAvi(spec);
    // Cut inside the fourth data chunk; the RIFF size still claims more.
    const size_t fourth = Find(image, "01tx", 3);
    image.resize(fourth + 100);
    CRecFileInfo rec;
    ASSERT_EQ(Parse(image, rec), 0);
    EXPECT_EQ(Xs(rec), (std::vector<double>{0, 0.001, 0.002}));
}

TEST(AviUserData, SixtyChunksOverSixtySecondsAreOneSecondApart)
{
    AviSpec spec;
    spec.dataChunks = Chunks(60);
    spec.frames = 60;
    CRecFileInfo rec;
    rec.m_tStart = 1537094096000;
    rec.m_tEnd = rec.m_tStart + 60000;
    ASSERT_EQ(Parse(BuildAvi(spec), rec), 0);
    ASSERT_EQ(rec.m_arrGps.size(), 60u);
    for (int i = 0; i < 60; ++i)
        EXPECT_EQ(rec.m_arrGps[i]->m_tTime, 1537094096 + i);
}
