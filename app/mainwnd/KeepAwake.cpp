#include "KeepAwake.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusReply>

namespace kestrel::mainwnd {
namespace {

const QString kWho = QStringLiteral("Kestrel");
const QString kWhy = QStringLiteral("Playing dash-camera recordings");

const QString kLoginService = QStringLiteral("org.freedesktop.login1");
const QString kSaverService = QStringLiteral("org.freedesktop.ScreenSaver");

bool ServiceOffered(const QDBusConnection& bus, const QString& service)
{
    if (!bus.isConnected() || !bus.interface())
        return false;
    const QDBusReply<bool> reply = bus.interface()->isServiceRegistered(service);
    return reply.isValid() && reply.value();
}

}  // namespace

CKeepAwake::CKeepAwake(QObject* parent) : QObject(parent) {}

CKeepAwake::~CKeepAwake()
{
    Release();
}

void CKeepAwake::Refresh()
{
    if (Held() || m_asking)
        return;
    QDBusConnection system = QDBusConnection::systemBus();
    if (!ServiceOffered(system, kLoginService)) {
        AskScreenSaver();
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(kLoginService, QStringLiteral("/org/freedesktop/login1"),
                                                       QStringLiteral("org.freedesktop.login1.Manager"),
                                                       QStringLiteral("Inhibit"));
    call << QStringLiteral("sleep") << kWho << kWhy << QStringLiteral("block");
    m_asking = true;
    auto* watcher = new QDBusPendingCallWatcher(system.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* w) {
        w->deleteLater();
        m_asking = false;
        const QDBusPendingReply<QDBusUnixFileDescriptor> reply = *w;
        if (reply.isValid() && reply.value().isValid())
            m_lock = reply.value();
        else
            AskScreenSaver();  // e.g. the policy refuses the sleep lock
    });
}

void CKeepAwake::AskScreenSaver()
{
    QDBusConnection session = QDBusConnection::sessionBus();
    if (!ServiceOffered(session, kSaverService))
        return;
    QDBusMessage call = QDBusMessage::createMethodCall(kSaverService, QStringLiteral("/org/freedesktop/ScreenSaver"),
                                                       kSaverService, QStringLiteral("Inhibit"));
    call << kWho << kWhy;
    m_asking = true;
    auto* watcher = new QDBusPendingCallWatcher(session.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* w) {
        w->deleteLater();
        m_asking = false;
        const QDBusPendingReply<uint> reply = *w;
        if (reply.isValid())
            m_cookie = reply.value();
    });
}

void CKeepAwake::Release()
{
    m_lock = QDBusUnixFileDescriptor();  // closing the descriptor ends the lock
    if (m_cookie != 0) {
        QDBusMessage call = QDBusMessage::createMethodCall(kSaverService, QStringLiteral("/org/freedesktop/ScreenSaver"),
                                                           kSaverService, QStringLiteral("UnInhibit"));
        call << m_cookie;
        QDBusConnection::sessionBus().call(call, QDBus::NoBlock);
        m_cookie = 0;
    }
}

}  // namespace kestrel::mainwnd
