#include "TestMedia.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>
#include <sstream>
#include <stdexcept>

#include <kestrel/WideText.h>

namespace fs = std::filesystem;

namespace testmedia {

namespace {

const char* kVideoIn =
    "-f lavfi -i testsrc=size=320x240:rate=25:duration=%D "
    "-f lavfi -i testsrc2=size=320x240:rate=25:duration=%D ";
const char* kSoundIn = "-f lavfi -i \"aevalsrc=0.3*sin(2*PI*440*t)|0.2*sin(2*PI*660*t):s=48000:d=%D\" ";
const char* kVideoOut = "-c:v libx264 -preset veryfast -bf 0 -g 25 -pix_fmt yuv420p ";

std::string Replace(std::string text, const std::string& what, const std::string& with)
{
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + with.size()))
        text.replace(at, what.size(), with);
    return text;
}

std::string MediaFolder()
{
    const fs::path folder = fs::path(PLAYCORE_MEDIA_DIR);
    fs::create_directories(folder);
    return folder.string();
}

std::string WithDuration(const char* pattern, const char* seconds)
{
    return Replace(pattern, "%D", seconds);
}

std::mutex g_makeLock;

// Test programs running side by side each write a private file and rename it
// into place, so a reader never sees half a file.
std::string MadeOnce(const std::string& name, const std::function<void(const fs::path&)>& make)
{
    std::lock_guard<std::mutex> guard(g_makeLock);
    const fs::path target = fs::path(MediaFolder()) / name;
    if (fs::exists(target))
        return target.string();
    const fs::path temp = target.parent_path() / (std::to_string(getpid()) + "-" + name);
    make(temp);
    fs::rename(temp, target);
    return target.string();
}

}  // namespace

std::string MadeByFfmpeg(const std::string& name, const std::string& arguments)
{
    return MadeOnce(name, [&](const fs::path& temp) {
        const std::string command = "ffmpeg -nostdin -v error -y " + arguments + " '" + temp.string() + "'";
        if (std::system(command.c_str()) != 0 || !fs::exists(temp))
            throw std::runtime_error("cannot make test media: " + command);
    });
}

std::string PatchedCopy(const std::string& source, const std::string& name,
                        const std::function<void(std::vector<char>&)>& patch)
{
    return MadeOnce(name, [&](const fs::path& temp) {
        std::ifstream in(source, std::ios::binary);
        std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        patch(bytes);
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out)
            throw std::runtime_error("cannot write test media: " + temp.string());
    });
}

std::string TwoStreamAvi()
{
    return MadeByFfmpeg("two.avi", WithDuration(kVideoIn, "6") + WithDuration(kSoundIn, "6") +
                               "-map 0:v -map 1:v -map 2:a " + kVideoOut + "-c:a pcm_s16le");
}

std::string TwoStreamMp4()
{
    return MadeByFfmpeg("two.mp4", WithDuration(kVideoIn, "6") + WithDuration(kSoundIn, "6") +
                               "-map 0:v -map 1:v -map 2:a " + kVideoOut + "-c:a aac -b:a 96k");
}

std::string ChannelFileAvi(int channel)
{
    if (channel == 0)
        return MadeByFfmpeg("ch0.avi", WithDuration(kVideoIn, "6") + WithDuration(kSoundIn, "6") +
                                   "-map 0:v -map 2:a " + kVideoOut + "-c:a pcm_s16le");
    return MadeByFfmpeg("ch1.avi", WithDuration(kVideoIn, "6") + "-map 1:v " + kVideoOut);
}

std::string SilentTwoStreamMp4()
{
    return MadeByFfmpeg("silent.mp4", WithDuration(kVideoIn, "6") + "-map 0:v -map 1:v " + kVideoOut);
}

std::string ShortSoundAvi()
{
    return MadeByFfmpeg("short.avi", WithDuration(kVideoIn, "2") + WithDuration(kSoundIn, "2") + "-map 0:v -map 2:a " +
                                 kVideoOut + "-c:a pcm_s16le");
}

std::string WideMp4()
{
    return MadeByFfmpeg("wide.mp4", "-f lavfi -i testsrc2=size=640x360:rate=25:duration=2 " + std::string(kVideoOut));
}

std::string OneKeyFrameMp4()
{
    return MadeByFfmpeg("one-key.mp4", "-f lavfi -i testsrc2=size=640x360:rate=25:duration=12 "
                                       "-c:v libx264 -preset veryfast -bf 0 -g 1000 -keyint_min 1000 "
                                       "-sc_threshold 0 -pix_fmt yuv420p");
}

std::string LateKeyFrameMp4()
{
    const std::string twoKeys =
        MadeByFfmpeg("two-keys.mp4", "-f lavfi -i testsrc2=size=640x360:rate=25:duration=12 "
                                     "-c:v libx264 -preset veryfast -bf 0 -g 250 -keyint_min 250 "
                                     "-sc_threshold 0 -pix_fmt yuv420p");
    // Copied from the second picture on, keeping the pictures that are not
    // key frames.
    return MadeByFfmpeg("late-key.mp4", "-i '" + twoKeys + "' -c copy -copyinkf -ss 0.04");
}

std::string NoiseFile()
{
    const fs::path target = fs::path(MediaFolder()) / (std::to_string(getpid()) + "-noise.avi");
    std::ofstream out(target, std::ios::binary | std::ios::trunc);
    uint32_t state = 12345;
    for (int i = 0; i < 65536; ++i) {
        state = state * 1664525u + 1013904223u;
        out.put(static_cast<char>(state >> 24));
    }
    return target.string();
}

std::string TruncatedCopy(const std::string& source, int percent)
{
    const fs::path target = fs::path(MediaFolder()) /
                            (std::to_string(getpid()) + "-cut" + std::to_string(percent) + "-" +
                             fs::path(source).filename().string());
    std::ifstream in(source, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    bytes.resize(bytes.size() * static_cast<size_t>(percent) / 100);
    std::ofstream out(target, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return target.string();
}

std::string RunCommand(const std::string& command)
{
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return output;
    char buffer[65536];
    size_t n;
    while ((n = fread(buffer, 1, sizeof(buffer), pipe)) > 0)
        output.append(buffer, n);
    pclose(pipe);
    return output;
}

std::vector<std::string> ReferencePictureMd5(const std::string& path, int k)
{
    const std::string output =
        RunCommand("ffmpeg -nostdin -v error -i '" + path + "' -map 0:v:" + std::to_string(k) +
                   " -fps_mode passthrough -f framemd5 -pix_fmt yuv420p -");
    std::vector<std::string> sums;
    std::istringstream lines(output);
    for (std::string line; std::getline(lines, line);) {
        if (line.empty() || line[0] == '#')
            continue;
        const size_t comma = line.rfind(',');
        if (comma == std::string::npos)
            continue;
        std::string sum = line.substr(comma + 1);
        sum.erase(0, sum.find_first_not_of(' '));
        sums.push_back(sum);
    }
    return sums;
}

std::vector<double> PacketTimes(const std::string& path, int k, const char* field)
{
    const std::string output = RunCommand("ffprobe -v error -select_streams v:" + std::to_string(k) +
                                          " -show_entries packet=" + field + " -of csv=p=0 '" + path + "'");
    std::vector<double> times;
    std::istringstream lines(output);
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line != "N/A")
            times.push_back(std::stod(line));
    }
    return times;
}

std::vector<uint8_t> ReferenceMonoSound(const std::string& path, double level)
{
    char filter[128];
    std::snprintf(filter, sizeof(filter), "volume=%3.3f,aformat=sample_fmts=s16:channel_layouts=mono", level);
    const std::string output = RunCommand("ffmpeg -nostdin -v error -i '" + path + "' -map 0:a:0 -af " + filter +
                                          " -f s16le -");
    return std::vector<uint8_t>(output.begin(), output.end());
}

std::unique_ptr<CRecFileInfo> MakeRecord(const std::vector<std::string>& paths, int64_t startMs)
{
    auto rec = std::make_unique<CRecFileInfo>();
    rec->SetStartTime(startMs);
    for (size_t i = 0; i < paths.size(); ++i) {
        rec->AddFilePath(kestrel::FromUtf8(paths[i]));
        rec->AddFileName(kestrel::FromUtf8(fs::path(paths[i]).filename().string()));
        rec->AddChannel(std::to_wstring(i));
    }
    return rec;
}

int ThreadsNamed(const std::string& name)
{
    int count = 0;
    for (const auto& task : fs::directory_iterator("/proc/self/task")) {
        std::ifstream comm(task.path() / "comm");
        std::string line;
        if (std::getline(comm, line) && line == name)
            ++count;
    }
    return count;
}

bool WaitForThreadsNamed(const std::string& name, int count)
{
    for (int i = 0; i < 200; ++i) {
        if (ThreadsNamed(name) == count)
            return true;
        usleep(10000);
    }
    return false;
}

}  // namespace testmedia
