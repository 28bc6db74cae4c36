// Plain copies of what the exports need from the plug-in's records, so the
// writers can be tested without a plug-in.
#pragma once

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace kestrel::cli {

struct Recording {
    int index = 0;                   // position in the merged list
    int type = 0;                    // 0..7
    int64_t startMs = 0;             // ms since 1970 UTC
    int64_t endMs = 0;               // 0 when unknown
    std::vector<std::string> files;  // UTF-8 paths, one per channel
    std::vector<std::string> names;  // UTF-8 file names, one per channel

    int Channels() const { return static_cast<int>(files.size()); }
    // The recording's name in exports: its first file name, else "#index".
    std::string DisplayName() const;
    bool HasEnd() const { return endMs != 0 && endMs >= startMs; }
};

struct TrackPoint {
    int64_t timeMs = 0;  // UTC
    double lat = 0.0;    // signed decimal degrees
    double lon = 0.0;
    double speedKnots = std::numeric_limits<double>::quiet_NaN();  // NaN: unknown
};

struct GSensorSample {
    int64_t timeMs = 0;  // UTC
    double x = 0.0, y = 0.0, z = 0.0;  // g
};

struct RecordingTrack {
    Recording rec;
    std::vector<TrackPoint> points;
};

struct RecordingGSensor {
    Recording rec;
    std::vector<GSensorSample> samples;
};

// "Normal", "Event", ... for types 0..7; "Type N" outside the table.
std::string RecordingTypeName(int type);

}  // namespace kestrel::cli
