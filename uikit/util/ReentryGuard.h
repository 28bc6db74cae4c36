// Keeps a handler from running twice at once. Popups and seeks run nested
// event loops that deliver input, so a second click or key can call the
// handler again while its first call is still running; that call is told
// to return at once.
#pragma once

class KReentryGuard {
public:
    explicit KReentryGuard(bool& running) : m_running(running), m_acquired(!running)
    {
        if (m_acquired)
            m_running = true;
    }
    ~KReentryGuard()
    {
        if (m_acquired)
            m_running = false;
    }
    KReentryGuard(const KReentryGuard&) = delete;
    KReentryGuard& operator=(const KReentryGuard&) = delete;

    // false when the handler is already running: the caller returns at once.
    bool Acquired() const { return m_acquired; }

private:
    bool& m_running;
    bool m_acquired;
};
