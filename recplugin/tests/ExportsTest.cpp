// The built module, loaded the way the plug-in manager loads it.
#include "ByteBuilders.h"
#include "TestFiles.h"
#include "kestrel/PluginExports.h"
#include "kestrel/WideText.h"

#include <gtest/gtest.h>

#include <cstring>
#include <dlfcn.h>

using rptest::TempDir;

namespace {

struct Plugin {
    void* handle = nullptr;
    template <typename Fn>
    Fn Get(const char* name)
    {
        return reinterpret_cast<Fn>(dlsym(handle, name));
    }
    decltype(&GetPluginInfo) getInfo;
    decltype(&Dll_SetCallbackProgress) setProgress;
    decltype(&Dll_SelectFileType) select;
    decltype(&Dll_LoadFile) load;
    decltype(&Dll_MergeData) merge;
    decltype(&Dll_SortMergedData) sortMerged;
    decltype(&Dll_RemoveItem) remove;
    decltype(&Dll_GetMergedDataCount) mergedCount;
    decltype(&Dll_GetRecFileInfo) recInfo;
    decltype(&Dll_GetAllDataCount) allCount;
    decltype(&Dll_GetAllDataInfo) allInfo;
    decltype(&Dll_ParseGSensor) parseGSensor;
    decltype(&Dll_ParseGPS) parseGps;
    decltype(&Dll_GetGSensorCount) gsCount;
    decltype(&Dll_GetGSensorData) gsData;
    decltype(&Dll_GetGPSData) gpsData;
    decltype(&Dll_GetPosInfo) getPosInfo;

    Plugin()
    {
        handle = dlopen(KESTREL_APP_DIR "/plugins/librecplugin.so", RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);  // keeps the media libraries mapped for the leak check
        if (!handle)
            return;
        getInfo = Get<decltype(getInfo)>("GetPluginInfo");
        setProgress = Get<decltype(setProgress)>("Dll_SetCallbackProgress");
        select = Get<decltype(select)>("Dll_SelectFileType");
        load = Get<decltype(load)>("Dll_LoadFile");
        merge = Get<decltype(merge)>("Dll_MergeData");
        sortMerged = Get<decltype(sortMerged)>("Dll_SortMergedData");
        remove = Get<decltype(remove)>("Dll_RemoveItem");
        mergedCount = Get<decltype(mergedCount)>("Dll_GetMergedDataCount");
        recInfo = Get<decltype(recInfo)>("Dll_GetRecFileInfo");
        allCount = Get<decltype(allCount)>("Dll_GetAllDataCount");
        allInfo = Get<decltype(allInfo)>("Dll_GetAllDataInfo");
        parseGSensor = Get<decltype(parseGSensor)>("Dll_ParseGSensor");
        parseGps = Get<decltype(parseGps)>("Dll_ParseGPS");
        gsCount = Get<decltype(gsCount)>("Dll_GetGSensorCount");
        gsData = Get<decltype(gsData)>("Dll_GetGSensorData");
        gpsData = Get<decltype(gpsData)>("Dll_GetGPSData");
        getPosInfo = Get<decltype(getPosInfo)>("Dll_GetPosInfo");
    }
    ~Plugin()
    {
        if (handle)
            dlclose(handle);
    }
};

void Count(uint32_t code, uint32_t param, void* p, void* user)
{
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(param, 0u);
    EXPECT_EQ(p, nullptr);
    ++*static_cast<int*>(user);
}

// An AVI recording with `chunks` data chunks that the media library opens
// (10 frames at 5 per second: 2 s).
rptest::Bytes Recording(int chunks)
{
    rptest::AviSpec spec;
    for (int i = 0; i < chunks; ++i)
        spec.dataChunks.push_back(rptest::AviDataChunk(
            "$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W", 1000, 0, i * 10));
    return rptest::BuildAvi(spec);
}

}  // namespace

TEST(PluginExports, OnlyTheInterfaceIsExported)
{
    Plugin p;
    ASSERT_NE(p.handle, nullptr) << dlerror();
    for (const char* name : {"GetPluginInfo", "Dll_SetCallbackProgress", "Dll_SelectFileType", "Dll_LoadFile",
                             "Dll_BreakLoadFile", "Dll_ResetRecData", "Dll_MergeData", "Dll_SortMergedData",
                             "Dll_RemoveItem", "Dll_GetMergedDataCount", "Dll_GetRecFileInfo",
                             "Dll_GetAllDataCount", "Dll_GetAllDataInfo", "Dll_ParseGSensor", "Dll_ParseGPS",
                             "Dll_GetGSensorCount", "Dll_GetGSensorData", "Dll_GetGPSData", "Dll_LoadPosInfos",
                             "Dll_GetPosInfo", "Dll_LoadImageFiles", "Dll_GetImageFile", "Dll_GetBitmapFile",
                             "Dll_GetIconFile", "Dll_FreePosInfos", "Dll_LoadBitmapFiles", "Dll_FreeBitmapFiles",
                             "Dll_LoadIconFiles", "Dll_FreeIconFiles", "Dll_FreeImageFiles"})
        EXPECT_NE(dlsym(p.handle, name), nullptr) << name;
    EXPECT_EQ(dlsym(p.handle, "_ZN9recplugin8IFileMan11ResetRecDataEv"), nullptr);
}

TEST(PluginExports, PluginInfo)
{
    Plugin p;
    ASSERT_NE(p.handle, nullptr) << dlerror();
    _PLUGIN_INFO info;
    std::memset(&info, 0xCD, sizeof info);
    EXPECT_EQ(p.getInfo(&info), 1);
    EXPECT_EQ(kestrel::FromU16(info.szName, 260), L"QUARTZEN");
    EXPECT_EQ(kestrel::FromU16(info.szMaker, 260), L"LUMETRA");
    EXPECT_EQ(kestrel::FromU16(info.szTitle, 260), L"QUARTZEN Media Player");
    EXPECT_EQ(kestrel::FromU16(info.szTitle2, 260), L"QUARTZEN Media Player");
    EXPECT_EQ(kestrel::FromU16(info.szVersion, 260), L"0.9.6");
    EXPECT_FALSE(kestrel::FromU16(info.szWebAddress, 260).empty());
    EXPECT_EQ(info.bSkinResources, 0);
    EXPECT_EQ(info.bTexts, 0);
    EXPECT_EQ(info.nAudioLevel, 1);
    EXPECT_EQ(info.wStepPlaying, 0);
    EXPECT_EQ(info.nBackupMode, 1);
    EXPECT_EQ(info.nGSensorOffsetX, 0);
    EXPECT_EQ(info.nGSensorOffsetZ, -1000);
    EXPECT_EQ(info.hListImage, 0);
    EXPECT_EQ(info.reserved2[100], 0);  // unlisted bytes are 0
    EXPECT_EQ(p.getInfo(nullptr), 1);
    EXPECT_EQ(p.getPosInfo(L"anything"), 0);
}

TEST(PluginExports, WithoutAReaderQueriesAnswerTheirFailureValues)
{
    Plugin p;
    ASSERT_NE(p.handle, nullptr) << dlerror();
    TempDir empty;
    EXPECT_EQ(p.load(empty.WPath().c_str()), -1);  // no scan yet
    EXPECT_EQ(p.select(empty.WPath().c_str()), -1);
    EXPECT_EQ(p.load(empty.WPath().c_str()), -1);
    EXPECT_EQ(p.mergedCount(), -1);
    EXPECT_EQ(p.allCount(), 0);
    EXPECT_EQ(p.recInfo(0), nullptr);
    EXPECT_EQ(p.parseGSensor(nullptr), -1);
    EXPECT_EQ(p.gsCount(nullptr), -1);
    EXPECT_EQ(p.select(nullptr), -1);
}

TEST(PluginExports, ScanLoadMergeParseAndRemove)
{
    Plugin p;
    ASSERT_NE(p.handle, nullptr) << dlerror();
    TempDir dir;
    dir.Write("20180916_123456_NE.avi", Recording(10));
    dir.Write("20180916_120000_NM.avi", Recording(2));
    dir.Write("sub/20180916_130000_NE.avi", Recording(4));
    dir.Write("sub/not_a_recording.avi", Recording(1));

    int progress = 0;
    EXPECT_EQ(p.setProgress(&Count, &progress), 0);
    ASSERT_EQ(p.select(dir.WPath().c_str()), 4);
    ASSERT_EQ(p.load(L""), 0);
    EXPECT_EQ(progress, 4);  // one report per found file, dropped ones too
    ASSERT_EQ(p.allCount(), 3);

    int32_t flags[8] = {0, 1, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(p.merge(flags), -1);
    ASSERT_EQ(p.mergedCount(), 2);
    CRecFileInfo* first = p.recInfo(0);
    CRecFileInfo* second = p.recInfo(1);
    EXPECT_LT(first->m_tStart, second->m_tStart);
    EXPECT_EQ(first->m_arrFileName[0], L"20180916_123456_NE.avi");
    EXPECT_EQ(first->m_tEnd - first->m_tStart, 2000);  // 10 frames at 5 per second
    EXPECT_EQ(p.sortMerged(0), -1);
    EXPECT_EQ(p.recInfo(0), second);
    p.sortMerged(0);
    EXPECT_EQ(p.recInfo(0), second);
    p.sortMerged(1);
    EXPECT_EQ(p.recInfo(0), first);

    EXPECT_EQ(p.parseGSensor(first), 0);
    EXPECT_EQ(p.parseGSensor(first), 1);
    EXPECT_EQ(p.parseGps(first), 1);
    EXPECT_EQ(p.gsCount(first), 10);
    EXPECT_DOUBLE_EQ(p.gsData(first, 3)->m_dX, 0.03);
    EXPECT_EQ(p.gsData(first, 10), nullptr);
    const int64_t startSec = first->m_tStart / 1000;
    ASSERT_NE(p.gpsData(first, startSec + 1), nullptr);
    EXPECT_EQ(p.gpsData(first, startSec + 1)->m_tTime, startSec + 1);
    EXPECT_EQ(p.gpsData(first, startSec + 2), nullptr);

    EXPECT_EQ(p.remove(first), 0);
    EXPECT_EQ(p.allCount(), 2);
    p.merge(flags);
    ASSERT_EQ(p.mergedCount(), 1);
    EXPECT_EQ(p.recInfo(0), second);
}
