// Keeps a popup command from running twice at once: a second click or key
// that arrives while the first call's popup is still open (its modal loop
// delivers input) is ignored.
#pragma once

namespace kestrel::mainwnd {

class CPopupCommandGuard {
public:
    explicit CPopupCommandGuard(bool& running) : m_running(running), m_acquired(!running)
    {
        if (m_acquired)
            m_running = true;
    }
    ~CPopupCommandGuard()
    {
        if (m_acquired)
            m_running = false;
    }
    CPopupCommandGuard(const CPopupCommandGuard&) = delete;
    CPopupCommandGuard& operator=(const CPopupCommandGuard&) = delete;

    // false when the command is already running: the caller returns at once.
    bool Acquired() const { return m_acquired; }

private:
    bool& m_running;
    bool m_acquired;
};

}  // namespace kestrel::mainwnd
