// ILoadTarget: the four calls a folder load makes of the plug-in side, so the
// load job runs against the plug-in manager in the viewer and the command
// line, and against a scripted stand-in in tests.
#pragma once

#include "kestrel/KestrelTypes.h"

#include <string>

class CPluginManager;

namespace kestrel::jobs {

class ILoadTarget {
public:
    virtual ~ILoadTarget() = default;
    // Number of recording files found in `folder`; below 0 when no reader
    // accepts it.
    virtual int SelectFileType(const std::wstring& folder) = 0;
    // Progress reports during LoadFile (code 0 = one file handled); null
    // switches them off.
    virtual void SetProgress(ProgressCallback fn, void* user) = 0;
    // Loads the files SelectFileType found; the plug-in's own result.
    virtual int LoadFile(const std::wstring& folder) = 0;
    // Asks a running LoadFile to stop between two files. Safe from any
    // thread while LoadFile runs.
    virtual void BreakLoadFile() = 0;
};

// The plug-in manager as a load target (not owned; must outlive the job).
class CPluginLoadTarget final : public ILoadTarget {
public:
    explicit CPluginLoadTarget(CPluginManager& manager) : m_manager(manager) {}
    int SelectFileType(const std::wstring& folder) override;
    void SetProgress(ProgressCallback fn, void* user) override;
    int LoadFile(const std::wstring& folder) override;
    void BreakLoadFile() override;

private:
    CPluginManager& m_manager;
};

}  // namespace kestrel::jobs
