#include "StreamDecoder.h"

#include <utility>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

namespace playcore {

namespace {

// Out of memory or invalid argument: the codec did not take the packet.
bool Refused(int result)
{
    return result == AVERROR(ENOMEM) || result == AVERROR(EINVAL);
}

}  // namespace

StreamDecoder::StreamDecoder(PacketQueue& packets, DecodedFrameQueue& frames, StoreFrame store)
    : m_packets(packets), m_frames(frames), m_store(std::move(store))
{
}

bool StreamDecoder::Open(AVStream* stream)
{
    Close();
    const AVCodec* codec = avcodec_find_decoder(stream->codecpar->codec_id);
    if (!codec)
        return false;
    AVCodecContext* context = avcodec_alloc_context3(codec);
    m_pFrame = av_frame_alloc();
    if (!context || !m_pFrame || avcodec_parameters_to_context(context, stream->codecpar) < 0) {
        avcodec_free_context(&context);
        av_frame_free(&m_pFrame);
        return false;
    }
    context->pkt_timebase = stream->time_base;
    context->flags2 |= AV_CODEC_FLAG2_FAST;
    if (avcodec_open2(context, codec, nullptr) < 0) {
        avcodec_free_context(&context);
        av_frame_free(&m_pFrame);
        return false;
    }
    m_pCodec = context;
    m_pStream = stream;
    m_bDrainSent = false;
    m_refusals.Taken();
    m_bDone = false;
    return true;
}

void StreamDecoder::Close()
{
    avcodec_free_context(&m_pCodec);
    av_frame_free(&m_pFrame);
    m_pStream = nullptr;
    m_bDone = true;
}

double StreamDecoder::PacketTime(const AVPacket* packet) const
{
    int64_t ts = packet->pts != AV_NOPTS_VALUE ? packet->pts : packet->dts;
    if (ts == AV_NOPTS_VALUE)
        ts = 0;
    return static_cast<double>(ts) * av_q2d(m_pStream->time_base);
}

void StreamDecoder::Decode(AVPacket* packet)
{
    const int sent = avcodec_send_packet(m_pCodec, packet);
    if (Refused(sent)) {
        if (m_refusals.Refused() == PacketRefusals::Drop)
            m_packets.Pop();
        return;
    }
    // Try-again means the codec holds a frame to give first; the packet
    // stays queued and is sent again on the next pass.
    const bool taken = sent != AVERROR(EAGAIN);
    const double packetTime = PacketTime(packet);
    const int received = avcodec_receive_frame(m_pCodec, m_pFrame);
    if (received >= 0)
        Store(packetTime);
    if (taken) {
        m_refusals.Taken();
        m_packets.Pop();
    } else if (received < 0 && m_refusals.Refused() == PacketRefusals::Drop) {
        m_packets.Pop();  // neither sent nor any frame out: do not loop for ever
    }
}

bool StreamDecoder::Drain()
{
    if (!m_pCodec || (m_bDone && m_bDrainSent) || !HasRoom())
        return false;
    if (!m_bDrainSent) {
        avcodec_send_packet(m_pCodec, nullptr);
        m_bDrainSent = true;
    }
    if (avcodec_receive_frame(m_pCodec, m_pFrame) >= 0) {
        Store(0.0);
        return true;
    }
    // End of stream, or a codec that cannot give more.
    if (!m_bDone.exchange(true))
        m_frames.WakeConsumer();
    return false;
}

void StreamDecoder::Flush()
{
    if (m_pCodec)
        avcodec_flush_buffers(m_pCodec);
    m_bDrainSent = false;
    m_refusals.Taken();
}

void StreamDecoder::Store(double fallbackTime)
{
    int64_t ts = m_pFrame->best_effort_timestamp;
    if (ts == AV_NOPTS_VALUE)
        ts = m_pFrame->pts;
    const double seconds =
        ts == AV_NOPTS_VALUE ? fallbackTime : static_cast<double>(ts) * av_q2d(m_pStream->time_base);
    m_store(m_pFrame, seconds);
    av_frame_unref(m_pFrame);
}

}  // namespace playcore
