#include "CHostWatch.h"

#include <mutex>
#include <thread>

namespace kestrel::map {

// The probe thread posts its answer through this link; the watch cuts it
// when it goes, under the same lock, so no answer reaches a dead object.
struct CHostWatch::Link {
    std::mutex lock;
    CHostWatch* owner = nullptr;
    bool answered = false;  // an answer waits for TakeAnswer
    bool connected = false;
};

CHostWatch::CHostWatch(QObject* parent) : QObject(parent), m_link(std::make_shared<Link>())
{
    m_link->owner = this;
    connect(&m_timer, &QTimer::timeout, this, &CHostWatch::CheckNow);
}

CHostWatch::~CHostWatch()
{
    std::lock_guard<std::mutex> guard(m_link->lock);
    m_link->owner = nullptr;
}

void CHostWatch::Watch(const ProbeTarget& target, int intervalMs)
{
    m_target = target;
    m_timer.start(intervalMs);
    CheckNow();
}

void CHostWatch::Stop()
{
    m_timer.stop();
}

void CHostWatch::CheckNow()
{
    if (m_probing)
        return;
    m_probing = true;
    std::thread([link = m_link, target = m_target] {
        const bool connected = ProbeHost(target) == 1;
        std::lock_guard<std::mutex> guard(link->lock);
        link->connected = connected;
        link->answered = true;
        if (link->owner)
            QMetaObject::invokeMethod(link->owner, "TakeAnswer", Qt::QueuedConnection);
    }).detach();
}

void CHostWatch::TakeAnswer()
{
    bool connected = false;
    {
        std::lock_guard<std::mutex> guard(m_link->lock);
        if (!m_link->answered)
            return;
        m_link->answered = false;
        connected = m_link->connected;
    }
    m_probing = false;
    m_connected = connected;
    emit Answered(connected);
}

}  // namespace kestrel::map
