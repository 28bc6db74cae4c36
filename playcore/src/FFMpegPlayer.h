// The channel controller: binds to one channel of a recording, runs its
// reader thread (demultiplexing into two packet queues) and its decoder
// thread (filling the two decoded-frame queues), and does its half of a seek.
//
// Seek handshake (read state R, decode state D; both Idle otherwise): Seek
// sets R = D = Requested; decoder D -> Flush; reader, seeing D Flush, flushes
// its packet queues and sets R Flush; decoder, seeing R Flush, clears the
// decoded frames, flushes the codecs and sets D Refill; the play manager, once
// every channel is at D Refill, sets R Refill; the reader seeks and sets
// R = D = Idle. Each step rings the thread that waits for it.
//
// Both threads sleep on their own wakeup when they have nothing to do: the
// reader while its packet queues are full or the file is read to its end,
// the decoder while it has no packet or no free slot.
#pragma once

#include <atomic>
#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "AudioFilter.h"
#include "IPlaybackCtrl.h"
#include "PacketQueue.h"
#include "PictureConverter.h"
#include "SeekPhase.h"
#include "StreamDecoder.h"
#include "Wakeup.h"

extern "C" {
#include <libavutil/channel_layout.h>
}

struct AVFormatContext;
struct AVFrame;

namespace playcore {

// True when the path's last four characters, lowered, are ".mp4".
bool IsMp4Path(const std::wstring& path);

class CFFMpegPlayer : public IPlaybackCtrl {
public:
    CFFMpegPlayer();
    ~CFFMpegPlayer() override;

    int SetSource(int channel, CRecFileInfo* rec) override;
    void ReleaseSource() override;
    int OpenStreams() override;
    void CloseStreams() override;
    double GetDuration() override;
    int StartThreads() override;
    void StopThreads() override;
    void Seek(double seconds) override;
    SeekPhase GetDecodeSeekState() override;
    void SetReadSeekState(SeekPhase state) override;
    void SetVolume(double volume) override;
    int GetVideoState() override;
    int GetAudioState() override;

    // What the opened channel plays (for diagnostics and tests).
    int VideoStreamIndex() const { return m_nStreamIndex[kVideo]; }
    int AudioStreamIndex() const { return m_nStreamIndex[kAudio]; }
    bool PtsFromDts() const { return m_bNotMp4 != 0; }
    // False for a stream of the open file that the demultiplexer skips.
    bool ReadsStream(int index) const;

private:
    enum { kVideo = 0, kAudio = 1, kStreamSlots = 5 };
    struct Source {
        CRecFileInfo* rec = nullptr;
        std::string path;  // UTF-8
    };

    int OpenDecoder(int index, bool video);
    // Only the streams this channel plays are read; the demultiplexer skips
    // the others (a damaged data track or another channel's stream then
    // cannot end or slow this channel's reading).
    void DiscardStreamsNotPlayed();
    void RingPresenter() { RingIfSet(m_pPresenter); }

    // Reader thread. A pass returns how long the reader may sleep (zero:
    // carry on at once).
    void ReaderThread();
    std::chrono::milliseconds ReadPass(AVPacket* packet);
    void PerformSeek();
    void MarkEndOfFile();

    // Decoder thread. A pass returns false when there was nothing to do.
    void DecoderThread();
    bool DecodeStep();
    void FinishSeekFlush();
    bool DecodePass(bool mayDrain);
    void StorePicture(AVFrame* frame, double seconds);
    void StoreSound(AVFrame* frame, double seconds);

    int m_nChannel = 0;
    std::unique_ptr<Source> m_pSource;
    int m_bNotMp4 = 0;
    AVFormatContext* m_pInput = nullptr;
    int m_nStreamIndex[kStreamSlots] = {-1, -1, -1, -1, -1};
    int m_nAudioSampleRate = 0;
    int m_nAudioChannels = 0;
    AVChannelLayout m_audioLayout{};
    int m_nVideoWidth = 0;
    int m_nVideoHeight = 0;
    std::atomic<int> m_nVideoState{kStreamAbsent};
    std::atomic<int> m_nAudioState{kStreamAbsent};
    PacketQueue m_audioPackets;
    PacketQueue m_videoPackets;
    StreamDecoder m_video;
    StreamDecoder m_audio;
    Wakeup m_readerWakeup;
    Wakeup m_decoderWakeup;
    std::thread m_readThread;
    std::atomic<int> m_bReadRun{0};
    std::thread m_decodeThread;
    std::atomic<int> m_bDecodeRun{0};
    std::atomic<double> m_dSeekTarget{0.0};
    std::atomic<SeekPhase> m_readSeek{SeekPhase::Idle};
    std::atomic<SeekPhase> m_decodeSeek{SeekPhase::Idle};
    AudioFilter m_audioFilter;
    double m_dVolume = 12.0;

    // End of file as the decoder needs it: set when the reader hits the end,
    // cleared by a successful seek.
    std::atomic<bool> m_bReadEof{false};

    // Reader-thread only.
    int m_nSeekFailures = 0;
    int m_nReadErrors = 0;
    int64_t m_nVideoTraced = 0;

    // Decoder-thread only.
    PictureConverter m_converter;
    std::vector<uint8_t> m_sound;
};

}  // namespace playcore
