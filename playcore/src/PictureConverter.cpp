#include "PictureConverter.h"

#include "DecodedFrameQueue.h"

extern "C" {
#include <libavutil/frame.h>
#include <libavutil/imgutils.h>
#include <libswscale/swscale.h>
}

namespace playcore {

bool PictureConverter::Convert(const AVFrame* frame, _TAG_DEC_INFO* slot)
{
    const int width = frame->width;
    const int height = frame->height;
    if (width <= 0 || height <= 0 || width > 16384 || height > 16384)
        return false;
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

    slot->nPixelFormat = AV_PIX_FMT_YUV420P;
    slot->nWidth = width;
    slot->nHeight = height;
    for (int i = 0; i < 8; ++i) {
        slot->data[i] = i < 4 ? planes[i] : nullptr;
        slot->linesize[i] = i < 4 ? lines[i] : 0;
    }
    return true;
}

void PictureConverter::Reset()
{
    sws_freeContext(m_pScaler);
    m_pScaler = nullptr;
}

}  // namespace playcore
