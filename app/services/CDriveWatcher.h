// CDriveWatcher: tells the user-interface thread when the set of removable
// drives may have changed, as soon as the system says so:
// - UDisks2 over the system bus, where the bus and the service are there
//   (a drive or file system appeared, went or changed its mount points);
// - else the mount table's change notification (/proc/self/mountinfo
//   becomes "exceptional" for poll() after every mount and unmount);
// - and, for the extra roots of KESTREL_REMOVABLE_ROOTS, a watch on the
//   roots and the folders that hold them (mkdir and rmdir show at once).
// The owners keep their own timers as the fallback; a notification only
// brings their next scan forward.
#pragma once

#include "services/RemovableDrives.h"

#include <QObject>

class QFileSystemWatcher;
class QSocketNotifier;

namespace kestrel::services {

class CDriveWatcher : public QObject {
    Q_OBJECT
public:
    explicit CDriveWatcher(DriveSources sources = SystemDriveSources(), QObject* parent = nullptr);
    ~CDriveWatcher() override;

    // The drives now (a scan of the mount table and the device folders).
    QList<RemovableDrive> Drives() const { return ScanRemovableDrives(m_sources); }
    const DriveSources& Sources() const { return m_sources; }

    // Which system notification is in use: "udisks2", "mountinfo" or "none".
    QString NotificationKind() const { return m_kind; }

signals:
    void DrivesChanged();

private:
    void WatchUDisks();
    void WatchMountTable();
    void WatchExtraRoots();
    void OnMountTableChanged();
    void OnFolderChanged();

    DriveSources m_sources;
    QString m_kind = QStringLiteral("none");
    int m_mountFd = -1;
    QSocketNotifier* m_mountNotifier = nullptr;
    QFileSystemWatcher* m_folders = nullptr;
};

}  // namespace kestrel::services
