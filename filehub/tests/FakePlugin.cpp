// A tiny recording plug-in for the manager's tests: it describes itself,
// implements a few exports that record their arguments and give
// recognisable results, and leaves every other export out.
#include "FakePluginLog.h"

#include "kestrel/PluginExports.h"
#include "kestrel/WideText.h"

namespace {
FakeLog g_log;
CRecFileInfo g_record;
CUserDataInfo g_sample;
}  // namespace

extern "C" {

__attribute__((visibility("default"))) FakeLog* FakePluginLog()
{
    return &g_log;
}

int GetPluginInfo(_PLUGIN_INFO* info)
{
#ifdef FAKE_REFUSE
    (void)info;
    return 0;
#else
    if (info) {
        kestrel::CopyToU16(info->szName, 260, FAKE_NAME);
        kestrel::CopyToU16(info->szMaker, 260, L"TESTMAKER");
        info->nAudioLevel = FAKE_AUDIO_LEVEL;
    }
    return 1;
#endif
}

int Dll_SetCallbackProgress(ProgressCallback fn, void* user)
{
    g_log.progress = fn;
    g_log.progressUser = user;
    return 0;
}

int Dll_SelectFileType(const wchar_t* folder)
{
    ++g_log.selectCalls;
    g_log.selectFolderNull = folder == nullptr;
    g_log.selectFolder = folder ? folder : L"";
    return 3;
}

int Dll_LoadFile(const wchar_t* folder)
{
    ++g_log.loadCalls;
    g_log.loadFolder = folder ? folder : L"";
    for (int i = 0; i < 3 && g_log.progress; ++i)
        g_log.progress(0, static_cast<uint32_t>(i), nullptr, g_log.progressUser);
    return 0;
}

int Dll_MergeData(int32_t* flags8)
{
    for (int i = 0; i < 8; ++i)
        g_log.mergeFlags[i] = flags8[i];
    return -1;
}

int Dll_SortMergedData(int32_t dir)
{
    g_log.sortDirection = dir;
    return 77;
}

CRecFileInfo* Dll_GetRecFileInfo(int index)
{
    return index == 0 ? &g_record : nullptr;
}

CUserDataInfo* Dll_GetGPSData(CRecFileInfo* rec, int64_t second)
{
    g_log.gpsRec = rec;
    g_log.gpsSecond = second;
    return second == 5000000000LL ? &g_sample : nullptr;
}

int Dll_GetPosInfo(const wchar_t* name)
{
    g_log.posName = name ? name : L"";
    return 42;
}

}  // extern "C"
