#include "PluginSession.h"

#include "ExitCodes.h"

#include "medialog/MediaLog.h"
#include "kestrel/Trace.h"
#include "kestrel/WideText.h"

#include <cmath>
#include <cstdio>
#include <unistd.h>

namespace kestrel::cli {

namespace {

// Progress line on stderr, only for a person watching a terminal.
struct Progress {
    int total = 0;
    int done = 0;
};

void OnProgress(uint32_t code, uint32_t, void*, void* user)
{
    if (code != 0 || !user)
        return;
    auto* p = static_cast<Progress*>(user);
    ++p->done;
    std::fprintf(stderr, "\rloading %d/%d", p->done, p->total);
    std::fflush(stderr);
}

bool ValidFix(const CUserDataInfo& s)
{
    return s.m_cStatus == u'A' && std::isfinite(s.m_dLat) && std::isfinite(s.m_dLon) && std::fabs(s.m_dLat) <= 90.0 &&
           std::fabs(s.m_dLon) <= 180.0;
}

}  // namespace

std::string ExecutableFolder()
{
    std::string buf(4096, '\0');
    const ssize_t n = readlink("/proc/self/exe", buf.data(), buf.size());
    if (n <= 0 || static_cast<size_t>(n) >= buf.size())
        return {};
    buf.resize(static_cast<size_t>(n));
    const size_t slash = buf.rfind('/');
    return slash == std::string::npos ? std::string() : buf.substr(0, slash == 0 ? 1 : slash);
}

int PluginSession::Open(const std::string& name, bool nameRequired, std::string* error)
{
    kestrel::QuietMediaLibraryUnlessTracing();

    const std::string appDir = ExecutableFolder();
    m_pm.SetAppDir(kestrel::FromUtf8(appDir));
    if (m_pm.EnumPlugins(kestrel::FromUtf8(appDir), 0) <= 0) {
        *error = "no recording plug-in found in " + appDir + "/plugins";
        for (const std::string& s : m_pm.GetSkippedFiles())
            *error += "\n  skipped " + s;
        return kExitPlugin;
    }
    int index = m_pm.SeekPlugin(kestrel::FromUtf8(name));
    if (index < 0) {
        if (nameRequired) {
            *error = "recording plug-in '" + name + "' not found in " + appDir + "/plugins";
            return kExitPlugin;
        }
        index = 0;
    }
    if (m_pm.LoadPlugin(index) == 0) {
        *error = "the recording plug-in could not be loaded";
        return kExitPlugin;
    }
    return kExitOk;
}

int PluginSession::Load(const std::string& folder, const int32_t typeFlags[8], bool newestFirst, std::string* error)
{
    const std::wstring wfolder = kestrel::FromUtf8(folder);
    const int found = m_pm.SelectFileType(wfolder);
    if (found < 0) {
        *error = "no recordings found in " + folder;
        return kExitNoRecordings;
    }
    Progress progress;
    progress.total = found;
    const bool showProgress = isatty(STDERR_FILENO) == 1;
    if (showProgress)
        m_pm.SetCallbackForProgress(OnProgress, &progress);
    const int loaded = m_pm.LoadFile(wfolder);
    m_pm.SetCallbackForProgress(nullptr, nullptr);
    if (showProgress && progress.done > 0)
        std::fputs("\r\033[K", stderr);
    if (loaded != 0) {
        *error = "no recordings found in " + folder;
        return kExitNoRecordings;
    }
    int32_t flags[8];
    for (int i = 0; i < 8; ++i)
        flags[i] = typeFlags[i];
    m_pm.MergeData(flags);
    // The plug-in keeps its sort direction between loads; set it every time.
    m_pm.SortMergedData(newestFirst ? 0 : 1);
    return kExitOk;
}

std::vector<CRecFileInfo*> PluginSession::MergedRecords()
{
    std::vector<CRecFileInfo*> out;
    const int count = m_pm.GetMergedDataCount();
    for (int i = 0; i < count; ++i)
        if (CRecFileInfo* rec = m_pm.GetRecFileInfo(i))
            out.push_back(rec);
    return out;
}

Recording PluginSession::Describe(const CRecFileInfo& rec, int index)
{
    Recording r;
    r.index = index;
    r.type = rec.m_nRecType;
    r.startMs = rec.m_tStart;
    r.endMs = rec.m_tEnd;
    for (const std::wstring& p : rec.m_arrFilePath)
        r.files.push_back(kestrel::ToUtf8(p));
    for (const std::wstring& n : rec.m_arrFileName)
        r.names.push_back(kestrel::ToUtf8(n));
    return r;
}

bool PluginSession::ReadSamples(CRecFileInfo* rec, std::vector<TrackPoint>* fixes,
                                std::vector<GSensorSample>* gsensor)
{
    // The MP4 reader fills both lists when asked for the G-sensor data, the
    // AVI reader on either call, so ask for both and judge by what arrived.
    const int gpsResult = m_pm.ParseGPS(rec);
    const int gResult = m_pm.ParseGSensor(rec);
    const bool readable = (gpsResult >= 0 && gResult >= 0) || !rec->m_arrGps.empty() || !rec->m_arrGSensor.empty();

    if (fixes) {
        for (const CUserDataInfo* s : rec->m_arrGps) {
            if (!s || !ValidFix(*s))
                continue;
            TrackPoint p;
            p.timeMs = s->m_tTimeMs;
            p.lat = s->m_dLat;
            p.lon = s->m_dLon;
            p.speedKnots = s->m_dSpeed;
            fixes->push_back(p);
        }
    }
    if (gsensor) {
        const int count = m_pm.GetGSensorCount(rec);
        for (int i = 0; i < count; ++i) {
            const CUserDataInfo* s = m_pm.GetGSensorData(rec, i);
            if (!s)
                continue;
            gsensor->push_back({s->m_tTimeMs, s->m_dX, s->m_dY, s->m_dZ});
        }
    }
    // Free the samples as the viewer does when playback stops; a whole card
    // of them need not stay in memory.
    rec->ClearGps();
    rec->ClearGSensor();
    return readable;
}

}  // namespace kestrel::cli
