#include "CFileManager.h"

#include "CFileTypeAVI_UB.h"
#include "CFileTypeMP4_A.h"

namespace recplugin {

CFileManager::CFileManager()
{
    m_pReaders[0] = new CFileTypeMP4_A();
    m_pReaders[1] = new CFileTypeAVI_UB();
}

CFileManager::~CFileManager()
{
    if (m_pCurrent)
        m_pCurrent->ResetRecData();
    delete m_pReaders[0];
    delete m_pReaders[1];
    m_pCurrent = nullptr;
}

int CFileManager::SelectFileType(const std::wstring& folder)
{
    m_pCurrent = nullptr;
    for (IFileMan* reader : m_pReaders) {
        const int found = reader->SelectFileType(folder);
        if (found > 0) {
            m_pCurrent = reader;
            reader->SetCallback(&CFileManager::ProgressForwarder, this);
            return found;
        }
    }
    return -1;
}

int CFileManager::SetCallbackProgress(ProgressCallback fn, void* user)
{
    m_pfnProgress = fn;
    m_pProgressUser = user;
    return 0;
}

void CFileManager::ProgressForwarder(uint32_t code, uint32_t, void*, void* user)
{
    auto* self = static_cast<CFileManager*>(user);
    if (code == 0 && self && self->m_pfnProgress)
        self->m_pfnProgress(0, 0, nullptr, self->m_pProgressUser);
}

}  // namespace recplugin
