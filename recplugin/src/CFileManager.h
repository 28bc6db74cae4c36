// Owner of the two readers and of the choice between them: the MP4 reader
// is asked first, the AVI reader second; the first that finds files in a
// folder becomes the current reader, which the exports act on.
#pragma once

#include "IFileMan.h"

#include <map>
#include <string>

namespace recplugin {

class CFileManager {
public:
    CFileManager();
    virtual ~CFileManager();
    CFileManager(const CFileManager&) = delete;
    CFileManager& operator=(const CFileManager&) = delete;

    // Forgets the current reader and lets the readers scan the folder in
    // turn. Returns the number of files found, -1 when no reader finds any.
    int SelectFileType(const std::wstring& folder);
    // The viewer's progress function; may be set before or after the scan.
    int SetCallbackProgress(ProgressCallback fn, void* user);

    IFileMan* Current() const { return m_pCurrent; }
    IFileMan* Reader(int i) const { return m_pReaders[i]; }

private:
    // Given to the current reader: passes code 0 on to the viewer's function
    // as it is set at the moment of the call, drops every other code.
    static void ProgressForwarder(uint32_t code, uint32_t param, void* p, void* user);

    IFileMan* m_pReaders[2] = {nullptr, nullptr};  // 0: MP4, 1: AVI
    IFileMan* m_pCurrent = nullptr;
    ProgressCallback m_pfnProgress = nullptr;
    void* m_pProgressUser = nullptr;
};

// Skin resources a plug-in may supply; this one supplies none, so the four
// maps stay empty for the life of the module.
class CResourceMgr {
public:
    std::map<std::wstring, void*> m_mapPos;
    std::map<std::wstring, void*> m_mapBitmap;
    std::map<std::wstring, void*> m_mapIcon;
    std::map<std::wstring, void*> m_mapImage;
};

}  // namespace recplugin
