#include "jobs/CLoadJob.h"

#include <chrono>
#include <utility>

namespace kestrel::jobs {

CLoadJob::CLoadJob(ILoadTarget* target, std::wstring folder, Events events)
    : m_target(target), m_folder(std::move(folder)), m_events(std::move(events))
{
}

CLoadJob::CLoadJob(std::unique_ptr<ILoadTarget> target, std::wstring folder, Events events)
    : CLoadJob(target.get(), std::move(folder), std::move(events))
{
    m_owned = std::move(target);
}

CLoadJob::~CLoadJob()
{
    ClearEvents();
    if (m_worker.joinable())
        m_worker.join();
}

void CLoadJob::Start()
{
    {
        std::lock_guard lock(m_mutex);
        if (m_phase != Phase::Idle)
            return;
        if (!m_target) {
            m_phase = Phase::Done;
            m_result = kNoTarget;
            m_finished = true;
            m_done.notify_all();
            return;
        }
        m_phase = Phase::Scanning;
        m_running = true;
    }
    m_worker = std::thread([this] { Run(); });
}

bool CLoadJob::Cancel()
{
    std::lock_guard lock(m_mutex);
    if (!m_running)
        return false;
    m_running = false;
    m_cancelled = true;
    // During the scan there is no load to break yet: the worker sees the
    // cancel before it would start one.
    if (m_phase == Phase::Loading)
        BreakLocked();
    return true;
}

bool CLoadJob::Cancelled() const
{
    std::lock_guard lock(m_mutex);
    return m_cancelled;
}

void CLoadJob::BreakLocked()
{
    if (!m_breakSent) {
        m_breakSent = true;
    } else if (!m_breakRepeated) {
        m_breakRepeated = true;
    } else {
        return;
    }
    ++m_breakCalls;
    m_target->BreakLoadFile();
}

void CLoadJob::ClearEvents()
{
    std::lock_guard lock(m_eventMutex);
    m_events = Events{};
}

void CLoadJob::Emit(std::function<void()> Events::*which)
{
    std::lock_guard lock(m_eventMutex);
    if (m_events.*which)
        (m_events.*which)();
}

bool CLoadJob::WaitFinished(int ms)
{
    std::unique_lock lock(m_mutex);
    return m_done.wait_for(lock, std::chrono::milliseconds(ms), [this] { return m_finished.load(); });
}

void CLoadJob::OnProgress(uint32_t code, uint32_t, void*, void* user)
{
    auto* self = static_cast<CLoadJob*>(user);
    if (code != 0 || !self)
        return;
    ++self->m_handled;
    {
        std::lock_guard lock(self->m_mutex);
        // The file in hand when the break came is reported once more; a
        // second report means the load went on: the break was lost.
        if (self->m_breakSent && ++self->m_reportsAfterBreak >= 2)
            self->BreakLocked();
    }
    self->Emit(&Events::progressed);
}

void CLoadJob::Run()
{
    const int count = m_target->SelectFileType(m_folder);
    m_fileCount = count;
    bool load = false;
    {
        std::lock_guard lock(m_mutex);
        if (count < 0) {
            m_result = kScanFailed;
        } else if (!m_cancelled) {
            m_phase = Phase::Loading;
            load = true;
        } else {
            m_result = kLoadEnded;
        }
    }
    Emit(&Events::scanned);
    if (load) {
        m_target->SetProgress(&CLoadJob::OnProgress, this);
        const int r = m_target->LoadFile(m_folder);
        m_target->SetProgress(nullptr, nullptr);
        m_result = r > 0 ? kLoaded : kLoadEnded;
    }
    bool endedByItself = false;
    {
        std::lock_guard lock(m_mutex);
        m_phase = Phase::Done;
        endedByItself = m_running;
        m_running = false;
        m_finished = true;
        m_done.notify_all();
    }
    if (endedByItself)
        Emit(&Events::finished);
}

}  // namespace kestrel::jobs
