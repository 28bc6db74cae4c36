// Turns a decoded picture into planar YUV 4:2:0 at its own size inside a
// pool slot. A picture that already is planar YUV 4:2:0 is copied plane by
// plane; any other format goes through a bicubic scaler that is kept between
// pictures and rebuilt only when the source format or size changes.
#pragma once

#include <kestrel/KestrelTypes.h>

struct AVFrame;
struct SwsContext;

namespace playcore {

class PictureConverter {
public:
    PictureConverter() = default;
    ~PictureConverter() { Reset(); }
    PictureConverter(const PictureConverter&) = delete;
    PictureConverter& operator=(const PictureConverter&) = delete;

    // Fills buffer, planes, line sizes, format and size of `slot`; false when
    // the picture has no size or memory runs out.
    bool Convert(const AVFrame* frame, _TAG_DEC_INFO* slot);
    void Reset();

private:
    SwsContext* m_pScaler = nullptr;
};

}  // namespace playcore
