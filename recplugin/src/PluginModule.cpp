#include "PluginModule.h"

namespace recplugin {

CpluginVireoApp::CpluginVireoApp()
    : m_pResourceMgr(new CResourceMgr()), m_pFileManager(new CFileManager())
{
}

CpluginVireoApp::~CpluginVireoApp()
{
    delete m_pFileManager;  // resets the current reader's records first
    delete m_pResourceMgr;
}

namespace {
// Constructed when the module is loaded, destroyed when it is unloaded.
CpluginVireoApp g_app;
}  // namespace

CpluginVireoApp& TheApp() { return g_app; }

}  // namespace recplugin
