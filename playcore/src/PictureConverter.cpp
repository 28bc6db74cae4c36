#include "PictureConverter.h"

#include "DecodedFrameQueue.h"

extern "C" {
#include <libavutil/frame.h>
#include <libavutil/imgutils.h>
#include <libswscale/swscale.h>
}

namespace playcore {

namespace {

void Describe(_TAG_DEC_INFO* slot, uint8_t* const planes[4], const int lines[4], int width, int height)
{
    slot->nPixelFormat = AV_PIX_FMT_YUV420P;
    slot->nWidth = width;
    slot->nHeight = height;
    for (int i = 0; i < 8; ++i) {
        slot->data[i] = i < 3 ? planes[i] : nullptr;
        slot->linesize[i] = i < 3 ? lines[i] : 0;
    }
}

// Planar YUV 4:2:0 whose rows are exactly as wide as the picture.
bool IsUnpaddedYuv420(const AVFrame* frame)
{
    const int chroma = (frame->width + 1) / 2;
    return frame->format == AV_PIX_FMT_YUV420P && frame->linesize[0] == frame->width &&
           frame->linesize[1] == chroma && frame->linesize[2] == chroma && frame->buf[0];
}

}  // namespace

bool PictureConverter::Convert(const AVFrame* frame, _TAG_DEC_INFO* slot)
{
    const int width = frame->width;
    const int height = frame->height;
    if (width <= 0 || height <= 0 || width > 16384 || height > 16384)
        return false;
    AVFrame* held = HeldFor(slot);
    if (held)
        av_frame_unref(held);  // the slot's previous picture has left the queue
    if (held && IsUnpaddedYuv420(frame) && av_frame_ref(held, frame) == 0) {
        const int lines[4] = {width, (width + 1) / 2, (width + 1) / 2, 0};
        Describe(slot, held->data, lines, width, height);
        return true;
    }
    return Copy(frame, slot);
}

bool PictureConverter::Copy(const AVFrame* frame, _TAG_DEC_INFO* slot)
{
    const int width = frame->width;
    const int height = frame->height;
    // Four bytes per pixel: room to spare over the 1.5 that 4:2:0 needs.
    const int needed = width * height * 4;
    if (!DecodedFrameQueue::Reserve(slot, needed))
        return false;

    uint8_t* planes[4] = {};
    int lines[4] = {};
    if (av_image_fill_arrays(planes, lines, slot->pBuffer, AV_PIX_FMT_YUV420P, width, height, 1) < 0)
        return false;

    const auto format = static_cast<AVPixelFormat>(frame->format);
    if (format == AV_PIX_FMT_YUV420P) {
        av_image_copy(planes, lines, const_cast<const uint8_t**>(frame->data), frame->linesize, format, width,
                      height);
    } else {
        m_pScaler = sws_getCachedContext(m_pScaler, width, height, format, width, height, AV_PIX_FMT_YUV420P,
                                         SWS_BICUBIC, nullptr, nullptr, nullptr);
        if (!m_pScaler)
            return false;
        sws_scale(m_pScaler, frame->data, frame->linesize, 0, height, planes, lines);
    }
    Describe(slot, planes, lines, width, height);
    return true;
}

AVFrame* PictureConverter::HeldFor(const _TAG_DEC_INFO* slot)
{
    for (auto& [owner, frame] : m_held) {
        if (owner == slot)
            return frame;
    }
    AVFrame* frame = av_frame_alloc();
    if (frame)
        m_held.emplace_back(slot, frame);
    return frame;
}

void PictureConverter::Reset()
{
    sws_freeContext(m_pScaler);
    m_pScaler = nullptr;
    for (auto& held : m_held)
        av_frame_free(&held.second);
    m_held.clear();
}

}  // namespace playcore
