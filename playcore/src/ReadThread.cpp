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

// A read error that is not the end of the file is skipped; this many in a row
// (a damaged tail that never reports its end) count as the end.
constexpr int kErrorsCountingAsEnd = 64;
// A seek that keeps failing is given up after this many passes, so that the
// player is not left waiting for it; reading goes on where it was.
constexpr int kSeekAttempts = 50;
constexpr int kFullQueuesWaitMs = 5;
constexpr int kEndOfFileWaitMs = 33;

}  // namespace

void CFFMpegPlayer::ReaderThread()
{
    NameThisThread("ReadThread - " + std::to_string(m_nChannel));
    AVPacket* packet = av_packet_alloc();
    int readErrors = 0;
    int64_t videoTraced = 0;
    while (packet && m_bReadRun) {
        const int readSeek = m_nReadSeekState;
        if (readSeek == 3) {
            const int decodeSeek = m_nDecodeSeekState;
            if (decodeSeek > 2) {
                SleepMs(1);
                continue;
            }
            if (decodeSeek == 2) {
                m_videoPackets.Flush();
                m_audioPackets.Flush();
                m_nReadSeekState = 2;
                SleepMs(1);
                continue;
            }
        } else if (readSeek == 2) {
            SleepMs(1);
            continue;
        } else if (readSeek == 1) {
            PerformSeek();
        }

        const bool videoFull = !m_pVideoCodec || m_videoPackets.Fullness() == 1;
        const bool audioFull = !m_pAudioCodec || m_audioPackets.Fullness() == 1;
        if (videoFull && audioFull) {
            SleepMs(kFullQueuesWaitMs);
            continue;
        }

        const int result = av_read_frame(m_pInput, packet);
        if (result < 0) {
            const bool atEnd = result == AVERROR_EOF || (m_pInput->pb && avio_feof(m_pInput->pb)) ||
                               ++readErrors >= kErrorsCountingAsEnd;
            if (atEnd) {
                readErrors = 0;
                MarkEndOfFile();
                SleepMs(kEndOfFileWaitMs);
            } else {
                YieldThread();
            }
            continue;
        }
        readErrors = 0;
        if (m_bNotMp4)
            packet->pts = packet->dts;

        const int index = packet->stream_index;
        if (m_pVideoCodec && index == m_nStreamIndex[kVideo]) {
            const double tb = av_q2d(m_pVideoStream->time_base);
            Trace("stream_index = %d, stream count = %" PRId64 ", pts = %" PRId64 "(%f), dts = %" PRId64
                  ", duration = %" PRId64 " size = %d, current queue size = %d\n",
                  index, videoTraced++, packet->pts,
                  packet->pts == AV_NOPTS_VALUE ? 0.0 : static_cast<double>(packet->pts) * tb, packet->dts,
                  packet->duration, packet->size, m_videoPackets.Count());
            m_videoPackets.Append(packet);
        } else if (m_pAudioCodec && index == m_nStreamIndex[kAudio]) {
            const double tb = av_q2d(m_pAudioStream->time_base);
            Trace("stream_index = %d, pts = %" PRId64 "(%f), current queue size = %d\n", index, packet->pts,
                  packet->pts == AV_NOPTS_VALUE ? 0.0 : static_cast<double>(packet->pts) * tb,
                  m_audioPackets.Count());
            m_audioPackets.Append(packet);
        }
        av_packet_unref(packet);
        YieldThread();
    }
    av_packet_free(&packet);
}

void CFFMpegPlayer::PerformSeek()
{
    const SeekWindow w = ComputeSeekWindow(m_dSeekTarget, m_pVideoStream->time_base, m_pVideoStream->duration);
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
        m_nReadSeekState = 0;
        m_nDecodeSeekState = 0;
    }
}

void CFFMpegPlayer::MarkEndOfFile()
{
    m_nVideoState = kStreamAtEnd;
    m_nAudioState = kStreamAtEnd;
    m_bReadEof = true;
}

}  // namespace playcore
