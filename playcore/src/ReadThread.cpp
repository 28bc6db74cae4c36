// The channel's reader thread: demultiplexes into the two packet queues and
// carries out the reader's half of a seek.
#include <cinttypes>
#include <string>

#include "EngineThread.h"
#include "FFMpegPlayer.h"
#include "SeekWindow.h"

extern "C" {
#include <libavformat/avformat.h>
}

namespace playcore {

namespace {

using std::chrono::milliseconds;

// A read error that is not the end of the file is skipped; this many in a row
// (a damaged tail that never reports its end) count as the end.
constexpr int kErrorsCountingAsEnd = 64;
// A seek that keeps failing is given up after this many passes, so that the
// player is not left waiting for it; reading goes on where it was.
constexpr int kSeekAttempts = 50;
constexpr milliseconds kNoWait{0};
// Pause before trying a failed seek again while there is nothing to read.
constexpr milliseconds kSeekRetryWait{5};
// Longest sleep without a ring (full queues, end of file, a seek step of the
// other threads); every change the reader waits for rings it.
constexpr milliseconds kIdleWait{200};

}  // namespace

void CFFMpegPlayer::ReaderThread()
{
    NameThisThread("ReadThread - " + std::to_string(m_nChannel));
    AVPacket* packet = av_packet_alloc();
    m_nReadErrors = 0;
    m_nVideoTraced = 0;
    while (packet && m_bReadRun) {
        const uint64_t ticket = m_readerWakeup.Ticket();
        const milliseconds wait = ReadPass(packet);
        if (wait > kNoWait)
            m_readerWakeup.WaitFor(ticket, wait);
    }
    av_packet_free(&packet);
}

milliseconds CFFMpegPlayer::ReadPass(AVPacket* packet)
{
    const SeekPhase readSeek = m_readSeek;
    if (readSeek == SeekPhase::Requested) {
        const SeekPhase decodeSeek = m_decodeSeek;
        if (decodeSeek == SeekPhase::Requested)
            return kIdleWait;  // the decoder rings when it reaches Flush
        if (decodeSeek == SeekPhase::Flush) {
            m_videoPackets.Flush();
            m_audioPackets.Flush();
            m_readSeek = SeekPhase::Flush;
            m_decoderWakeup.Ring();
            return kNoWait;
        }
    } else if (readSeek == SeekPhase::Flush) {
        return kIdleWait;  // the play manager rings with Refill
    } else if (readSeek == SeekPhase::Refill) {
        PerformSeek();
    }
    const bool seekPending = m_readSeek == SeekPhase::Refill;

    const bool videoFull = !m_video.IsOpen() || m_videoPackets.Fullness() == 1;
    const bool audioFull = !m_audio.IsOpen() || m_audioPackets.Fullness() == 1;
    if (videoFull && audioFull)
        return seekPending ? kSeekRetryWait : kIdleWait;  // the decoder rings when it takes a packet

    const int result = av_read_frame(m_pInput, packet);
    if (result < 0) {
        const bool atEnd = result == AVERROR_EOF || (m_pInput->pb && avio_feof(m_pInput->pb)) ||
                           ++m_nReadErrors >= kErrorsCountingAsEnd;
        if (!atEnd)
            return kNoWait;
        m_nReadErrors = 0;
        MarkEndOfFile();
        return seekPending ? kSeekRetryWait : kIdleWait;  // until a seek or a stop rings
    }
    m_nReadErrors = 0;
    if (m_bNotMp4)
        packet->pts = packet->dts;

    const int index = packet->stream_index;
    if (m_video.IsOpen() && index == m_nStreamIndex[kVideo]) {
        const double tb = av_q2d(m_video.Stream()->time_base);
        Trace("stream_index = %d, stream count = %" PRId64 ", pts = %" PRId64 "(%f), dts = %" PRId64
              ", duration = %" PRId64 " size = %d, current queue size = %d\n",
              index, m_nVideoTraced++, packet->pts,
              packet->pts == AV_NOPTS_VALUE ? 0.0 : static_cast<double>(packet->pts) * tb, packet->dts,
              packet->duration, packet->size, m_videoPackets.Count());
        m_videoPackets.Append(packet);
    } else if (m_audio.IsOpen() && index == m_nStreamIndex[kAudio]) {
        const double tb = av_q2d(m_audio.Stream()->time_base);
        Trace("stream_index = %d, pts = %" PRId64 "(%f), current queue size = %d\n", index, packet->pts,
              packet->pts == AV_NOPTS_VALUE ? 0.0 : static_cast<double>(packet->pts) * tb,
              m_audioPackets.Count());
        m_audioPackets.Append(packet);
    }
    av_packet_unref(packet);
    return kNoWait;
}

void CFFMpegPlayer::PerformSeek()
{
    const AVStream* stream = m_video.Stream();
    const SeekWindow w = ComputeSeekWindow(m_dSeekTarget, stream->time_base, stream->duration);
    const int video = m_nStreamIndex[kVideo];
    int result = avformat_seek_file(m_pInput, video, w.lowest, w.ts, w.highest, 0);
    if (result < 0) {
        // No key frame inside the window (sparse key frames): land on the
        // key frame before it; pictures before the target are not shown.
        result = av_seek_frame(m_pInput, video, w.ts, AVSEEK_FLAG_BACKWARD);
    }
    if (result >= 0)
        m_bReadEof = false;
    if (result >= 0 || ++m_nSeekFailures >= kSeekAttempts) {
        m_nSeekFailures = 0;
        m_readSeek = SeekPhase::Idle;
        m_decodeSeek = SeekPhase::Idle;
        m_decoderWakeup.Ring();
        RingPresenter();
    }
}

void CFFMpegPlayer::MarkEndOfFile()
{
    m_nVideoState = kStreamAtEnd;
    m_nAudioState = kStreamAtEnd;
    if (m_bReadEof.exchange(true))
        return;  // read again after the end: nothing new to tell
    m_decoderWakeup.Ring();
    RingPresenter();
}

}  // namespace playcore
