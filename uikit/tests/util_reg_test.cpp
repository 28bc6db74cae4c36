// The per-user value store: defaults written back on first read, long
// strings, the read-only machine store.
#include "ini/CIniFile.h"
#include "util/CUtilReg.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

namespace {

class UtilRegTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        user = dir.filePath("config/kestrel/registry.ini");
        machine = dir.filePath("etc/registry.ini");
        CUtilReg::SetStoreFiles(user, machine);
    }
    void TearDown() override { CUtilReg::SetStoreFiles(QString(), QString()); }

    QString Stored(const QString& file, const QString& key, const QString& name)
    {
        return QString::fromStdWString(
            CIniFile::ReadString(file.toStdWString(), key.toStdWString(), name.toStdWString(), L"<none>"));
    }

    QTemporaryDir dir;
    QString user;
    QString machine;
};

const QString kKey = QStringLiteral("Software\\Kestrel\\Browser");
const QString kSection = QStringLiteral("Software/Kestrel/Browser");  // how the store names it

TEST_F(UtilRegTest, FirstReadWritesTheDefaultSecondReadAnswersTheStoredValue)
{
    CUtilReg reg;
    EXPECT_EQ(reg.ReadRegDWORD(kKey, QStringLiteral("Emulation"), 11001), 11001u);
    EXPECT_EQ(Stored(user, kSection, QStringLiteral("Emulation")),
              QStringLiteral("11001"));
    reg.WriteRegDWORD(kKey, QStringLiteral("Emulation"), 7);
    EXPECT_EQ(reg.ReadRegDWORD(kKey, QStringLiteral("emulation"), 11001), 7u);

    EXPECT_EQ(reg.ReadRegString(kKey, QStringLiteral("Version"), QStringLiteral("1.0")), QStringLiteral("1.0"));
    reg.WriteRegString(kKey, QStringLiteral("Version"), QStringLiteral("2.5"));
    CUtilReg copy;
    copy = reg;
    EXPECT_EQ(copy.ReadRegString(kKey, QStringLiteral("Version"), QStringLiteral("1.0")), QStringLiteral("2.5"));

    // A value that is not a number fails the number read: the default
    // replaces it.
    reg.WriteRegString(kKey, QStringLiteral("Count"), QStringLiteral("many"));
    EXPECT_EQ(reg.ReadRegDWORD(kKey, QStringLiteral("Count"), 3), 3u);
    EXPECT_EQ(reg.ReadRegDWORD(kKey, QStringLiteral("Count"), 9), 3u);
    // A number read as a string answers its digits.
    EXPECT_EQ(reg.ReadRegString(kKey, QStringLiteral("Emulation"), QString()), QStringLiteral("7"));
}

TEST_F(UtilRegTest, LongStringsAreAnsweredWholeAndKept)
{
    CUtilReg reg;
    const QString longValue = QString(300, u'p') + QStringLiteral("/end");
    reg.WriteRegString(kKey, QStringLiteral("Path"), longValue);
    EXPECT_EQ(reg.ReadRegString(kKey, QStringLiteral("Path"), QStringLiteral("short")), longValue);
    EXPECT_EQ(Stored(user, kSection, QStringLiteral("Path")), longValue);
}

TEST_F(UtilRegTest, MachineStoreIsReadOnlyAndMayBeAbsent)
{
    CUtilReg reg;
    EXPECT_EQ(reg.ReadRegDWORD(kKey, QStringLiteral("Version"), 5, 1), 5u);
    EXPECT_EQ(reg.ReadRegString(kKey, QStringLiteral("Name"), QStringLiteral("d"), 1), QStringLiteral("d"));
    EXPECT_FALSE(QFile::exists(machine));
    EXPECT_FALSE(QFile::exists(user));  // nothing written anywhere

    ASSERT_TRUE(QDir().mkpath(dir.filePath("etc")));
    ASSERT_TRUE(CIniFile::WriteString(machine.toStdWString(), L"Software/Kestrel/Browser", L"Version", L"118"));
    EXPECT_EQ(reg.ReadRegDWORD(kKey, QStringLiteral("Version"), 5, 1), 118u);
    EXPECT_EQ(reg.ReadRegDWORD(kKey, QStringLiteral("Other"), 5, 1), 5u);
    reg.WriteRegDWORD(kKey, QStringLiteral("Version"), 1, 1);
    EXPECT_EQ(Stored(machine, kSection, QStringLiteral("Version")), QStringLiteral("118"));
    EXPECT_EQ(Stored(machine, kSection, QStringLiteral("Other")), QStringLiteral("<none>"));
}

}  // namespace
