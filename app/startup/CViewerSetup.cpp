#include "startup/CViewerSetup.h"

#include "ini/CIniFile.h"
#include "util/UserFolders.h"


namespace {

const wchar_t* const kGlobal = L"Global";

std::wstring ChannelSection(int ch)
{
    return L"Channel" + std::to_wstring(ch);
}

// The number at the start of the text, 0 when there is none (like atof,
// but always with "." as the decimal point whatever the user's locale).
double LeadingDouble(const std::wstring& text)
{
    const QString t = QString::fromStdWString(text).trimmed();
    qsizetype end = 0;
    if (end < t.size() && (t[end] == u'-' || t[end] == u'+'))
        ++end;
    bool point = false;
    while (end < t.size() && (t[end].isDigit() || (t[end] == u'.' && !point))) {
        point = point || t[end] == u'.';
        ++end;
    }
    bool ok = false;
    const double v = t.left(end).toDouble(&ok);
    return ok ? v : 0.0;
}

}  // namespace

void CViewerSetup::SetPluginDefaults(int audioLevel, int stepPlaying, int stepPaused)
{
    m_pluginAudioLevel = audioLevel;
    m_pluginStepPlaying = stepPlaying;
    m_pluginStepPaused = stepPaused;
}

void CViewerSetup::LoadSettings(const QString& folder)
{
    const CIniFile ini = CIniFile::Load(FilePath(folder).toStdWString());
    auto num = [&](const wchar_t* key, int def) { return ini.GetInt(kGlobal, key, def); };
    auto str = [&](const wchar_t* key, const QString& def) {
        return QString::fromStdWString(ini.GetString(kGlobal, key, def.toStdWString()));
    };

    m_nSearchDepth = num(L"SearchDepth", 2);
    m_nPlayOption = num(L"PlayOption", 1);
    m_strLatestFilePath = str(L"Latest File Path", kestrel::folders::ComputerFolder());
    m_strLatestBackupPath = str(L"Latest Backup Path", QString());
    m_strLatestJpegPath = str(L"Latest JPEG Path", QString());
    m_strFtpDir = str(L"FtpDir", QString());
    const bool levelInRange = m_pluginAudioLevel >= 1 && m_pluginAudioLevel <= 12;
    const std::wstring levelDefault = levelInRange ? std::to_wstring(m_pluginAudioLevel) : L"12";
    m_dAudioLevel = LeadingDouble(ini.GetString(kGlobal, L"Audio Level", levelDefault));
    m_nRecovery = num(L"Recovery", 1);
    m_nPlayAllFile = num(L"PlayAllFile", 0);
    m_nZoomMode = num(L"Zoom Mode", 2);
    m_nZoomCtrl = num(L"Zoom Ctrl", 1);
    m_nZoomPipShow = num(L"Zoom PIP Show", 1);
    m_nZoomPipPos = num(L"Zoom PIP Pos", 1);
    m_nSpeedUnit = num(L"Speed Unit", 0);
    m_nPBSpeed = num(L"PB speed", 2);
    m_nVolume = num(L"volume", 100);
    m_nMute = num(L"mute", 0);
    m_nGSensorRange = num(L"GSensor Range", 2);
    m_nMapSize = num(L"Map Size", 0);
    m_nSpeedZoom = num(L"speedZoom", 3);
    m_nPowerSaveMode = num(L"PowerSaveMode", 0);
    m_nStepIntrPlaying = num(L"StepIntrPlaying", m_pluginStepPlaying + 1);
    m_nStepIntrPause = num(L"StepIntrPause", m_pluginStepPaused + 1);
    for (int ch = 0; ch < kChannels; ++ch) {
        const std::wstring sec = ChannelSection(ch);
        m_nBrightness[ch] = ini.GetInt(sec, L"Brightness", 50);
        m_nContrast[ch] = ini.GetInt(sec, L"Contrast", 50);
        m_nSaturation[ch] = ini.GetInt(sec, L"Saturation", 50);
        m_nSharpness[ch] = ini.GetInt(sec, L"Sharpness", 0);
        m_nBlur[ch] = ini.GetInt(sec, L"Blur", 0);
        m_nFlip[ch] = ini.GetInt(sec, L"Flip", 0);
    }
    static constexpr int kAdjustDefaults[kAdjustments] = {50, 50, 50, 0, 0, 100, 0, 100};
    for (int i = 0; i < kAdjustments; ++i)
        m_nAdjust[i] = kAdjustDefaults[i];
    m_bLoaded = 1;
}

bool CViewerSetup::SaveSettings(const QString& folder) const
{
    if (m_bLoaded != 1)
        return true;  // nothing loaded, nothing to save
    return CIniFile::Update(FilePath(folder).toStdString(), [this](CIniFile& ini) {
        auto num = [&](const wchar_t* key, int v) { ini.SetInt(kGlobal, key, v); };
        auto str = [&](const wchar_t* key, const QString& v) { ini.SetString(kGlobal, key, v.toStdWString()); };
        num(L"SearchDepth", m_nSearchDepth);
        num(L"PlayOption", m_nPlayOption);
        str(L"Latest File Path", m_strLatestFilePath);
        str(L"Latest Backup Path", m_strLatestBackupPath);
        str(L"Latest JPEG Path", m_strLatestJpegPath);
        num(L"PBSpeed Option", m_nPBSpeedOption);
        num(L"GSensor Graph Type", m_nGSensorGraphType);
        num(L"Recovery", m_nRecovery);
        num(L"Zoom Mode", m_nZoomMode);
        num(L"Zoom Ctrl", m_nZoomCtrl);
        num(L"Zoom PIP Show", m_nZoomPipShow);
        num(L"Zoom PIP Pos", m_nZoomPipPos);
        num(L"Speed Unit", m_nSpeedUnit);
        num(L"PB speed", m_nPBSpeed);
        num(L"volume", m_nVolume);
        num(L"mute", m_nMute);
        num(L"GSensor Range", m_nGSensorRange);
        num(L"Map Size", m_nMapSize);
        str(L"Audio Level", QString::asprintf("%3.3f", m_dAudioLevel));
        num(L"speedZoom", m_nSpeedZoom);
        str(L"FtpDir", m_strFtpDir);
        num(L"PowerSaveMode", m_nPowerSaveMode);
        num(L"StepIntrPlaying", m_nStepIntrPlaying);
        num(L"StepIntrPause", m_nStepIntrPause);
        for (int ch = 0; ch < kChannels; ++ch) {
            const std::wstring sec = ChannelSection(ch);
            ini.SetInt(sec, L"Brightness", m_nBrightness[ch]);
            ini.SetInt(sec, L"Contrast", m_nContrast[ch]);
            ini.SetInt(sec, L"Saturation", m_nSaturation[ch]);
            ini.SetInt(sec, L"Sharpness", m_nSharpness[ch]);
            ini.SetInt(sec, L"Blur", m_nBlur[ch]);
            ini.SetInt(sec, L"Flip", m_nFlip[ch]);
        }
    });
}
