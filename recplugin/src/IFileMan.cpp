#include "IFileMan.h"

#include "MergeSort.h"
#include "NameRules.h"
#include "kestrel/Trace.h"
#include "kestrel/WideText.h"

#include <algorithm>
#include <ctime>

namespace recplugin {

namespace {

uint64_t StartKey(const CRecFileInfo* r) { return static_cast<uint64_t>(r->m_tStart); }

bool SamePaths(const CRecFileInfo* a, const CRecFileInfo* b) { return a->m_arrFilePath == b->m_arrFilePath; }

void Erase(CRecFileArray& list, const CRecFileInfo* rec)
{
    const auto it = std::find(list.begin(), list.end(), rec);
    if (it != list.end())
        list.erase(it);
}

std::string FirstOf(const CWideStringArray& list) { return list.empty() ? std::string() : kestrel::ToUtf8(list.front()); }

}  // namespace

IFileMan::~IFileMan()
{
    ResetRecData();
    ClearUserData();
    ClearUserDataMap();
}

int IFileMan::SelectFileType(const std::wstring&) { return -1; }
int IFileMan::LoadFile(const std::wstring&) { return -1; }
int IFileMan::ParseGSensor(CRecFileInfo*) { return -1; }
int IFileMan::ParseGPS(CRecFileInfo*) { return -1; }

int IFileMan::SetCallback(ProgressCallback fn, void* user)
{
    m_pfnProgress = fn;
    m_pProgressUser = user;
    return 0;
}

void IFileMan::ResetRecData()
{
    for (CRecFileArray& list : m_arrType) {
        for (CRecFileInfo* r : list)
            delete r;
        list.clear();
    }
    m_arrMerged.clear();
    m_arrAll.clear();
    m_arrSpareRec.clear();
}

int IFileMan::MergeData(const int32_t* flags8)
{
    m_arrMerged.clear();
    if (!flags8)
        return 0;
    for (int t = 0; t < kRecTypeCount; ++t)
        if (flags8[t] != 0)
            m_arrMerged.insert(m_arrMerged.end(), m_arrType[t].begin(), m_arrType[t].end());
    if (m_arrMerged.size() > 1)
        SortMergedList();
    for (const CRecFileInfo* r : m_arrMerged) {
        char when[128] = "";
        const time_t seconds = static_cast<time_t>(r->m_tStart / 1000);
        struct tm tm {};
        if (!localtime_r(&seconds, &tm) || std::strftime(when, sizeof when, "%Y:%m:%d %H:%M:%S", &tm) == 0)
            when[0] = '\0';
        kestrel::Trace("%s: RecType = %d, FileName = %s, JpegPath = %s, PreviewPath = %s\n", when, r->m_nRecType,
              FirstOf(r->m_arrFileName).c_str(), FirstOf(r->m_arrJpegPath).c_str(),
              FirstOf(r->m_arrPreviewPath).c_str());
    }
    return 0;
}

int IFileMan::SortMergedData(int32_t direction)
{
    if (direction == m_nSortDir)
        return 0;
    m_nSortDir = direction;
    std::reverse(m_arrMerged.begin(), m_arrMerged.end());
    return 0;
}

int IFileMan::BuildAllData(int)
{
    m_arrAll.clear();
    for (const CRecFileArray& list : m_arrType)
        m_arrAll.insert(m_arrAll.end(), list.begin(), list.end());
    if (m_arrAll.size() > 1)
        SortAllList();
    return 0;
}

int IFileMan::GetMergedDataCount() { return static_cast<int>(m_arrMerged.size()); }

CRecFileInfo* IFileMan::GetRecFileInfo(int index)
{
    return index >= 0 && size_t(index) < m_arrMerged.size() ? m_arrMerged[index] : nullptr;
}

int IFileMan::GetAllDataCount() { return static_cast<int>(m_arrAll.size()); }

CRecFileInfo* IFileMan::GetAllDataInfo(int index)
{
    return index >= 0 && size_t(index) < m_arrAll.size() ? m_arrAll[index] : nullptr;
}

void IFileMan::BreakLoadFile() { m_nStop = 1; }

void IFileMan::ClearUserData()
{
    for (CUserDataInfo* s : m_arrSpareSamples)
        delete s;
    m_arrSpareSamples.clear();
}

void IFileMan::ClearUserDataMap()
{
    for (auto& kv : m_mapSpare)
        delete kv.second;
    m_mapSpare.clear();
}

int IFileMan::GetGSensorCount(CRecFileInfo* rec) { return rec ? static_cast<int>(rec->m_arrGSensor.size()) : 0; }

CUserDataInfo* IFileMan::GetGSensorData(CRecFileInfo* rec, int index)
{
    if (!rec || index < 0 || size_t(index) >= rec->m_arrGSensor.size())
        return nullptr;
    return rec->m_arrGSensor[index];
}

CUserDataInfo* IFileMan::GetGPSData(CRecFileInfo* rec, int64_t second)
{
    if (!rec || rec->m_arrGps.empty())
        return nullptr;
    const CUserDataArray& gps = rec->m_arrGps;
    size_t lo = 0;
    size_t hi = gps.size();
    while (hi - lo > 2) {
        const size_t mid = (lo + hi) / 2;
        if (gps[mid]->m_tTime == second)
            return gps[mid];
        if (second < gps[mid]->m_tTime)
            hi = mid;
        else
            lo = mid;
    }
    for (size_t i = lo; i < hi; ++i)
        if (gps[i]->m_tTime == second)
            return gps[i];
    return nullptr;
}

int IFileMan::RemoveItem(CRecFileInfo* rec)
{
    if (!rec)
        return 0;
    // The record itself when the store holds it, else the first record with
    // the same file paths. The same victim leaves every list, so no list
    // keeps a pointer to a deleted record.
    CRecFileArray* owner = nullptr;
    for (CRecFileArray& list : m_arrType)
        if (std::find(list.begin(), list.end(), rec) != list.end()) {
            owner = &list;
            break;
        }
    CRecFileInfo* victim = owner ? rec : nullptr;
    for (int t = 0; t < kRecTypeCount && !victim; ++t)
        for (CRecFileInfo* r : m_arrType[t])
            if (SamePaths(r, rec)) {
                owner = &m_arrType[t];
                victim = r;
                break;
            }
    if (!victim)
        return 0;
    Erase(m_arrAll, victim);
    Erase(m_arrMerged, victim);
    Erase(*owner, victim);
    delete victim;
    return 0;
}

int IFileMan::ClassifyNameChar(char16_t c) { return recplugin::ClassifyNameChar(c); }

void IFileMan::SortTypeLists()
{
    for (CRecFileArray& list : m_arrType)
        MergeSortByKey(list, m_nSortDir != 0, StartKey);
}

void IFileMan::SortMergedList() { MergeSortByKey(m_arrMerged, m_nSortDir != 0, StartKey); }

void IFileMan::SortAllList() { MergeSortByKey(m_arrAll, m_nSortDir != 0, StartKey); }

void IFileMan::SortSamples(CUserDataArray& samples)
{
    MergeSortByKey(samples, m_nSortDir != 0, [](const CUserDataInfo* s) { return static_cast<uint64_t>(s->m_tTimeMs); });
}

void IFileMan::ReportProgress()
{
    if (m_pfnProgress)
        m_pfnProgress(0, 0, nullptr, m_pProgressUser);
}

int IFileMan::LoadFoundFiles(std::vector<std::wstring>& found,
                             const std::function<bool(const std::wstring&, CRecFileInfo&)>& parse)
{
    ResetRecData();
    m_nStop = 0;
    for (const std::wstring& path : found) {
        if (m_nStop)
            break;
        auto rec = std::make_unique<CRecFileInfo>();
        if (parse(path, *rec)) {
            const int type = rec->m_nRecType;
            if (type >= 0 && type < kRecTypeCount) {
                m_arrType[type].push_back(rec.get());
                rec.release();
            }
        }
        ReportProgress();
    }
    found.clear();
    BuildAllData(0);
    return m_arrAll.empty() ? -1 : 0;
}

}  // namespace recplugin
