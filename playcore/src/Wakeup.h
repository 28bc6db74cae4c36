// A thread's doorbell. Other threads ring it when something the owner may be
// waiting for has changed: work queued, room freed, a seek step, a pause
// change, a stop. The owner takes a ticket before it looks at its state and
// then sleeps only while no ring came after that ticket, so a ring between
// the look and the sleep is never lost.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>

namespace playcore {

class Wakeup {
public:
    using TimePoint = std::chrono::steady_clock::time_point;

    uint64_t Ticket() const;
    void Ring();
    // Returns at the first ring after `ticket`, or at `deadline`.
    void WaitUntil(uint64_t ticket, TimePoint deadline) const;
    void WaitFor(uint64_t ticket, std::chrono::milliseconds longest) const;

private:
    mutable std::mutex m_lock;
    mutable std::condition_variable m_rung;
    uint64_t m_nRings = 0;
};

// Rings `wakeup` when it is set (queues whose other side is not wired yet).
inline void RingIfSet(Wakeup* wakeup)
{
    if (wakeup)
        wakeup->Ring();
}

}  // namespace playcore
