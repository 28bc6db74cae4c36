#include "Wakeup.h"

namespace playcore {

uint64_t Wakeup::Ticket() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_nRings;
}

void Wakeup::Ring()
{
    {
        std::lock_guard<std::mutex> lock(m_lock);
        ++m_nRings;
    }
    m_rung.notify_all();
}

void Wakeup::WaitUntil(uint64_t ticket, TimePoint deadline) const
{
    std::unique_lock<std::mutex> lock(m_lock);
    m_rung.wait_until(lock, deadline, [&] { return m_nRings != ticket; });
}

void Wakeup::WaitFor(uint64_t ticket, std::chrono::milliseconds longest) const
{
    WaitUntil(ticket, std::chrono::steady_clock::now() + longest);
}

}  // namespace playcore
