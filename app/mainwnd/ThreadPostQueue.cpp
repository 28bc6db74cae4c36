#include "ThreadPostQueue.h"

#include "MainWndIds.h"

#include "kestrel/ViewerMessages.h"

#include <QMetaObject>

namespace kestrel::mainwnd {

CThreadPostQueue::CThreadPostQueue(QObject* parent, Handler handler)
    : QObject(parent), m_handler(std::move(handler))
{
}

void CThreadPostQueue::Post(uint32_t msg, uintptr_t wParam)
{
    bool wake = false;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_items.emplace_back(msg, wParam);
        wake = !m_wakePending;
        m_wakePending = true;
    }
    if (wake)
        QMetaObject::invokeMethod(this, "Drain", Qt::QueuedConnection);
}

void CThreadPostQueue::Drain()
{
    std::deque<std::pair<uint32_t, uintptr_t>> items;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        items.swap(m_items);
        m_wakePending = false;
    }
    for (const auto& [msg, wParam] : items)
        m_handler(msg, wParam);
}

void CThreadPostQueue::PostPlayerEvent(uintptr_t code)
{
    Post(kestrel::msg::WM_PLAYER_EVENT, code);
}

void CThreadPostQueue::PostPositionUpdate()
{
    Post(kMsgPositionUpdate, 0);
}

}  // namespace kestrel::mainwnd
