#include "PluginExportTable.h"

#include <dlfcn.h>

namespace filehub_detail {

void PluginExportTable::Resolve(void* handle)
{
    Clear();
    if (!handle)
        return;
    // dlsym returns the address as void*; converting it to the function
    // pointer type is what POSIX guarantees to work.
#define FILEHUB_RESOLVE(name) name = reinterpret_cast<decltype(name)>(dlsym(handle, #name));
    FILEHUB_PLUGIN_EXPORTS(FILEHUB_RESOLVE)
#undef FILEHUB_RESOLVE
}

}  // namespace filehub_detail
