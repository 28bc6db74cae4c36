#include "PositionWorker.h"

#include <pthread.h>

#include <system_error>

namespace kestrel::playflow {

namespace {
// A wait never lasts longer than this, so a cleared run flag is seen soon
// even without a signal.
constexpr std::chrono::milliseconds kWaitLimit{300};
}  // namespace

bool CPositionWorker::Start(std::function<void()> onPicture)
{
    if (m_thread.joinable())
        return false;
    m_onPicture = std::move(onPicture);
    m_event.Reset();
    m_run = true;
    try {
        m_thread = std::thread(&CPositionWorker::Run, this);
    } catch (const std::system_error&) {
        m_run = false;
        return false;
    }
    return true;
}

void CPositionWorker::Stop()
{
    if (!m_thread.joinable())
        return;
    m_run = false;
    m_event.Set();  // end the current wait at once
    m_thread.join();
    m_onPicture = nullptr;
}

void CPositionWorker::Run()
{
    pthread_setname_np(pthread_self(), "PositionWorker");
    while (m_run) {
        if (m_event.WaitFor(kWaitLimit) && m_run)
            m_onPicture();
    }
}

}  // namespace kestrel::playflow
