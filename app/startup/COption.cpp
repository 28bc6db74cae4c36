#include "startup/COption.h"

#include "ini/CIniFile.h"

bool COption::Load(const QString& appFolder, const QString& optionFolder)
{
    strOptionFile = optionFolder + QStringLiteral("/option.ini");
    const CIniFile ini = CIniFile::Load(strOptionFile.toStdWString());
    const int select = ini.GetInt(L"Setting", L"Select", -1);
    if (select < 0)
        return false;
    const std::wstring section = L"AppInfo_" + std::to_wstring(select);
    auto str = [&](const wchar_t* key) { return QString::fromStdWString(ini.GetString(section, key)); };
    auto num = [&](const wchar_t* key, int def) { return ini.GetInt(section, key, def); };

    nProductID = num(L"Product ID", -1);
    if (nProductID < 0)
        return false;
    strSkinRootDir = appFolder + u'/' + str(L"SkinRootDir");
    strSkinImageFile = strSkinRootDir + u'/' + str(L"SkinImageFileName");
    strSkinInfoFile = strSkinRootDir + u'/' + str(L"SkinInfoFileName");
    const QString setup = str(L"SetupName");
    strSetupName = setup.isEmpty() ? QString() : appFolder + u'/' + setup;
    strURL = str(L"URL");
    strLangFolder = appFolder + u'/' + str(L"LangFolder");
    strVersion = str(L"Version");
    strModelName = str(L"ModelName");
    nResolutionSet = num(L"ResolutionSet", 1);
    nMapType = num(L"mapType", 0);
    nPluginMode = num(L"pluginMode", 0);
    strPluginName = str(L"pluginName");
    nLogo = num(L"logo", 0);
    strPluginDir = str(L"plugin_dir");
    return true;
}
