// Reader for cameras that write AVI files: one file per recording, or one
// file per camera channel ("ch0_...", "ch1_...", up to ch3) grouped into one
// recording by the rest of their names.
#pragma once

#include "FolderScan.h"
#include "IFileMan.h"
#include "MediaProbe.h"

#include <ctime>
#include <memory>

namespace recplugin {

class CFileTypeAVI_UB : public IFileMan {
public:
    CFileTypeAVI_UB();
    ~CFileTypeAVI_UB() override;

    // Finds the non-hidden .avi files of the folder, two levels of
    // subfolders included.
    int SelectFileType(const std::wstring& folder) override;
    int LoadFile(const std::wstring& folder) override;
    // Both read the GPS and G-sensor samples of the record's data file.
    int ParseGSensor(CRecFileInfo* rec) override;
    int ParseGPS(CRecFileInfo* rec) override;

    // Replaces the media library probe (tests use synthetic files).
    void SetProbe(std::unique_ptr<IMediaProbe> probe) { m_probe = std::move(probe); }
    const std::vector<std::wstring>& FoundFiles() const { return m_arrFound; }

private:
    bool ParseFoundFile(const std::wstring& path, CRecFileInfo& rec, CChannelSiblings& siblings, time_t now);
    bool ParseChannelFile(const std::wstring& path, CRecFileInfo& rec, CChannelSiblings& siblings, time_t now);

    std::vector<std::wstring> m_arrFound;
    std::unique_ptr<IMediaProbe> m_probe;
};

}  // namespace recplugin
