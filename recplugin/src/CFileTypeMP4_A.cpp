#include "CFileTypeMP4_A.h"

#include "ByteSource.h"
#include "FolderScan.h"
#include "NameRules.h"
#include "RecordProbe.h"
#include "kestrel/WideText.h"

#include <ctime>

namespace recplugin {

namespace {
constexpr int kScanDepth = 3;
}

CFileTypeMP4_A::CFileTypeMP4_A() : m_probe(std::make_unique<CAvFormatProbe>()) {}

CFileTypeMP4_A::~CFileTypeMP4_A() = default;

int CFileTypeMP4_A::SelectFileType(const std::wstring& folder)
{
    m_arrFound.clear();
    ScanFolder(folder, L".mp4", /*skipHidden=*/false, kScanDepth, m_arrFound);
    return static_cast<int>(m_arrFound.size());
}

int CFileTypeMP4_A::LoadFile(const std::wstring&)
{
    const time_t now = time(nullptr);
    return LoadFoundFiles(m_arrFound, [&](const std::wstring& path, CRecFileInfo& rec) {
        const auto id = ParseNameStem(NameStem(NameOf(path), false), NameKind::Mp4, now);
        if (!id)
            return false;
        rec.m_tStart = id->startMs;
        rec.m_nRecType = id->recType;
        ProbeSingleFile(*m_probe, path, rec);
        return true;
    });
}

int CFileTypeMP4_A::ParseGSensor(CRecFileInfo* rec)
{
    if (!rec)
        return -1;
    if (!rec->m_arrGps.empty() || !rec->m_arrGSensor.empty())
        return 1;
    if (rec->m_arrDataPathA.empty() || rec->m_arrDataPathA.front().empty())
        return -1;
    CFileByteSource src;
    if (!src.Open(kestrel::ToUtf8(rec->m_arrDataPathA.front())))
        return -1;
    return ParseMp4UserData(src, *rec, m_tables);
}

int CFileTypeMP4_A::ParseGPS(CRecFileInfo* rec) { return rec ? 0 : -1; }

}  // namespace recplugin
