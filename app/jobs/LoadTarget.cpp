#include "jobs/LoadTarget.h"

#include "filehub/CPluginManager.h"

namespace kestrel::jobs {

int CPluginLoadTarget::SelectFileType(const std::wstring& folder) { return m_manager.SelectFileType(folder); }

void CPluginLoadTarget::SetProgress(ProgressCallback fn, void* user) { m_manager.SetCallbackForProgress(fn, user); }

int CPluginLoadTarget::LoadFile(const std::wstring& folder) { return m_manager.LoadFile(folder); }

void CPluginLoadTarget::BreakLoadFile() { m_manager.BreakLoadFile(); }

}  // namespace kestrel::jobs
