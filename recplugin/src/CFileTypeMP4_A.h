// Reader for cameras that write MP4 files: one file per recording, its
// video streams being the channels, its "sdsm" track the GPS and G-sensor
// samples.
#pragma once

#include "IFileMan.h"
#include "MediaProbe.h"
#include "Mp4UserData.h"

#include <memory>

namespace recplugin {

class CFileTypeMP4_A : public IFileMan {
public:
    CFileTypeMP4_A();
    ~CFileTypeMP4_A() override;

    // Finds the .mp4 files of the folder (hidden ones included), two levels
    // of subfolders included.
    int SelectFileType(const std::wstring& folder) override;
    int LoadFile(const std::wstring& folder) override;
    // Reads both sample lists (GPS and G-sensor) of the record.
    int ParseGSensor(CRecFileInfo* rec) override;
    // Nothing to do: ParseGSensor reads the GPS samples too.
    int ParseGPS(CRecFileInfo* rec) override;

    void SetProbe(std::unique_ptr<IMediaProbe> probe) { m_probe = std::move(probe); }
    const std::vector<std::wstring>& FoundFiles() const { return m_arrFound; }

private:
    std::vector<std::wstring> m_arrFound;
    Mp4SampleTables m_tables;  // only while one file's samples are read
    std::unique_ptr<IMediaProbe> m_probe;
};

}  // namespace recplugin
