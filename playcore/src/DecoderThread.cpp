// The channel's decoder thread: takes packets in time order, decodes them and
// stores pictures and sound in the fixed pools for the presentation thread.
#include <algorithm>
#include <cstring>
#include <string>

#include "EngineThread.h"
#include "FFMpegPlayer.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

namespace playcore {

namespace {

double PacketTime(const AVPacket* packet, const AVStream* stream)
{
    int64_t ts = packet->pts != AV_NOPTS_VALUE ? packet->pts : packet->dts;
    if (ts == AV_NOPTS_VALUE)
        ts = 0;
    return static_cast<double>(ts) * av_q2d(stream->time_base);
}

bool Refused(int result)
{
    return result == AVERROR(ENOMEM) || result == AVERROR(EINVAL);
}

}  // namespace

void CFFMpegPlayer::DecoderThread()
{
    NameThisThread("DecoderThread " + std::to_string(m_nChannel));
    while (m_bDecodeRun) {
        const int decodeSeek = m_nDecodeSeekState;
        if (decodeSeek == 2) {
            if (m_nReadSeekState == 2)
                FinishSeekFlush();
            SleepMs(1);
            continue;
        }
        if (decodeSeek == 3) {
            m_nDecodeSeekState = 2;
            SleepMs(1);
            continue;
        }
        // While the reader has yet to seek (state 1) the old end of file
        // must not start a drain.
        if (DecodePass(decodeSeek == 0))
            YieldThread();
        else
            SleepMs(1);
    }
}

void CFFMpegPlayer::FinishSeekFlush()
{
    m_videoFrames.Clear();
    m_audioFrames.Clear();
    // Pictures and sound still inside the decoders belong to the old position.
    if (m_pVideoCodec)
        avcodec_flush_buffers(m_pVideoCodec);
    if (m_pAudioCodec)
        avcodec_flush_buffers(m_pAudioCodec);
    m_bVideoDrainSent = false;
    m_bAudioDrainSent = false;
    m_videoRefusals.Taken();
    m_audioRefusals.Taken();
    m_nDecodeSeekState = 1;
}

bool CFFMpegPlayer::DecodePass(bool mayDrain)
{
    // Read the end flag before the queues: every packet was queued before the
    // flag was set, so an empty queue after it means the stream is all read.
    const bool readEof = mayDrain && m_bReadEof;
    AVPacket* video = m_pVideoCodec ? m_videoPackets.Peek() : nullptr;
    AVPacket* audio = m_pAudioCodec ? m_audioPackets.Peek() : nullptr;
    bool worked = false;
    if (readEof && !video)
        worked |= DrainVideo();
    if (readEof && !audio)
        worked |= DrainAudio();
    if (!video && !audio)
        return worked;

    const bool takeAudio =
        audio && (!video || PacketTime(audio, m_pAudioStream) <= PacketTime(video, m_pVideoStream));
    if (takeAudio)
        return (m_audioFrames.Count() < m_audioFrames.PoolSize() && DecodeAudio(audio)) || worked;
    return (m_videoFrames.Count() < m_videoFrames.PoolSize() && DecodeVideo(video)) || worked;
}

bool CFFMpegPlayer::DecodeVideo(AVPacket* packet)
{
    const int sent = avcodec_send_packet(m_pVideoCodec, packet);
    if (Refused(sent)) {
        if (m_videoRefusals.Refused() == PacketRefusals::Drop)
            m_videoPackets.Pop();
        return true;
    }
    // Try-again means the decoder holds a picture to give first; the packet
    // stays queued and is sent again on the next pass.
    const bool taken = sent != AVERROR(EAGAIN);
    const double packetTime = PacketTime(packet, m_pVideoStream);
    const int received = avcodec_receive_frame(m_pVideoCodec, m_pFrame);
    if (received >= 0) {
        StorePicture(m_pFrame, packetTime);
        av_frame_unref(m_pFrame);
    }
    if (taken) {
        m_videoRefusals.Taken();
        m_videoPackets.Pop();
    } else if (received < 0 && m_videoRefusals.Refused() == PacketRefusals::Drop) {
        m_videoPackets.Pop();  // neither sent nor any picture out: do not loop for ever
    }
    return true;
}

bool CFFMpegPlayer::DecodeAudio(AVPacket* packet)
{
    const int sent = avcodec_send_packet(m_pAudioCodec, packet);
    if (Refused(sent)) {
        if (m_audioRefusals.Refused() == PacketRefusals::Drop)
            m_audioPackets.Pop();
        return true;
    }
    const bool taken = sent != AVERROR(EAGAIN);
    const double packetTime = PacketTime(packet, m_pAudioStream);
    const int received = avcodec_receive_frame(m_pAudioCodec, m_pFrame);
    if (received >= 0) {
        StoreSound(m_pFrame, packetTime);
        av_frame_unref(m_pFrame);
    }
    if (taken) {
        m_audioRefusals.Taken();
        m_audioPackets.Pop();
    } else if (received < 0 && m_audioRefusals.Refused() == PacketRefusals::Drop) {
        m_audioPackets.Pop();  // neither sent nor any picture out: do not loop for ever
    }
    return true;
}

bool CFFMpegPlayer::DrainVideo()
{
    if (m_bVideoDone && m_bVideoDrainSent)
        return false;
    if (!m_pVideoCodec || m_videoFrames.Count() >= m_videoFrames.PoolSize())
        return false;
    if (!m_bVideoDrainSent) {
        avcodec_send_packet(m_pVideoCodec, nullptr);
        m_bVideoDrainSent = true;
    }
    const int received = avcodec_receive_frame(m_pVideoCodec, m_pFrame);
    if (received >= 0) {
        StorePicture(m_pFrame, 0.0);
        av_frame_unref(m_pFrame);
        return true;
    }
    m_bVideoDone = true;  // end of stream (or a decoder that cannot give more)
    return false;
}

bool CFFMpegPlayer::DrainAudio()
{
    if (!m_pAudioCodec) {
        m_bAudioDone = true;
        return false;
    }
    if (m_bAudioDone && m_bAudioDrainSent)
        return false;
    if (m_audioFrames.Count() >= m_audioFrames.PoolSize())
        return false;
    if (!m_bAudioDrainSent) {
        avcodec_send_packet(m_pAudioCodec, nullptr);
        m_bAudioDrainSent = true;
    }
    const int received = avcodec_receive_frame(m_pAudioCodec, m_pFrame);
    if (received >= 0) {
        StoreSound(m_pFrame, 0.0);
        av_frame_unref(m_pFrame);
        return true;
    }
    m_bAudioDone = true;
    return false;
}

double CFFMpegPlayer::FrameTime(const AVFrame* frame, const AVStream* stream, double fallbackTime) const
{
    int64_t ts = frame->best_effort_timestamp;
    if (ts == AV_NOPTS_VALUE)
        ts = frame->pts;
    if (ts == AV_NOPTS_VALUE)
        return fallbackTime;
    return static_cast<double>(ts) * av_q2d(stream->time_base);
}

void CFFMpegPlayer::StorePicture(AVFrame* frame, double fallbackTime)
{
    const double time = FrameTime(frame, m_pVideoStream, fallbackTime);
    if (time < m_dSeekTarget)
        return;  // decoded only to reach the seek target
    _TAG_DEC_INFO* slot = m_videoFrames.NextSlot();
    if (!slot || !m_converter.Convert(frame, slot))
        return;
    slot->dTime = time;
    slot->nChannel = m_nChannel;
    m_videoFrames.Append(slot);
}

void CFFMpegPlayer::StoreSound(AVFrame* frame, double fallbackTime)
{
    const double time = FrameTime(frame, m_pAudioStream, fallbackTime);
    if (time < m_dSeekTarget - 0.1)
        return;
    _TAG_DEC_INFO* slot = m_audioFrames.NextSlot();
    if (!slot)
        return;
    m_sound.clear();
    if (m_audioFilter.Result() == 0) {
        m_audioFilter.Process(frame, &m_sound);
    } else if (frame->data[0]) {
        // No graph: the first plane goes out as if it were 16-bit mono, never
        // more bytes than the plane holds.
        const size_t bytes = std::min(static_cast<size_t>(frame->nb_samples) * 2,
                                      static_cast<size_t>(std::max(frame->linesize[0], 0)));
        m_sound.assign(frame->data[0], frame->data[0] + bytes);
    }
    if (m_sound.empty())
        return;
    const int bytes = static_cast<int>(m_sound.size());
    if (!DecodedFrameQueue::Reserve(slot, bytes))
        return;
    std::memcpy(slot->pBuffer, m_sound.data(), m_sound.size());
    slot->dTime = time;
    slot->data[0] = slot->pBuffer;
    slot->linesize[0] = bytes;
    slot->nAudioChannels = 1;
    slot->nBitsPerSample = 16;
    slot->nSampleRate = m_nAudioSampleRate;
    m_audioFrames.Append(slot);
}

}  // namespace playcore
