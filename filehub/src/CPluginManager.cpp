#include "filehub/CPluginManager.h"

#include "PluginExportTable.h"
#include "PluginLibrary.h"

#include "kestrel/WideText.h"

#include <cstring>
#include <iterator>

using filehub_detail::PluginEntry;
using filehub_detail::PluginExportTable;

namespace {

// Calls the export when the plug-in has it, else answers `missing`.
template <typename Fn, typename R, typename... Args>
R Forward(Fn fn, R missing, Args... args)
{
    return fn ? static_cast<R>(fn(args...)) : missing;
}

}  // namespace

CPluginManager::CPluginManager() : m_exports(std::make_unique<PluginExportTable>()) {}

CPluginManager::~CPluginManager()
{
    UnloadAll();
}

void CPluginManager::UnloadAll()
{
    m_exports->Clear();
    m_loaded = -1;
    m_plugins.clear();  // each entry closes its library
}

void CPluginManager::SetAppDir(CWideArg folder)
{
    m_appDir = folder.c_str() ? folder.c_str() : L"";
}

int CPluginManager::EnumPlugins(CWideArg appFolder, int mode)
{
    UnloadAll();
    m_skipped.clear();
    m_mode = mode;

    std::wstring folder = appFolder.c_str() ? appFolder.c_str() : L"";
    if (folder.empty())
        folder = m_appDir;
    if (folder.empty())
        return 0;  // no folder given and none set: no plug-ins
    while (folder.size() > 1 && folder.back() == L'/')
        folder.pop_back();

    const std::string pluginDir = kestrel::ToUtf8(folder) + "/plugins";
    for (const std::string& path : filehub_detail::ListPluginFiles(pluginDir)) {
        std::string why;
        if (auto entry = filehub_detail::OpenPlugin(path, &why))
            m_plugins.push_back(std::move(entry));
        else
            m_skipped.push_back(path + ": " + why);
    }
    return static_cast<int>(m_plugins.size());
}

int CPluginManager::SeekPlugin(CWideArg name) const
{
    if (!name.c_str())
        return -1;
    const std::wstring wanted = name.c_str();
    for (size_t i = 0; i < m_plugins.size(); ++i) {
        const _PLUGIN_INFO& info = m_plugins[i]->info;
        if (kestrel::FromU16(info.szName, std::size(info.szName)) == wanted)
            return static_cast<int>(i);
    }
    return -1;
}

const _PLUGIN_INFO* CPluginManager::GetPluginInfo(int index, _PLUGIN_INFO* out) const
{
    if (index < 0 || static_cast<size_t>(index) >= m_plugins.size())
        return nullptr;
    const _PLUGIN_INFO& info = m_plugins[static_cast<size_t>(index)]->info;
    if (!out)
        return &info;
    std::memcpy(out, &info, sizeof info);
    return out;
}

int CPluginManager::LoadPlugin(int index)
{
    if (index < 0 || static_cast<size_t>(index) >= m_plugins.size())
        return 0;
    m_exports->Resolve(m_plugins[static_cast<size_t>(index)]->handle);
    m_loaded = index;
    return 1;
}

// ---- Loading ---------------------------------------------------------------

int CPluginManager::SelectFileType(CWideArg folder)
{
    return Forward(m_exports->Dll_SelectFileType, -1, folder.c_str());
}

int CPluginManager::SetCallbackForProgress(ProgressCallback fn, void* user)
{
    return Forward(m_exports->Dll_SetCallbackProgress, -1, fn, user);
}

int CPluginManager::LoadFile(CWideArg folder)
{
    return Forward(m_exports->Dll_LoadFile, -1, folder.c_str());
}

int CPluginManager::BreakLoadFile()
{
    return Forward(m_exports->Dll_BreakLoadFile, -1);
}

// ---- Browsing --------------------------------------------------------------

int CPluginManager::MergeData(int32_t flags[8])
{
    return Forward(m_exports->Dll_MergeData, -1, flags);
}

int CPluginManager::SortMergedData(int32_t direction)
{
    return Forward(m_exports->Dll_SortMergedData, -1, direction);
}

int CPluginManager::GetMergedDataCount()
{
    return Forward(m_exports->Dll_GetMergedDataCount, -1);
}

CRecFileInfo* CPluginManager::GetRecFileInfo(int index)
{
    return Forward(m_exports->Dll_GetRecFileInfo, static_cast<CRecFileInfo*>(nullptr), index);
}

int CPluginManager::GetAllDataCount()
{
    return Forward(m_exports->Dll_GetAllDataCount, 0);
}

CRecFileInfo* CPluginManager::GetAllDataInfo(int index)
{
    return Forward(m_exports->Dll_GetAllDataInfo, static_cast<CRecFileInfo*>(nullptr), index);
}

int CPluginManager::RemoveItem(CRecFileInfo* rec)
{
    return Forward(m_exports->Dll_RemoveItem, -1, rec);
}

int CPluginManager::ResetRecData()
{
    return Forward(m_exports->Dll_ResetRecData, -1);
}

int CPluginManager::ParseGPS(CRecFileInfo* rec)
{
    return Forward(m_exports->Dll_ParseGPS, -1, rec);
}

int CPluginManager::ParseGSensor(CRecFileInfo* rec)
{
    return Forward(m_exports->Dll_ParseGSensor, -1, rec);
}

int CPluginManager::GetGSensorCount(CRecFileInfo* rec)
{
    return Forward(m_exports->Dll_GetGSensorCount, -1, rec);
}

CUserDataInfo* CPluginManager::GetGSensorData(CRecFileInfo* rec, int index)
{
    return Forward(m_exports->Dll_GetGSensorData, static_cast<CUserDataInfo*>(nullptr), rec, index);
}

CUserDataInfo* CPluginManager::GetGPSData(CRecFileInfo* rec, int64_t second)
{
    return Forward(m_exports->Dll_GetGPSData, static_cast<CUserDataInfo*>(nullptr), rec, second);
}

// ---- Skin and text ---------------------------------------------------------

int CPluginManager::LoadPosInfos(CWideArg name)
{
    return Forward(m_exports->Dll_LoadPosInfos, 0, name.c_str());
}

int CPluginManager::LoadBitmapFiles()
{
    return Forward(m_exports->Dll_LoadBitmapFiles, 0);
}

int CPluginManager::LoadIconFiles()
{
    return Forward(m_exports->Dll_LoadIconFiles, 0);
}

int CPluginManager::LoadImageFiles(CWideArg name)
{
    return Forward(m_exports->Dll_LoadImageFiles, 0, name.c_str());
}

int CPluginManager::FreePosInfos()
{
    return Forward(m_exports->Dll_FreePosInfos, 0);
}

int CPluginManager::FreeBitmapFiles()
{
    return Forward(m_exports->Dll_FreeBitmapFiles, 0);
}

int CPluginManager::FreeIconFiles()
{
    return Forward(m_exports->Dll_FreeIconFiles, 0);
}

int CPluginManager::FreeImageFiles()
{
    return Forward(m_exports->Dll_FreeImageFiles, 0);
}

int CPluginManager::GetPosInfo(CWideArg name)
{
    return Forward(m_exports->Dll_GetPosInfo, 0, name.c_str());
}

int CPluginManager::GetBitmapFile(CWideArg name)
{
    return Forward(m_exports->Dll_GetBitmapFile, 0, name.c_str());
}

int CPluginManager::GetIconFile(CWideArg name)
{
    return Forward(m_exports->Dll_GetIconFile, 0, name.c_str());
}

int CPluginManager::GetImageFile(CWideArg name)
{
    return Forward(m_exports->Dll_GetImageFile, 0, name.c_str());
}

int CPluginManager::GetFont(CWideArg)
{
    return -1;
}

std::wstring CPluginManager::GetText(CWideArg)
{
    return {};
}

std::wstring CPluginManager::GetManualFilePath()
{
    return {};
}

int CPluginManager::GetVideoExtChannel(int, _TAG_DEC_INFO*, _TAG_DEC_INFO*)
{
    return -1;
}
