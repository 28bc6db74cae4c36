// CThreadPostQueue: hands messages from the engine and worker threads to the
// user-interface thread. The messages wait in a queue under a standard
// mutex, and one queued call of Drain per batch makes the user-interface
// thread run the handler for each, in order. The data crosses threads only
// under our own lock (the queued call carries nothing), so the thread
// checker sees the whole hand-off. It is the playback flow's post role:
// player events and position updates go through it.
#pragma once

#include "views/IFlowPost.h"

#include <QObject>

#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <utility>

namespace kestrel::mainwnd {

class CThreadPostQueue : public QObject, public views::IFlowPost {
    Q_OBJECT
public:
    using Handler = std::function<void(uint32_t msg, uintptr_t wParam)>;

    // Lives on the user-interface thread; `handler` runs there.
    CThreadPostQueue(QObject* parent, Handler handler);

    // Any thread.
    void Post(uint32_t msg, uintptr_t wParam);

    // views::IFlowPost (any thread): WM_PLAYER_EVENT and the position update.
    void PostPlayerEvent(uintptr_t code) override;
    void PostPositionUpdate() override;

    // User-interface thread: runs the handler for every waiting message.
    Q_INVOKABLE void Drain();

private:
    Handler m_handler;
    std::mutex m_lock;
    std::deque<std::pair<uint32_t, uintptr_t>> m_items;
    bool m_wakePending = false;
};

}  // namespace kestrel::mainwnd
