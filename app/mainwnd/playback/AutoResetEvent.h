// An event that releases one waiter and then resets itself: a signal while
// nobody waits is kept until the next wait, and several signals before a
// wait count as one.
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace kestrel::playflow {

class AutoResetEvent {
public:
    void Set()
    {
        {
            std::lock_guard<std::mutex> lock(m_lock);
            m_signalled = true;
        }
        m_cv.notify_one();
    }

    // True when signalled within `timeout` (the signal is consumed).
    bool WaitFor(std::chrono::milliseconds timeout)
    {
        std::unique_lock<std::mutex> lock(m_lock);
        if (!m_cv.wait_for(lock, timeout, [this] { return m_signalled; }))
            return false;
        m_signalled = false;
        return true;
    }

    void Reset()
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_signalled = false;
    }

private:
    std::mutex m_lock;
    std::condition_variable m_cv;
    bool m_signalled = false;
};

}  // namespace kestrel::playflow
