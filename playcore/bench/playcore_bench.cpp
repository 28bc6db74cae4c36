// Engine benchmarks, each against a reference measured in the same run:
//  (a) decode-and-deliver throughput with pacing out of the way, against
//      `ffmpeg -threads 1 ... -f null -` decoding the same 1080p stream;
//  (b) CPU time of real-time playback of two 1080p30 channels, against
//      `ffmpeg -re -threads 1` decoding the same two streams;
//  (c) median seek latency (SetPos to the first picture) over 20 seeks;
//  (d) peak memory (VmHWM) while playing four 1080p channels.
// The 1080p recording is made with the ffmpeg command in a temporary folder.
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
    std::mutex lock;
    std::condition_variable changed;
    long pictures[4] = {};
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

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::string(argv[1]) == "--memory")
        return MemoryChild(argv[2]);

    char pattern[] = "/tmp/playcore-bench-XXXXXX";
    if (!mkdtemp(pattern))
        return 1;
    const std::string folder = pattern;
    const std::string file = folder + "/hd.mp4";
    std::printf("making a %d s two-stream 1080p30 recording ...\n", kSeconds);
    const std::string dur = std::to_string(kSeconds);
    if (!Run("ffmpeg -nostdin -v error -y -f lavfi -i testsrc2=size=1920x1080:rate=30:duration=" + dur +
             " -f lavfi -i testsrc=size=1920x1080:rate=30:duration=" + dur +
             " -map 0:v -map 1:v -c:v libx264 -preset veryfast -bf 0 -g 30 -pix_fmt yuv420p '" + file + "'"))
        return 1;

    // (a) throughput.
    // Wall-clock rates suffer when other work shares the processors, so the
    // rates per CPU second are printed as well.
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

    // (b) CPU time of real-time playback of both channels.
    double engineCpu = 0.0;
    {
        Session s({file, file});
        const double before = CpuSeconds(RUSAGE_SELF);
        s.player->Start();
        s.counter.WaitFor([](Counter& c) { return c.ended; }, kSeconds + 30.0);
        engineCpu = CpuSeconds(RUSAGE_SELF) - before;
    }
    const double childBefore = CpuSeconds(RUSAGE_CHILDREN);
    Run("ffmpeg -nostdin -v error -re -threads 1 -i '" + file + "' -map 0:v:0 -map 0:v:1 -f null -");
    const double ffmpegCpu = CpuSeconds(RUSAGE_CHILDREN) - childBefore;
    std::printf("(b) real-time CPU: engine %.2f s, ffmpeg -re %.2f s, ratio %.2f\n", engineCpu, ffmpegCpu,
                engineCpu / ffmpegCpu);

    // (c) seek latency.
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
        std::printf("(c) seek latency over 20 seeks: median %.1f ms, min %.1f ms, max %.1f ms\n",
                    (latencies[9] + latencies[10]) / 2.0, latencies.front(), latencies.back());
    }

    // (d) peak memory of four channels, in a fresh process.
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
    fs::remove_all(folder);
    return 0;
}
