// Measures how fast the recording plug-in scans and loads a card and reads
// every recording's user data, against running ffprobe on every file of the
// same card in the same run. Prints recordings per second and the ratio.
//
// Each camera layout is measured on a card of its own: AVI channel-file sets,
// AVI files with several streams, and MP4.
//
//   card_load_bench [--recordings N] [--repeat R] [--keep]
#include "CardGen.h"
#include "filehub/CPluginManager.h"
#include "kestrel/WideText.h"

extern "C" {
#include <libavutil/log.h>
}

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

std::string OwnFolder()
{
    std::error_code ec;
    return fs::read_symlink("/proc/self/exe", ec).parent_path().string();
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// One full pass as the viewer's load does it; returns the records handled.
int LoadAndParse(CPluginManager& pm, const std::wstring& folder, long* samples)
{
    if (pm.SelectFileType(folder.c_str()) < 0 || pm.LoadFile(folder.c_str()) != 0)
        return -1;
    int32_t flags[8] = {1, 1, 1, 1, 1, 1, 1, 1};
    pm.MergeData(flags);
    const int n = pm.GetMergedDataCount();
    *samples = 0;
    for (int i = 0; i < n; ++i) {
        CRecFileInfo* rec = pm.GetRecFileInfo(i);
        pm.ParseGPS(rec);
        pm.ParseGSensor(rec);
        *samples += static_cast<long>(rec->m_arrGps.size() + rec->m_arrGSensor.size());
        // Empty the lists as the viewer does after playback, so every pass reads the files.
        rec->ClearGps();
        rec->ClearGSensor();
    }
    return n;
}

bool RunFfprobe(const std::string& path)
{
    std::fflush(nullptr);  // the child must not write our buffered output again
    const pid_t pid = fork();
    if (pid == 0) {
        const int devnull = open("/dev/null", O_WRONLY);
        if (devnull < 0 || dup2(devnull, STDOUT_FILENO) < 0 || dup2(devnull, STDERR_FILENO) < 0)
            _exit(127);
        execlp("ffprobe", "ffprobe", "-v", "error", "-show_format", "-show_streams", path.c_str(),
               static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    return pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

struct Figures {
    int loaded = 0;
    size_t files = 0;
    long samples = 0;
    double ours = 0, ref = 0;
};

bool MakeCard(const std::string& card, int recordings, kestrel::cardgen::Container container)
{
    const fs::path marker = fs::path(card) / ".complete";
    if (fs::exists(marker))
        return true;
    fs::remove_all(card);
    kestrel::cardgen::CardOptions opt;
    opt.folder = card;
    opt.seed = 42;
    opt.recordings = recordings;
    opt.durationSec = 2.0;
    opt.width = 160;
    opt.height = 90;
    opt.fps = 5;
    opt.container = container;
    opt.nestedFolders = true;
    kestrel::cardgen::CardResult result;
    std::string error;
    const auto t0 = Clock::now();
    if (!kestrel::cardgen::GenerateCard(opt, &result, &error)) {
        std::fprintf(stderr, "cannot write the card: %s\n", error.c_str());
        return false;
    }
    std::printf("generated %d recordings (%zu files) in %.1f s\n", result.recordings, result.files.size(),
                std::chrono::duration<double>(Clock::now() - t0).count());
    std::FILE* f = std::fopen(marker.c_str(), "w");
    if (f)
        std::fclose(f);
    return true;
}

bool BenchCard(CPluginManager& pm, const std::string& card, int repeat, Figures* out)
{
    const std::wstring folder = kestrel::FromUtf8(card);
    long samples = 0;
    int loaded = LoadAndParse(pm, folder, &samples);  // warm the page cache
    if (loaded <= 0) {
        std::fprintf(stderr, "the plug-in found no recordings in %s\n", card.c_str());
        return false;
    }
    // The reference probes exactly the files the plug-in reads.
    std::vector<std::string> files;
    for (int i = 0; i < pm.GetAllDataCount(); ++i) {
        CRecFileInfo* rec = pm.GetAllDataInfo(i);
        for (const auto& p : rec->m_arrFilePath) {
            const std::string u = kestrel::ToUtf8(p);
            if (files.empty() || files.back() != u)
                files.push_back(u);
        }
    }
    std::vector<double> ours;
    for (int r = 0; r < repeat; ++r) {
        const auto t0 = Clock::now();
        loaded = LoadAndParse(pm, folder, &samples);
        ours.push_back(std::chrono::duration<double>(Clock::now() - t0).count());
    }
    std::vector<double> ref;
    for (int r = 0; r < std::min(repeat, 2); ++r) {
        const auto t0 = Clock::now();
        for (const auto& f : files)
            if (!RunFfprobe(f)) {
                std::fprintf(stderr, "ffprobe failed on %s\n", f.c_str());
                return false;
            }
        ref.push_back(std::chrono::duration<double>(Clock::now() - t0).count());
    }
    out->loaded = loaded;
    out->files = files.size();
    out->samples = samples;
    out->ours = Median(ours);
    out->ref = Median(ref);
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    int recordings = 1000;
    int repeat = 3;
    bool keep = false;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--recordings" && i + 1 < argc)
            recordings = std::max(1, std::atoi(argv[++i]));
        else if (a == "--repeat" && i + 1 < argc)
            repeat = std::max(1, std::atoi(argv[++i]));
        else if (a == "--keep")
            keep = true;
        else {
            std::fprintf(stderr, "usage: %s [--recordings N] [--repeat R] [--keep]\n", argv[0]);
            return 2;
        }
    }

    av_log_set_level(AV_LOG_ERROR);  // the generator's encoder statistics are noise here

    CPluginManager pm;
    const std::wstring app = kestrel::FromUtf8(OwnFolder());
    pm.SetAppDir(app.c_str());
    if (pm.EnumPlugins(app.c_str(), 0) <= 0 || pm.LoadPlugin(0) == 0) {
        std::fprintf(stderr, "no recording plug-in in the application folder's plugins/\n");
        return 1;
    }

    const struct {
        const char* name;
        kestrel::cardgen::Container container;
    } layouts[] = {{"avi-channel-files", kestrel::cardgen::Container::AviChannelFiles},
                   {"avi-single-files", kestrel::cardgen::Container::Avi},
                   {"mp4", kestrel::cardgen::Container::Mp4}};
    int failures = 0;
    for (const auto& layout : layouts) {
        const std::string card = (fs::temp_directory_path() /
                                  ("kestrel-bench-" + std::string(layout.name) + "-" + std::to_string(recordings)))
                                     .string();
        Figures f;
        if (!MakeCard(card, recordings, layout.container) || !BenchCard(pm, card, repeat, &f)) {
            ++failures;
            continue;
        }
        std::printf("[%s] %d recordings, %zu files, %ld samples per pass\n", layout.name, f.loaded, f.files,
                    f.samples);
        std::printf("[%s] plug-in scan+load+parse: %.3f s (%.0f recordings/s)\n", layout.name, f.ours,
                    f.loaded / f.ours);
        std::printf("[%s] ffprobe on every file:   %.3f s (%.0f recordings/s)\n", layout.name, f.ref,
                    f.loaded / f.ref);
        std::printf("[%s] ratio (ffprobe time / plug-in time): %.1f\n", layout.name, f.ref / f.ours);
        if (!keep)
            fs::remove_all(card);
    }
    return failures == 0 ? 0 : 1;
}
