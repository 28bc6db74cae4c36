// The record store shared by the container readers: eight lists of records
// by recording type, the merged list the viewer pages through, the list of
// all records, sorting, removal and sample lookups. The readers override the
// scan, the load and the user-data parse.
#pragma once

#include "kestrel/KestrelTypes.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace recplugin {

constexpr int kRecTypeCount = 8;

using CRecFileArray = std::vector<CRecFileInfo*>;

class IFileMan {
public:
    IFileMan() = default;
    IFileMan(const IFileMan&) = delete;
    IFileMan& operator=(const IFileMan&) = delete;

    // Scans a folder; the number of files found, -1 in this base.
    virtual int SelectFileType(const std::wstring& folder);
    // Loads the files of the last scan into records; -1 in this base.
    virtual int LoadFile(const std::wstring& folder);
    virtual int SetCallback(ProgressCallback fn, void* user);
    // Deletes every record and empties every list.
    virtual void ResetRecData();
    // Merged list = the records of the types whose flag is set, sorted.
    virtual int MergeData(const int32_t* flags8);
    // Non-zero: oldest first. A change reverses the merged list in place.
    virtual int SortMergedData(int32_t direction);
    virtual int BuildAllData(int flag);
    virtual int GetMergedDataCount();
    virtual CRecFileInfo* GetRecFileInfo(int index);
    virtual int GetAllDataCount();
    virtual CRecFileInfo* GetAllDataInfo(int index);
    virtual void BreakLoadFile();
    virtual int ParseGSensor(CRecFileInfo* rec);
    virtual int ParseGPS(CRecFileInfo* rec);
    virtual void ClearUserData();
    virtual void ClearUserDataMap();
    virtual int GetGSensorCount(CRecFileInfo* rec);
    virtual CUserDataInfo* GetGSensorData(CRecFileInfo* rec, int index);
    // A GPS sample of the given second (seconds since 1970), found by bisection.
    virtual CUserDataInfo* GetGPSData(CRecFileInfo* rec, int64_t second);
    virtual int RemoveItem(CRecFileInfo* rec);
    virtual int ClassifyNameChar(char16_t c);
    virtual void SortTypeLists();
    virtual void SortMergedList();
    virtual void SortAllList();
    virtual void SortSamples(CUserDataArray& samples);
    virtual ~IFileMan();

    // Read access for tests and the manager.
    const CRecFileArray& TypeList(int type) const { return m_arrType[type]; }
    int32_t SortDirection() const { return m_nSortDir; }

protected:
    // The common load: reset, then per found path make a record, let `parse`
    // fill it (false: no record), file it by type and report progress.
    // A raised stop flag ends the load between files; what was loaded stays.
    int LoadFoundFiles(std::vector<std::wstring>& found,
                       const std::function<bool(const std::wstring&, CRecFileInfo&)>& parse);
    void ReportProgress();

    ProgressCallback m_pfnProgress = nullptr;
    void* m_pProgressUser = nullptr;
    CRecFileArray m_arrType[kRecTypeCount];  // own their records
    CRecFileArray m_arrMerged;               // points into the type lists
    CRecFileArray m_arrAll;                  // points into the type lists
    CRecFileArray m_arrSpareRec;             // never filled here
    CUserDataArray m_arrSpareSamples;        // never filled here
    std::map<std::wstring, CUserDataInfo*> m_mapSpare;  // never filled here
    std::atomic<int32_t> m_nStop{0};
    int32_t m_nSortDir = 1;
};

}  // namespace recplugin
