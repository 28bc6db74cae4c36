// A shared library with a recording export but no GetPluginInfo: the manager
// must not offer it as a plug-in.
#include "kestrel/PluginExports.h"

extern "C" int Dll_SelectFileType(const wchar_t*)
{
    return 1;
}
