// A fixed pool of decoded pictures or sound buffers and the first-in
// first-out list of filled slots handed to the presentation thread.
//
// The decoder thread is the only writer of slots and the only appender; the
// presentation thread is the only remover. Slots are filled in ring order and
// the list never holds more entries than the pool has slots, so the slot at the
// ring index is free whenever Count() < PoolSize(): a slot is overwritten only
// after it has left the list. An append rings the consumer's wakeup, a removal
// the producer's.
#pragma once

#include <deque>
#include <mutex>
#include <vector>

#include <kestrel/KestrelTypes.h>

#include "Wakeup.h"

namespace playcore {

class DecodedFrameQueue {
public:
    explicit DecodedFrameQueue(int kind) : m_nKind(kind) {}
    ~DecodedFrameQueue() { Free(); }
    DecodedFrameQueue(const DecodedFrameQueue&) = delete;
    DecodedFrameQueue& operator=(const DecodedFrameQueue&) = delete;

    // Who is woken by an append (consumer) and by a removal (producer); set
    // before the threads start.
    void SetConsumer(Wakeup* consumer) { m_pConsumer = consumer; }
    void SetProducer(Wakeup* producer) { m_pProducer = producer; }
    // Wakes the consumer without an append (the stream's state changed).
    void WakeConsumer() const { RingIfSet(m_pConsumer); }

    // Frees any previous pool and makes one of `size` empty slots.
    void Create(int size);
    // Empties the list and rewinds the ring; buffers stay allocated.
    void Clear();
    // Empties the list and frees every buffer and the pool.
    void Free();

    int PoolSize() const;
    int Count() const;
    // The slot to fill next (decoder thread only; free while Count() < PoolSize()).
    _TAG_DEC_INFO* NextSlot();
    // Makes sure the slot owns at least `bytes` bytes (grows, never shrinks).
    static bool Reserve(_TAG_DEC_INFO* slot, int bytes);
    // Appends the filled slot and advances the ring.
    void Append(_TAG_DEC_INFO* slot);

    // Oldest listed slot, or null. The pointer stays valid until the slot is
    // removed; its data is read outside the lock.
    _TAG_DEC_INFO* Peek() const;
    // Time of the oldest slot; false when empty.
    bool PeekTime(double* time) const;
    // The entry after the oldest, or null.
    _TAG_DEC_INFO* PeekSecond() const;
    // Removes the oldest entry if it is `slot` (a seek may have cleared the
    // list meanwhile, in which case nothing is removed).
    void Remove(const _TAG_DEC_INFO* slot);
    // Removes the oldest entry whatever it is.
    void RemoveOldest();

private:
    const int m_nKind;
    mutable std::mutex m_lock;
    std::vector<_TAG_DEC_INFO> m_pool;
    int m_nRing = 0;
    std::deque<_TAG_DEC_INFO*> m_list;
    Wakeup* m_pConsumer = nullptr;
    Wakeup* m_pProducer = nullptr;
};

}  // namespace playcore
