#include "RecordProbe.h"

#include "FolderScan.h"

namespace recplugin {

void ProbeSingleFile(IMediaProbe& probe, const std::wstring& path, CRecFileInfo& rec)
{
    const auto result = probe.Probe(path);
    if (!result)
        return;
    const std::wstring name = NameOf(path);
    int count = 0;
    for (size_t i = 0; i < result->videoDurationsMs.size(); ++i) {
        rec.AddFilePath(path);
        rec.AddFileName(name);
        if (i == 0) {
            rec.AddDataPathA(path);
            rec.AddDataPathB(path);
        }
        rec.AddChannel(std::to_wstring(++count));
    }
    rec.m_tEnd = rec.m_tStart + result->FirstDurationMs();
}

}  // namespace recplugin
