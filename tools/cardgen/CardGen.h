// Writes a realistic dash-camera memory card into a folder, deterministically
// from a seed: channel-file AVI sets, multi-stream AVI and MP4 recordings with
// H.264 video, sound on the first channel, GPS sentences along a plausible
// drive and G-sensor readings. Used by the tests, the benchmarks and the demo.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kestrel::cardgen {

enum class Container { Avi, AviChannelFiles, Mp4, Mixed };

struct CardOptions {
    std::string folder;          // created when missing
    uint32_t seed = 1;
    int recordings = 6;          // number of recordings (file sets)
    double durationSec = 4.0;    // per recording
    int width = 320;
    int height = 180;
    int fps = 10;
    int channels = 2;            // 1..4 (MP4 and multi-stream AVI: 1..2 video streams each)
    Container container = Container::Mixed;
    bool southWest = false;      // drive in the southern and western hemispheres
    bool hiddenFiles = false;    // also write hidden files (names starting with '.')
    bool nestedFolders = false;  // spread recordings over nested folders
    bool damagedFiles = false;   // add truncated, mis-named and wrong-extension files
    bool audio = true;           // sound on the first channel
    int64_t startEpochSec = 0;   // first recording's local start; 0 = a fixed date
};

// One file the generator wrote, with what a reader should make of it.
struct GeneratedFile {
    std::string path;
    int recordingIndex = -1;     // -1 for deliberately damaged or decoy files
    int channel = 0;
    bool damaged = false;
};

struct CardResult {
    std::vector<GeneratedFile> files;
    int recordings = 0;          // recordings a reader should find
};

// Returns false and sets error when the card cannot be written.
bool GenerateCard(const CardOptions& options, CardResult* result, std::string* error);

}  // namespace kestrel::cardgen
