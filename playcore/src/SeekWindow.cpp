#include "SeekWindow.h"

extern "C" {
#include <libavutil/avutil.h>
#include <libavutil/mathematics.h>
}

namespace playcore {

SeekWindow ComputeSeekWindow(double targetSeconds, AVRational timeBase, int64_t duration)
{
    const auto target = static_cast<int64_t>(targetSeconds * 1000000.0);
    int64_t ts = target - 1000000;
    int64_t lowest;
    int64_t highest;
    if (ts < 0) {
        ts = 0;
        lowest = 0;
        highest = 100000;
    } else {
        lowest = ts - 100000;
        if (lowest < 0)
            lowest = 0;
        highest = ts + 100000;
    }
    SeekWindow w;
    w.lowest = av_rescale_q(lowest, AV_TIME_BASE_Q, timeBase);
    w.ts = av_rescale_q(ts, AV_TIME_BASE_Q, timeBase);
    w.highest = av_rescale_q(highest, AV_TIME_BASE_Q, timeBase);
    if (duration != AV_NOPTS_VALUE && duration > 0) {
        if (w.ts > duration) {
            w.ts = duration;
            w.lowest = duration - 1;
        }
        if (w.highest > duration)
            w.highest = duration;
    }
    return w;
}

}  // namespace playcore
