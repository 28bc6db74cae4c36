// The position worker: a thread woken by each channel-0 picture that hands
// the play position to the user-interface thread. It never waits for the
// user-interface thread (its wake-up work only queues), so Stop may join it
// from there without any risk of a deadlock.
#pragma once

#include "AutoResetEvent.h"

#include <atomic>
#include <functional>
#include <thread>

namespace kestrel::playflow {

class CPositionWorker {
public:
    CPositionWorker() = default;
    ~CPositionWorker() { Stop(); }
    CPositionWorker(const CPositionWorker&) = delete;
    CPositionWorker& operator=(const CPositionWorker&) = delete;

    // Starts the thread; `onPicture` runs on it once per signalled picture
    // event (several signals between two wake-ups count once). false when
    // the thread cannot be started or already runs.
    bool Start(std::function<void()> onPicture);
    // Ends the thread and waits for it; nothing runs `onPicture` afterwards.
    void Stop();
    bool Running() const { return m_thread.joinable(); }

    // Any thread: wakes the worker (the picture event).
    void Signal() { m_event.Set(); }

private:
    void Run();

    AutoResetEvent m_event;
    std::atomic<bool> m_run{false};
    std::function<void()> m_onPicture;
    std::thread m_thread;
};

}  // namespace kestrel::playflow
