// What the fake test plug-in saw: each export it implements records its
// arguments here, and the test reads them back through FakePluginLog().
#pragma once

#include "kestrel/KestrelTypes.h"

#include <cstdint>
#include <string>

struct FakeLog {
    int selectCalls = 0;
    std::wstring selectFolder;
    bool selectFolderNull = false;
    int loadCalls = 0;
    std::wstring loadFolder;
    ProgressCallback progress = nullptr;
    void* progressUser = nullptr;
    int32_t mergeFlags[8] = {};
    int32_t sortDirection = -99;
    CRecFileInfo* gpsRec = nullptr;
    int64_t gpsSecond = 0;
    std::wstring posName;
};

using FakeLogFn = FakeLog* (*)();
