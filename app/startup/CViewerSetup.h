// CViewerSetup: the user's playback and display preferences, kept in
// "<user data folder>/ViewerSet.ini" (sections Global and Channel0..3).
//
// Some keys are read but never written (PlayAllFile: a value put in the
// file by hand survives every save) and some written but never read
// (PBSpeed Option, GSensor Graph Type: they start from their initial value
// after each restart).
#pragma once

#include <QString>

class CViewerSetup {
public:
    static constexpr int kChannels = 4;
    static constexpr int kAdjustments = 8;

    CViewerSetup() = default;
    virtual ~CViewerSetup() = default;
    CViewerSetup(const CViewerSetup&) = default;
    CViewerSetup& operator=(const CViewerSetup&) = default;

    // Defaults that come from the plug-in's description: its audio level
    // (used when 1..12) and its step intervals (stored plus one). Set them
    // before LoadSettings.
    void SetPluginDefaults(int audioLevel, int stepPlaying, int stepPaused);

    // Reads the file in `folder` with the defaults for everything missing,
    // then marks the record loaded.
    void LoadSettings(const QString& folder);
    // Writes the record when it has been loaded; does nothing otherwise.
    // One atomic rewrite that keeps every other line of the file. False
    // when the file could not be written.
    bool SaveSettings(const QString& folder) const;

    static QString FilePath(const QString& folder) { return folder + QStringLiteral("/ViewerSet.ini"); }

    int m_bLoaded = 0;
    int m_nSearchDepth = 2;
    int m_nPlayOption = 1;
    QString m_strLatestFilePath;
    QString m_strLatestBackupPath;
    QString m_strLatestJpegPath;
    QString m_strFtpDir;
    int m_nPBSpeedOption = 0;
    int m_nRecovery = 1;
    int m_nPlayAllFile = 0;
    int m_nZoomMode = 2;
    int m_nZoomCtrl = 1;
    int m_nZoomPipShow = 1;
    int m_nZoomPipPos = 1;
    int m_nGSensorGraphType = 0;
    int m_nGSensorRange = 2;
    int m_nSpeedUnit = 0;
    int m_nPBSpeed = 2;
    int m_nVolume = 100;
    int m_nMute = 0;
    int m_nSpeedZoom = 3;
    int m_nBrightness[kChannels] = {50, 50, 50, 50};
    int m_nContrast[kChannels] = {50, 50, 50, 50};
    int m_nSaturation[kChannels] = {50, 50, 50, 50};
    int m_nSharpness[kChannels] = {};
    int m_nBlur[kChannels] = {};
    int m_nAdjust[kAdjustments] = {50, 50, 50, 0, 0, 100, 0, 100};
    int m_nFlip[kChannels] = {};
    int m_nMapSize = 0;
    int m_nPowerSaveMode = 0;
    double m_dAudioLevel = 12.0;
    int m_nStepIntrPlaying = 1;
    int m_nStepIntrPause = 1;

private:
    int m_pluginAudioLevel = 0;
    int m_pluginStepPlaying = 0;
    int m_pluginStepPaused = 0;
};
