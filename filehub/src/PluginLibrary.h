// Discovery and loading of plug-in files: one loaded *.so that described
// itself through GetPluginInfo.
#pragma once

#include "kestrel/KestrelTypes.h"

#include <memory>
#include <string>
#include <vector>

namespace filehub_detail {

struct PluginEntry {
    std::string path;        // UTF-8 file path
    void* handle = nullptr;  // dlopen handle, closed by the destructor
    _PLUGIN_INFO info{};     // the plug-in's description, text slots terminated

    PluginEntry() = default;
    PluginEntry(const PluginEntry&) = delete;
    PluginEntry& operator=(const PluginEntry&) = delete;
    ~PluginEntry();
};

// The *.so regular files (or links to them) directly in `folder`, full
// paths sorted by file name. An unreadable or missing folder gives none.
std::vector<std::string> ListPluginFiles(const std::string& folder);

// Loads `path` and reads its description. nullptr when it does not load, has
// no GetPluginInfo, or its GetPluginInfo answers 0; `why` then says which.
std::unique_ptr<PluginEntry> OpenPlugin(const std::string& path, std::string* why);

}  // namespace filehub_detail
