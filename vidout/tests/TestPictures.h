// YUV 4:2:0 test pictures and an offscreen application for the display
// tests.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <vector>

#include <QApplication>
#include <QColor>
#include <QImage>

struct Yuv {
    uint8_t y, u, v;
};

// Limited-range BT.601 values of a few colours.
constexpr Yuv kGrey{126, 128, 128};
constexpr Yuv kWhite{235, 128, 128};
constexpr Yuv kRed{81, 90, 240};
constexpr Yuv kGreen{145, 54, 34};
constexpr Yuv kBlue{41, 240, 110};

class YuvPicture {
public:
    YuvPicture(int w, int h, const std::function<Yuv(int x, int y)>& colourAt) : width(w), height(h)
    {
        const int cw = (w + 1) / 2, ch = (h + 1) / 2;
        linesize[0] = w + 16;  // padded rows, as decoders hand them out
        linesize[1] = linesize[2] = cw + 8;
        planes[0].resize(size_t(linesize[0] * h));
        planes[1].resize(size_t(linesize[1] * ch));
        planes[2].resize(size_t(linesize[2] * ch));
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                planes[0][size_t(y * linesize[0] + x)] = colourAt(x, y).y;
        for (int y = 0; y < ch; ++y)
            for (int x = 0; x < cw; ++x) {
                const Yuv c = colourAt(x * 2, y * 2);
                planes[1][size_t(y * linesize[1] + x)] = c.u;
                planes[2][size_t(y * linesize[2] + x)] = c.v;
            }
        for (int i = 0; i < 3; ++i)
            data[i] = planes[i].data();
    }
    static YuvPicture Solid(int w, int h, Yuv c)
    {
        return YuvPicture(w, h, [c](int, int) { return c; });
    }

    int width, height;
    std::vector<uint8_t> planes[3];
    uint8_t* data[8] = {};
    int linesize[8] = {};
};

inline void EnsureApplication()
{
    if (QApplication::instance())
        return;
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char name[] = "vidout_test";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
}

inline bool Near(QColor c, int r, int g, int b, int tolerance = 12)
{
    return std::abs(c.red() - r) <= tolerance && std::abs(c.green() - g) <= tolerance &&
           std::abs(c.blue() - b) <= tolerance;
}

// With KESTREL_GRAB_DIR set, keeps a grabbed picture for a person to look at.
inline void SaveForLooking(const QImage& img, const char* name)
{
    if (const char* dir = std::getenv("KESTREL_GRAB_DIR"))
        img.save(QString::fromUtf8(dir) + "/" + QString::fromUtf8(name) + ".png");
}
