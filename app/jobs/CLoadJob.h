// CLoadJob: scans and loads one folder of recordings on a worker thread,
// with progress reports and a cancel. No toolkit: the viewer's load popup
// and the command line share it.
//
// Results: kScanFailed (-1) when no reader accepts the folder, kLoaded (2)
// when the load call answered above 0, kLoadEnded (0) for any other end
// (a cancelled load too), kNoTarget (1) when there was nothing to load with.
//
// Cancel stops a running job once: it marks the job cancelled and, once the
// load call runs, asks it to break. A break the plug-in did not see (it
// clears its stop flag when a load starts) is asked again when two more files
// are reported after it, so a cancelled load never runs on to its end.
//
// The event callbacks run on the worker thread and must only hand the news
// on (post a message); ClearEvents() detaches them, after which none runs.
// The destructor waits for the worker: the plug-in must not be unloaded
// under a running load.
#pragma once

#include "jobs/LoadTarget.h"

#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace kestrel::jobs {

class CLoadJob {
public:
    enum Result { kScanFailed = -1, kLoadEnded = 0, kNoTarget = 1, kLoaded = 2 };

    struct Events {
        std::function<void()> scanned;    // FileCount() is known
        std::function<void()> progressed; // Handled() grew
        std::function<void()> finished;   // the job ended by itself (not after Cancel); sent just after Finished()
    };

    // `target` (may be null: the job ends at once with kNoTarget) must
    // outlive the job.
    CLoadJob(ILoadTarget* target, std::wstring folder, Events events = {});
    // The same over a target the job owns (null: nothing to load with), for
    // owners that may go before the job ends.
    CLoadJob(std::unique_ptr<ILoadTarget> target, std::wstring folder, Events events = {});
    ~CLoadJob();
    CLoadJob(const CLoadJob&) = delete;
    CLoadJob& operator=(const CLoadJob&) = delete;

    // Starts the worker (once).
    void Start();
    // True when this call stopped a job that was still running: the caller
    // then owns the ending (no `finished` event follows).
    bool Cancel();
    // Detaches the event callbacks; waits only for a callback running now.
    void ClearEvents();

    // Waits up to `ms` for the worker to end; true when it has. Not for the
    // user-interface thread.
    bool WaitFinished(int ms);
    // The worker no longer touches the target.
    bool Finished() const { return m_finished.load(); }

    int Result() const { return m_result.load(); }
    int FileCount() const { return m_fileCount.load(); }  // -1 until scanned
    int Handled() const { return m_handled.load(); }
    int BreakCalls() const { return m_breakCalls.load(); }
    bool Cancelled() const;
    const std::wstring& Folder() const { return m_folder; }

private:
    enum class Phase { Idle, Scanning, Loading, Done };

    void Run();
    void BreakLocked();
    void Emit(std::function<void()> Events::*which);
    static void OnProgress(uint32_t code, uint32_t param, void* p, void* user);

    std::unique_ptr<ILoadTarget> m_owned;
    ILoadTarget* m_target;
    const std::wstring m_folder;

    mutable std::mutex m_mutex;  // phase, running, cancel and break decisions
    std::condition_variable m_done;
    Phase m_phase = Phase::Idle;
    bool m_running = false;
    bool m_cancelled = false;
    bool m_breakSent = false;
    bool m_breakRepeated = false;
    int m_reportsAfterBreak = 0;

    std::mutex m_eventMutex;  // the callbacks and their detaching
    Events m_events;

    std::atomic<int> m_result{kNoTarget};
    std::atomic<int> m_fileCount{-1};
    std::atomic<int> m_handled{0};
    std::atomic<int> m_breakCalls{0};
    std::atomic<bool> m_finished{false};
    std::thread m_worker;
};

}  // namespace kestrel::jobs
