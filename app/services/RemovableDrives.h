// The mounted removable drives: file systems whose block device is removable,
// on USB or an SD/MMC slot, read from the mount table and the kernel's device
// folders; plus folders named in KESTREL_REMOVABLE_ROOTS, which count as
// removable drives while they exist (tests and demos insert and pull a
// "card" with mkdir and rmdir).
//
// A drive is listed only when the free-space query of its mount point
// succeeds (a reader without media is not). Drives come in root order.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace kestrel::services {

struct RemovableDrive {
    QString root;  // the mount point (or folder) with a trailing '/'
    QString name;  // volume label, else the mount point's own name
    bool operator==(const RemovableDrive&) const = default;
};

// Where the scan reads; tests point these at a made-up tree.
struct DriveSources {
    QString mountInfo = QStringLiteral("/proc/self/mountinfo");
    QString sysRoot = QStringLiteral("/sys");             // holds dev/block/<major>:<minor>
    QString labelFolder = QStringLiteral("/dev/disk/by-label");
    QStringList extraRoots;                               // count as removable while they exist
};

// The system's sources, with KESTREL_REMOVABLE_ROOTS (':'-separated) as
// the extra roots.
DriveSources SystemDriveSources();

// One mount of the mount table.
struct MountEntry {
    QString device;      // "8:17"
    QString mountPoint;  // unescaped
    QString source;      // "/dev/sdb1"
};

// Parses mount table text (the mountinfo format); malformed lines are skipped.
QList<MountEntry> ParseMountInfo(const QByteArray& text);

// True when the block device `majorMinor` (or the disk holding that
// partition) is removable, on USB or on an MMC/SD bus.
bool IsRemovableDevice(const QString& sysRoot, const QString& majorMinor);

// The mounted removable drives and the extra roots that exist, in root order.
QList<RemovableDrive> ScanRemovableDrives(const DriveSources& sources);

// The root of a folder path: the path with one trailing '/'.
QString DriveRoot(const QString& path);

}  // namespace kestrel::services
