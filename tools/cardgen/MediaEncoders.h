// Thin wrappers over libavcodec for the card's H.264 pictures and AAC sound,
// configured so that the same input always gives the same bytes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct AVCodecContext;
struct AVFrame;
struct AVPacket;

namespace kestrel::cardgen {

struct EncodedPacket {
    std::vector<uint8_t> data;
    bool key = false;
    int64_t pts = 0;  // in the encoder's time base
};

// H.264 (Annex B byte stream, parameter sets repeated on every key frame),
// no B-frames, a key frame every second, one thread, no look-ahead: each
// picture comes out as one packet right away.
class VideoEncoder {
public:
    VideoEncoder() = default;
    ~VideoEncoder();
    VideoEncoder(const VideoEncoder&) = delete;
    VideoEncoder& operator=(const VideoEncoder&) = delete;

    bool Open(int width, int height, int fps, std::string* error);
    // The picture to draw into before Encode (YUV 4:2:0).
    AVFrame* Picture() { return m_frame; }
    // Encodes Picture(); forceKey starts a new stream (IDR) here.
    bool Encode(bool forceKey, EncodedPacket* out, std::string* error);

private:
    AVCodecContext* m_ctx = nullptr;
    AVFrame* m_frame = nullptr;
    AVPacket* m_packet = nullptr;
    int64_t m_nextPts = 0;
};

// AAC-LC with libavcodec's own encoder, from interleaved 16-bit samples.
class AacEncoder {
public:
    AacEncoder() = default;
    ~AacEncoder();
    AacEncoder(const AacEncoder&) = delete;
    AacEncoder& operator=(const AacEncoder&) = delete;

    bool Open(int sampleRate, int channels, std::string* error);
    // Encodes all samples (interleaved, count per channel) and drains the
    // encoder; packets have pts in samples, starting at -Priming().
    bool EncodeAll(const std::vector<int16_t>& samples, std::vector<EncodedPacket>* out, std::string* error);
    // AudioSpecificConfig for the decoder.
    std::vector<uint8_t> Config() const;
    int Priming() const;
    int FrameSize() const;

private:
    AVCodecContext* m_ctx = nullptr;
};

// A tone whose pitch steps every half second (and differs per stereo side),
// so that sound is easy to detect and its position in time can be told.
std::vector<int16_t> MakeTone(int sampleRate, int channels, int64_t frames, int seedSalt);

}  // namespace kestrel::cardgen
