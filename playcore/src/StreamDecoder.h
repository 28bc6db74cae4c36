// One stream's decoder, run on its channel's decoder thread; the same type
// serves pictures and sound. It offers the packet at the head of the stream's
// packet queue to the codec, hands every frame that comes out to the
// channel's store function, and after the end of the file drains what the
// codec still holds.
#pragma once

#include <atomic>
#include <functional>

#include "DecodedFrameQueue.h"
#include "PacketQueue.h"
#include "PacketRefusals.h"

struct AVCodecContext;
struct AVFrame;
struct AVStream;

namespace playcore {

class StreamDecoder {
public:
    // Stores a decoded frame (still owned by the decoder) that belongs at
    // `seconds`.
    using StoreFrame = std::function<void(AVFrame* frame, double seconds)>;

    StreamDecoder(PacketQueue& packets, DecodedFrameQueue& frames, StoreFrame store);
    ~StreamDecoder() { Close(); }
    StreamDecoder(const StreamDecoder&) = delete;
    StreamDecoder& operator=(const StreamDecoder&) = delete;

    // Opens the codec of `stream` with fast decoding; false when there is no
    // decoder for it or it does not open.
    bool Open(AVStream* stream);
    void Close();
    bool IsOpen() const { return m_pCodec != nullptr; }
    AVCodecContext* Codec() const { return m_pCodec; }
    AVStream* Stream() const { return m_pStream; }

    // Time of a packet of this stream in seconds (pts, else dts, else 0).
    double PacketTime(const AVPacket* packet) const;
    // True while the frame pool has a free slot.
    bool HasRoom() const { return m_frames.Count() < m_frames.PoolSize(); }

    // Offers `packet`, the head of the packet queue, and takes one frame out.
    // The packet is popped once the codec took it; a refused packet stays for
    // the next pass until PacketRefusals gives it up.
    void Decode(AVPacket* packet);
    // After the end of the file: stores the next frame the codec still holds
    // and returns true; false when the pool is full or nothing is left (the
    // stream is then done).
    bool Drain();
    // A seek: frames inside the codec belong to the old position.
    void Flush();
    // The codec gave its last frame after the end of the file. Stays set
    // after a seek, like the stream states; a closed decoder is done.
    bool Done() const { return m_bDone; }

private:
    void Store(double fallbackTime);

    PacketQueue& m_packets;
    DecodedFrameQueue& m_frames;
    StoreFrame m_store;
    AVCodecContext* m_pCodec = nullptr;
    AVStream* m_pStream = nullptr;
    AVFrame* m_pFrame = nullptr;
    bool m_bDrainSent = false;
    PacketRefusals m_refusals;
    std::atomic<bool> m_bDone{true};
};

}  // namespace playcore
