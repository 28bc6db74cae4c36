// Where the reader asks the demultiplexer to land for a seek: one second
// before the target, within 0.1 s either side, in the video stream's ticks.
#pragma once

#include <cstdint>

extern "C" {
#include <libavutil/rational.h>
}

namespace playcore {

struct SeekWindow {
    int64_t lowest = 0;
    int64_t ts = 0;
    int64_t highest = 0;
};

// `duration` is the video stream's duration in its own ticks, or
// AV_NOPTS_VALUE (or negative) when unknown, in which case nothing is clamped.
SeekWindow ComputeSeekWindow(double targetSeconds, AVRational timeBase, int64_t duration);

}  // namespace playcore
