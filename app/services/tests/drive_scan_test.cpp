// Reading the removable drives from a made-up mount table, device tree and
// label folder: which mounts count, their names and order, and the extra
// roots that count while they exist.
#include "services/RemovableDrives.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using namespace kestrel::services;

bool Write(const QString& path, const QByteArray& text)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(text) == text.size();
}

// A device tree under <tmp>/sys: devices/<place>/<disk>[/<part>], linked from
// dev/block/<major>:<minor> as the kernel does.
class FakeSystem : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_tmp.isValid()); }
    QString Path(const QString& p) const { return m_tmp.filePath(p); }

    void AddDisk(const QString& majorMinor, const QString& place, bool removable, const QString& partition = {})
    {
        const QString disk = Path(QStringLiteral("sys/devices/") + place);
        ASSERT_TRUE(Write(disk + QStringLiteral("/removable"), removable ? "1\n" : "0\n"));
        QString target = disk;
        if (!partition.isEmpty()) {
            target = disk + QLatin1Char('/') + partition;
            ASSERT_TRUE(Write(target + QStringLiteral("/partition"), "1\n"));
        }
        QDir().mkpath(Path(QStringLiteral("sys/dev/block")));
        ASSERT_TRUE(QFile::link(target, Path(QStringLiteral("sys/dev/block/")) + majorMinor));
    }

    DriveSources Sources(const QByteArray& mountInfo)
    {
        EXPECT_TRUE(Write(Path(QStringLiteral("mountinfo")), mountInfo));
        DriveSources s;
        s.mountInfo = Path(QStringLiteral("mountinfo"));
        s.sysRoot = Path(QStringLiteral("sys"));
        s.labelFolder = Path(QStringLiteral("by-label"));
        return s;
    }

    QByteArray Line(const QString& majorMinor, const QString& mountPoint, const QString& source)
    {
        QString escaped = mountPoint;
        escaped.replace(QLatin1Char(' '), QStringLiteral("\\040"));
        return QStringLiteral("36 25 %1 / %2 rw,nosuid shared:1 - vfat %3 rw\n").arg(majorMinor, escaped, source).toUtf8();
    }

    QTemporaryDir m_tmp;
};

TEST(MountTable, FieldsAreReadAndEscapesUndone)
{
    const QList<MountEntry> m = ParseMountInfo(
        "22 1 8:1 / / rw,relatime shared:1 - ext4 /dev/sda1 rw\n"
        "40 22 179:1 / /media/me/MY\\040CARD rw master:3 - exfat /dev/mmcblk0p1 rw\n"
        "garbage line\n"
        "41 22 8:33 / relative rw - vfat /dev/sdc1 rw\n"
        "42 22 8:17 / /media/x rw\n"
        "\n");
    ASSERT_EQ(m.size(), 2);
    EXPECT_EQ(m[0].device, QStringLiteral("8:1"));
    EXPECT_EQ(m[0].mountPoint, QStringLiteral("/"));
    EXPECT_EQ(m[1].mountPoint, QStringLiteral("/media/me/MY CARD"));
    EXPECT_EQ(m[1].source, QStringLiteral("/dev/mmcblk0p1"));
    EXPECT_EQ(m[1].device, QStringLiteral("179:1"));
}

TEST_F(FakeSystem, RemovableUsbAndCardSlotsCountFixedDisksDoNot)
{
    AddDisk(QStringLiteral("8:1"), QStringLiteral("pci0/ata1/sda"), false, QStringLiteral("sda1"));
    AddDisk(QStringLiteral("8:17"), QStringLiteral("pci0/usb1/1-1/sdb"), false, QStringLiteral("sdb1"));
    AddDisk(QStringLiteral("179:1"), QStringLiteral("pci0/mmc_host/mmc0/mmcblk0"), false, QStringLiteral("mmcblk0p1"));
    AddDisk(QStringLiteral("8:32"), QStringLiteral("pci0/ata2/sdc"), true);
    const QString sys = Path(QStringLiteral("sys"));
    EXPECT_FALSE(IsRemovableDevice(sys, QStringLiteral("8:1")));
    EXPECT_TRUE(IsRemovableDevice(sys, QStringLiteral("8:17")));
    EXPECT_TRUE(IsRemovableDevice(sys, QStringLiteral("179:1")));
    EXPECT_TRUE(IsRemovableDevice(sys, QStringLiteral("8:32")));
    EXPECT_FALSE(IsRemovableDevice(sys, QStringLiteral("0:45"))) << "no block device";
    EXPECT_FALSE(IsRemovableDevice(sys, QStringLiteral("9:9"))) << "unknown device";
}

TEST_F(FakeSystem, DrivesAreMountedRemovableOnesWithMediaInRootOrder)
{
    AddDisk(QStringLiteral("8:1"), QStringLiteral("pci0/ata1/sda"), false, QStringLiteral("sda1"));
    AddDisk(QStringLiteral("8:17"), QStringLiteral("pci0/usb1/1-1/sdb"), true, QStringLiteral("sdb1"));
    AddDisk(QStringLiteral("179:1"), QStringLiteral("pci0/mmc_host/mmc0/mmcblk0"), false, QStringLiteral("mmcblk0p1"));
    AddDisk(QStringLiteral("8:33"), QStringLiteral("pci0/usb2/2-1/sdc"), true, QStringLiteral("sdc1"));
    const QString fixed = Path(QStringLiteral("mnt/fixed"));
    const QString stick = Path(QStringLiteral("mnt/zz stick"));
    const QString card = Path(QStringLiteral("mnt/card"));
    const QString gone = Path(QStringLiteral("mnt/no media"));  // the mount point does not answer
    for (const QString& f : {fixed, stick, card})
        ASSERT_TRUE(QDir().mkpath(f));
    // The card has a label; its device node is a plain file here.
    ASSERT_TRUE(Write(Path(QStringLiteral("dev/mmcblk0p1")), ""));
    QDir().mkpath(Path(QStringLiteral("by-label")));
    ASSERT_TRUE(QFile::link(Path(QStringLiteral("dev/mmcblk0p1")), Path(QStringLiteral("by-label/DASH\\x20CAM"))));

    const DriveSources s = Sources(Line(QStringLiteral("8:1"), fixed, QStringLiteral("/dev/sda1")) +
                                   Line(QStringLiteral("8:17"), stick, QStringLiteral("/dev/sdb1")) +
                                   Line(QStringLiteral("179:1"), card, Path(QStringLiteral("dev/mmcblk0p1"))) +
                                   Line(QStringLiteral("179:1"), card, Path(QStringLiteral("dev/mmcblk0p1"))) +
                                   Line(QStringLiteral("8:33"), gone, QStringLiteral("/dev/sdc1")));
    const QList<RemovableDrive> drives = ScanRemovableDrives(s);
    ASSERT_EQ(drives.size(), 2);
    EXPECT_EQ(drives[0].root, card + QLatin1Char('/'));
    EXPECT_EQ(drives[0].name, QStringLiteral("DASH CAM"));
    EXPECT_EQ(drives[1].root, stick + QLatin1Char('/'));
    EXPECT_EQ(drives[1].name, QStringLiteral("zz stick"));
}

TEST_F(FakeSystem, ExtraRootsCountWhileTheyExistAndAMissingTableIsNoDrives)
{
    DriveSources s;
    s.mountInfo = Path(QStringLiteral("no such table"));
    const QString a = Path(QStringLiteral("cards/B"));
    const QString b = Path(QStringLiteral("cards/A/"));
    s.extraRoots = {a, b, Path(QStringLiteral("cards/never"))};
    EXPECT_TRUE(ScanRemovableDrives(s).isEmpty());
    ASSERT_TRUE(QDir().mkpath(a));
    ASSERT_TRUE(QDir().mkpath(b));
    const QList<RemovableDrive> drives = ScanRemovableDrives(s);
    ASSERT_EQ(drives.size(), 2);
    EXPECT_EQ(drives[0].root, Path(QStringLiteral("cards/A/")));
    EXPECT_EQ(drives[0].name, QStringLiteral("A"));
    EXPECT_EQ(drives[1].root, a + QLatin1Char('/'));
    ASSERT_TRUE(QDir(a).removeRecursively());
    EXPECT_EQ(ScanRemovableDrives(s).size(), 1);
}

}  // namespace
