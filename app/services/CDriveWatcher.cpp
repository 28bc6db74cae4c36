#include "services/CDriveWatcher.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QSocketNotifier>

#include <fcntl.h>
#include <unistd.h>

namespace kestrel::services {

namespace {

const QString kUDisksService = QStringLiteral("org.freedesktop.UDisks2");
const QString kUDisksPath = QStringLiteral("/org/freedesktop/UDisks2");

}  // namespace

CDriveWatcher::CDriveWatcher(DriveSources sources, QObject* parent) : QObject(parent), m_sources(std::move(sources))
{
    WatchUDisks();
    if (m_kind == QLatin1String("none"))
        WatchMountTable();
    WatchExtraRoots();
}

CDriveWatcher::~CDriveWatcher()
{
    delete m_mountNotifier;
    if (m_mountFd >= 0)
        ::close(m_mountFd);
}

void CDriveWatcher::WatchUDisks()
{
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected() || !bus.interface() || !bus.interface()->isServiceRegistered(kUDisksService))
        return;
    const QString objects = QStringLiteral("org.freedesktop.DBus.ObjectManager");
    bool ok = bus.connect(kUDisksService, kUDisksPath, objects, QStringLiteral("InterfacesAdded"), this,
                          SIGNAL(DrivesChanged()));
    ok = bus.connect(kUDisksService, kUDisksPath, objects, QStringLiteral("InterfacesRemoved"), this,
                     SIGNAL(DrivesChanged())) && ok;
    // A file system's MountPoints change on every mount and unmount.
    bus.connect(kUDisksService, QString(), QStringLiteral("org.freedesktop.DBus.Properties"),
                QStringLiteral("PropertiesChanged"), this, SIGNAL(DrivesChanged()));
    if (ok)
        m_kind = QStringLiteral("udisks2");
}

void CDriveWatcher::WatchMountTable()
{
    m_mountFd = ::open(QFile::encodeName(m_sources.mountInfo).constData(), O_RDONLY | O_CLOEXEC);
    if (m_mountFd < 0)
        return;
    m_mountNotifier = new QSocketNotifier(m_mountFd, QSocketNotifier::Exception);
    connect(m_mountNotifier, &QSocketNotifier::activated, this, &CDriveWatcher::OnMountTableChanged);
    m_kind = QStringLiteral("mountinfo");
}

void CDriveWatcher::OnMountTableChanged()
{
    // The notification repeats until the table is read again from its start.
    char buffer[4096];
    ::lseek(m_mountFd, 0, SEEK_SET);
    while (::read(m_mountFd, buffer, sizeof buffer) > 0) {
    }
    emit DrivesChanged();
}

void CDriveWatcher::WatchExtraRoots()
{
    if (m_sources.extraRoots.isEmpty())
        return;
    m_folders = new QFileSystemWatcher(this);
    connect(m_folders, &QFileSystemWatcher::directoryChanged, this, &CDriveWatcher::OnFolderChanged);
    OnFolderChanged();
}

void CDriveWatcher::OnFolderChanged()
{
    // A root that appears or goes changes the folder above it; the nearest
    // existing folder above a missing root is watched until it appears.
    QStringList wanted;
    for (const QString& root : m_sources.extraRoots) {
        QString folder = QDir::cleanPath(QFileInfo(root).absoluteFilePath());
        if (QFileInfo(folder).isDir())
            wanted.append(folder);
        while (!folder.isEmpty() && folder != QLatin1String("/")) {
            folder = QFileInfo(folder).path();
            if (QFileInfo(folder).isDir()) {
                wanted.append(folder);
                break;
            }
        }
    }
    wanted.removeDuplicates();
    const QStringList watched = m_folders->directories();
    for (const QString& f : watched)
        if (!wanted.contains(f))
            m_folders->removePath(f);
    for (const QString& f : wanted)
        if (!watched.contains(f))
            m_folders->addPath(f);
    if (sender() == m_folders)
        emit DrivesChanged();
}

}  // namespace kestrel::services
