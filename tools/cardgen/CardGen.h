// Writes a realistic dash-camera memory card into a folder, deterministically
// from a seed: channel-file AVI sets, multi-stream AVI and MP4 recordings with
// H.264 video, sound on the first channel, GPS sentences along a plausible
// drive and G-sensor readings. Used by the tests, the benchmarks and the demo.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kestrel::cardgen {

// Mixed takes channel-file sets, single AVI files and MP4 files in turn.
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
    // A hidden AVI (skipped by readers) and, on cards with MP4 recordings, one
    // more recording as a hidden MP4 (MP4 readers include hidden files).
    bool hiddenFiles = false;    // also write hidden files (names starting with '.')
    // Recordings go to CARDV/Normal, CARDV/Event, ... by kind, plus one valid
    // recording in CARDV/Normal/Old, a level deeper than readers search.
    bool nestedFolders = false;  // spread recordings over nested folders
    // Files no reader may list: a channel file cut inside its headers, names
    // with too few digits, a text file and an empty file named like channel files.
    bool damagedFiles = false;   // add truncated, mis-named and wrong-extension files
    bool audio = true;           // sound on the first channel
    // First recording's start in seconds since 1970 UTC; names show it in
    // local time, GPS sentences in UTC, so the bytes also depend on TZ.
    // 0 = 2024-06-11 08:15 local time plus up to a minute chosen by the seed.
    int64_t startEpochSec = 0;
    int audioSampleRate = 16000;
    int audioChannels = 1;       // 1 or 2
};

// Why a file is on the card.
enum class FileRole {
    Recording,       // part of a recording a reader finds
    HiddenAvi,       // hidden AVI recording: the AVI reader skips hidden files
    TooDeep,         // valid recording three folder levels down (folder/a/b/c)
    Truncated,       // channel file cut off inside its headers
    BadName,         // valid content, but too few digits in the name
    WrongExtension,  // a text file named like an AVI channel file
    Empty,           // zero bytes, named like an AVI channel file
};

// One file the generator wrote, with what a reader should make of it.
struct GeneratedFile {
    std::string path;
    int recordingIndex = -1;     // -1 for deliberately damaged or decoy files
    int channel = 0;             // 0-based channel of the file's first video stream
    bool damaged = false;
    FileRole role = FileRole::Recording;
};

// One recording a reader should find.
struct GeneratedRecording {
    int index = 0;
    int64_t startEpochSec = 0;   // from the file name, read as local time
    int64_t durationMs = 0;      // of the video streams
    int recType = 0;             // 0..7 as the name rules give it
    Container container = Container::Avi;  // Avi, AviChannelFiles or Mp4
    int channels = 0;            // video channels of the recording
    bool hidden = false;         // hidden MP4 (the MP4 reader includes hidden files)
    std::string primaryPath;     // single file, or the ch0 file of a set
};

struct CardResult {
    std::vector<GeneratedFile> files;
    int recordings = 0;          // recordings a reader should find (AVI and MP4 together)
    // By container: a reader that takes the folder's MP4 files ignores its AVI
    // files, so on a Mixed card an MP4 reader finds mp4Recordings.
    int aviRecordings = 0;
    int mp4Recordings = 0;
    std::vector<GeneratedRecording> recordingList;  // in time order, index = position
};

// A small card that writes in well under a second: three silent two-channel
// recordings of 2 s at 160x96, 5 pictures a second. Tests change what they
// are about and keep the rest.
inline CardOptions SmallTestCard(const std::string& folder, uint32_t seed)
{
    CardOptions o;
    o.folder = folder;
    o.seed = seed;
    o.recordings = 3;
    o.durationSec = 2.0;
    o.width = 160;
    o.height = 96;
    o.fps = 5;
    o.channels = 2;
    o.audio = false;
    return o;
}

// A card of many tiny one-channel recordings (single AVI files of 0.5 s at
// 64x48, 2 pictures a second): a load long enough to watch its progress,
// cancel it or pull the card out half way, written in seconds.
inline CardOptions ManyRecordingsCard(const std::string& folder, uint32_t seed, int recordings)
{
    CardOptions o = SmallTestCard(folder, seed);
    o.recordings = recordings;
    o.durationSec = 0.5;
    o.width = 64;
    o.height = 48;
    o.fps = 2;
    o.channels = 1;
    o.container = Container::Avi;
    return o;
}

// Returns false and sets error when the card cannot be written.
bool GenerateCard(const CardOptions& options, CardResult* result, std::string* error);

}  // namespace kestrel::cardgen
