// A stand-in recording plug-in for the start-up runs: it describes itself
// under the name it was built with and exports nothing else.
#include "kestrel/PluginExports.h"
#include "kestrel/WideText.h"

extern "C" int GetPluginInfo(_PLUGIN_INFO* info)
{
    if (info) {
        kestrel::CopyToU16(info->szName, 260, TEST_PLUGIN_NAME);
        kestrel::CopyToU16(info->szTitle, 260, L"Kestrel Test Viewer");
        info->nAudioLevel = 6;
    }
    return 1;
}
