// The G-sensor graph as pure drawing and look-up: which samples of a
// recording fall in the graph's time span, where each lands in the graph
// image, and which drawn sample belongs to a play position. CWndGSensor
// keeps the state; this file keeps the arithmetic, so tests can call it.
#pragma once

#include "kestrel/KestrelTypes.h"

#include <QColor>
#include <QImage>

#include <array>
#include <cstdint>
#include <vector>

namespace kestrel::gsensor {

// Everything one build needs besides the samples.
struct GraphScale {
    int width = 0;           // graph width in skin pixels
    int halfHeight = 0;      // half the graph height (the centre line)
    int unitHeight = 0;      // pixels of one full-scale unit ("dt" of the skin)
    int range = 2;           // full scale in g; below 1 counts as 1
    int64_t startMs = 0;     // time at the left edge, ms since 1970
    int64_t spanMs = 0;      // time the width stands for
    std::array<int, 3> offsetMilliG{0, 0, 0};  // calibration added to X, Y, Z
};

struct GraphPens {
    std::array<QColor, 3> axis;  // X, Y, Z
};

// The graph rows of one sample: x, then y of X, Y and Z. Values that would
// leave the integer range are clamped, so wild samples draw at the edge.
struct GraphPoint {
    int x = 0;
    std::array<int, 3> y{0, 0, 0};
};
GraphPoint PointOf(const CUserDataInfo& sample, const GraphScale& scale);

// The samples of `all` (time order) that lie in [start, start + span]; nulls
// are skipped.
std::vector<const CUserDataInfo*> SamplesInSpan(const CUserDataArray& all, const GraphScale& scale);

// Draws the curves of `drawn` into `image` (already holding the
// background); with fewer than one sample in the span, one flat line in
// the Z colour across the centre.
void DrawCurves(QImage& image, const std::vector<const CUserDataInfo*>& drawn, const GraphScale& scale,
                const GraphPens& pens);

// The drawn sample shown at `offsetMs` from the graph's start: the last
// sample at or before it; null before the first and after the last sample.
const CUserDataInfo* FindSampleAt(const std::vector<const CUserDataInfo*>& drawn, int64_t startMs,
                                  int64_t offsetMs);

// The cursor's column in graph pixels for a play offset (the right edge at
// the span's end).
int CursorColumn(int64_t offsetMs, const GraphScale& scale);

}  // namespace kestrel::gsensor
