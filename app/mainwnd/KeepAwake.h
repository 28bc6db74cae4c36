// Keeps the system from going to sleep while the viewer runs, through an
// inhibitor the desktop offers over D-Bus: the login manager's "sleep"
// lock on the system bus, else the session's screen-saver inhibition.
// Where neither answers it quietly does nothing.
#pragma once

#include <QDBusUnixFileDescriptor>
#include <QObject>

namespace kestrel::mainwnd {

class CKeepAwake : public QObject {
    Q_OBJECT
public:
    explicit CKeepAwake(QObject* parent = nullptr);
    ~CKeepAwake() override;

    // Asks for the inhibitor unless one is held or being asked for. Called
    // on every keep-awake tick, so a desktop that comes up late is used.
    void Refresh();
    // Gives the inhibitor back.
    void Release();

    bool Held() const { return m_lock.isValid() || m_cookie != 0; }

private:
    void AskScreenSaver();

    QDBusUnixFileDescriptor m_lock;  // login manager: held while the descriptor is open
    uint m_cookie = 0;               // screen saver: released with UnInhibit
    bool m_asking = false;
};

}  // namespace kestrel::mainwnd
