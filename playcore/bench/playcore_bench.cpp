// Engine benchmarks, each against a reference measured in the same run:
//  (a) decode-and-deliver throughput with pacing out of the way, against
//      `ffmpeg -threads 1 ... -f null -` decoding the same 1080p stream;
//  (b) CPU time of real-time playback of two 1080p30 channels with sound,
//      against `ffmpeg -re -threads 1` decoding the same three streams;
//  (c) median and worst seek latency (SetPos to the first picture) over 20
//      seeks;
//  (d) peak memory (VmHWM) while playing four 1080p channels;
//  (e) CPU use of a player paused with the picture held (nothing to decode);
//  (f) how the first pictures of a recording follow each other: each is
//      expected its own distance after the first one shown.
// The 1080p recordings are made with the ffmpeg command in a temporary folder.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <kestrel/WideText.h>

#include "playcore/IPlayback.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int kSeconds = 8;

double Since(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double CpuSeconds(int who)
{
    rusage usage{};
    getrusage(who, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

long VmHwmKiB()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmHWM:", 0) == 0)
            return std::atol(line.c_str() + 6);
    }
    return -1;
}

bool Run(const std::string& command)
{
    return std::system(command.c_str()) == 0;
}

// Counts what the engine delivers and wakes waiters.
struct Counter {
    static constexpr int kTimed = 64;
    std::mutex lock;
    std::condition_variable changed;
    long pictures[4] = {};
    // Channel 0's first pictures: when each came and its time.
    Clock::time_point shownAt[kTimed] = {};
    double shownTime[kTimed] = {};
    double lastTime[4] = {};
    long stopsAtPicture[4] = {};  // audio stops seen when the last picture came
    long stops = 0;
    bool ended = false;

    static void Callback(uint32_t code, uint32_t, void* info, void* user)
    {
        auto* self = static_cast<Counter*>(user);
        std::lock_guard<std::mutex> guard(self->lock);
        if (code == PB_CB_VIDEO_FRAME) {
            const auto* picture = static_cast<const _TAG_DEC_INFO*>(info);
            const int ch = picture->nChannel & 3;
            if (ch == 0 && self->pictures[0] < kTimed) {
                self->shownAt[self->pictures[0]] = Clock::now();
                self->shownTime[self->pictures[0]] = picture->dTime;
            }
            ++self->pictures[ch];
            self->lastTime[ch] = picture->dTime;
            self->stopsAtPicture[ch] = self->stops;
        } else if (code == PB_CB_AUDIO_STOP) {
            ++self->stops;
        } else if (code == PB_CB_END) {
            self->ended = true;
        }
        self->changed.notify_all();
    }
    template <class Pred>
    bool WaitFor(Pred pred, double seconds)
    {
        std::unique_lock<std::mutex> guard(lock);
        return changed.wait_for(guard, std::chrono::duration<double>(seconds), [&] { return pred(*this); });
    }
};

struct Session {
    Counter counter;
    std::unique_ptr<CRecFileInfo> rec = std::make_unique<CRecFileInfo>();
    std::unique_ptr<IPlayback> player{IPlayback::Create()};

    explicit Session(const std::vector<std::string>& paths)
    {
        for (const std::string& p : paths)
            rec->AddFilePath(kestrel::FromUtf8(p));
        player->SetCallback(&Counter::Callback, &counter);
        if (player->OpenFile(rec.get()) != 0) {
            std::fprintf(stderr, "cannot open %s\n", paths.front().c_str());
            std::exit(1);
        }
    }
    ~Session()
    {
        player->Stop();
        player->CloseFile();
    }
};

// Pictures per wall-clock second; `cpu` gets pictures per CPU second.
double MeasureEngineFps(const std::string& file, long* frames, double* cpu)
{
    Session s({file});
    s.player->SetPBSpeed(1e6);
    const double cpuBefore = CpuSeconds(RUSAGE_SELF);
    const auto start = Clock::now();
    s.player->Start();
    s.counter.WaitFor([](Counter& c) { return c.ended; }, 600.0);
    const double seconds = Since(start);
    *frames = s.counter.pictures[0];
    *cpu = static_cast<double>(*frames) / (CpuSeconds(RUSAGE_SELF) - cpuBefore);
    return static_cast<double>(*frames) / seconds;
}

int MemoryChild(const std::string& file)
{
    const long before = VmHwmKiB();
    Session s({file, file, file, file});
    s.player->Start();
    s.counter.WaitFor([](Counter& c) { return c.ended; }, 4.0);
    std::printf("%ld %ld %ld\n", before, VmHwmKiB(), s.counter.pictures[3]);
    return 0;
}

// (f) Plays `paths` at speed 1.0 for three seconds: when the first picture came
// after Start, whether the next ones followed at their own distance from it
// or in a catch-up burst, and how many of the pictures due since Start (at
// 30 per second) came.
void FirstPictures(const std::vector<std::string>& paths)
{
    constexpr int kChecked = 30;
    constexpr double kRate = 30.0;
    constexpr double kWatched = 3.0;
    Session s(paths);
    const auto start = Clock::now();
    s.player->Start();
    std::this_thread::sleep_for(std::chrono::duration<double>(kWatched));
    std::lock_guard<std::mutex> guard(s.counter.lock);
    const long shown = s.counter.pictures[0];
    int early = 0;
    int late = 0;
    for (int i = 1; i < kChecked && i < shown; ++i) {
        const double after = std::chrono::duration<double>(s.counter.shownAt[i] - s.counter.shownAt[0]).count();
        const double due = s.counter.shownTime[i] - s.counter.shownTime[0];
        early += after < due - 0.5 / kRate ? 1 : 0;
        late += after > due + 1.0 / kRate ? 1 : 0;
    }
    const double firstMs =
        shown > 0 ? std::chrono::duration<double, std::milli>(s.counter.shownAt[0] - start).count() : -1.0;
    std::printf("(f) first %d pictures: first shown %.0f ms after Start; %d came in a catch-up burst "
                "(over half a picture early), %d more than a picture late (goal 0 and 0); "
                "%ld pictures in %.0f s after Start, %.0f due\n",
                kChecked, firstMs, early, late, shown, kWatched, kWatched * kRate);
}

// (a) Decode-and-deliver throughput against ffmpeg decoding the same stream.
// Wall-clock rates suffer when other work shares the processors, so the
// rates per CPU second are printed as well.
void Throughput(const std::string& file)
{
    double engineFps = 0.0;
    double ffmpegFps = 0.0;
    double engineCpuFps = 0.0;
    double ffmpegCpuFps = 0.0;
    long frames = 0;
    for (int round = 0; round < 3; ++round) {  // best of three
        double cpuFps = 0.0;
        engineFps = std::max(engineFps, MeasureEngineFps(file, &frames, &cpuFps));
        engineCpuFps = std::max(engineCpuFps, cpuFps);
        const double childBefore = CpuSeconds(RUSAGE_CHILDREN);
        const auto start = Clock::now();
        Run("ffmpeg -nostdin -v error -threads 1 -i '" + file + "' -map 0:v:0 -f null -");
        ffmpegFps = std::max(ffmpegFps, static_cast<double>(frames) / Since(start));
        ffmpegCpuFps =
            std::max(ffmpegCpuFps, static_cast<double>(frames) / (CpuSeconds(RUSAGE_CHILDREN) - childBefore));
    }
    std::printf("(a) throughput: engine %.1f pictures/s, ffmpeg %.1f pictures/s, ratio %.2f (target >= 0.9)\n"
                "    per CPU second: engine %.1f, ffmpeg %.1f, ratio %.2f\n",
                engineFps, ffmpegFps, engineFps / ffmpegFps, engineCpuFps, ffmpegCpuFps,
                engineCpuFps / ffmpegCpuFps);
}

// (b) CPU time of real-time playback of both channels and the sound.
void RealTimeCpu(const std::string& soundFile)
{
    double engineCpu = 0.0;
    {
        Session s({soundFile, soundFile});
        const double before = CpuSeconds(RUSAGE_SELF);
        s.player->Start();
        s.counter.WaitFor([](Counter& c) { return c.ended; }, kSeconds + 30.0);
        engineCpu = CpuSeconds(RUSAGE_SELF) - before;
    }
    const double childBefore = CpuSeconds(RUSAGE_CHILDREN);
    Run("ffmpeg -nostdin -v error -re -threads 1 -i '" + soundFile +
        "' -map 0:v:0 -map 0:v:1 -map 0:a:0 -f null -");
    const double ffmpegCpu = CpuSeconds(RUSAGE_CHILDREN) - childBefore;
    std::printf("(b) real-time CPU with sound: engine %.2f s, ffmpeg -re %.2f s, ratio %.2f (goal <= 1.05)\n",
                engineCpu, ffmpegCpu, engineCpu / ffmpegCpu);
}

// (c) Time from SetPos to the first picture, over 20 seeks.
void SeekLatency(const std::string& file)
{
    Session s({file, file});
    s.player->Start();
    s.counter.WaitFor([](Counter& c) { return c.pictures[0] > 0; }, 30.0);
    std::vector<double> latencies;
    for (int i = 0; i < 20; ++i) {
        const double target = 0.5 + std::fmod(i * 2.7, kSeconds - 2.0);
        long stops;
        {
            std::lock_guard<std::mutex> guard(s.counter.lock);
            stops = s.counter.stops;
        }
        const auto start = Clock::now();
        s.player->SetPos(target);
        // The seek starts with an audio stop (the recording has no sound,
        // so nothing else sends one); the first picture after it counts.
        s.counter.WaitFor([&](Counter& c) { return c.stopsAtPicture[0] > stops; }, 30.0);
        latencies.push_back(Since(start) * 1000.0);
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
    }
    std::sort(latencies.begin(), latencies.end());
    std::printf("(c) seek latency over 20 seeks: median %.1f ms, min %.1f ms, worst %.1f ms "
                "(goal median <= 100, worst <= 200)\n",
                (latencies[9] + latencies[10]) / 2.0, latencies.front(), latencies.back());
}

// (d) Peak memory of four channels, in a fresh process.
void PeakMemory(const std::string& file)
{
    const std::string command = "'/proc/" + std::to_string(getpid()) + "/exe' --memory '" + file + "'";
    FILE* pipe = popen(command.c_str(), "r");
    long before = 0;
    long peak = 0;
    long shown = 0;
    if (pipe && std::fscanf(pipe, "%ld %ld %ld", &before, &peak, &shown) == 3)
        std::printf("(d) four 1080p channels: VmHWM %.1f MiB (%.1f MiB before opening, %.1f MiB for playback; "
                    "%ld pictures on channel 3)\n",
                    peak / 1024.0, before / 1024.0, (peak - before) / 1024.0, shown);
    if (pipe)
        pclose(pipe);
}

// (e) CPU use while paused with the picture held.
void PausedCpu(const std::string& file)
{
    Session s({file, file});
    s.player->Start();
    s.counter.WaitFor([](Counter& c) { return c.pictures[0] > 5 && c.pictures[1] > 5; }, 30.0);
    s.player->Pause(1);
    std::this_thread::sleep_for(std::chrono::milliseconds(500));  // the decoders fill their pools
    const double before = CpuSeconds(RUSAGE_SELF);
    const auto start = Clock::now();
    std::this_thread::sleep_for(std::chrono::seconds(5));
    const double share = (CpuSeconds(RUSAGE_SELF) - before) / Since(start);
    std::printf("(e) paused, picture held: %.2f %% of a core (goal < 1 %%)\n", share * 100.0);
}

// Makes the two 1080p30 recordings unless they are there.
bool MakeRecordings(const std::string& file, const std::string& soundFile)
{
    if (fs::exists(file) && fs::exists(soundFile))
        return true;
    std::printf("making %d s two-stream 1080p30 recordings, without and with sound ...\n", kSeconds);
    const std::string dur = std::to_string(kSeconds);
    const std::string pictures = "-f lavfi -i testsrc2=size=1920x1080:rate=30:duration=" + dur +
                                 " -f lavfi -i testsrc=size=1920x1080:rate=30:duration=" + dur;
    const std::string encode = " -c:v libx264 -preset veryfast -bf 0 -g 30 -pix_fmt yuv420p ";
    return Run("ffmpeg -nostdin -v error -y " + pictures + " -map 0:v -map 1:v" + encode + "'" + file + "'") &&
           Run("ffmpeg -nostdin -v error -y " + pictures +
               " -f lavfi -i \"aevalsrc=0.3*sin(2*PI*440*t)|0.2*sin(2*PI*660*t):s=48000:d=" + dur +
               "\" -map 0:v -map 1:v -map 2:a" + encode + "-c:a aac -b:a 128k '" + soundFile + "'");
}

}  // namespace

// playcore_bench [--only LETTERS] [--keep FOLDER]
//   --only abf      runs only the measurements named by their letters
//   --keep FOLDER   makes the recordings in FOLDER once and keeps them, so
//                   runs against different builds use the same files
// playcore_bench --first-pictures FILE...   (f) on the given channel files
int main(int argc, char** argv)
{
    if (argc == 3 && std::string(argv[1]) == "--memory")
        return MemoryChild(argv[2]);
    if (argc >= 3 && std::string(argv[1]) == "--first-pictures") {
        FirstPictures(std::vector<std::string>(argv + 2, argv + argc));
        return 0;
    }
    std::string only = "abcdef";
    std::string folder;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::string(argv[i]) == "--only")
            only = argv[i + 1];
        else if (std::string(argv[i]) == "--keep")
            folder = argv[i + 1];
    }
    const bool keep = !folder.empty();
    if (keep) {
        fs::create_directories(folder);
    } else {
        char pattern[] = "/tmp/playcore-bench-XXXXXX";
        if (!mkdtemp(pattern))
            return 1;
        folder = pattern;
    }
    const std::string file = folder + "/hd.mp4";
    const std::string soundFile = folder + "/hd-sound.mp4";
    if (!MakeRecordings(file, soundFile))
        return 1;
    const auto wanted = [&](char letter) { return only.find(letter) != std::string::npos; };
    if (wanted('a'))
        Throughput(file);
    if (wanted('b'))
        RealTimeCpu(soundFile);
    if (wanted('c'))
        SeekLatency(file);
    if (wanted('d'))
        PeakMemory(file);
    if (wanted('e'))
        PausedCpu(file);
    if (wanted('f'))
        FirstPictures({file, file});
    if (!keep)
        fs::remove_all(folder);
    return 0;
}
