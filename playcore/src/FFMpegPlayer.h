// The channel controller: binds to one channel of a recording, runs its
// reader thread (demultiplexing into two packet queues) and its decoder
// thread (filling the two decoded-frame queues), and does its half of a seek.
//
// Seek handshake (read state R, decode state D; both 0 when idle): Seek sets
// R = D = 3; decoder D 3 -> 2; reader, seeing D 2, flushes its packet queues
// and sets R 2; decoder, seeing R 2, clears the decoded frames, flushes the
// decoders and sets D 1; the play manager, once every channel is at D 1, sets
// R 1; the reader seeks and sets R = D = 0.
#pragma once

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "AudioFilter.h"
#include "IPlaybackCtrl.h"
#include "PacketQueue.h"
#include "PacketRefusals.h"
#include "PictureConverter.h"

extern "C" {
#include <libavutil/channel_layout.h>
}

struct AVCodecContext;
struct AVFormatContext;
struct AVFrame;
struct AVStream;

namespace playcore {

// True when the path's last four characters, lowered, are ".mp4".
bool IsMp4Path(const std::wstring& path);

class CFFMpegPlayer : public IPlaybackCtrl {
public:
    CFFMpegPlayer() = default;
    ~CFFMpegPlayer() override;

    int SetSource(int channel, CRecFileInfo* rec) override;
    void ReleaseSource() override;
    int OpenStreams() override;
    void CloseStreams() override;
    double GetDuration() override;
    int StartThreads() override;
    void StopThreads() override;
    void Seek(double seconds) override;
    int GetDecodeSeekState() override;
    void SetReadSeekState(int state) override;
    void SetVolume(double volume) override;
    int GetVideoState() override;
    int GetAudioState() override;

    // What the opened channel plays (for diagnostics and tests).
    int VideoStreamIndex() const { return m_nStreamIndex[kVideo]; }
    int AudioStreamIndex() const { return m_nStreamIndex[kAudio]; }
    bool PtsFromDts() const { return m_bNotMp4 != 0; }

private:
    enum { kVideo = 0, kAudio = 1, kStreamSlots = 5 };
    struct Source {
        CRecFileInfo* rec = nullptr;
        std::string path;  // UTF-8
    };

    int OpenDecoder(int index, bool video);

    // Reader thread.
    void ReaderThread();
    void PerformSeek();
    void MarkEndOfFile();

    // Decoder thread.
    void DecoderThread();
    void FinishSeekFlush();
    bool DecodePass(bool mayDrain);
    bool DecodeVideo(AVPacket* packet);
    bool DecodeAudio(AVPacket* packet);
    bool DrainVideo();
    bool DrainAudio();
    void StorePicture(AVFrame* frame, double fallbackTime);
    void StoreSound(AVFrame* frame, double fallbackTime);
    double FrameTime(const AVFrame* frame, const AVStream* stream, double fallbackTime) const;

    int m_nChannel = 0;
    std::unique_ptr<Source> m_pSource;
    int m_bNotMp4 = 0;
    AVFormatContext* m_pInput = nullptr;
    int m_nStreamIndex[kStreamSlots] = {-1, -1, -1, -1, -1};
    AVStream* m_pVideoStream = nullptr;
    AVStream* m_pAudioStream = nullptr;
    AVCodecContext* m_pVideoCodec = nullptr;
    AVCodecContext* m_pAudioCodec = nullptr;
    int m_nAudioSampleRate = 0;
    int m_nAudioChannels = 0;
    AVChannelLayout m_audioLayout{};
    int m_nVideoWidth = 0;
    int m_nVideoHeight = 0;
    std::atomic<int> m_nVideoState{kStreamAbsent};
    std::atomic<int> m_nAudioState{kStreamAbsent};
    PacketQueue m_audioPackets;
    PacketQueue m_videoPackets;
    std::thread m_readThread;
    std::atomic<int> m_bReadRun{0};
    std::thread m_decodeThread;
    std::atomic<int> m_bDecodeRun{0};
    std::atomic<double> m_dSeekTarget{0.0};
    std::atomic<int> m_nReadSeekState{0};
    std::atomic<int> m_nDecodeSeekState{0};
    AudioFilter m_audioFilter;
    double m_dVolume = 12.0;

    // End of file as the decoder needs it: set when the reader hits the end,
    // cleared by a successful seek. The done flags are set once the decoder
    // has drained that stream after the end and stay set, like the stream
    // states themselves.
    std::atomic<bool> m_bReadEof{false};
    std::atomic<bool> m_bVideoDone{false};
    std::atomic<bool> m_bAudioDone{false};

    // Reader-thread only.
    int m_nSeekFailures = 0;

    // Decoder-thread only.
    AVFrame* m_pFrame = nullptr;
    PictureConverter m_converter;
    std::vector<uint8_t> m_sound;
    bool m_bVideoDrainSent = false;
    bool m_bAudioDrainSent = false;
    PacketRefusals m_videoRefusals;
    PacketRefusals m_audioRefusals;
};

}  // namespace playcore
