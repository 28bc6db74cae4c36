// COption: the values of option.ini, the read-only configuration file in
// the "_option" folder beside the program.
//
//   [Setting]     Select=N         number of the active application section
//   [AppInfo_N]   Product ID, SkinRootDir, SkinImageFileName,
//                 SkinInfoFileName, SetupName, URL, LangFolder, Version,
//                 ModelName, ResolutionSet, mapType, pluginMode,
//                 pluginName, logo, plugin_dir
#pragma once

#include <QString>

class COption {
public:
    COption() = default;
    virtual ~COption() = default;
    COption(const COption&) = default;
    COption& operator=(const COption&) = default;

    // Reads "<optionFolder>/option.ini". False when Select or Product ID is
    // missing or negative (a missing file reads as all defaults, so it
    // fails too). Folder values are made full paths: skin root and language
    // folder under the application folder, the two skin files under the
    // skin root, the setup program under the application folder (empty
    // when not configured).
    bool Load(const QString& appFolder, const QString& optionFolder);

    int nProductID = -1;
    QString strSkinRootDir;
    QString strSkinImageFile;
    QString strSkinInfoFile;
    QString strModelName;
    QString strURL;
    QString strLangFolder;
    QString strVersion;
    QString strSetupName;
    int nPluginMode = 0;
    QString strPluginName;
    QString strPluginDir;
    int nResolutionSet = 1;
    int nMapType = 0;
    int nLogo = 0;
    QString strOptionFile;
};
