// The plug-in's module object: created when the module is loaded, deleted
// when it is unloaded.
#pragma once

#include "CFileManager.h"

namespace recplugin {

class CpluginVireoApp {
public:
    CpluginVireoApp();
    ~CpluginVireoApp();
    CpluginVireoApp(const CpluginVireoApp&) = delete;
    CpluginVireoApp& operator=(const CpluginVireoApp&) = delete;

    CFileManager* FileManager() const { return m_pFileManager; }

private:
    CResourceMgr* m_pResourceMgr = nullptr;
    CFileManager* m_pFileManager = nullptr;
};

// The module's one instance.
CpluginVireoApp& TheApp();

}  // namespace recplugin
