// CHostWatch: probes the map host on a worker thread at once and every
// 15 seconds, and reports each answer on the user-interface thread. The
// user-interface thread never waits for a probe: a window that closes
// while one runs just never hears its answer.
#pragma once

#include "HostProbe.h"

#include <QObject>
#include <QTimer>

#include <memory>

namespace kestrel::map {

class CHostWatch : public QObject {
    Q_OBJECT
public:
    static constexpr int kRecheckMs = 15000;

    explicit CHostWatch(QObject* parent = nullptr);
    ~CHostWatch() override;

    // Starts watching `target` (a probe at once, then every interval).
    void Watch(const ProbeTarget& target, int intervalMs = kRecheckMs);
    void Stop();
    // Starts one probe now unless one is running.
    void CheckNow();

    // The last answer; false before the first.
    bool Connected() const { return m_connected; }
    bool Probing() const { return m_probing; }

signals:
    // Every answer, on the user-interface thread.
    void Answered(bool connected);

private:
    struct Link;  // shared with the probe threads
    // User-interface thread: takes the answer the probe left in the link.
    // Posted by name and carrying nothing, so the answer crosses threads
    // only under the link's lock, where the thread checker sees it.
    Q_INVOKABLE void TakeAnswer();

    std::shared_ptr<Link> m_link;
    ProbeTarget m_target;
    QTimer m_timer;
    bool m_connected = false;
    bool m_probing = false;
};

}  // namespace kestrel::map
