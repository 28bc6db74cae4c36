// Carries a display's repaint requests from the engine's thread to the
// user-interface thread. The request is a queued call by name, so nothing
// but Qt's own call record and the atomic "pending" flag crosses threads;
// one request in flight is enough, as the paint takes the newest picture.
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <atomic>

class RepaintNotifier : public QObject {
    Q_OBJECT
public:
    explicit RepaintNotifier(std::atomic<bool>& pending) : m_pending(pending) {}

    void SetWidget(QWidget* widget) { m_widget = widget; }

    // Any thread: asks for one repaint unless one is already on its way.
    void Request()
    {
        if (!m_pending.exchange(true))
            QMetaObject::invokeMethod(this, "Flush", Qt::QueuedConnection);
    }

    Q_INVOKABLE void Flush()
    {
        m_pending = false;
        if (m_widget)
            m_widget->update();
    }

private:
    std::atomic<bool>& m_pending;
    QPointer<QWidget> m_widget;
};
