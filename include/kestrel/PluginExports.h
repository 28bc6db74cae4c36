// The C interface every recording plug-in exports. The plug-in manager
// resolves these by name with dlsym; the plug-in defines them.
#pragma once

#include "kestrel/KestrelTypes.h"

#include <cstdint>

extern "C" {
int GetPluginInfo(_PLUGIN_INFO* info);
int Dll_SetCallbackProgress(ProgressCallback fn, void* user);
int Dll_SelectFileType(const wchar_t* folder);
int Dll_LoadFile(const wchar_t* folder);
int Dll_BreakLoadFile();
int Dll_ResetRecData();
int Dll_MergeData(int32_t* flags8);
int Dll_SortMergedData(int32_t dir);
int Dll_RemoveItem(CRecFileInfo* rec);
int Dll_GetMergedDataCount();
CRecFileInfo* Dll_GetRecFileInfo(int index);
int Dll_GetAllDataCount();
CRecFileInfo* Dll_GetAllDataInfo(int index);
int Dll_ParseGSensor(CRecFileInfo* rec);
int Dll_ParseGPS(CRecFileInfo* rec);
int Dll_GetGSensorCount(CRecFileInfo* rec);
CUserDataInfo* Dll_GetGSensorData(CRecFileInfo* rec, int index);
CUserDataInfo* Dll_GetGPSData(CRecFileInfo* rec, int64_t second);

// Skin and text resources; this project's plug-in supplies none and answers 0.
int Dll_LoadPosInfos(const wchar_t* name);
int Dll_GetPosInfo(const wchar_t* name);
int Dll_LoadImageFiles(const wchar_t* name);
int Dll_GetImageFile(const wchar_t* name);
int Dll_GetBitmapFile(const wchar_t* name);
int Dll_GetIconFile(const wchar_t* name);
int Dll_FreePosInfos();
int Dll_LoadBitmapFiles();
int Dll_FreeBitmapFiles();
int Dll_LoadIconFiles();
int Dll_FreeIconFiles();
int Dll_FreeImageFiles();
}
