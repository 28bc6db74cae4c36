#include "services/RemovableDrives.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/statvfs.h>

#include <algorithm>

namespace kestrel::services {

namespace {

// Mount points escape space, tab, newline and backslash as \ooo.
QString UnescapeOctal(const QByteArray& field)
{
    QByteArray out;
    out.reserve(field.size());
    for (int i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            bool ok = false;
            const int value = field.mid(i + 1, 3).toInt(&ok, 8);
            if (ok && value >= 0 && value < 256) {
                out.append(static_cast<char>(value));
                i += 3;
                continue;
            }
        }
        out.append(field[i]);
    }
    return QString::fromUtf8(out);
}

// Labels in /dev/disk/by-label escape bytes as \xNN.
QString UnescapeHex(const QString& name)
{
    QByteArray out;
    const QByteArray in = name.toUtf8();
    for (int i = 0; i < in.size(); ++i) {
        if (in[i] == '\\' && i + 3 < in.size() && in[i + 1] == 'x') {
            bool ok = false;
            const int value = in.mid(i + 2, 2).toInt(&ok, 16);
            if (ok) {
                out.append(static_cast<char>(value));
                i += 3;
                continue;
            }
        }
        out.append(in[i]);
    }
    return QString::fromUtf8(out);
}

bool ReadFlag(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) && f.read(8).trimmed() == "1";
}

bool HasFreeSpaceInfo(const QString& path)
{
    struct statvfs info {};
    return statvfs(QFile::encodeName(path).constData(), &info) == 0;
}

QString LabelOf(const QString& labelFolder, const QString& source)
{
    if (!source.startsWith(QLatin1Char('/')))
        return QString();
    const QString device = QFileInfo(source).canonicalFilePath();
    const QFileInfoList labels = QDir(labelFolder).entryInfoList(QDir::System | QDir::Files | QDir::NoDotAndDotDot);
    for (const QFileInfo& link : labels)
        if (!device.isEmpty() && link.canonicalFilePath() == device)
            return UnescapeHex(link.fileName());
    return QString();
}

QString NameOfFolder(const QString& path)
{
    const QString name = QFileInfo(QDir::cleanPath(path)).fileName();
    return name.isEmpty() ? QDir::cleanPath(path) : name;
}

}  // namespace

DriveSources SystemDriveSources()
{
    DriveSources s;
    const QString extra = qEnvironmentVariable("KESTREL_REMOVABLE_ROOTS");
    for (const QString& root : extra.split(QLatin1Char(':'), Qt::SkipEmptyParts))
        s.extraRoots.append(root);
    return s;
}

QString DriveRoot(const QString& path)
{
    QString root = QDir::cleanPath(path);
    if (!root.endsWith(QLatin1Char('/')))
        root += QLatin1Char('/');
    return root;
}

QList<MountEntry> ParseMountInfo(const QByteArray& text)
{
    QList<MountEntry> mounts;
    for (const QByteArray& line : text.split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        // id parent major:minor root mount-point options [optional...] - type source super-options
        const auto dash = std::find(fields.begin(), fields.end(), QByteArray("-"));
        if (fields.size() < 6 || dash == fields.end() || dash - fields.begin() < 6 || fields.end() - dash < 3)
            continue;
        MountEntry m;
        m.device = QString::fromLatin1(fields[2]);
        m.mountPoint = UnescapeOctal(fields[4]);
        m.source = UnescapeOctal(*(dash + 2));
        if (!m.device.contains(QLatin1Char(':')) || !m.mountPoint.startsWith(QLatin1Char('/')))
            continue;
        mounts.append(m);
    }
    return mounts;
}

bool IsRemovableDevice(const QString& sysRoot, const QString& majorMinor)
{
    if (majorMinor.startsWith(QLatin1String("0:")))
        return false;  // no block device behind it (tmpfs, proc, network)
    QString device = QFileInfo(sysRoot + QStringLiteral("/dev/block/") + majorMinor).canonicalFilePath();
    if (device.isEmpty())
        return false;
    if (QFileInfo::exists(device + QStringLiteral("/partition")))
        device = QFileInfo(device).path();  // the disk that holds the partition
    if (ReadFlag(device + QStringLiteral("/removable")))
        return true;
    // The device's place in the device tree tells its bus.
    return device.contains(QLatin1String("/usb")) || device.contains(QLatin1String("/mmc"));
}

QList<RemovableDrive> ScanRemovableDrives(const DriveSources& sources)
{
    QList<RemovableDrive> drives;
    QFile table(sources.mountInfo);
    if (table.open(QIODevice::ReadOnly)) {
        for (const MountEntry& m : ParseMountInfo(table.readAll())) {
            if (!IsRemovableDevice(sources.sysRoot, m.device) || !HasFreeSpaceInfo(m.mountPoint))
                continue;
            const QString root = DriveRoot(m.mountPoint);
            if (std::any_of(drives.begin(), drives.end(), [&](const RemovableDrive& d) { return d.root == root; }))
                continue;  // mounted twice (bind mounts): one drive
            QString label = LabelOf(sources.labelFolder, m.source);
            drives.append({root, label.isEmpty() ? NameOfFolder(m.mountPoint) : label});
        }
    }
    for (const QString& extra : sources.extraRoots) {
        const QFileInfo info(extra);
        if (!info.isDir() || !HasFreeSpaceInfo(extra))
            continue;
        const QString root = DriveRoot(info.absoluteFilePath());
        if (std::none_of(drives.begin(), drives.end(), [&](const RemovableDrive& d) { return d.root == root; }))
            drives.append({root, NameOfFolder(root)});
    }
    std::sort(drives.begin(), drives.end(), [](const RemovableDrive& a, const RemovableDrive& b) { return a.root < b.root; });
    return drives;
}

}  // namespace kestrel::services
