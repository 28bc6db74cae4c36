// kestrel-cardgen: writes a sample dash-camera card into a folder.
#include "CardGen.h"
#include "KestrelVersion.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

extern "C" {
#include <libavutil/log.h>
}

using namespace kestrel::cardgen;

namespace {

void Usage(FILE* out)
{
    std::fputs(
        "Usage: kestrel-cardgen [options] FOLDER\n"
        "Writes a sample dash-camera memory card into FOLDER (created when missing).\n"
        "The same options always give the same bytes.\n\n"
        "  --seed N             random seed (default 1)\n"
        "  --count N            number of recordings (default 6)\n"
        "  --duration SEC       length of each recording (default 4)\n"
        "  --size WxH           picture size (default 320x180)\n"
        "  --fps N              pictures per second (default 10)\n"
        "  --channels N         camera channels 1..4 (default 2; single files hold at most 2)\n"
        "  --container KIND     avi | avich | mp4 | mixed (default mixed)\n"
        "  --south-west         drive in the southern and western hemispheres\n"
        "  --hidden             also write hidden files\n"
        "  --nested             spread recordings over nested folders\n"
        "  --damaged            add truncated, mis-named, wrong-extension and empty files\n"
        "  --no-audio           no sound\n"
        "  --stereo             stereo sound (default mono)\n"
        "  --sample-rate HZ     sound sample rate (default 16000)\n"
        "  --start \"YYYY-MM-DD HH:MM:SS\"  local start of the first recording\n"
        "  --list               print every written file\n"
        "  -h, --help           this text\n"
        "  -v, --version        print the version\n\n"
        "Exit status: 0 card written, 1 the card could not be written, 2 usage error.\n",
        out);
}

bool ParseInt(const char* text, int* out)
{
    char* end = nullptr;
    const long v = std::strtol(text, &end, 10);
    if (!*text || *end) return false;
    *out = static_cast<int>(v);
    return true;
}

bool ParseStart(const char* text, int64_t* out)
{
    struct tm tm {};
    int y, mo, d, h, mi, s;
    if (std::sscanf(text, "%d-%d-%d %d:%d:%d", &y, &mo, &d, &h, &mi, &s) != 6) return false;
    tm.tm_year = y - 1900;
    tm.tm_mon = mo - 1;
    tm.tm_mday = d;
    tm.tm_hour = h;
    tm.tm_min = mi;
    tm.tm_sec = s;
    tm.tm_isdst = -1;
    const time_t t = mktime(&tm);
    if (t == static_cast<time_t>(-1) || t <= 0) return false;
    *out = static_cast<int64_t>(t);
    return true;
}

const char* RoleName(FileRole role)
{
    switch (role) {
    case FileRole::Recording: return "recording";
    case FileRole::HiddenAvi: return "hidden";
    case FileRole::TooDeep: return "too-deep";
    case FileRole::Truncated: return "truncated";
    case FileRole::BadName: return "bad-name";
    case FileRole::WrongExtension: return "wrong-extension";
    case FileRole::Empty: return "empty";
    }
    return "?";
}

}  // namespace

int main(int argc, char** argv)
{
    CardOptions o;
    bool list = false;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        const bool hasValue = i + 1 < argc;
        auto bad = [&](const char* what) {
            std::fprintf(stderr, "kestrel-cardgen: %s\n", what);
            return 2;
        };
        int n = 0;
        if (a == "-h" || a == "--help") {
            Usage(stdout);
            return 0;
        } else if (a == "-v" || a == "--version") {
            std::printf("kestrel-cardgen %s\n", kestrel::kVersion);
            return 0;
        } else if (a == "--seed" && hasValue) {
            o.seed = static_cast<uint32_t>(std::strtoul(argv[++i], nullptr, 10));
        } else if (a == "--count" && hasValue) {
            if (!ParseInt(argv[++i], &o.recordings)) return bad("--count needs a number");
        } else if (a == "--duration" && hasValue) {
            o.durationSec = std::atof(argv[++i]);
        } else if (a == "--size" && hasValue) {
            if (std::sscanf(argv[++i], "%dx%d", &o.width, &o.height) != 2) return bad("--size needs WxH");
        } else if (a == "--fps" && hasValue) {
            if (!ParseInt(argv[++i], &o.fps)) return bad("--fps needs a number");
        } else if (a == "--channels" && hasValue) {
            if (!ParseInt(argv[++i], &o.channels)) return bad("--channels needs a number");
        } else if (a == "--sample-rate" && hasValue) {
            if (!ParseInt(argv[++i], &n)) return bad("--sample-rate needs a number");
            o.audioSampleRate = n;
        } else if (a == "--container" && hasValue) {
            const std::string k = argv[++i];
            if (k == "avi") o.container = Container::Avi;
            else if (k == "avich") o.container = Container::AviChannelFiles;
            else if (k == "mp4") o.container = Container::Mp4;
            else if (k == "mixed") o.container = Container::Mixed;
            else return bad("--container must be avi, avich, mp4 or mixed");
        } else if (a == "--start" && hasValue) {
            if (!ParseStart(argv[++i], &o.startEpochSec)) return bad("--start needs \"YYYY-MM-DD HH:MM:SS\"");
        } else if (a == "--south-west") {
            o.southWest = true;
        } else if (a == "--hidden") {
            o.hiddenFiles = true;
        } else if (a == "--nested") {
            o.nestedFolders = true;
        } else if (a == "--damaged") {
            o.damagedFiles = true;
        } else if (a == "--no-audio") {
            o.audio = false;
        } else if (a == "--stereo") {
            o.audioChannels = 2;
        } else if (a == "--list") {
            list = true;
        } else if (!a.empty() && a[0] != '-' && o.folder.empty()) {
            o.folder = a;
        } else {
            std::fprintf(stderr, "kestrel-cardgen: unknown or incomplete option %s\n", a.c_str());
            Usage(stderr);
            return 2;
        }
    }
    if (o.folder.empty()) {
        Usage(stderr);
        return 2;
    }

    av_log_set_level(AV_LOG_ERROR);  // the encoders' statistics are noise here
    const auto t0 = std::chrono::steady_clock::now();
    CardResult result;
    std::string error;
    if (!GenerateCard(o, &result, &error)) {
        std::fprintf(stderr, "kestrel-cardgen: %s\n", error.c_str());
        return 1;
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    if (list) {
        for (const auto& f : result.files)
            std::printf("%-16s %3d  %s\n", RoleName(f.role), f.recordingIndex, f.path.c_str());
    }
    std::printf("%d recordings (%d AVI, %d MP4), %zu files in %.2f s\n", result.recordings, result.aviRecordings,
                result.mp4Recordings, result.files.size(), seconds);
    return 0;
}
