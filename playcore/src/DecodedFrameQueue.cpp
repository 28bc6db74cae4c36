#include "DecodedFrameQueue.h"

#include <cstdlib>

namespace playcore {

void DecodedFrameQueue::Create(int size)
{
    Free();
    std::lock_guard<std::mutex> lock(m_lock);
    m_pool.assign(static_cast<size_t>(size > 0 ? size : 0), _TAG_DEC_INFO{});
    for (_TAG_DEC_INFO& slot : m_pool)
        slot.nType = m_nKind;
    m_nRing = 0;
}

void DecodedFrameQueue::Clear()
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_list.clear();
    m_nRing = 0;
}

void DecodedFrameQueue::Free()
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_list.clear();
    for (_TAG_DEC_INFO& slot : m_pool)
        std::free(slot.pBuffer);
    m_pool.clear();
    m_nRing = 0;
}

int DecodedFrameQueue::PoolSize() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return static_cast<int>(m_pool.size());
}

int DecodedFrameQueue::Count() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return static_cast<int>(m_list.size());
}

_TAG_DEC_INFO* DecodedFrameQueue::NextSlot()
{
    std::lock_guard<std::mutex> lock(m_lock);
    if (m_pool.empty() || m_list.size() >= m_pool.size())
        return nullptr;
    return &m_pool[static_cast<size_t>(m_nRing)];
}

bool DecodedFrameQueue::Reserve(_TAG_DEC_INFO* slot, int bytes)
{
    if (slot->pBuffer && slot->nBufferSize >= bytes)
        return true;
    std::free(slot->pBuffer);
    slot->pBuffer = static_cast<uint8_t*>(std::malloc(static_cast<size_t>(bytes > 0 ? bytes : 1)));
    slot->nBufferSize = slot->pBuffer ? bytes : 0;
    return slot->pBuffer != nullptr;
}

void DecodedFrameQueue::Append(_TAG_DEC_INFO* slot)
{
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_list.push_back(slot);
        m_nRing = (m_nRing + 1) % static_cast<int>(m_pool.size());
    }
    RingIfSet(m_pConsumer);
}

_TAG_DEC_INFO* DecodedFrameQueue::Peek() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_list.empty() ? nullptr : m_list.front();
}

bool DecodedFrameQueue::PeekTime(double* time) const
{
    std::lock_guard<std::mutex> lock(m_lock);
    if (m_list.empty())
        return false;
    *time = m_list.front()->dTime;
    return true;
}

_TAG_DEC_INFO* DecodedFrameQueue::PeekSecond() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_list.size() < 2 ? nullptr : m_list[1];
}

void DecodedFrameQueue::Remove(const _TAG_DEC_INFO* slot)
{
    {
        std::lock_guard<std::mutex> lock(m_lock);
        if (m_list.empty() || m_list.front() != slot)
            return;
        m_list.pop_front();
    }
    RingIfSet(m_pProducer);
}

void DecodedFrameQueue::RemoveOldest()
{
    {
        std::lock_guard<std::mutex> lock(m_lock);
        if (m_list.empty())
            return;
        m_list.pop_front();
    }
    RingIfSet(m_pProducer);
}

}  // namespace playcore
