#include "Commands.h"

#include "ExitCodes.h"
#include "GSensorCsvWriter.h"
#include "OutputFile.h"
#include "PluginSession.h"
#include "ScanWriter.h"
#include "TrackWriters.h"

#include <cstdio>
#include <filesystem>
#include <unistd.h>

namespace kestrel::cli {

namespace {

void Complain(const std::string& message)
{
    std::fprintf(stderr, "kestrel-cli: %s\n", message.c_str());
}

// Checks the folder, opens the plug-in and loads the folder's recordings.
// Returns kExitOk with `folder` made absolute, or the exit code to end with.
int OpenCard(const CliOptions& o, PluginSession* session, std::string* folder)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    if (!fs::is_directory(o.folder, ec)) {
        Complain("folder not found: " + o.folder);
        return kExitFolder;
    }
    if (access(o.folder.c_str(), R_OK | X_OK) != 0) {
        Complain("folder not readable: " + o.folder);
        return kExitFolder;
    }
    fs::path abs = fs::absolute(o.folder, ec).lexically_normal();
    *folder = ec ? o.folder : abs.string();
    if (folder->size() > 1 && folder->back() == '/')
        folder->pop_back();

    std::string error;
    int rc = session->Open(o.plugin, o.pluginGiven, &error);
    if (rc == kExitOk)
        rc = session->Load(*folder, o.typeFlags, o.newestFirst, &error);
    if (rc != kExitOk)
        Complain(error);
    return rc;
}

int Emit(const std::string& path, const std::string& text)
{
    std::string error;
    if (!WriteOutput(path, text, &error)) {
        Complain(error);
        return kExitWrite;
    }
    return kExitOk;
}

void ReportUnreadable(const Recording& r)
{
    std::fprintf(stderr, "skipped: %s: user data unreadable\n",
                 r.files.empty() ? r.DisplayName().c_str() : r.files.front().c_str());
}

}  // namespace

int RunScan(const CliOptions& o)
{
    PluginSession session;
    std::string folder;
    if (int rc = OpenCard(o, &session, &folder); rc != kExitOk)
        return rc;
    std::vector<Recording> recs;
    for (CRecFileInfo* rec : session.MergedRecords())
        recs.push_back(PluginSession::Describe(*rec, static_cast<int>(recs.size())));
    return Emit("-", o.json ? WriteScanJson(recs) : WriteScanTable(recs));
}

int RunGps(const CliOptions& o)
{
    PluginSession session;
    std::string folder;
    if (int rc = OpenCard(o, &session, &folder); rc != kExitOk)
        return rc;
    std::vector<RecordingTrack> tracks;
    int index = 0;
    for (CRecFileInfo* rec : session.MergedRecords()) {
        RecordingTrack t;
        t.rec = PluginSession::Describe(*rec, index++);
        if (!session.ReadSamples(rec, &t.points, nullptr)) {
            ReportUnreadable(t.rec);
            continue;
        }
        if (t.points.empty()) {
            std::fprintf(stderr, "skipped: %s: no valid GPS fix\n",
                         t.rec.files.empty() ? t.rec.DisplayName().c_str() : t.rec.files.front().c_str());
            continue;
        }
        tracks.push_back(std::move(t));
    }
    if (tracks.empty()) {
        Complain("nothing to write: no recording has a valid GPS fix");
        return kExitNoRecordings;
    }
    return Emit(o.output, o.format == TrackFormat::Kml ? WriteKml(tracks) : WriteGpx(tracks));
}

int RunGSensor(const CliOptions& o)
{
    PluginSession session;
    std::string folder;
    if (int rc = OpenCard(o, &session, &folder); rc != kExitOk)
        return rc;
    std::vector<RecordingGSensor> recs;
    size_t samples = 0;
    int index = 0;
    for (CRecFileInfo* rec : session.MergedRecords()) {
        RecordingGSensor g;
        g.rec = PluginSession::Describe(*rec, index++);
        if (!session.ReadSamples(rec, nullptr, &g.samples)) {
            ReportUnreadable(g.rec);
            continue;
        }
        samples += g.samples.size();
        recs.push_back(std::move(g));
    }
    if (samples == 0) {
        Complain("nothing to write: no recording has G-sensor samples");
        return kExitNoRecordings;
    }
    return Emit(o.output, WriteGSensorCsv(recs));
}

}  // namespace kestrel::cli
