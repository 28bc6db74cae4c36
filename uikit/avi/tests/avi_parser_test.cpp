#include "AviTestFiles.h"
#include "avi/mmAviParser.h"

#include <gtest/gtest.h>
#include <kestrel/WideText.h>

#include <cstring>

using namespace avitest;

namespace {

Bytes WithPrefix(size_t n, bool absoluteIndex = false)
{
    AviSpec spec;
    spec.prefix = Bytes(n, 'x');
    spec.absoluteIndex = absoluteIndex;
    return BuildAvi(spec);
}

int OpenBytes(mmAviParser& parser, const Bytes& bytes)
{
    FILE* f = fmemopen(const_cast<uint8_t*>(bytes.data()), bytes.size(), "rb");
    return f ? parser.OpenAVI(f) : -100;
}

// Reads every index entry; -1 results are kept as empty packets.
std::vector<Packet> ReadAll(mmAviParser& parser)
{
    std::vector<Packet> out;
    for (int n = 0; n < parser.GetAVIIndexCount(); ++n) {
        _TAG_AVI_PACKET_INFO info;
        if (parser.GetAVIReadData(n, &info) != 0) {
            out.push_back({"fail", {}, 0});
            continue;
        }
        out.push_back({std::to_string(info.nStream), Bytes(info.pData, info.pData + info.nLength), info.dwFlags});
    }
    return out;
}

void ExpectDefaultPackets(mmAviParser& parser)
{
    const auto expected = DefaultPackets();
    const auto got = ReadAll(parser);
    ASSERT_EQ(got.size(), expected.size());
    for (size_t i = 0; i < got.size(); ++i) {
        EXPECT_EQ(got[i].ckid, std::to_string(expected[i].ckid[1] - '0')) << i;
        EXPECT_EQ(got[i].data, expected[i].data) << i;
        EXPECT_EQ(got[i].flags, expected[i].flags) << i;
    }
}

TEST(AviParser, ReadsStreamsFormatsAndPackets)
{
    mmAviParser parser;
    EXPECT_EQ(parser.GetAVIVideoStreamCount(), -1);
    const Bytes file = BuildAvi({});
    ASSERT_EQ(OpenBytes(parser, file), 0);
    EXPECT_EQ(parser.GetAVIVideoStreamCount(), 1);
    EXPECT_EQ(parser.GetAVIAudioStreamCount(), 1);
    EXPECT_EQ(parser.GetAVIMetaStreamCount(), 0);

    AVISTREAMINFOW info;
    EXPECT_EQ(parser.GetAVIAudioStreamInfo(&info, 0), 1);
    EXPECT_EQ(info.fccType, kFccAuds);
    EXPECT_EQ(info.dwRate, 16000u);
    EXPECT_EQ(parser.GetAVIAudioStreamInfo(&info, 1), -1);
    EXPECT_EQ(parser.GetAVIMetaStreamInfo(&info, 0), -1);

    uint8_t fmt[64];
    int size = -1;
    EXPECT_EQ(parser.GetAVIVideoFormat(fmt, sizeof fmt, &size, 0), 0);
    EXPECT_EQ(size, 40);
    EXPECT_EQ(Bytes(fmt, fmt + 40), BitmapInfo(32, 16, MakeFourCC('H', '2', '6', '4')));
    // A small buffer takes what fits.
    EXPECT_EQ(parser.GetAVIAudioFormat(fmt, 4, &size, 0), 1);
    EXPECT_EQ(size, 4);
    // The meta variant addresses streams by number, whatever their kind.
    EXPECT_EQ(parser.GetAVIMetaFormat(fmt, sizeof fmt, &size, 1), 1);
    EXPECT_EQ(size, 18);
    EXPECT_EQ(parser.GetAVIMetaFormat(fmt, sizeof fmt, &size, 2), -1);

    ExpectDefaultPackets(parser);
    _TAG_AVI_PACKET_INFO packet;
    EXPECT_EQ(parser.GetAVIReadData(1, &packet), 0);
    EXPECT_EQ(packet.fccType, kFccAuds);
    EXPECT_EQ(packet.nKindIndex, 0);
    EXPECT_EQ(parser.GetAVIReadData(4, &packet), -1);
    EXPECT_EQ(parser.GetAVIReadData(-1, &packet), -1);

    parser.CloseAVI();
    EXPECT_EQ(parser.GetAVIAudioStreamCount(), -1);
    EXPECT_EQ(parser.GetAVIReadData(0, &packet), -1);
}

TEST(AviParser, FindsRiffOnlyWithinTheFirstBytes)
{
    mmAviParser parser;
    EXPECT_EQ(OpenBytes(parser, WithPrefix(28)), 0);
    ExpectDefaultPackets(parser);
    EXPECT_EQ(OpenBytes(parser, WithPrefix(183)), 0);
    EXPECT_EQ(OpenBytes(parser, WithPrefix(184)), -1);
    EXPECT_EQ(OpenBytes(parser, WithPrefix(200)), -1);
    EXPECT_EQ(parser.GetAVIVideoStreamCount(), -1);
}

TEST(AviParser, StreamWithoutFormat)
{
    mmAviParser parser;
    AviSpec spec;
    spec.videoFormat = false;
    ASSERT_EQ(OpenBytes(parser, BuildAvi(spec)), 0);
    uint8_t fmt[8];
    std::memset(fmt, 0x55, sizeof fmt);
    int size = -1;
    EXPECT_EQ(parser.GetAVIVideoFormat(fmt, sizeof fmt, &size, 0), -2);
    EXPECT_EQ(size, 0);
    EXPECT_EQ(Bytes(fmt, fmt + 8), Bytes(8, 0));
    EXPECT_EQ(parser.GetAVIVideoFormat(fmt, sizeof fmt, &size, 1), -1);
}

TEST(AviParser, RelativeAndAbsoluteIndexOffsetsReadTheSamePackets)
{
    for (bool absolute : {false, true}) {
        SCOPED_TRACE(absolute);
        mmAviParser parser;
        // The prefix moves "movi" so that absolute and relative offsets differ.
        ASSERT_EQ(OpenBytes(parser, WithPrefix(28, absolute)), 0);
        ExpectDefaultPackets(parser);
    }
}

TEST(AviParser, ShortAndLongStreamHeaders)
{
    for (size_t strh : {0u, 3u, 20u, 55u, 57u, 80u}) {
        SCOPED_TRACE(strh);
        mmAviParser parser;
        AviSpec spec;
        spec.strhSize = strh;
        ASSERT_EQ(OpenBytes(parser, BuildAvi(spec)), 0);
        AVISTREAMINFOW info;
        std::memset(&info, 0x77, sizeof info);
        const int kind = strh >= 4 ? parser.GetAVIVideoStreamInfo(&info, 0) : parser.GetAVIMetaStreamInfo(&info, 0);
        EXPECT_EQ(kind, 0);
        const Bytes full = StreamInfoBytes(MakeStreamInfo(kFccVids, MakeFourCC('H', '2', '6', '4'), 1, 10));
        Bytes expected(full.begin(), full.begin() + std::min<size_t>(strh, 56));
        expected.resize(56, 0);  // the part the file does not hold is zero
        EXPECT_EQ(StreamInfoBytes(info), expected);
        ExpectDefaultPackets(parser);
    }
}

TEST(AviParser, GrowsReadBufferInWholeMiB)
{
    mmAviParser parser;
    EXPECT_EQ(parser.GetReadBufferSize(), 1048576u);
    Bytes big(1572864);
    for (size_t i = 0; i < big.size(); ++i)
        big[i] = static_cast<uint8_t>(i * 7);
    AviSpec spec;
    spec.packets = {{"00dc", {1}, 0x10}, {"00dc", big, 0}};
    ASSERT_EQ(OpenBytes(parser, BuildAvi(spec)), 0);
    _TAG_AVI_PACKET_INFO packet;
    ASSERT_EQ(parser.GetAVIReadData(0, &packet), 0);
    EXPECT_EQ(parser.GetReadBufferSize(), 1048576u);
    ASSERT_EQ(parser.GetAVIReadData(1, &packet), 0);
    EXPECT_EQ(parser.GetReadBufferSize(), 3u * 1048576u);
    EXPECT_EQ(Bytes(packet.pData, packet.pData + packet.nLength), big);
}

TEST(AviParser, RejectsIndexEntriesThatDoNotFitTheFile)
{
    Bytes file = BuildAvi({});
    const size_t idx1 = file.size() - 4 * 16;
    auto setEntry = [&](int n, int field, uint32_t v) {
        std::memcpy(&file[idx1 + static_cast<size_t>(n) * 16 + static_cast<size_t>(field) * 4], &v, 4);
    };
    setEntry(0, 3, 0x7FFFFFF0);                   // length past the file end
    setEntry(1, 2, 0xFFFFFF00);                   // offset past the file end
    setEntry(2, 0, MakeFourCC('0', '7', 'd', 'c'));  // no stream 7
    setEntry(3, 0, MakeFourCC('x', '0', 'd', 'c'));  // not a stream number
    mmAviParser parser;
    ASSERT_EQ(OpenBytes(parser, file), 0);
    _TAG_AVI_PACKET_INFO packet;
    for (int n = 0; n < 4; ++n)
        EXPECT_EQ(parser.GetAVIReadData(n, &packet), -1) << n;
    EXPECT_EQ(parser.GetReadBufferSize(), 1048576u);
}

TEST(AviParser, TruncatedFilesNeverOpen)
{
    const Bytes file = WithPrefix(10);
    mmAviParser parser;
    // Anything short of the complete index is a damaged file.
    for (size_t len = 0; len + 1 < file.size(); ++len) {
        Bytes cut(file.begin(), file.begin() + static_cast<long>(len));
        cut.resize(std::max<size_t>(len, 1));
        EXPECT_EQ(OpenBytes(parser, cut), -1) << len;
        EXPECT_EQ(parser.GetAVIIndexCount(), 0);
    }
}

TEST(AviParser, StructureErrors)
{
    const Bytes good = BuildAvi({});
    auto patch = [&](size_t at, const char* fcc) {
        Bytes b = good;
        std::memcpy(&b[at], fcc, 4);
        return b;
    };
    mmAviParser parser;
    EXPECT_EQ(OpenBytes(parser, patch(12, "JUNK")), -1);  // no header list
    EXPECT_EQ(OpenBytes(parser, patch(20, "strl")), -1);  // header list of the wrong type
    EXPECT_EQ(OpenBytes(parser, patch(24, "avix")), -1);  // no "avih"
    EXPECT_EQ(OpenBytes(parser, patch(100, "strx")), -1); // stream list without "strh"
    // Without "idx1" the file does not open.
    Bytes noIndex = good;
    std::memcpy(&noIndex[good.size() - 72], "xdx1", 4);
    EXPECT_EQ(OpenBytes(parser, noIndex), -1);
}

TEST(AviParser, ZeroAndHugeChunkSizesDoNotHang)
{
    // Top-level padding of size 0 before "movi", then a list claiming 4 GiB.
    Bytes body = Fcc("AVI ");
    Append(body, List("hdrl", {Chunk("avih", Bytes(56, 0))}));
    Append(body, Chunk("JUNK", {}));
    Append(body, Chunk("JUNK", {}));
    Bytes huge = Fcc("LIST");
    PutLE32(huge, 0xFFFFFFFF);
    Append(huge, Fcc("movi"));
    Append(body, huge);
    Bytes file = Chunk("RIFF", body);
    mmAviParser parser;
    EXPECT_EQ(OpenBytes(parser, file), -1);

    // A RIFF size of 4 GiB is cut to the file size: the good file still opens.
    Bytes good = BuildAvi({});
    std::memset(&good[4], 0xFF, 4);
    EXPECT_EQ(OpenBytes(parser, good), 0);
    ExpectDefaultPackets(parser);
}

TEST(AviParser, SkipsPaddingAndExtraListsAroundStreams)
{
    // Odd-sized chunks with pad bytes, a stream name after the format, an
    // extended header list and an info list before "movi".
    Bytes body = Fcc("AVI ");
    Append(body, List("hdrl", {Chunk("avih", Bytes(56, 0)), Chunk("JUNK", Bytes(3, 0)),
                               List("strl", {Chunk("strh", StreamInfoBytes(MakeStreamInfo(kFccTxts, 0, 1, 1))),
                                             Chunk("strf", Bytes{1, 2, 3}), Chunk("strn", Bytes(5, 'n'))}),
                               List("odml", {Chunk("dmlh", Bytes(248, 0))})}));
    Append(body, List("INFO", {Chunk("ISFT", Bytes(7, 's'))}));
    Append(body, Chunk("JUNK", Bytes(1, 0)));
    const size_t moviType = 12 + body.size() - 4 + 8;
    Append(body, List("movi", {Chunk("00tx", Bytes{'a', 'b', 'c'})}));
    Bytes index = Fcc("00tx");
    PutLE32(index, 0);
    PutLE32(index, 4);
    PutLE32(index, 3);
    Append(body, Chunk("idx1", index));
    const Bytes file = Chunk("RIFF", body);
    ASSERT_EQ(std::memcmp(&file[moviType], "movi", 4), 0);

    mmAviParser parser;
    ASSERT_EQ(OpenBytes(parser, file), 0);
    EXPECT_EQ(parser.GetAVIMetaStreamCount(), 1);
    uint8_t fmt[8];
    int size = 0;
    EXPECT_EQ(parser.GetAVIMetaFormat(fmt, sizeof fmt, &size, 0), 0);
    EXPECT_EQ(size, 3);
    _TAG_AVI_PACKET_INFO packet;
    ASSERT_EQ(parser.GetAVIReadData(0, &packet), 0);
    EXPECT_EQ(Bytes(packet.pData, packet.pData + packet.nLength), (Bytes{'a', 'b', 'c'}));
    EXPECT_EQ(packet.fccType, kFccTxts);
}

TEST(AviParser, OpensFilesByUtf8Path)
{
    TempDir dir;
    const auto path = dir.File("Fahrt \xC3\xBC" "ber Br\xC3\xBC" "cke.avi");
    WriteFile(path, BuildAvi({}));
    mmAviParser parser;
    EXPECT_EQ(parser.OpenAVI(kestrel::FromUtf8(path.string())), 0);
    ExpectDefaultPackets(parser);
    EXPECT_EQ(parser.OpenAVI(kestrel::FromUtf8(dir.File("missing.avi").string())), kAviErrFileOpen);
    EXPECT_EQ(parser.GetAVIVideoStreamCount(), -1);
}

}  // namespace
