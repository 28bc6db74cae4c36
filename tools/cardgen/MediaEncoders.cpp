#include "MediaEncoders.h"

#include <cmath>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/channel_layout.h>
#include <libavutil/error.h>
#include <libavutil/opt.h>
}

namespace kestrel::cardgen {

namespace {

std::string AvError(const char* what, int code)
{
    char buf[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, buf, sizeof buf);
    return std::string(what) + ": " + buf;
}

bool DrainPacket(AVCodecContext* ctx, AVPacket* pkt, EncodedPacket* out, bool* got, std::string* error)
{
    *got = false;
    const int rc = avcodec_receive_packet(ctx, pkt);
    if (rc == AVERROR(EAGAIN) || rc == AVERROR_EOF) return true;
    if (rc < 0) {
        *error = AvError("receiving an encoded packet", rc);
        return false;
    }
    out->data.assign(pkt->data, pkt->data + pkt->size);
    out->key = (pkt->flags & AV_PKT_FLAG_KEY) != 0;
    out->pts = pkt->pts;
    av_packet_unref(pkt);
    *got = true;
    return true;
}

}  // namespace

VideoEncoder::~VideoEncoder()
{
    av_packet_free(&m_packet);
    av_frame_free(&m_frame);
    avcodec_free_context(&m_ctx);
}

bool VideoEncoder::Open(int width, int height, int fps, std::string* error)
{
    const AVCodec* codec = avcodec_find_encoder_by_name("libx264");
    if (!codec) {
        *error = "the H.264 encoder (libx264) is not available in libavcodec";
        return false;
    }
    m_ctx = avcodec_alloc_context3(codec);
    m_frame = av_frame_alloc();
    m_packet = av_packet_alloc();
    if (!m_ctx || !m_frame || !m_packet) {
        *error = "out of memory";
        return false;
    }
    m_ctx->width = width;
    m_ctx->height = height;
    m_ctx->pix_fmt = AV_PIX_FMT_YUV420P;
    m_ctx->time_base = AVRational{1, fps};
    m_ctx->framerate = AVRational{fps, 1};
    m_ctx->gop_size = fps;
    m_ctx->keyint_min = fps;
    m_ctx->max_b_frames = 0;
    m_ctx->thread_count = 1;
    m_ctx->flags |= AV_CODEC_FLAG_BITEXACT;
    av_opt_set(m_ctx->priv_data, "preset", "ultrafast", 0);
    av_opt_set(m_ctx->priv_data, "tune", "zerolatency", 0);
    av_opt_set(m_ctx->priv_data, "profile", "baseline", 0);
    av_opt_set(m_ctx->priv_data, "crf", "28", 0);
    av_opt_set_int(m_ctx->priv_data, "forced-idr", 1, 0);
    av_opt_set(m_ctx->priv_data, "x264-params",
               "scenecut=0:threads=1:sliced-threads=0:rc-lookahead=0:sync-lookahead=0:repeat-headers=1", 0);
    int rc = avcodec_open2(m_ctx, codec, nullptr);
    if (rc < 0) {
        *error = AvError("opening the H.264 encoder", rc);
        return false;
    }
    m_frame->format = AV_PIX_FMT_YUV420P;
    m_frame->width = width;
    m_frame->height = height;
    rc = av_frame_get_buffer(m_frame, 0);
    if (rc < 0) {
        *error = AvError("allocating a picture", rc);
        return false;
    }
    return true;
}

bool VideoEncoder::Encode(bool forceKey, EncodedPacket* out, std::string* error)
{
    int rc = av_frame_make_writable(m_frame);
    if (rc < 0) {
        *error = AvError("preparing a picture", rc);
        return false;
    }
    m_frame->pts = m_nextPts++;
    m_frame->pict_type = forceKey ? AV_PICTURE_TYPE_I : AV_PICTURE_TYPE_NONE;
    rc = avcodec_send_frame(m_ctx, m_frame);
    if (rc < 0) {
        *error = AvError("encoding a picture", rc);
        return false;
    }
    bool got = false;
    if (!DrainPacket(m_ctx, m_packet, out, &got, error)) return false;
    if (!got) {
        *error = "the H.264 encoder held a picture back";
        return false;
    }
    return true;
}

AacEncoder::~AacEncoder() { avcodec_free_context(&m_ctx); }

bool AacEncoder::Open(int sampleRate, int channels, std::string* error)
{
    const AVCodec* codec = avcodec_find_encoder_by_name("aac");
    if (!codec) {
        *error = "the AAC encoder is not available in libavcodec";
        return false;
    }
    m_ctx = avcodec_alloc_context3(codec);
    if (!m_ctx) {
        *error = "out of memory";
        return false;
    }
    m_ctx->sample_fmt = AV_SAMPLE_FMT_FLTP;
    m_ctx->sample_rate = sampleRate;
    av_channel_layout_default(&m_ctx->ch_layout, channels);
    m_ctx->bit_rate = 24000 * channels;
    m_ctx->time_base = AVRational{1, sampleRate};
    m_ctx->flags |= AV_CODEC_FLAG_BITEXACT;
    const int rc = avcodec_open2(m_ctx, codec, nullptr);
    if (rc < 0) {
        *error = AvError("opening the AAC encoder", rc);
        return false;
    }
    return true;
}

bool AacEncoder::EncodeAll(const std::vector<int16_t>& samples, std::vector<EncodedPacket>* out, std::string* error)
{
    const int channels = m_ctx->ch_layout.nb_channels;
    const int frameSize = m_ctx->frame_size;
    const int64_t total = static_cast<int64_t>(samples.size()) / channels;
    AVFrame* frame = av_frame_alloc();
    AVPacket* pkt = av_packet_alloc();
    bool ok = frame && pkt;
    if (!ok) *error = "out of memory";
    for (int64_t pos = 0; ok && pos < total; pos += frameSize) {
        const int n = static_cast<int>(std::min<int64_t>(frameSize, total - pos));
        frame->format = AV_SAMPLE_FMT_FLTP;
        frame->sample_rate = m_ctx->sample_rate;
        frame->nb_samples = n;
        av_channel_layout_copy(&frame->ch_layout, &m_ctx->ch_layout);
        int rc = av_frame_get_buffer(frame, 0);
        if (rc < 0) {
            *error = AvError("allocating sound", rc);
            ok = false;
            break;
        }
        for (int c = 0; c < channels; ++c) {
            float* dst = reinterpret_cast<float*>(frame->extended_data[c]);
            for (int i = 0; i < n; ++i) dst[i] = samples[static_cast<size_t>((pos + i) * channels + c)] / 32768.0f;
        }
        frame->pts = pos;
        rc = avcodec_send_frame(m_ctx, frame);
        av_frame_unref(frame);
        if (rc < 0) {
            *error = AvError("encoding sound", rc);
            ok = false;
            break;
        }
        for (bool got = true; ok && got;) {
            EncodedPacket p;
            ok = DrainPacket(m_ctx, pkt, &p, &got, error);
            if (got) out->push_back(std::move(p));
        }
    }
    if (ok) {
        avcodec_send_frame(m_ctx, nullptr);
        for (bool got = true; ok && got;) {
            EncodedPacket p;
            ok = DrainPacket(m_ctx, pkt, &p, &got, error);
            if (got) out->push_back(std::move(p));
        }
    }
    av_packet_free(&pkt);
    av_frame_free(&frame);
    return ok;
}

std::vector<uint8_t> AacEncoder::Config() const
{
    if (!m_ctx || !m_ctx->extradata) return {};
    return std::vector<uint8_t>(m_ctx->extradata, m_ctx->extradata + m_ctx->extradata_size);
}

int AacEncoder::Priming() const { return m_ctx ? m_ctx->initial_padding : 0; }
int AacEncoder::FrameSize() const { return m_ctx ? m_ctx->frame_size : 1024; }

std::vector<int16_t> MakeTone(int sampleRate, int channels, int64_t frames, int seedSalt)
{
    static const double kSteps[8] = {0, 2, 4, 5, 7, 9, 11, 12};
    std::vector<int16_t> out(static_cast<size_t>(frames * channels));
    double phase[2] = {0, 0};
    const int half = std::max(1, sampleRate / 2);
    for (int64_t i = 0; i < frames; ++i) {
        const int step = static_cast<int>(((i / half + seedSalt) % 8 + 8) % 8);
        for (int c = 0; c < channels; ++c) {
            const double freq = 330.0 * std::pow(2.0, (kSteps[step] + 7.0 * (c & 1)) / 12.0);
            phase[c & 1] += 2.0 * 3.14159265358979323846 * freq / sampleRate;
            if (phase[c & 1] > 2.0 * 3.14159265358979323846) phase[c & 1] -= 2.0 * 3.14159265358979323846;
            out[static_cast<size_t>(i * channels + c)] = static_cast<int16_t>(std::lround(9000.0 * std::sin(phase[c & 1])));
        }
    }
    return out;
}

}  // namespace kestrel::cardgen
