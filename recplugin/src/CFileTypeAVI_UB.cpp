#include "CFileTypeAVI_UB.h"

#include "AviUserData.h"
#include "ByteSource.h"
#include "NameRules.h"
#include "RecordProbe.h"
#include "kestrel/WideText.h"

namespace recplugin {

namespace {

constexpr int kScanDepth = 3;
constexpr int kMaxChannelFile = 3;  // ch0 .. ch3

bool IsChannelFileName(const std::wstring& name)
{
    return name.compare(0, 2, L"ch") == 0 || name.compare(0, 2, L"CH") == 0;
}

}  // namespace

CFileTypeAVI_UB::CFileTypeAVI_UB() : m_probe(std::make_unique<CAvFormatProbe>()) {}

CFileTypeAVI_UB::~CFileTypeAVI_UB() = default;

int CFileTypeAVI_UB::SelectFileType(const std::wstring& folder)
{
    m_arrFound.clear();
    ScanFolder(folder, L".avi", /*skipHidden=*/true, kScanDepth, m_arrFound);
    return static_cast<int>(m_arrFound.size());
}

int CFileTypeAVI_UB::LoadFile(const std::wstring&)
{
    CChannelSiblings siblings;  // one listing per folder for this load
    const time_t now = time(nullptr);
    return LoadFoundFiles(m_arrFound, [&](const std::wstring& path, CRecFileInfo& rec) {
        return ParseFoundFile(path, rec, siblings, now);
    });
}

bool CFileTypeAVI_UB::ParseFoundFile(const std::wstring& path, CRecFileInfo& rec, CChannelSiblings& siblings,
                                     time_t now)
{
    const std::wstring name = NameOf(path);
    if (IsChannelFileName(name))
        return ParseChannelFile(path, rec, siblings, now);
    const auto id = ParseNameStem(NameStem(name, false), NameKind::Avi, now);
    if (!id)
        return false;
    rec.m_tStart = id->startMs;
    rec.m_nRecType = id->recType;
    ProbeSingleFile(*m_probe, path, rec);
    return true;
}

bool CFileTypeAVI_UB::ParseChannelFile(const std::wstring& path, CRecFileInfo& rec, CChannelSiblings& siblings,
                                       time_t now)
{
    const std::wstring folder = FolderOf(path);
    const std::wstring name = NameOf(path);
    const int k = name.size() > 2 && name[2] >= L'0' && name[2] <= L'9' ? name[2] - L'0' : 0;
    const std::wstring rest = NameStem(name, true);

    // A lower channel of the same moment exists: that file makes the record.
    for (int i = 0; i < k; ++i)
        if (!siblings.Find(folder, i, rest).empty())
            return false;

    const auto id = ParseNameStem(rest, NameKind::Avi, now);
    if (!id)
        return false;
    rec.m_tStart = id->startMs;
    rec.m_nRecType = id->recType;

    const auto probed = m_probe->Probe(path);
    if (!probed)
        return false;
    int count = 0;
    for (size_t i = 0; i < probed->videoDurationsMs.size(); ++i) {
        rec.AddFilePath(path);
        rec.AddFileName(name);
        rec.AddDataPathA(path);
        rec.AddDataPathB(path);
        rec.AddChannel(std::to_wstring(++count));
    }
    rec.m_tEnd = rec.m_tStart + probed->FirstDurationMs();

    // Higher channels join without being opened; their number is j + 1.
    for (int j = k + 1; j <= kMaxChannelFile; ++j) {
        const std::wstring sibling = siblings.Find(folder, j, rest);
        if (sibling.empty())
            continue;
        rec.AddFilePath(sibling);
        rec.AddFileName(NameOf(sibling));
        rec.AddChannel(std::to_wstring(j + 1));
    }
    return true;
}

int CFileTypeAVI_UB::ParseGSensor(CRecFileInfo* rec)
{
    if (!rec)
        return -1;
    if (!rec->m_arrGps.empty() || !rec->m_arrGSensor.empty())
        return 1;
    CFileByteSource src;
    if (!src.Open(kestrel::ToUtf8(rec->GetDataPathB())))
        return -1;
    return ParseAviUserData(src, *rec);
}

int CFileTypeAVI_UB::ParseGPS(CRecFileInfo* rec) { return ParseGSensor(rec); }

}  // namespace recplugin
