// Compressed packets read for one stream of a channel, in arrival order. The
// reader thread appends, the decoder thread peeks and pops; every operation
// takes the queue's own lock. An append rings the consumer's wakeup, a pop
// the producer's, so neither side has to poll.
#pragma once

#include <deque>
#include <mutex>

#include "Wakeup.h"

extern "C" {
#include <libavcodec/packet.h>
}

namespace playcore {

class PacketQueue {
public:
    enum LimitMode { ByCount = 0, ByDuration = 1 };

    PacketQueue() = default;
    ~PacketQueue() { Flush(); }
    PacketQueue(const PacketQueue&) = delete;
    PacketQueue& operator=(const PacketQueue&) = delete;

    // Who is woken by an append (consumer) and by a pop (producer); set
    // before the threads start.
    void SetWakeups(Wakeup* consumer, Wakeup* producer)
    {
        m_pConsumer = consumer;
        m_pProducer = producer;
    }
    // Duration mode with `seconds`, count limit `count`, and the stream's
    // time base in seconds per tick.
    void SetLimits(LimitMode mode, int count, double seconds, double timeBase);

    // Takes over the packet's data reference (the packet is left blank).
    bool Append(AVPacket* packet);
    // -1 empty, 1 full, 0 otherwise.
    int Fullness() const;
    // Oldest packet or null; stays owned by the queue until Pop.
    AVPacket* Peek() const;
    void Pop();
    void Flush();
    int Count() const;

private:
    mutable std::mutex m_lock;
    std::deque<AVPacket*> m_packets;
    LimitMode m_mode = ByCount;
    int m_nCountLimit = 20;
    double m_dTimeBase = 0.0;
    double m_dDurationLimit = 1.0;
    Wakeup* m_pConsumer = nullptr;
    Wakeup* m_pProducer = nullptr;
};

}  // namespace playcore
