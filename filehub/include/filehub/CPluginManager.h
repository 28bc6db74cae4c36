// The plug-in manager: finds recording plug-ins (*.so files in the
// application folder's plugins/ folder), loads the chosen one and forwards
// each recording operation to the plug-in export of the same name with the
// prefix Dll_.
//
// Results are the export's own results, passed through unchanged. When the
// loaded plug-in lacks an export, or no plug-in is loaded yet, a call answers
// the neutral value noted beside it: the failure result the export itself
// would give ("-1", "0" or nullptr), so callers need no extra case.
//
// Record and sample pointers handed out belong to the plug-in and stay valid
// until the plug-in deletes them (ResetRecData, the next LoadFile, RemoveItem)
// or the manager unloads it (destructor, EnumPlugins again).
//
// Not thread-safe by design: the viewer serialises its calls (one loading
// thread at a time, waited for). Calls are not synchronised here.
#pragma once

#include "kestrel/KestrelTypes.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace filehub_detail {
struct PluginEntry;
struct PluginExportTable;
}  // namespace filehub_detail

// Wide text argument: accepts both a const wchar_t* and a std::wstring, so
// the viewer can pass either. A null pointer stays null and is passed on as
// it is to the plug-in.
class CWideArg {
public:
    CWideArg(const wchar_t* s) : m_p(s) {}
    CWideArg(const std::wstring& s) : m_p(s.c_str()) {}
    const wchar_t* c_str() const { return m_p; }

private:
    const wchar_t* m_p;
};

class CPluginManager {
public:
    CPluginManager();
    ~CPluginManager();  // unloads every plug-in; safe with nothing loaded
    CPluginManager(const CPluginManager&) = delete;
    CPluginManager& operator=(const CPluginManager&) = delete;

    // ---- Plug-in handling -------------------------------------------------

    // Remembers the application folder; EnumPlugins with an empty folder
    // uses it.
    void SetAppDir(CWideArg folder);
    std::wstring GetAppDir() const { return m_appDir; }

    // Lists the plug-ins in appFolder + "/plugins/": every regular *.so file
    // that loads (dlopen, RTLD_NOW | RTLD_LOCAL) and exports GetPluginInfo
    // answering non-zero, in file-name order (byte order). Files that fail
    // are skipped and noted in GetSkippedFiles(). Plug-ins listed by an
    // earlier call are unloaded first. `mode` is the viewer's plug-in mode
    // (option.ini pluginMode); discovery is the same for every mode (the
    // viewer applies the mode when it chooses the plug-in), so it is
    // accepted and stored only. Returns the number of plug-ins, 0 for none.
    int EnumPlugins(CWideArg appFolder, int mode = 0);
    int GetPluginMode() const { return m_mode; }

    // Index of the first plug-in whose description names `name` (szName,
    // exact match); -1 when none does.
    int SeekPlugin(CWideArg name) const;

    // Copies plug-in `index`'s description into *out (when out is not null)
    // and returns out, or the manager's own copy when out is null; nullptr
    // past the last index (the viewer walks indices from 0 until nullptr).
    const _PLUGIN_INFO* GetPluginInfo(int index, _PLUGIN_INFO* out = nullptr) const;

    // Makes plug-in `index` the current one and resolves its Dll_* exports.
    // 0 on failure (no such index), 1 on success. Another index may be
    // loaded later; the previous plug-in stays in memory until unloaded.
    int LoadPlugin(int index);
    int GetLoadedPlugin() const { return m_loaded; }  // -1 before LoadPlugin

    // Kept for the plug-in's skin and text resources; no export takes them.
    void SetParentWnd(void* window) { m_parentWnd = window; }
    void* GetParentWnd() const { return m_parentWnd; }
    void SetLangID(int id) { m_langId = id; }
    int GetLangID() const { return m_langId; }

    // "<path>: <reason>" for each *.so file the last EnumPlugins skipped.
    const std::vector<std::string>& GetSkippedFiles() const { return m_skipped; }

    // ---- Loading (missing export: -1) --------------------------------------

    int SelectFileType(CWideArg folder);                     // file count, -1
    int SetCallbackForProgress(ProgressCallback fn, void* user);  // 0, -1
    int LoadFile(CWideArg folder);                           // 0 loaded, -1
    int BreakLoadFile();                                     // 0, -1

    // ---- Browsing ----------------------------------------------------------

    int MergeData(int32_t flags[8]);            // missing: -1
    int SortMergedData(int32_t direction);      // missing: -1
    int GetMergedDataCount();                   // missing: -1
    CRecFileInfo* GetRecFileInfo(int index);    // missing: nullptr
    int GetAllDataCount();                      // missing: 0
    CRecFileInfo* GetAllDataInfo(int index);    // missing: nullptr
    int RemoveItem(CRecFileInfo* rec);          // missing: -1
    int ResetRecData();                         // missing: -1
    int ParseGPS(CRecFileInfo* rec);            // missing: -1
    int ParseGSensor(CRecFileInfo* rec);        // missing: -1
    int GetGSensorCount(CRecFileInfo* rec);     // missing: -1
    CUserDataInfo* GetGSensorData(CRecFileInfo* rec, int index);    // missing: nullptr
    CUserDataInfo* GetGPSData(CRecFileInfo* rec, int64_t second);   // missing: nullptr

    // ---- Skin and text (missing export: 0, "nothing supplied") -------------

    int LoadPosInfos(CWideArg name);
    int LoadBitmapFiles();
    int LoadIconFiles();
    int LoadImageFiles(CWideArg name);
    int FreePosInfos();
    int FreeBitmapFiles();
    int FreeIconFiles();
    int FreeImageFiles();
    int GetPosInfo(CWideArg name);
    int GetBitmapFile(CWideArg name);
    int GetIconFile(CWideArg name);
    int GetImageFile(CWideArg name);

    // No plug-in export exists for these; they answer "nothing supplied"
    // (-1 font size, empty texts) so the viewer uses its own files.
    int GetFont(CWideArg name);
    std::wstring GetText(CWideArg name);
    std::wstring GetManualFilePath();

    // Extra pictures derived from a channel: no plug-in provides them; -1.
    int GetVideoExtChannel(int channel, _TAG_DEC_INFO* source, _TAG_DEC_INFO* out);

private:
    void UnloadAll();

    std::wstring m_appDir;
    int m_mode = 0;
    int m_loaded = -1;
    void* m_parentWnd = nullptr;
    int m_langId = 0;
    std::vector<std::unique_ptr<filehub_detail::PluginEntry>> m_plugins;
    std::unique_ptr<filehub_detail::PluginExportTable> m_exports;  // never null
    std::vector<std::string> m_skipped;
};
