// The plug-in's C exports. Each acts on the current reader (the one the
// last Dll_SelectFileType chose) and never lets an exception out.
#include "kestrel/PluginExports.h"

#include "PluginModule.h"
#include "kestrel/WideText.h"

#include <cstring>

#define RECPLUGIN_EXPORT extern "C" __attribute__((visibility("default")))

using recplugin::IFileMan;

namespace {

IFileMan* Current() { return recplugin::TheApp().FileManager()->Current(); }

// Runs `fn` on the current reader; `none` when there is no reader or the
// call fails with an exception.
template <typename R, typename Fn>
R WithReader(R none, Fn fn)
{
    try {
        IFileMan* reader = Current();
        return reader ? fn(reader) : none;
    } catch (...) {
        return none;
    }
}

std::wstring Text(const wchar_t* s) { return s ? std::wstring(s) : std::wstring(); }

}  // namespace

RECPLUGIN_EXPORT int GetPluginInfo(_PLUGIN_INFO* info)
{
    if (!info)
        return 1;
    std::memset(info, 0, sizeof *info);
    using kestrel::CopyToU16;
    CopyToU16(info->szName, 260, L"QUARTZEN");
    CopyToU16(info->szMaker, 260, L"LUMETRA");
    CopyToU16(info->szTitle, 260, L"QUARTZEN Media Player");
    CopyToU16(info->szTitle2, 260, L"QUARTZEN Media Player");
    CopyToU16(info->szVersion, 260, L"0.9.6");
    CopyToU16(info->szWebAddress, 260, L"https://www.lumetra.example/");
    info->nAudioLevel = 1;
    info->nBackupMode = 1;
    info->nGSensorOffsetZ = -1000;  // the camera's Z axis reads +1 g at rest
    return 1;
}

RECPLUGIN_EXPORT int Dll_SetCallbackProgress(ProgressCallback fn, void* user)
{
    return recplugin::TheApp().FileManager()->SetCallbackProgress(fn, user);
}

RECPLUGIN_EXPORT int Dll_SelectFileType(const wchar_t* folder)
{
    try {
        return recplugin::TheApp().FileManager()->SelectFileType(Text(folder));
    } catch (...) {
        return -1;
    }
}

RECPLUGIN_EXPORT int Dll_LoadFile(const wchar_t* folder)
{
    return WithReader(-1, [&](IFileMan* r) { return r->LoadFile(Text(folder)) == 0 ? 0 : -1; });
}

RECPLUGIN_EXPORT int Dll_BreakLoadFile()
{
    return WithReader(0, [](IFileMan* r) {
        r->BreakLoadFile();
        return 0;
    });
}

RECPLUGIN_EXPORT int Dll_ResetRecData()
{
    return WithReader(0, [](IFileMan* r) {
        r->ResetRecData();
        return 0;
    });
}

RECPLUGIN_EXPORT int Dll_MergeData(int32_t* flags8)
{
    WithReader(0, [&](IFileMan* r) { return r->MergeData(flags8); });
    return -1;
}

RECPLUGIN_EXPORT int Dll_SortMergedData(int32_t dir)
{
    WithReader(0, [&](IFileMan* r) { return r->SortMergedData(dir); });
    return -1;
}

RECPLUGIN_EXPORT int Dll_RemoveItem(CRecFileInfo* rec)
{
    return WithReader(0, [&](IFileMan* r) {
        r->RemoveItem(rec);
        return 0;
    });
}

RECPLUGIN_EXPORT int Dll_GetMergedDataCount()
{
    return WithReader(-1, [](IFileMan* r) { return r->GetMergedDataCount(); });
}

RECPLUGIN_EXPORT CRecFileInfo* Dll_GetRecFileInfo(int index)
{
    return WithReader<CRecFileInfo*>(nullptr, [&](IFileMan* r) { return r->GetRecFileInfo(index); });
}

RECPLUGIN_EXPORT int Dll_GetAllDataCount()
{
    return WithReader(0, [](IFileMan* r) { return r->GetAllDataCount(); });
}

RECPLUGIN_EXPORT CRecFileInfo* Dll_GetAllDataInfo(int index)
{
    return WithReader<CRecFileInfo*>(nullptr, [&](IFileMan* r) { return r->GetAllDataInfo(index); });
}

RECPLUGIN_EXPORT int Dll_ParseGSensor(CRecFileInfo* rec)
{
    return WithReader(-1, [&](IFileMan* r) { return r->ParseGSensor(rec); });
}

RECPLUGIN_EXPORT int Dll_ParseGPS(CRecFileInfo* rec)
{
    return WithReader(-1, [&](IFileMan* r) { return r->ParseGPS(rec); });
}

RECPLUGIN_EXPORT int Dll_GetGSensorCount(CRecFileInfo* rec)
{
    return WithReader(-1, [&](IFileMan* r) { return r->GetGSensorCount(rec); });
}

RECPLUGIN_EXPORT CUserDataInfo* Dll_GetGSensorData(CRecFileInfo* rec, int index)
{
    return WithReader<CUserDataInfo*>(nullptr, [&](IFileMan* r) { return r->GetGSensorData(rec, index); });
}

RECPLUGIN_EXPORT CUserDataInfo* Dll_GetGPSData(CRecFileInfo* rec, int64_t second)
{
    return WithReader<CUserDataInfo*>(nullptr, [&](IFileMan* r) { return r->GetGPSData(rec, second); });
}

// This plug-in supplies no skin resources or texts.
RECPLUGIN_EXPORT int Dll_LoadPosInfos(const wchar_t*) { return 0; }
RECPLUGIN_EXPORT int Dll_GetPosInfo(const wchar_t*) { return 0; }
RECPLUGIN_EXPORT int Dll_LoadImageFiles(const wchar_t*) { return 0; }
RECPLUGIN_EXPORT int Dll_GetImageFile(const wchar_t*) { return 0; }
RECPLUGIN_EXPORT int Dll_GetBitmapFile(const wchar_t*) { return 0; }
RECPLUGIN_EXPORT int Dll_GetIconFile(const wchar_t*) { return 0; }
RECPLUGIN_EXPORT int Dll_FreePosInfos() { return 0; }
RECPLUGIN_EXPORT int Dll_LoadBitmapFiles() { return 0; }
RECPLUGIN_EXPORT int Dll_FreeBitmapFiles() { return 0; }
RECPLUGIN_EXPORT int Dll_LoadIconFiles() { return 0; }
RECPLUGIN_EXPORT int Dll_FreeIconFiles() { return 0; }
RECPLUGIN_EXPORT int Dll_FreeImageFiles() { return 0; }
