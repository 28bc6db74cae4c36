#include "PacketQueue.h"

extern "C" {
#include <libavutil/avutil.h>
}

namespace playcore {

// In duration mode a stream without usable time stamps would never count as
// full; this bounds such a queue so damaged input cannot use unbounded memory.
static constexpr size_t kHardPacketCap = 2000;

void PacketQueue::SetLimits(LimitMode mode, int count, double seconds, double timeBase)
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_mode = mode;
    m_nCountLimit = count;
    m_dDurationLimit = seconds;
    m_dTimeBase = timeBase;
}

bool PacketQueue::Append(AVPacket* packet)
{
    AVPacket* holder = av_packet_alloc();
    if (!holder)
        return false;
    av_packet_move_ref(holder, packet);
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_packets.push_back(holder);
    }
    RingIfSet(m_pConsumer);
    return true;
}

int PacketQueue::Fullness() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    if (m_packets.empty())
        return -1;
    if (m_packets.size() >= kHardPacketCap)
        return 1;
    if (m_mode == ByCount)
        return static_cast<int>(m_packets.size()) >= m_nCountLimit ? 1 : 0;
    const int64_t first = m_packets.front()->pts;
    const int64_t last = m_packets.back()->pts;
    if (first == AV_NOPTS_VALUE || last == AV_NOPTS_VALUE)
        return 0;
    return static_cast<double>(last - first) * m_dTimeBase > m_dDurationLimit ? 1 : 0;
}

AVPacket* PacketQueue::Peek() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_packets.empty() ? nullptr : m_packets.front();
}

void PacketQueue::Pop()
{
    AVPacket* holder = nullptr;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        if (m_packets.empty())
            return;
        holder = m_packets.front();
        m_packets.pop_front();
    }
    av_packet_free(&holder);
    RingIfSet(m_pProducer);
}

void PacketQueue::Flush()
{
    std::deque<AVPacket*> old;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        old.swap(m_packets);
    }
    for (AVPacket* holder : old)
        av_packet_free(&holder);
}

int PacketQueue::Count() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return static_cast<int>(m_packets.size());
}

}  // namespace playcore
