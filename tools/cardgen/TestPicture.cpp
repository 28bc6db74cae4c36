#include "TestPicture.h"

#include "BitmapFont.h"

#include <algorithm>
#include <cstring>

namespace kestrel::cardgen {

namespace {

void FillRect(uint8_t* plane, int stride, int width, int height, int x, int y, int w, int h, uint8_t value)
{
    const int x0 = std::max(x, 0), x1 = std::min(x + w, width);
    const int y0 = std::max(y, 0), y1 = std::min(y + h, height);
    if (x1 <= x0) return;
    for (int row = y0; row < y1; ++row)
        std::memset(plane + static_cast<size_t>(row) * stride + x0, value, static_cast<size_t>(x1 - x0));
}

// Text on a dark box so it stays readable over the gradient.
void Label(uint8_t* y, int stride, int width, int height, int x, int top, int scale, const std::string& text)
{
    FillRect(y, stride, width, height, x - scale, top - scale, TextWidth(text, scale) + 2 * scale,
             7 * scale + 2 * scale, 16);
    DrawText(y, stride, width, height, x, top, scale, text, 235);
}

}  // namespace

void DrawTestPicture(uint8_t* y, int yStride, uint8_t* u, int uStride, uint8_t* v, int vStride,
                     int width, int height, int fps, int frameIndex, const PictureText& text)
{
    fps = std::max(fps, 1);
    // Luma: diagonal gradient that scrolls by a few pixels per frame.
    const int shift = frameIndex * std::max(2, width / 80);
    for (int row = 0; row < height; ++row) {
        uint8_t* line = y + static_cast<size_t>(row) * yStride;
        for (int col = 0; col < width; ++col) {
            const int p = (col + row / 2 + shift) % 256;
            line[col] = static_cast<uint8_t>(48 + (p < 128 ? p : 255 - p));
        }
    }
    // A bright bar sweeping across every two seconds.
    const int period = 2 * fps;
    const int barW = std::max(4, width / 32);
    const int barX = (frameIndex % period) * (width - barW) / std::max(1, period - 1);
    FillRect(y, yStride, width, height, barX, 0, barW, height, 220);

    // Chroma: a tint per channel, with the bar's column in a contrasting colour.
    static const uint8_t kTintU[4] = {150, 100, 120, 160};
    static const uint8_t kTintV[4] = {110, 160, 170, 130};
    const int ch = text.channel & 3;
    const int cw = width / 2, chh = height / 2;
    for (int row = 0; row < chh; ++row) {
        std::memset(u + static_cast<size_t>(row) * uStride, kTintU[ch], static_cast<size_t>(cw));
        std::memset(v + static_cast<size_t>(row) * vStride, kTintV[ch], static_cast<size_t>(cw));
    }
    FillRect(u, uStride, cw, chh, barX / 2, 0, barW / 2, chh, 60);

    const int scale = std::max(1, height / 90);
    const int margin = 3 * scale;
    // The channel badge starts a sixth of the way down, leaving the top
    // left corner to the channel name a viewer writes over its panels.
    Label(y, yStride, width, height, margin, height / 6, 3 * scale, "CH" + std::to_string(text.channel + 1));
    if (!text.label.empty()) {
        const int w = TextWidth(text.label, scale);
        Label(y, yStride, width, height, width - w - margin, margin, scale, text.label);
    }
    const int lineH = 9 * scale;
    const std::string clock = text.time + "." + std::to_string((frameIndex % fps) * 10 / fps);
    Label(y, yStride, width, height, margin, height - 2 * lineH, scale, text.date);
    Label(y, yStride, width, height, margin, height - lineH, scale, clock);
}

}  // namespace kestrel::cardgen
