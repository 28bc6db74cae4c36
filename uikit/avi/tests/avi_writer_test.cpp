#include "AviTestFiles.h"
#include "avi/mmAviParser.h"
#include "avi/mmAviWriter.h"

#include <gtest/gtest.h>
#include <kestrel/WideText.h>

#include <csignal>
#include <cstring>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace avitest;

namespace {

constexpr uint32_t kXblb = MakeFourCC('X', 'B', 'L', 'B');

std::wstring W(const std::filesystem::path& p)
{
    return kestrel::FromUtf8(p.string());
}

Bytes Pattern(size_t n, int seed)
{
    Bytes b(n);
    for (size_t i = 0; i < n; ++i)
        b[i] = static_cast<uint8_t>(seed * 31 + i * 13);
    return b;
}

uint32_t LE32(const Bytes& b, size_t at)
{
    uint32_t v;
    std::memcpy(&v, &b[at], 4);
    return v;
}

struct Written {
    int stream;
    Bytes data;
    uint32_t flags;
};

void ExpectPackets(mmAviParser& parser, const std::vector<Written>& expected)
{
    ASSERT_EQ(parser.GetAVIIndexCount(), static_cast<int>(expected.size()));
    for (size_t i = 0; i < expected.size(); ++i) {
        _TAG_AVI_PACKET_INFO p;
        ASSERT_EQ(parser.GetAVIReadData(static_cast<int>(i), &p), 0) << i;
        EXPECT_EQ(p.nStream, expected[i].stream) << i;
        EXPECT_EQ(Bytes(p.pData, p.pData + p.nLength), expected[i].data) << i;
        EXPECT_EQ(p.dwFlags, expected[i].flags) << i;
    }
}

TEST(AviWriter, ResultCodes)
{
    TempDir dir;
    mmAviWriter w;
    const AVISTREAMINFOW vids = MakeStreamInfo(kFccVids, 0, 1, 25);
    const Bytes bih = BitmapInfo(64, 48, MakeFourCC('H', '2', '6', '4'));
    const uint8_t one = 1;
    EXPECT_EQ(w.OpenAVIVideoStream(vids, bih.data(), static_cast<int>(bih.size()), 0), -2);
    EXPECT_EQ(w.WritePacket(kFccVids, &one, 1, 0, 0), -2);
    EXPECT_EQ(w.OpenAVI(W(dir.File("no/such/folder/x.avi"))), -1);

    ASSERT_EQ(w.OpenAVI(W(dir.File("codes.avi"))), 0);
    EXPECT_EQ(w.OpenAVIVideoStream(vids, bih.data(), static_cast<int>(bih.size()), 0), 0);
    EXPECT_EQ(w.OpenAVIVideoStream(vids, bih.data(), static_cast<int>(bih.size()), 0), -3);
    // Ids are per kind.
    const Bytes wav = PcmWaveFormat(8000);
    EXPECT_EQ(w.OpenAVIAudioStream(MakeStreamInfo(kFccAuds, 0, 2, 16000, 2), wav.data(), 18, 0), 0);
    EXPECT_EQ(w.OpenAVIAudioStream(MakeStreamInfo(kFccAuds, 0, 2, 16000, 2), nullptr, 18, 1), -5);
    EXPECT_EQ(w.OpenAVIVideoStream(vids, bih.data(), 0, 1), -5);
    EXPECT_EQ(w.OpenAVIMetaStream(MakeStreamInfo(kFccTxts, kXblb, 1, 1), nullptr, 0, 0), -5);

    EXPECT_EQ(w.WritePacket(kFccVids, &one, 1, 7, 0), -2);
    EXPECT_EQ(w.WritePacket(kFccTxts, &one, 1, 0, 0), -2);  // no meta stream 0
    EXPECT_EQ(w.WritePacket(kFccVids, &one, -1, 0, 0), -3);
    EXPECT_EQ(w.WritePacket(kFccVids, &one, 1, 0, kAviIndexKeyFrame), 0);

    // Chunk ids hold two decimal digits: at most 100 streams.
    int created = 2;
    for (int id = 1; created < 100; ++id, ++created)
        ASSERT_EQ(w.OpenAVIVideoStream(vids, bih.data(), static_cast<int>(bih.size()), id), 0);
    EXPECT_EQ(w.OpenAVIVideoStream(vids, bih.data(), static_cast<int>(bih.size()), 1000), -4);
    EXPECT_EQ(w.CloseAVI(), 0);

    mmAviParser parser;
    ASSERT_EQ(parser.OpenAVI(W(dir.File("codes.avi"))), 0);
    EXPECT_EQ(parser.GetAVIVideoStreamCount(), 99);
    ExpectPackets(parser, {{0, {1}, kAviIndexKeyFrame}});
}

TEST(AviWriter, WritesHeadersIndexAndPackets)
{
    TempDir dir;
    const auto path = dir.File("layout.avi");
    AVISTREAMINFOW vids = MakeStreamInfo(kFccVids, MakeFourCC('H', '2', '6', '4'), 1, 25);
    vids.rcFrame[2] = 64;
    vids.rcFrame[3] = 48;
    vids.dwLength = 12345;  // replaced by what was written
    const AVISTREAMINFOW auds = MakeStreamInfo(kFccAuds, 0, 2, 16000, 2);
    const AVISTREAMINFOW meta = MakeStreamInfo(kFccTxts, kXblb, 1, 1000);
    const Bytes bih = BitmapInfo(64, -48, MakeFourCC('H', '2', '6', '4'));
    const Bytes wav = PcmWaveFormat(8000);
    const uint8_t metaFormat[4] = {'G', 'P', 'S', 0};

    std::vector<Written> written;
    {
        mmAviWriter w;
        ASSERT_EQ(w.OpenAVI(W(path)), 0);
        ASSERT_EQ(w.OpenAVIVideoStream(vids, bih.data(), static_cast<int>(bih.size()), 5), 0);
        ASSERT_EQ(w.OpenAVIAudioStream(auds, wav.data(), static_cast<int>(wav.size()), 5), 0);
        ASSERT_EQ(w.OpenAVIMetaStream(meta, metaFormat, 0, 5), 0);
        for (int i = 0; i < 6; ++i) {
            const Written v{0, Pattern(101 + 50 * i, i), i % 3 == 0 ? kAviIndexKeyFrame : 0u};
            ASSERT_EQ(w.WritePacket(kFccVids, v.data.data(), static_cast<int>(v.data.size()), 5, v.flags), 0);
            written.push_back(v);
            const Written a{1, Pattern(640, i + 100), kAviIndexKeyFrame};
            ASSERT_EQ(w.WritePacket(kFccAuds, a.data.data(), 640, 5, a.flags), 0);
            written.push_back(a);
            const Written m{2, Pattern(33, i + 200), 0};
            ASSERT_EQ(w.WritePacket(kFccTxts, m.data.data(), 33, 5, 0), 0);
            written.push_back(m);
        }
        ASSERT_EQ(w.CloseAVI(), 0);
        EXPECT_EQ(w.CloseAVI(), 0);  // nothing left to close
    }

    const Bytes raw = ReadFile(path);
    ASSERT_GT(raw.size(), 300u);
    EXPECT_EQ(LE32(raw, 4), raw.size() - 8);
    // avih: 40 ms per frame, index flag, 6 frames, 3 streams, 64 x 48.
    EXPECT_EQ(std::memcmp(&raw[24], "avih", 4), 0);
    EXPECT_EQ(LE32(raw, 32), 40000u);
    EXPECT_EQ(LE32(raw, 44), 0x10u);
    EXPECT_EQ(LE32(raw, 48), 6u);
    EXPECT_EQ(LE32(raw, 56), 3u);
    EXPECT_EQ(LE32(raw, 64), 64u);
    EXPECT_EQ(LE32(raw, 68), 48u);
    // idx1 is last; its first offset counts from the "movi" type code.
    const size_t idx1 = raw.size() - 8 - written.size() * 16;
    ASSERT_EQ(std::memcmp(&raw[idx1], "idx1", 4), 0);
    EXPECT_EQ(std::memcmp(&raw[idx1 + 8], "00dc", 4), 0);
    EXPECT_EQ(std::memcmp(&raw[idx1 + 24], "01wb", 4), 0);
    EXPECT_EQ(std::memcmp(&raw[idx1 + 40], "02tx", 4), 0);
    EXPECT_EQ(LE32(raw, idx1 + 16), 4u);

    mmAviParser parser;
    ASSERT_EQ(parser.OpenAVI(W(path)), 0);
    ASSERT_EQ(parser.GetAVIVideoStreamCount(), 1);
    ASSERT_EQ(parser.GetAVIAudioStreamCount(), 1);
    ASSERT_EQ(parser.GetAVIMetaStreamCount(), 1);
    ExpectPackets(parser, written);

    AVISTREAMINFOW info;
    ASSERT_EQ(parser.GetAVIVideoStreamInfo(&info, 0), 0);
    AVISTREAMINFOW expected = vids;
    expected.dwLength = 6;
    expected.dwSuggestedBufferSize = 351;
    EXPECT_EQ(StreamInfoBytes(info), StreamInfoBytes(expected));
    ASSERT_EQ(parser.GetAVIAudioStreamInfo(&info, 0), 1);
    expected = auds;
    expected.dwLength = 6 * 640 / 2;  // samples of dwSampleSize bytes
    expected.dwSuggestedBufferSize = 640;
    EXPECT_EQ(StreamInfoBytes(info), StreamInfoBytes(expected));
    ASSERT_EQ(parser.GetAVIMetaStreamInfo(&info, 0), 2);
    expected = meta;
    expected.dwLength = 6;
    expected.dwSuggestedBufferSize = 33;
    EXPECT_EQ(StreamInfoBytes(info), StreamInfoBytes(expected));

    uint8_t fmt[64];
    int size = 0;
    ASSERT_EQ(parser.GetAVIVideoFormat(fmt, sizeof fmt, &size, 0), 0);
    EXPECT_EQ(Bytes(fmt, fmt + size), bih);
    ASSERT_EQ(parser.GetAVIAudioFormat(fmt, sizeof fmt, &size, 0), 1);
    EXPECT_EQ(Bytes(fmt, fmt + size), wav);
    ASSERT_EQ(parser.GetAVIMetaFormat(fmt, sizeof fmt, &size, 2), 2);
    EXPECT_EQ(Bytes(fmt, fmt + size), Bytes(metaFormat, metaFormat + 4));
}

TEST(AviWriter, ClosedStreamsKeepTheirData)
{
    TempDir dir;
    const auto path = dir.File("closed.avi");
    const Bytes bih = BitmapInfo(16, 16, 0);
    const AVISTREAMINFOW vids = MakeStreamInfo(kFccVids, 0, 1, 10);
    mmAviWriter w;
    ASSERT_EQ(w.OpenAVI(W(path)), 0);
    ASSERT_EQ(w.OpenAVIVideoStream(vids, bih.data(), 40, 0), 0);
    ASSERT_EQ(w.OpenAVIVideoStream(vids, bih.data(), 40, 1), 0);
    ASSERT_EQ(w.WritePacket(kFccVids, "a", 1, 0, 0x10), 0);
    ASSERT_EQ(w.WritePacket(kFccVids, "b", 1, 1, 0x10), 0);
    w.CloseAVIVideoStream(0);
    EXPECT_EQ(w.WritePacket(kFccVids, "c", 1, 0, 0), -2);
    EXPECT_EQ(w.WritePacket(kFccVids, "d", 1, 1, 0), 0);
    // The id is free again: a new stream, numbered after the others.
    ASSERT_EQ(w.OpenAVIVideoStream(vids, bih.data(), 40, 0), 0);
    EXPECT_EQ(w.WritePacket(kFccVids, "e", 1, 0, 0), 0);
    w.CloseAVIVideoStream(-1);
    EXPECT_EQ(w.WritePacket(kFccVids, "f", 1, 1, 0), -2);

    // Opening another file finishes this one.
    ASSERT_EQ(w.OpenAVI(W(dir.File("other.avi"))), 0);
    mmAviParser parser;
    ASSERT_EQ(parser.OpenAVI(W(path)), 0);
    EXPECT_EQ(parser.GetAVIVideoStreamCount(), 3);
    ExpectPackets(parser, {{0, {'a'}, 0x10}, {1, {'b'}, 0x10}, {1, {'d'}, 0}, {2, {'e'}, 0}});
    EXPECT_EQ(w.CloseAVI(), 0);
}

TEST(AviWriter, StreamsOpenedLateMoveThePacketData)
{
    TempDir dir;
    const auto path = dir.File("late.avi");
    const Bytes bih = BitmapInfo(16, 16, 0);
    mmAviWriter w;
    ASSERT_EQ(w.OpenAVI(W(path)), 0);
    ASSERT_EQ(w.OpenAVIVideoStream(MakeStreamInfo(kFccVids, 0, 1, 10), bih.data(), 40, 0), 0);
    std::vector<Written> written;
    for (int i = 0; i < 40; ++i) {
        written.push_back({0, Pattern(1000 + i, i), 0x10});
        ASSERT_EQ(w.WritePacket(kFccVids, written.back().data.data(), 1000 + i, 0, 0x10), 0);
    }
    // A format much larger than the header room kept for late streams.
    const Bytes bigFormat = Pattern(5001, 9);
    ASSERT_EQ(w.OpenAVIMetaStream(MakeStreamInfo(kFccTxts, kXblb, 1, 1), bigFormat.data(), 5001, 0), 0);
    for (int i = 0; i < 5; ++i) {
        written.push_back({1, Pattern(7, i + 50), 0});
        ASSERT_EQ(w.WritePacket(kFccTxts, written.back().data.data(), 7, 0, 0), 0);
    }
    ASSERT_EQ(w.CloseAVI(), 0);

    mmAviParser parser;
    ASSERT_EQ(parser.OpenAVI(W(path)), 0);
    ExpectPackets(parser, written);
    std::vector<uint8_t> fmt(6000);
    int size = 0;
    ASSERT_EQ(parser.GetAVIMetaFormat(fmt.data(), 6000, &size, 1), 1);
    EXPECT_EQ(Bytes(fmt.begin(), fmt.begin() + size), bigFormat);
}

TEST(AviWriter, StreamWithoutPackets)
{
    TempDir dir;
    mmAviWriter w;
    ASSERT_EQ(w.OpenAVI(W(dir.File("empty.avi"))), 0);
    const Bytes bih = BitmapInfo(16, 16, 0);
    ASSERT_EQ(w.OpenAVIVideoStream(MakeStreamInfo(kFccVids, 0, 1, 10), bih.data(), 40, 0), 0);
    ASSERT_EQ(w.CloseAVI(), 0);
    mmAviParser parser;
    ASSERT_EQ(parser.OpenAVI(W(dir.File("empty.avi"))), 0);
    EXPECT_EQ(parser.GetAVIIndexCount(), 0);
    EXPECT_EQ(parser.GetAVIVideoStreamCount(), 1);
    AVISTREAMINFOW info;
    ASSERT_EQ(parser.GetAVIVideoStreamInfo(&info, 0), 0);
    EXPECT_EQ(info.dwLength, 0u);
}

TEST(AviWriter, FullDiskIsReported)
{
    if (access("/dev/full", W_OK) != 0)
        GTEST_SKIP() << "/dev/full not available";
    mmAviWriter w;
    ASSERT_EQ(w.OpenAVI(L"/dev/full"), 0);
    const Bytes bih = BitmapInfo(16, 16, 0);
    ASSERT_EQ(w.OpenAVIVideoStream(MakeStreamInfo(kFccVids, 0, 1, 10), bih.data(), 40, 0), 0);
    EXPECT_EQ(w.WritePacket(kFccVids, "abc", 3, 0, 0x10), -3);
    EXPECT_EQ(w.CloseAVI(), -1);
}

// The packets fit, but the index and headers written at the end do not: the
// file size limit stands in for a disk that fills up at the last moment.
TEST(AviWriter, FailedFinalWriteIsNotSuccess)
{
    TempDir dir;
    const auto path = dir.File("limited.avi");
    constexpr rlim_t kLimit = 64 * 1024;
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        signal(SIGXFSZ, SIG_IGN);
        rlimit lim{kLimit, kLimit};
        setrlimit(RLIMIT_FSIZE, &lim);
        mmAviWriter w;
        const Bytes bih = BitmapInfo(16, 16, 0);
        if (w.OpenAVI(W(path)) != 0 ||
            w.OpenAVIVideoStream(MakeStreamInfo(kFccVids, 0, 1, 10), bih.data(), 40, 0) != 0)
            _exit(2);
        const Bytes packet(100, 7);
        // Leave less room than the index needs.
        while (std::filesystem::file_size(path) + 108 + 200 < kLimit)
            if (w.WritePacket(kFccVids, packet.data(), 100, 0, 0x10) != 0)
                _exit(3);
        _exit(w.CloseAVI() == -1 ? 0 : 4);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    mmAviParser parser;
    EXPECT_EQ(parser.OpenAVI(W(path)), -1);
}

}  // namespace
