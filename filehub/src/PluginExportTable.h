// The Dll_* exports of the current plug-in, resolved with dlsym. Each member
// has exactly the type of the export's declaration, so a signature change in
// the shared header is a compile error here rather than a mismatch at run time.
#pragma once

#include "kestrel/PluginExports.h"

// Every forwarded export, by name.
#define FILEHUB_PLUGIN_EXPORTS(X) \
    X(Dll_SetCallbackProgress)    \
    X(Dll_SelectFileType)         \
    X(Dll_LoadFile)               \
    X(Dll_BreakLoadFile)          \
    X(Dll_ResetRecData)           \
    X(Dll_MergeData)              \
    X(Dll_SortMergedData)         \
    X(Dll_RemoveItem)             \
    X(Dll_GetMergedDataCount)     \
    X(Dll_GetRecFileInfo)         \
    X(Dll_GetAllDataCount)        \
    X(Dll_GetAllDataInfo)         \
    X(Dll_ParseGSensor)           \
    X(Dll_ParseGPS)               \
    X(Dll_GetGSensorCount)        \
    X(Dll_GetGSensorData)         \
    X(Dll_GetGPSData)             \
    X(Dll_LoadPosInfos)           \
    X(Dll_GetPosInfo)             \
    X(Dll_LoadImageFiles)         \
    X(Dll_GetImageFile)           \
    X(Dll_GetBitmapFile)          \
    X(Dll_GetIconFile)            \
    X(Dll_FreePosInfos)           \
    X(Dll_LoadBitmapFiles)        \
    X(Dll_FreeBitmapFiles)        \
    X(Dll_LoadIconFiles)          \
    X(Dll_FreeIconFiles)          \
    X(Dll_FreeImageFiles)

namespace filehub_detail {

struct PluginExportTable {
#define FILEHUB_MEMBER(name) decltype(&::name) name = nullptr;
    FILEHUB_PLUGIN_EXPORTS(FILEHUB_MEMBER)
#undef FILEHUB_MEMBER

    // Looks every export up in `handle`; a missing one stays null.
    void Resolve(void* handle);
    void Clear() { *this = PluginExportTable(); }
};

}  // namespace filehub_detail
