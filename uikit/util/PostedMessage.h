// A window message (message, wParam, lParam) carried through Qt's event
// queue, so any thread can hand work to a window on the user-interface
// thread without waiting for it. The receiving window overrides
// QObject::event, recognises the type with IsPostedMessage and dispatches
// the three values like a sent message.
#pragma once

#include <QCoreApplication>
#include <QEvent>

#include <cstdint>

class KPostedMessage : public QEvent {
public:
    KPostedMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam)
        : QEvent(EventType()), m_msg(msg), m_wParam(wParam), m_lParam(lParam)
    {
    }

    static QEvent::Type EventType()
    {
        static const QEvent::Type type = static_cast<QEvent::Type>(QEvent::registerEventType());
        return type;
    }

    uint32_t Msg() const { return m_msg; }
    uintptr_t WParam() const { return m_wParam; }
    intptr_t LParam() const { return m_lParam; }

private:
    uint32_t m_msg;
    uintptr_t m_wParam;
    intptr_t m_lParam;
};

// Queues the message for `target`; safe from any thread. Qt drops the event
// when the target is destroyed before it is delivered.
inline void PostMsg(QObject* target, uint32_t msg, uintptr_t wParam, intptr_t lParam)
{
    if (target)
        QCoreApplication::postEvent(target, new KPostedMessage(msg, wParam, lParam));
}

inline const KPostedMessage* AsPostedMessage(const QEvent* e)
{
    return e && e->type() == KPostedMessage::EventType() ? static_cast<const KPostedMessage*>(e) : nullptr;
}
