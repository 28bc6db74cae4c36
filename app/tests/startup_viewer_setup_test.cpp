// ViewerSet.ini: defaults, write order, read-only and write-only keys, the
// loaded guard.
#include "ini/CIniFile.h"
#include "startup/CViewerSetup.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

namespace {

class ViewerSetupTest : public ::testing::Test {
protected:
    QString File() const { return CViewerSetup::FilePath(dir.path()); }
    QByteArray Contents() const
    {
        QFile f(File());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void Put(const QByteArray& text)
    {
        QFile f(File());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(text);
    }
    QTemporaryDir dir;
};

TEST_F(ViewerSetupTest, MissingFileGivesTheDefaults)
{
    CViewerSetup s;
    s.SetPluginDefaults(5, 2, 9);
    s.LoadSettings(dir.path());
    EXPECT_EQ(s.m_bLoaded, 1);
    EXPECT_EQ(s.m_nVolume, 100);
    EXPECT_EQ(s.m_nMute, 0);
    EXPECT_EQ(s.m_nSpeedUnit, 0);
    EXPECT_EQ(s.m_nGSensorRange, 2);
    EXPECT_EQ(s.m_nSearchDepth, 2);
    EXPECT_EQ(s.m_nPlayOption, 1);
    EXPECT_EQ(s.m_nZoomMode, 2);
    EXPECT_EQ(s.m_nPBSpeed, 2);
    EXPECT_EQ(s.m_nSpeedZoom, 3);
    EXPECT_EQ(s.m_nRecovery, 1);
    for (int ch = 0; ch < CViewerSetup::kChannels; ++ch) {
        EXPECT_EQ(s.m_nBrightness[ch], 50);
        EXPECT_EQ(s.m_nContrast[ch], 50);
        EXPECT_EQ(s.m_nSaturation[ch], 50);
        EXPECT_EQ(s.m_nSharpness[ch], 0);
        EXPECT_EQ(s.m_nFlip[ch], 0);
    }
    EXPECT_DOUBLE_EQ(s.m_dAudioLevel, 5.0);
    EXPECT_EQ(s.m_nStepIntrPlaying, 3);
    EXPECT_EQ(s.m_nStepIntrPause, 10);
    EXPECT_TRUE(s.m_strLatestBackupPath.isEmpty());
    EXPECT_FALSE(s.m_strLatestFilePath.isEmpty());

    for (int level : {0, 13, -2}) {
        CViewerSetup t;
        t.SetPluginDefaults(level, 0, 0);
        t.LoadSettings(dir.path());
        EXPECT_DOUBLE_EQ(t.m_dAudioLevel, 12.0) << level;
    }
    EXPECT_FALSE(QFile::exists(File()));  // loading never writes
}

TEST_F(ViewerSetupTest, SavingBeforeLoadingWritesNothing)
{
    CViewerSetup s;
    s.m_nVolume = 7;
    EXPECT_TRUE(s.SaveSettings(dir.path()));
    EXPECT_FALSE(QFile::exists(File()));
}

TEST_F(ViewerSetupTest, SaveWritesInOrderAndKeepsUnwrittenKeys)
{
    Put("[Global]\nPlayAllFile=1\nvolume=40\nPBSpeed Option=9\nGSensor Graph Type=4\nAudio Level=7.25\n"
        "Custom=kept\n[Channel2]\nFlip=1\n");
    CViewerSetup s;
    s.LoadSettings(dir.path());
    EXPECT_EQ(s.m_nPlayAllFile, 1);
    EXPECT_EQ(s.m_nVolume, 40);
    EXPECT_EQ(s.m_nPBSpeedOption, 0);     // written, never read
    EXPECT_EQ(s.m_nGSensorGraphType, 0);
    EXPECT_DOUBLE_EQ(s.m_dAudioLevel, 7.25);
    EXPECT_EQ(s.m_nFlip[2], 1);

    s.m_nPlayAllFile = 0;
    s.m_nVolume = 55;
    s.m_nPBSpeedOption = 3;
    s.m_dAudioLevel = 2.5;
    s.m_strLatestJpegPath = QStringLiteral("/media/card/DCIM");
    ASSERT_TRUE(s.SaveSettings(dir.path()));

    const CIniFile ini = CIniFile::Load(File().toStdWString());
    EXPECT_EQ(ini.GetInt(L"Global", L"PlayAllFile", -1), 1);  // survives the save
    EXPECT_EQ(ini.GetInt(L"Global", L"volume", -1), 55);
    EXPECT_EQ(ini.GetInt(L"Global", L"PBSpeed Option", -1), 3);
    EXPECT_EQ(ini.GetString(L"Global", L"Audio Level"), L"2.500");
    EXPECT_EQ(ini.GetString(L"Global", L"Custom"), L"kept");
    EXPECT_EQ(ini.GetString(L"Global", L"Latest JPEG Path"), L"/media/card/DCIM");

    CViewerSetup again;
    again.LoadSettings(dir.path());
    EXPECT_EQ(again.m_nPBSpeedOption, 0);  // back to its initial value after a restart
    EXPECT_EQ(again.m_nPlayAllFile, 1);
    EXPECT_DOUBLE_EQ(again.m_dAudioLevel, 2.5);
}

TEST_F(ViewerSetupTest, FreshFileHoldsTheKeysInWriteOrder)
{
    CViewerSetup s;
    s.LoadSettings(dir.path());
    CViewerSetup copy;
    copy = s;  // the settings popup works on a copy
    copy.m_nMute = 1;
    ASSERT_TRUE(copy.SaveSettings(dir.path()));
    const CIniFile ini = CIniFile::Load(File().toStdWString());
    std::vector<std::wstring> keys;
    for (const std::wstring& line : ini.GetSectionLines(L"Global"))
        keys.push_back(line.substr(0, line.find(L'=')));
    const std::vector<std::wstring> expected = {
        L"SearchDepth", L"PlayOption", L"Latest File Path", L"Latest Backup Path", L"Latest JPEG Path",
        L"PBSpeed Option", L"GSensor Graph Type", L"Recovery", L"Zoom Mode", L"Zoom Ctrl", L"Zoom PIP Show",
        L"Zoom PIP Pos", L"Speed Unit", L"PB speed", L"volume", L"mute", L"GSensor Range", L"Map Size",
        L"Audio Level", L"speedZoom", L"FtpDir", L"PowerSaveMode", L"StepIntrPlaying", L"StepIntrPause"};
    EXPECT_EQ(keys, expected);
    EXPECT_EQ(ini.GetSectionNames(),
              (std::vector<std::wstring>{L"Global", L"Channel0", L"Channel1", L"Channel2", L"Channel3"}));
    EXPECT_EQ(ini.GetSectionLines(L"Channel3"),
              (std::vector<std::wstring>{L"Brightness=50", L"Contrast=50", L"Saturation=50", L"Sharpness=0",
                                         L"Blur=0", L"Flip=0"}));
    EXPECT_EQ(ini.GetInt(L"Global", L"mute", -1), 1);
    EXPECT_EQ(ini.GetString(L"Global", L"Audio Level"), L"12.000");
}

}  // namespace
