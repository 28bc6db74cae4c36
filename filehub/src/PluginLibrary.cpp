#include "PluginLibrary.h"

#include "kestrel/PluginExports.h"

#include <algorithm>
#include <dlfcn.h>
#include <filesystem>
#include <system_error>

namespace filehub_detail {

PluginEntry::~PluginEntry()
{
    if (handle)
        dlclose(handle);
}

std::vector<std::string> ListPluginFiles(const std::string& folder)
{
    namespace fs = std::filesystem;
    std::vector<std::string> names;
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    if (ec)
        return {};
    for (const fs::directory_entry& e : it) {
        const std::string name = e.path().filename().string();
        if (name.size() <= 3 || name.compare(name.size() - 3, 3, ".so") != 0)
            continue;
        std::error_code fileEc;
        if (!e.is_regular_file(fileEc))  // follows links; skips folders named *.so
            continue;
        names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    std::vector<std::string> paths;
    paths.reserve(names.size());
    for (const std::string& n : names)
        paths.push_back(folder + "/" + n);
    return paths;
}

std::unique_ptr<PluginEntry> OpenPlugin(const std::string& path, std::string* why)
{
    auto entry = std::make_unique<PluginEntry>();
    entry->path = path;
    entry->handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!entry->handle) {
        const char* err = dlerror();
        *why = err ? err : "cannot be loaded";
        return nullptr;
    }
    auto getInfo = reinterpret_cast<decltype(&::GetPluginInfo)>(dlsym(entry->handle, "GetPluginInfo"));
    if (!getInfo) {
        *why = "no GetPluginInfo export";
        return nullptr;  // the entry's destructor closes the handle
    }
    if (getInfo(&entry->info) == 0) {
        *why = "GetPluginInfo failed";
        return nullptr;
    }
    // Pin a plug-in once it is accepted: dlclose then only drops the reference
    // and the code stays mapped. The media and system libraries a plug-in
    // pulls in keep process-wide state (exit handlers, caches, threads) that
    // must not vanish while the process runs. Rejected files are unloaded.
    if (void* pin = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE))
        dlclose(pin);
    // The text slots are read as terminated strings later; make sure they are.
    for (char16_t* slot : {entry->info.szName, entry->info.szMaker, entry->info.szTitle,
                           entry->info.szTitle2, entry->info.szVersion, entry->info.szWebAddress})
        slot[259] = 0;
    return entry;
}

}  // namespace filehub_detail
