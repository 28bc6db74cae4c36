#include "FakePluginLog.h"

#include "filehub/CPluginManager.h"
#include "kestrel/WideText.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

const std::wstring kAppDir = kestrel::FromUtf8(FILEHUB_TEST_APP_DIR);
const std::string kPlugins = std::string(FILEHUB_TEST_APP_DIR) + "/plugins/";

// The log of a fake plug-in the manager has loaded; the extra reference taken
// to find it is dropped again at once, so the manager's is the only one.
FakeLog* LogOf(const std::string& file)
{
    void* h = dlopen((kPlugins + file).c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (!h)
        return nullptr;
    auto fn = reinterpret_cast<FakeLogFn>(dlsym(h, "FakePluginLog"));
    dlclose(h);
    return fn ? fn() : nullptr;
}

bool IsLoaded(const std::string& file)
{
    void* h = dlopen((kPlugins + file).c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (h)
        dlclose(h);
    return h != nullptr;
}

std::wstring NameOf(const _PLUGIN_INFO* info)
{
    return kestrel::FromU16(info->szName, 260);
}

class PluginManagerTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(pm.EnumPlugins(kAppDir, 0), 2); }
    CPluginManager pm;
};

}  // namespace

TEST_F(PluginManagerTest, ListsOnlyDescribedPluginsInFileNameOrder)
{
    // beta.so ("ZULU") sorts before zeta.so ("ALPHA") by file name.
    _PLUGIN_INFO info{};
    ASSERT_EQ(pm.GetPluginInfo(0, &info), &info);
    EXPECT_EQ(NameOf(&info), L"ZULU");
    EXPECT_EQ(info.nAudioLevel, 5);
    EXPECT_EQ(kestrel::FromU16(info.szMaker, 260), L"TESTMAKER");
    const _PLUGIN_INFO* second = pm.GetPluginInfo(1);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(NameOf(second), L"ALPHA");
    EXPECT_EQ(second->nAudioLevel, 9);
    EXPECT_EQ(pm.GetPluginInfo(2, &info), nullptr);
    EXPECT_EQ(pm.GetPluginInfo(-1, &info), nullptr);

    // The decoy, the refusing library, the text file x.so and the folder are
    // skipped; the first three are noted, each with its reason.
    const auto& skipped = pm.GetSkippedFiles();
    ASSERT_EQ(skipped.size(), 3u);
    EXPECT_NE(skipped[0].find("decoy.so: no GetPluginInfo"), std::string::npos) << skipped[0];
    EXPECT_NE(skipped[1].find("refuse.so: GetPluginInfo failed"), std::string::npos) << skipped[1];
    EXPECT_NE(skipped[2].find("x.so"), std::string::npos) << skipped[2];
    EXPECT_FALSE(IsLoaded("decoy.so"));
    EXPECT_FALSE(IsLoaded("refuse.so"));
}

TEST_F(PluginManagerTest, SeekPluginByName)
{
    EXPECT_EQ(pm.SeekPlugin(L"ZULU"), 0);
    EXPECT_EQ(pm.SeekPlugin(std::wstring(L"ALPHA")), 1);
    EXPECT_LT(pm.SeekPlugin(L"alpha"), 0);
    EXPECT_LT(pm.SeekPlugin(L"TESTMAKER"), 0);
    EXPECT_LT(pm.SeekPlugin(L""), 0);
    EXPECT_LT(pm.SeekPlugin(static_cast<const wchar_t*>(nullptr)), 0);
}

TEST_F(PluginManagerTest, LoadPluginRejectsBadIndices)
{
    EXPECT_EQ(pm.LoadPlugin(2), 0);
    EXPECT_EQ(pm.LoadPlugin(-1), 0);
    EXPECT_EQ(pm.GetLoadedPlugin(), -1);
    EXPECT_NE(pm.LoadPlugin(1), 0);
    EXPECT_EQ(pm.GetLoadedPlugin(), 1);
}

TEST_F(PluginManagerTest, CallsBeforeLoadPluginAnswerNeutrally)
{
    int32_t flags[8] = {1, 1, 1, 1, 1, 1, 1, 1};
    CRecFileInfo rec;
    EXPECT_EQ(pm.SelectFileType(L"/tmp"), -1);
    EXPECT_EQ(pm.LoadFile(L"/tmp"), -1);
    EXPECT_EQ(pm.SetCallbackForProgress(nullptr, nullptr), -1);
    EXPECT_EQ(pm.MergeData(flags), -1);
    EXPECT_EQ(pm.GetMergedDataCount(), -1);
    EXPECT_EQ(pm.GetRecFileInfo(0), nullptr);
    EXPECT_EQ(pm.GetAllDataCount(), 0);
    EXPECT_EQ(pm.ParseGPS(&rec), -1);
    EXPECT_EQ(pm.GetGPSData(&rec, 1), nullptr);
    EXPECT_EQ(pm.GetPosInfo(L"btn_play"), 0);
    // Nothing reached a plug-in.
    EXPECT_EQ(LogOf("beta.so")->selectCalls, 0);
    EXPECT_EQ(LogOf("zeta.so")->selectCalls, 0);
}

TEST_F(PluginManagerTest, ForwardsArgumentsAndResultsToTheLoadedPlugin)
{
    ASSERT_NE(pm.LoadPlugin(pm.SeekPlugin(L"ALPHA")), 0);
    FakeLog* alpha = LogOf("zeta.so");
    FakeLog* zulu = LogOf("beta.so");
    ASSERT_NE(alpha, nullptr);
    ASSERT_NE(zulu, nullptr);

    const std::wstring folder = L"/media/card/DCIM ä€𝄞";
    EXPECT_EQ(pm.SelectFileType(folder), 3);
    EXPECT_EQ(alpha->selectFolder, folder);
    EXPECT_EQ(zulu->selectCalls, 0);

    struct Progress {
        int calls = 0;
        uint32_t lastParam = 99;
    } progress;
    auto onProgress = [](uint32_t code, uint32_t param, void*, void* user) {
        auto* p = static_cast<Progress*>(user);
        if (code == 0) {
            ++p->calls;
            p->lastParam = param;
        }
    };
    EXPECT_EQ(pm.SetCallbackForProgress(onProgress, &progress), 0);
    EXPECT_EQ(alpha->progressUser, &progress);
    EXPECT_EQ(pm.LoadFile(L"/x"), 0);
    EXPECT_EQ(alpha->loadFolder, L"/x");
    EXPECT_EQ(progress.calls, 3);
    EXPECT_EQ(progress.lastParam, 2u);
    EXPECT_EQ(pm.SetCallbackForProgress(nullptr, nullptr), 0);
    EXPECT_EQ(alpha->progress, nullptr);

    int32_t flags[8] = {0, 1, 0, 1, 0, 0, 0, 7};
    EXPECT_EQ(pm.MergeData(flags), -1);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(alpha->mergeFlags[i], flags[i]) << i;
    EXPECT_EQ(pm.SortMergedData(0), 77);
    EXPECT_EQ(alpha->sortDirection, 0);

    CRecFileInfo* rec = pm.GetRecFileInfo(0);
    ASSERT_NE(rec, nullptr);
    EXPECT_EQ(pm.GetRecFileInfo(1), nullptr);
    // A 64-bit second passes through without truncation.
    EXPECT_NE(pm.GetGPSData(rec, 5000000000LL), nullptr);
    EXPECT_EQ(alpha->gpsRec, rec);
    EXPECT_EQ(alpha->gpsSecond, 5000000000LL);
    EXPECT_EQ(pm.GetGPSData(rec, 5), nullptr);

    EXPECT_EQ(pm.GetPosInfo(L"btn_play"), 42);
    EXPECT_EQ(alpha->posName, L"btn_play");

    // A null folder reaches the plug-in as null.
    EXPECT_EQ(pm.SelectFileType(static_cast<const wchar_t*>(nullptr)), 3);
    EXPECT_TRUE(alpha->selectFolderNull);
}

TEST_F(PluginManagerTest, MissingExportsAnswerTheirFailureValue)
{
    ASSERT_NE(pm.LoadPlugin(0), 0);
    CRecFileInfo rec;
    EXPECT_EQ(pm.BreakLoadFile(), -1);
    EXPECT_EQ(pm.ResetRecData(), -1);
    EXPECT_EQ(pm.RemoveItem(&rec), -1);
    EXPECT_EQ(pm.GetMergedDataCount(), -1);
    EXPECT_EQ(pm.GetAllDataCount(), 0);
    EXPECT_EQ(pm.GetAllDataInfo(0), nullptr);
    EXPECT_EQ(pm.ParseGPS(&rec), -1);
    EXPECT_EQ(pm.ParseGSensor(&rec), -1);
    EXPECT_EQ(pm.GetGSensorCount(&rec), -1);
    EXPECT_EQ(pm.GetGSensorData(&rec, 0), nullptr);
    EXPECT_EQ(pm.LoadPosInfos(L"a"), 0);
    EXPECT_EQ(pm.LoadImageFiles(L"a"), 0);
    EXPECT_EQ(pm.LoadBitmapFiles(), 0);
    EXPECT_EQ(pm.LoadIconFiles(), 0);
    EXPECT_EQ(pm.GetImageFile(L"a"), 0);
    EXPECT_EQ(pm.GetBitmapFile(L"a"), 0);
    EXPECT_EQ(pm.GetIconFile(L"a"), 0);
    EXPECT_EQ(pm.FreePosInfos(), 0);
    EXPECT_EQ(pm.FreeImageFiles(), 0);
    EXPECT_EQ(pm.GetFont(L"display_text_front"), -1);
    EXPECT_EQ(pm.GetText(L"rec_type_1"), L"");
    EXPECT_EQ(pm.GetManualFilePath(), L"");
    _TAG_DEC_INFO in, out;
    EXPECT_EQ(pm.GetVideoExtChannel(0, &in, &out), -1);
}

TEST_F(PluginManagerTest, SwitchingPluginsRedirectsCalls)
{
    ASSERT_NE(pm.LoadPlugin(0), 0);
    pm.SelectFileType(L"/one");
    ASSERT_NE(pm.LoadPlugin(1), 0);
    pm.SelectFileType(L"/two");
    EXPECT_EQ(LogOf("beta.so")->selectFolder, L"/one");
    EXPECT_EQ(LogOf("zeta.so")->selectFolder, L"/two");
}

TEST(PluginManager, EnumerationUsesAppDirAndReplacesEarlierLists)
{
    {
        CPluginManager pm;
        EXPECT_EQ(pm.EnumPlugins(L"", 1), 0);  // no folder at all
        pm.SetAppDir(kAppDir + L"/");
        EXPECT_EQ(pm.EnumPlugins(L"", 1), 2);   // falls back on SetAppDir, trailing '/' ok
        EXPECT_EQ(pm.GetPluginMode(), 1);
        ASSERT_NE(pm.LoadPlugin(1), 0);
        EXPECT_EQ(pm.EnumPlugins(L"/nonexistent/folder", 0), 0);
        EXPECT_EQ(pm.GetLoadedPlugin(), -1);
        EXPECT_EQ(pm.SelectFileType(L"/tmp"), -1);  // old exports are gone
        EXPECT_EQ(pm.EnumPlugins(kAppDir, 0), 2);
        EXPECT_EQ(pm.SelectFileType(L"/tmp"), -1);  // listed again, not loaded yet
    }
    // Accepted plug-ins stay mapped after the manager lets go of them (they
    // are pinned); rejected files were unloaded at once.
    EXPECT_TRUE(IsLoaded("beta.so"));
    EXPECT_FALSE(IsLoaded("decoy.so"));
    EXPECT_FALSE(IsLoaded("refuse.so"));
    CPluginManager unused;  // destroying a manager that never loaded is fine
}

TEST(PluginManager, RealRecordingPluginIsFoundWhenBuilt)
{
    const std::filesystem::path dir(KESTREL_PLUGIN_DIR);
    std::error_code ec;
    if (!std::filesystem::is_directory(dir, ec) || std::filesystem::is_empty(dir, ec))
        GTEST_SKIP() << "no recording plug-in built in " << dir;
    CPluginManager pm;
    ASSERT_GE(pm.EnumPlugins(kestrel::FromUtf8(dir.parent_path().string()), 0), 1);
    const int index = pm.SeekPlugin(L"QUARTZEN");
    ASSERT_GE(index, 0);
    ASSERT_NE(pm.LoadPlugin(index), 0);
    EXPECT_EQ(pm.SelectFileType(L"/nonexistent/card"), -1);
    EXPECT_EQ(pm.LoadFile(L"/nonexistent/card"), -1);
    EXPECT_EQ(pm.GetMergedDataCount(), -1);
}
