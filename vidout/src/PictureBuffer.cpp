#include "PictureBuffer.h"

#include <algorithm>
#include <cmath>

extern "C" {
#include <libavutil/pixfmt.h>
#include <libswscale/swscale.h>
}

namespace {

constexpr int kMaxSide = 16384;

// Output levels per 1.0 of the scaler's brightness: it adds 256 luma
// steps, which limited range stretches by 255/219.
constexpr double kLevelsPerUnit = 256.0 * 255.0 / 219.0;

// 0..100 with 50 neutral: contrast is a factor from 0.25 to 2.
double ContrastFactor(int value)
{
    return value <= 50 ? 0.25 + 0.75 * value / 50.0 : 1.0 + (value - 50) / 50.0;
}

// Brightness moves the picture by up to half the range either way.
double BrightnessLevels(int value)
{
    return (value - 50) / 50.0 * 128.0;
}

}  // namespace

PictureBuffer::~PictureBuffer()
{
    sws_freeContext(m_sws);
}

void PictureBuffer::SetAdjustments(int brightness, int contrast)
{
    m_brightness = std::clamp(brightness, 0, 100);
    m_contrast = std::clamp(contrast, 0, 100);
}

void PictureBuffer::ApplyAdjustments()
{
    const int b = m_brightness.load();
    const int c = m_contrast.load();
    if (!m_adjustDirty && b == m_appliedBrightness && c == m_appliedContrast)
        return;
    int* invTable = nullptr;
    int* table = nullptr;
    int srcRange = 0, dstRange = 0, brightness = 0, contrast = 0, saturation = 0;
    if (sws_getColorspaceDetails(m_sws, &invTable, &srcRange, &table, &dstRange, &brightness, &contrast,
                                 &saturation) < 0)
        return;
    // The scaler multiplies its brightness offset by the contrast and
    // scales from black; choosing the offset so that mid-grey stays put
    // makes contrast pivot around the middle of the range, and the user's
    // brightness is then added unscaled.
    const double k = ContrastFactor(c);
    const double levels = (128.0 / k - 128.0) + BrightnessLevels(b) / k;
    const int contrastFixed = int(std::lround(k * 65536.0));
    const int brightnessFixed = int(std::lround(levels / kLevelsPerUnit * 65536.0));
    sws_setColorspaceDetails(m_sws, invTable, srcRange, table, dstRange, brightnessFixed, contrastFixed, saturation);
    m_appliedBrightness = b;
    m_appliedContrast = c;
    m_adjustDirty = false;
}

int PictureBuffer::Convert(uint8_t* const data[8], const int linesize[8], int width, int height)
{
    if (!data || !linesize || width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide)
        return -1;
    const int chromaWidth = (width + 1) / 2;
    if (!data[0] || !data[1] || !data[2] || linesize[0] < width || linesize[1] < chromaWidth ||
        linesize[2] < chromaWidth)
        return -1;

    std::lock_guard<std::mutex> convert(m_convertLock);
    SwsContext* ctx = sws_getCachedContext(m_sws, width, height, AV_PIX_FMT_YUV420P, width, height,
                                           AV_PIX_FMT_BGRA, SWS_BILINEAR, nullptr, nullptr, nullptr);
    if (!ctx) {
        m_sws = nullptr;  // sws_getCachedContext freed the old one
        m_failed = true;
        return -1;
    }
    if (ctx != m_sws || m_work.width() != width || m_work.height() != height)
        m_adjustDirty = true;
    m_sws = ctx;
    ApplyAdjustments();

    if (m_work.width() != width || m_work.height() != height || m_work.format() != QImage::Format_RGB32)
        m_work = QImage(width, height, QImage::Format_RGB32);
    // bits() detaches when a paint still holds the previous picture.
    uint8_t* dst[4] = {m_work.isNull() ? nullptr : m_work.bits(), nullptr, nullptr, nullptr};
    if (!dst[0]) {
        m_failed = true;
        return -1;
    }
    const int dstStride[4] = {static_cast<int>(m_work.bytesPerLine()), 0, 0, 0};
    const uint8_t* const src[4] = {data[0], data[1], data[2], nullptr};
    const int srcStride[4] = {linesize[0], linesize[1], linesize[2], 0};
    if (sws_scale(m_sws, src, srcStride, 0, height, dst, dstStride) != height)
        return -1;

    std::lock_guard<std::mutex> front(m_frontLock);
    std::swap(m_front, m_work);
    return 0;
}

QImage PictureBuffer::Front() const
{
    std::lock_guard<std::mutex> front(m_frontLock);
    return m_front;
}

void PictureBuffer::Clear()
{
    std::lock_guard<std::mutex> front(m_frontLock);
    m_front = QImage();
}

void PictureBuffer::Recover()
{
    std::lock_guard<std::mutex> convert(m_convertLock);
    sws_freeContext(m_sws);
    m_sws = nullptr;
    m_work = QImage();
    m_adjustDirty = true;
    m_failed = false;
}
