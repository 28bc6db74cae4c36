// Turns a decoded picture into planar YUV 4:2:0 at its own size, with rows
// exactly as wide as the picture, described by a pool slot.
//
// A picture the decoder already gives in that layout is not copied: the slot
// keeps a reference to the decoder's frame and points at its planes, which
// stay untouched until the reference is dropped: when the slot is filled
// again (it has then left the queue) or on Reset. A picture with padded rows
// is copied plane by plane into the slot's own buffer; any other format goes
// through a bicubic scaler that is kept between pictures and rebuilt only
// when the source format or size changes.
#pragma once

#include <utility>
#include <vector>

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

    // Fills planes, line sizes, format and size of `slot` (and its buffer
    // when the picture is copied); false when the picture has no size or
    // memory runs out. `slot` must not be queued.
    bool Convert(const AVFrame* frame, _TAG_DEC_INFO* slot);
    // Drops the scaler and every frame reference; the slots' planes are no
    // longer valid afterwards.
    void Reset();

private:
    // The reference kept for `slot`, allocated on first use; null when out of memory.
    AVFrame* HeldFor(const _TAG_DEC_INFO* slot);
    bool Copy(const AVFrame* frame, _TAG_DEC_INFO* slot);

    SwsContext* m_pScaler = nullptr;
    std::vector<std::pair<const _TAG_DEC_INFO*, AVFrame*>> m_held;
};

}  // namespace playcore
