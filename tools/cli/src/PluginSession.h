// Loads the recording plug-in through the plug-in manager and reads a folder
// exactly as the viewer does: SelectFileType, progress, LoadFile, MergeData,
// then the merged list.
#pragma once

#include "ExportModel.h"

#include "filehub/CPluginManager.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kestrel::cli {

class PluginSession {
public:
    // Finds the plug-ins beside this program (plugins/ in the folder of the
    // executable) and loads `name`; when `nameRequired` is false and `name`
    // is absent, the first plug-in. An exit code: kExitOk or kExitPlugin.
    int Open(const std::string& name, bool nameRequired, std::string* error);

    // Scans and loads `folder`, merges the chosen types and sorts the merged
    // list. An exit code: kExitOk or kExitNoRecordings.
    int Load(const std::string& folder, const int32_t typeFlags[8], bool newestFirst, std::string* error);

    // The merged list, in order; records stay owned by the plug-in.
    std::vector<CRecFileInfo*> MergedRecords();
    static Recording Describe(const CRecFileInfo& rec, int index);

    // Parses the record's user data. false when it cannot be read at all;
    // otherwise the valid GPS fixes and the G-sensor samples (either may be
    // empty). The record's sample lists are emptied again afterwards.
    bool ReadSamples(CRecFileInfo* rec, std::vector<TrackPoint>* fixes, std::vector<GSensorSample>* gsensor);

private:
    CPluginManager m_pm;
};

// The folder of the running program; empty when it cannot be found.
std::string ExecutableFolder();

}  // namespace kestrel::cli
