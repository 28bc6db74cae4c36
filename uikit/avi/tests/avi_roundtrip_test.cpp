// Writes a recording-like AVI (two H.264 channels, PCM sound, the camera's
// user-data stream), reads it back with mmAviParser and checks that the media
// library opens and decodes it. Also reads an AVI written by the media
// library's own muxer.
#include "AviTestFiles.h"
#include "avi/mmAviParser.h"
#include "avi/mmAviWriter.h"

#include <gtest/gtest.h>
#include <kestrel/WideText.h>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/opt.h>
}

#include <cmath>
#include <cstring>
#include <memory>

using namespace avitest;

namespace {

constexpr uint32_t kH264 = MakeFourCC('H', '2', '6', '4');
constexpr uint32_t kXblb = MakeFourCC('X', 'B', 'L', 'B');
constexpr int kFps = 10;
constexpr int kFrames = 12;
constexpr int kSampleRate = 8000;
constexpr int kAudioBytesPerFrame = kSampleRate * 2 / kFps;

struct CodecCtxFree {
    void operator()(AVCodecContext* c) const { avcodec_free_context(&c); }
};
struct FrameFree {
    void operator()(AVFrame* f) const { av_frame_free(&f); }
};
struct PacketFree {
    void operator()(AVPacket* p) const { av_packet_free(&p); }
};
struct InputClose {
    void operator()(AVFormatContext* f) const { avformat_close_input(&f); }
};
using CodecCtx = std::unique_ptr<AVCodecContext, CodecCtxFree>;
using Frame = std::unique_ptr<AVFrame, FrameFree>;
using Packet_ = std::unique_ptr<AVPacket, PacketFree>;
using Input = std::unique_ptr<AVFormatContext, InputClose>;

struct Encoded {
    Bytes data;
    uint32_t flags;
};

// A few real H.264 frames of a moving gradient; in-band parameter sets, so
// every key frame decodes on its own as in the camera's files.
std::vector<Encoded> EncodeH264(int width, int height)
{
    const AVCodec* codec = avcodec_find_encoder_by_name("libx264");
    if (!codec)
        return {};
    CodecCtx c(avcodec_alloc_context3(codec));
    c->width = width;
    c->height = height;
    c->time_base = {1, kFps};
    c->framerate = {kFps, 1};
    c->pix_fmt = AV_PIX_FMT_YUV420P;
    c->gop_size = 5;
    c->max_b_frames = 0;
    c->thread_count = 1;
    av_opt_set(c->priv_data, "preset", "ultrafast", 0);
    av_opt_set(c->priv_data, "tune", "zerolatency", 0);
    if (avcodec_open2(c.get(), codec, nullptr) < 0)
        return {};

    std::vector<Encoded> out;
    Packet_ pkt(av_packet_alloc());
    auto drain = [&] {
        while (avcodec_receive_packet(c.get(), pkt.get()) == 0) {
            out.push_back({Bytes(pkt->data, pkt->data + pkt->size),
                           (pkt->flags & AV_PKT_FLAG_KEY) ? kAviIndexKeyFrame : 0u});
            av_packet_unref(pkt.get());
        }
    };
    Frame frame(av_frame_alloc());
    frame->format = AV_PIX_FMT_YUV420P;
    frame->width = width;
    frame->height = height;
    if (av_frame_get_buffer(frame.get(), 0) < 0)
        return {};
    for (int i = 0; i < kFrames; ++i) {
        if (av_frame_make_writable(frame.get()) < 0)
            return {};
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                frame->data[0][y * frame->linesize[0] + x] = static_cast<uint8_t>(x + y + i * 9);
        for (int p = 1; p < 3; ++p)
            for (int y = 0; y < height / 2; ++y)
                std::memset(frame->data[p] + y * frame->linesize[p], 128 + p * 10, static_cast<size_t>(width / 2));
        frame->pts = i;
        if (avcodec_send_frame(c.get(), frame.get()) < 0)
            return {};
        drain();
    }
    avcodec_send_frame(c.get(), nullptr);
    drain();
    return out;
}

struct StreamPlan {
    uint32_t kind;
    int id;
    AVISTREAMINFOW info;
    Bytes format;
    std::vector<Encoded> packets;
};

std::vector<StreamPlan> MakePlan()
{
    std::vector<StreamPlan> plan;
    const int sizes[2][2] = {{160, 96}, {96, 64}};
    for (int ch = 0; ch < 2; ++ch) {
        const int w = sizes[ch][0], h = sizes[ch][1];
        AVISTREAMINFOW info = MakeStreamInfo(kFccVids, kH264, 1, kFps);
        info.rcFrame[2] = static_cast<int16_t>(w);
        info.rcFrame[3] = static_cast<int16_t>(h);
        plan.push_back({kFccVids, ch, info, BitmapInfo(w, h, kH264), EncodeH264(w, h)});
    }
    StreamPlan audio{kFccAuds, 0, MakeStreamInfo(kFccAuds, 0, 2, kSampleRate * 2, 2), PcmWaveFormat(kSampleRate), {}};
    for (int i = 0; i < kFrames; ++i) {
        Bytes pcm(kAudioBytesPerFrame);
        for (size_t s = 0; s < pcm.size() / 2; ++s) {
            const auto v = static_cast<int16_t>(8000 * std::sin(0.05 * static_cast<double>(s + i * pcm.size() / 2)));
            pcm[2 * s] = static_cast<uint8_t>(v);
            pcm[2 * s + 1] = static_cast<uint8_t>(static_cast<uint16_t>(v) >> 8);
        }
        audio.packets.push_back({pcm, kAviIndexKeyFrame});
    }
    plan.push_back(audio);
    StreamPlan meta{kFccTxts, 0, MakeStreamInfo(kFccTxts, kXblb, 1, kFps), Bytes{'G', 'S', 'N', 'S'}, {}};
    meta.info.dwFlags = 0x00010000;
    meta.info.wLanguage = 7;
    for (int i = 0; i < kFrames; ++i) {
        const std::string line = "$GPRMC,1200" + std::to_string(10 + i) + ",A,5230.1,N,01322.5,E," + std::to_string(i);
        meta.packets.push_back({Bytes(line.begin(), line.end()), 0});
    }
    plan.push_back(meta);
    return plan;
}

class AviRoundTrip : public ::testing::Test {
protected:
    void SetUp() override
    {
        av_log_set_level(AV_LOG_ERROR);
        plan_ = MakePlan();
        if (plan_[0].packets.empty())
            GTEST_SKIP() << "libx264 encoder not available";
        ASSERT_EQ(plan_[0].packets.size(), static_cast<size_t>(kFrames));
        ASSERT_EQ(plan_[1].packets.size(), static_cast<size_t>(kFrames));
        path_ = dir_.File("roundtrip.avi");
        mmAviWriter w;
        ASSERT_EQ(w.OpenAVI(kestrel::FromUtf8(path_.string())), 0);
        for (const auto& s : plan_) {
            const int fsize = s.kind == kFccTxts ? 0 : static_cast<int>(s.format.size());
            const int r = s.kind == kFccVids   ? w.OpenAVIVideoStream(s.info, s.format.data(), fsize, s.id)
                          : s.kind == kFccAuds ? w.OpenAVIAudioStream(s.info, s.format.data(), fsize, s.id)
                                               : w.OpenAVIMetaStream(s.info, s.format.data(), fsize, s.id);
            ASSERT_EQ(r, 0);
        }
        for (int i = 0; i < kFrames; ++i)
            for (const auto& s : plan_) {
                const Encoded& p = s.packets[static_cast<size_t>(i)];
                ASSERT_EQ(w.WritePacket(s.kind, p.data.data(), static_cast<int>(p.data.size()), s.id, p.flags), 0);
            }
        ASSERT_EQ(w.CloseAVI(), 0);
    }

    TempDir dir_;
    std::filesystem::path path_;
    std::vector<StreamPlan> plan_;
};

TEST_F(AviRoundTrip, ParserReadsBackWhatWasWritten)
{
    mmAviParser parser;
    ASSERT_EQ(parser.OpenAVI(kestrel::FromUtf8(path_.string())), 0);
    EXPECT_EQ(parser.GetAVIVideoStreamCount(), 2);
    EXPECT_EQ(parser.GetAVIAudioStreamCount(), 1);
    EXPECT_EQ(parser.GetAVIMetaStreamCount(), 1);

    for (size_t s = 0; s < plan_.size(); ++s) {
        SCOPED_TRACE(s);
        const StreamPlan& sp = plan_[s];
        AVISTREAMINFOW info;
        uint8_t fmt[256];
        int size = 0;
        int number = -1;
        if (sp.kind == kFccVids) {
            number = parser.GetAVIVideoStreamInfo(&info, sp.id);
            EXPECT_EQ(parser.GetAVIVideoFormat(fmt, sizeof fmt, &size, sp.id), number);
        } else if (sp.kind == kFccAuds) {
            number = parser.GetAVIAudioStreamInfo(&info, 0);
            EXPECT_EQ(parser.GetAVIAudioFormat(fmt, sizeof fmt, &size, 0), number);
        } else {
            number = parser.GetAVIMetaStreamInfo(&info, 0);
            EXPECT_EQ(parser.GetAVIMetaFormat(fmt, sizeof fmt, &size, number), number);
        }
        EXPECT_EQ(number, static_cast<int>(s));
        EXPECT_EQ(Bytes(fmt, fmt + size), sp.format);

        AVISTREAMINFOW expected = sp.info;
        size_t bytes = 0, largest = 0;
        for (const auto& p : sp.packets) {
            bytes += p.data.size();
            largest = std::max(largest, p.data.size());
        }
        expected.dwLength = static_cast<uint32_t>(sp.info.dwSampleSize ? bytes / sp.info.dwSampleSize : sp.packets.size());
        expected.dwSuggestedBufferSize = static_cast<uint32_t>(largest);
        EXPECT_EQ(StreamInfoBytes(info), StreamInfoBytes(expected));
    }

    ASSERT_EQ(parser.GetAVIIndexCount(), kFrames * static_cast<int>(plan_.size()));
    int n = 0;
    for (int i = 0; i < kFrames; ++i)
        for (size_t s = 0; s < plan_.size(); ++s, ++n) {
            _TAG_AVI_PACKET_INFO p;
            ASSERT_EQ(parser.GetAVIReadData(n, &p), 0);
            const Encoded& e = plan_[s].packets[static_cast<size_t>(i)];
            EXPECT_EQ(p.nStream, static_cast<int>(s));
            EXPECT_EQ(p.fccType, plan_[s].info.fccType);
            EXPECT_EQ(p.nKindIndex, plan_[s].kind == kFccVids ? plan_[s].id : 0);
            EXPECT_EQ(Bytes(p.pData, p.pData + p.nLength), e.data) << n;
            EXPECT_EQ(p.dwFlags, e.flags) << n;
        }
}

TEST_F(AviRoundTrip, MediaLibraryOpensAndDecodesIt)
{
    AVFormatContext* raw = nullptr;
    ASSERT_EQ(avformat_open_input(&raw, path_.string().c_str(), nullptr, nullptr), 0);
    Input in(raw);
    ASSERT_GE(avformat_find_stream_info(in.get(), nullptr), 0);
    ASSERT_EQ(in->nb_streams, 4u);

    std::vector<CodecCtx> decoders(in->nb_streams);
    int videoStreams = 0;
    for (unsigned i = 0; i < in->nb_streams; ++i) {
        const AVStream* st = in->streams[i];
        const AVCodecParameters* par = st->codecpar;
        if (par->codec_type == AVMEDIA_TYPE_VIDEO) {
            const StreamPlan& sp = plan_[i];
            EXPECT_EQ(par->codec_id, AV_CODEC_ID_H264);
            EXPECT_EQ(par->width, sp.info.rcFrame[2]);
            EXPECT_EQ(par->height, sp.info.rcFrame[3]);
            EXPECT_EQ(st->nb_frames, kFrames);
            EXPECT_NEAR(static_cast<double>(st->duration) * av_q2d(st->time_base), 1.0 * kFrames / kFps, 1e-6);
            const AVCodec* codec = avcodec_find_decoder(par->codec_id);
            ASSERT_NE(codec, nullptr);
            decoders[i].reset(avcodec_alloc_context3(codec));
            ASSERT_GE(avcodec_parameters_to_context(decoders[i].get(), par), 0);
            ASSERT_EQ(avcodec_open2(decoders[i].get(), codec, nullptr), 0);
            ++videoStreams;
        } else if (par->codec_type == AVMEDIA_TYPE_AUDIO) {
            EXPECT_EQ(i, 2u);
            EXPECT_EQ(par->codec_id, AV_CODEC_ID_PCM_S16LE);
            EXPECT_EQ(par->sample_rate, kSampleRate);
            EXPECT_EQ(par->ch_layout.nb_channels, 1);
        } else {
            EXPECT_EQ(i, 3u);
        }
    }
    EXPECT_EQ(videoStreams, 2);
    EXPECT_NEAR(static_cast<double>(in->duration) / AV_TIME_BASE, 1.0 * kFrames / kFps, 1e-3);

    std::vector<int> packets(in->nb_streams), frames(in->nb_streams);
    int audioBytes = 0;
    Packet_ pkt(av_packet_alloc());
    Frame frame(av_frame_alloc());
    auto receive = [&](unsigned s) {
        int r;
        while ((r = avcodec_receive_frame(decoders[s].get(), frame.get())) == 0) {
            EXPECT_EQ(frame->width, plan_[s].info.rcFrame[2]);
            ++frames[s];
        }
        EXPECT_TRUE(r == AVERROR(EAGAIN) || r == AVERROR_EOF) << r;
    };
    while (av_read_frame(in.get(), pkt.get()) == 0) {
        const auto s = static_cast<unsigned>(pkt->stream_index);
        ++packets[s];
        audioBytes += s == 2 ? pkt->size : 0;
        if (decoders[s]) {
            EXPECT_EQ(avcodec_send_packet(decoders[s].get(), pkt.get()), 0);
            receive(s);
        }
        av_packet_unref(pkt.get());
    }
    for (unsigned s = 0; s < 2; ++s) {
        avcodec_send_packet(decoders[s].get(), nullptr);
        receive(s);
        EXPECT_EQ(packets[s], kFrames);
        EXPECT_EQ(frames[s], kFrames);
    }
    EXPECT_EQ(audioBytes, kFrames * kAudioBytesPerFrame);
}

// The media library's muxer adds extended header lists, stream names and
// super indexes; the parser skips them and still finds every packet.
TEST_F(AviRoundTrip, ParserReadsTheMediaLibrarysMuxerOutput)
{
    AVFormatContext* raw = nullptr;
    ASSERT_EQ(avformat_open_input(&raw, path_.string().c_str(), nullptr, nullptr), 0);
    Input in(raw);
    ASSERT_GE(avformat_find_stream_info(in.get(), nullptr), 0);

    const auto copyPath = dir_.File("remuxed.avi");
    AVFormatContext* out = nullptr;
    ASSERT_GE(avformat_alloc_output_context2(&out, nullptr, "avi", copyPath.string().c_str()), 0);
    for (unsigned i = 0; i < 2; ++i) {  // the two video channels
        AVStream* st = avformat_new_stream(out, nullptr);
        ASSERT_GE(avcodec_parameters_copy(st->codecpar, in->streams[i]->codecpar), 0);
        st->codecpar->codec_tag = 0;
        st->time_base = in->streams[i]->time_base;
    }
    ASSERT_GE(avio_open(&out->pb, copyPath.string().c_str(), AVIO_FLAG_WRITE), 0);
    ASSERT_GE(avformat_write_header(out, nullptr), 0);
    Packet_ pkt(av_packet_alloc());
    while (av_read_frame(in.get(), pkt.get()) == 0) {
        if (pkt->stream_index < 2) {
            av_packet_rescale_ts(pkt.get(), in->streams[pkt->stream_index]->time_base,
                                 out->streams[pkt->stream_index]->time_base);
            EXPECT_GE(av_interleaved_write_frame(out, pkt.get()), 0);
        }
        av_packet_unref(pkt.get());
    }
    EXPECT_EQ(av_write_trailer(out), 0);
    avio_closep(&out->pb);
    avformat_free_context(out);

    mmAviParser parser;
    ASSERT_EQ(parser.OpenAVI(kestrel::FromUtf8(copyPath.string())), 0);
    EXPECT_EQ(parser.GetAVIVideoStreamCount(), 2);
    AVISTREAMINFOW info;
    EXPECT_EQ(parser.GetAVIVideoStreamInfo(&info, 1), 1);
    EXPECT_EQ(info.dwLength, static_cast<uint32_t>(kFrames));
    std::vector<size_t> next(2, 0);
    for (int n = 0; n < parser.GetAVIIndexCount(); ++n) {
        _TAG_AVI_PACKET_INFO p;
        ASSERT_EQ(parser.GetAVIReadData(n, &p), 0);
        ASSERT_LT(p.nStream, 2);
        const Encoded& e = plan_[static_cast<size_t>(p.nStream)].packets.at(next[static_cast<size_t>(p.nStream)]++);
        EXPECT_EQ(Bytes(p.pData, p.pData + p.nLength), e.data) << n;
        EXPECT_EQ(p.dwFlags & kAviIndexKeyFrame, e.flags) << n;
    }
    EXPECT_EQ(next[0], static_cast<size_t>(kFrames));
    EXPECT_EQ(next[1], static_cast<size_t>(kFrames));
}

}  // namespace
