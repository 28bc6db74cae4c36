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

// Longest sleep without a ring; every change the decoder waits for rings it,
// so this only bounds the cost of a ring that was never sent.
constexpr std::chrono::milliseconds kIdleWait{200};

}  // namespace

void CFFMpegPlayer::DecoderThread()
{
    NameThisThread("DecoderThread " + std::to_string(m_nChannel));
    while (m_bDecodeRun) {
        const uint64_t ticket = m_decoderWakeup.Ticket();
        if (!DecodeStep())
            m_decoderWakeup.WaitFor(ticket, kIdleWait);
    }
}

bool CFFMpegPlayer::DecodeStep()
{
    const SeekPhase decodeSeek = m_decodeSeek;
    if (decodeSeek == SeekPhase::Requested) {
        m_decodeSeek = SeekPhase::Flush;
        m_readerWakeup.Ring();
        return true;
    }
    if (decodeSeek == SeekPhase::Flush) {
        if (m_readSeek != SeekPhase::Flush)
            return false;  // the reader rings once its packet queues are flushed
        FinishSeekFlush();
        return true;
    }
    // While the reader has yet to seek (Refill) the old end of file must not
    // start a drain.
    return DecodePass(decodeSeek == SeekPhase::Idle);
}

void CFFMpegPlayer::FinishSeekFlush()
{
    m_videoFrames.Clear();
    m_audioFrames.Clear();
    // Pictures and sound still inside the codecs belong to the old position.
    m_video.Flush();
    m_audio.Flush();
    m_decodeSeek = SeekPhase::Refill;
    RingPresenter();
}

bool CFFMpegPlayer::DecodePass(bool mayDrain)
{
    // Read the end flag before the queues: every packet was queued before the
    // flag was set, so an empty queue after it means the stream is all read.
    const bool readEof = mayDrain && m_bReadEof;
    AVPacket* video = m_video.IsOpen() ? m_videoPackets.Peek() : nullptr;
    AVPacket* audio = m_audio.IsOpen() ? m_audioPackets.Peek() : nullptr;
    bool worked = false;
    if (readEof && !video)
        worked |= m_video.Drain();
    if (readEof && !audio)
        worked |= m_audio.Drain();
    if (!video && !audio)
        return worked;

    // Equal times take the sound first.
    const bool takeAudio = audio && (!video || m_audio.PacketTime(audio) <= m_video.PacketTime(video));
    StreamDecoder& decoder = takeAudio ? m_audio : m_video;
    if (!decoder.HasRoom())
        return worked;  // the presentation thread rings when it frees a slot
    decoder.Decode(takeAudio ? audio : video);
    return true;
}

void CFFMpegPlayer::StorePicture(AVFrame* frame, double seconds)
{
    if (seconds < m_dSeekTarget)
        return;  // decoded only to reach the seek target
    _TAG_DEC_INFO* slot = m_videoFrames.NextSlot();
    if (!slot || !m_converter.Convert(frame, slot))
        return;
    slot->dTime = seconds;
    slot->nChannel = m_nChannel;
    m_videoFrames.Append(slot);
}

void CFFMpegPlayer::StoreSound(AVFrame* frame, double seconds)
{
    if (seconds < m_dSeekTarget - 0.1)
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
    slot->dTime = seconds;
    slot->data[0] = slot->pBuffer;
    slot->linesize[0] = bytes;
    slot->nAudioChannels = 1;
    slot->nBitsPerSample = 16;
    slot->nSampleRate = m_nAudioSampleRate;
    m_audioFrames.Append(slot);
}

}  // namespace playcore
