// The moving test picture of one channel: a scrolling gradient, a bar that
// sweeps across once every two seconds, the channel label and the recording
// clock, so that stepping, seeking and channel order are visible.
#pragma once

#include <cstdint>
#include <string>

namespace kestrel::cardgen {

struct PictureText {
    int channel = 0;         // 0-based; shown as "CH1", "CH2", ...
    std::string date;        // "2024-06-11"
    std::string time;        // "08:15:03"
    std::string label;       // recording type code, e.g. "EVT"
};

// Fills planar YUV 4:2:0 planes of width x height (even sizes) for frame
// `frameIndex` of a recording at `fps`.
void DrawTestPicture(uint8_t* y, int yStride, uint8_t* u, int uStride, uint8_t* v, int vStride,
                     int width, int height, int fps, int frameIndex, const PictureText& text);

}  // namespace kestrel::cardgen
