// option.ini and the per-user profile.
#include "startup/COption.h"
#include "startup/CProfile.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

class OptionTest : public ::testing::Test {
protected:
    void WriteOption(const QByteArray& text)
    {
        ASSERT_TRUE(QDir().mkpath(dir.filePath("_option")));
        QFile f(dir.filePath("_option/option.ini"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(text);
    }
    bool Load() { return opt.Load(dir.path(), dir.filePath("_option")); }

    QTemporaryDir dir;
    COption opt;
};

TEST_F(OptionTest, ReadsTheSelectedSectionIntoFullPaths)
{
    WriteOption("[Setting]\nSelect=1\n"
                "[AppInfo_0]\nProduct ID=7\nModelName=Wrong\n"
                "[AppInfo_1]\nProduct ID=0\nSkinRootDir=skin\nSkinImageFileName=ImageList.ini\n"
                "SkinInfoFileName=Coordinate.ini\nSetupName=tools/setup\nURL=https://example.org\n"
                "LangFolder=language\nVersion=1.2\nModelName=Kestrel\npluginMode=1\npluginName=QUARTZEN\n"
                "plugin_dir=plugins\nmapType=1\n");
    ASSERT_TRUE(Load());
    EXPECT_EQ(opt.nProductID, 0);
    EXPECT_EQ(opt.strModelName, QStringLiteral("Kestrel"));
    EXPECT_EQ(opt.strSkinRootDir, dir.path() + "/skin");
    EXPECT_EQ(opt.strSkinImageFile, dir.path() + "/skin/ImageList.ini");
    EXPECT_EQ(opt.strSkinInfoFile, dir.path() + "/skin/Coordinate.ini");
    EXPECT_EQ(opt.strLangFolder, dir.path() + "/language");
    EXPECT_EQ(opt.strSetupName, dir.path() + "/tools/setup");
    EXPECT_EQ(opt.strURL, QStringLiteral("https://example.org"));
    EXPECT_EQ(opt.strVersion, QStringLiteral("1.2"));
    EXPECT_EQ(opt.nPluginMode, 1);
    EXPECT_EQ(opt.strPluginName, QStringLiteral("QUARTZEN"));
    EXPECT_EQ(opt.strPluginDir, QStringLiteral("plugins"));
    EXPECT_EQ(opt.nMapType, 1);
    EXPECT_EQ(opt.nResolutionSet, 1);  // defaults
    EXPECT_EQ(opt.nLogo, 0);
    EXPECT_EQ(opt.strOptionFile, dir.path() + "/_option/option.ini");
}

TEST_F(OptionTest, EmptySetupNameStaysEmpty)
{
    WriteOption("[Setting]\nSelect=0\n[AppInfo_0]\nProduct ID=1\nSetupName=\n");
    ASSERT_TRUE(Load());
    EXPECT_TRUE(opt.strSetupName.isEmpty());
}

TEST_F(OptionTest, FailsWithoutAUsableSelectOrProductId)
{
    EXPECT_FALSE(Load());  // no file at all
    WriteOption("[Setting]\nSelect=-1\n[AppInfo_0]\nProduct ID=1\n");
    EXPECT_FALSE(Load());
    WriteOption("[Setting]\nSelect=3\n[AppInfo_0]\nProduct ID=1\n");  // no AppInfo_3
    EXPECT_FALSE(Load());
    WriteOption("[Setting]\nSelect=0\n[AppInfo_0]\nProduct ID=-4\n");
    EXPECT_FALSE(Load());
    WriteOption("[setting]\nselect = 0\n[APPINFO_0]\nproduct id = 0\n");  // names match case-blind
    EXPECT_TRUE(Load());
}

TEST(ProfileTest, ReadsDefaultsWithoutWritingAndWritesUnderModelAndProgram)
{
    QTemporaryDir dir;
    qputenv("XDG_CONFIG_HOME", dir.path().toUtf8());
    CProfile profile;
    profile.SetRegistryKey(QStringLiteral("Kestrel"), QStringLiteral("kestrel"));
    EXPECT_EQ(profile.FilePath(), dir.path() + "/Kestrel/kestrel.ini");
    EXPECT_EQ(profile.GetProfileInt(QStringLiteral("Property"), QStringLiteral("dlg size"), 4), 4);
    EXPECT_EQ(profile.GetProfileString(QStringLiteral("plugin"), QStringLiteral("pluginName"), QStringLiteral("D")),
              QStringLiteral("D"));
    EXPECT_FALSE(QFile::exists(profile.FilePath()));
    EXPECT_TRUE(profile.WriteProfileInt(QStringLiteral("Property"), QStringLiteral("dlg size"), 3));
    EXPECT_TRUE(profile.WriteProfileString(QStringLiteral("plugin"), QStringLiteral("pluginName"), QString()));
    EXPECT_EQ(profile.GetProfileInt(QStringLiteral("Property"), QStringLiteral("dlg size"), 4), 3);
    // A stored empty name is a value, not a missing one.
    EXPECT_EQ(profile.GetProfileString(QStringLiteral("plugin"), QStringLiteral("pluginName"), QStringLiteral("D")),
              QString());
    qunsetenv("XDG_CONFIG_HOME");
}

}  // namespace
