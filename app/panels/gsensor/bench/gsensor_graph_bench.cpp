// Times the G-sensor graph: a build of one hour of samples at 10 per
// second (36,000), and one repaint with the cursor at 1920 x 1080, against
// a plain copy of an image of the same size measured in the same run.
//
//   gsensor_graph_bench [--repeat N]
#include "GSensorGraph.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPixmap>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

using namespace kestrel::gsensor;
using Clock = std::chrono::steady_clock;

namespace {

template <class F>
double MedianMs(int repeat, F&& f)
{
    std::vector<double> ms;
    for (int i = 0; i < repeat; ++i) {
        const auto t = Clock::now();
        f();
        ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - t).count());
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

}  // namespace

int main(int argc, char** argv)
{
    int repeat = 21;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--repeat") == 0)
            repeat = std::max(1, std::atoi(argv[i + 1]));
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    constexpr int64_t kStart = 1'700'000'000'000;
    std::vector<std::unique_ptr<CUserDataInfo>> owned;
    CUserDataArray samples;
    for (int i = 0; i < 36000; ++i) {
        auto s = std::make_unique<CUserDataInfo>();
        s->SetTimeMs(kStart + i * 100);
        s->m_dX = 0.3 * std::sin(i * 0.01);
        s->m_dY = 0.2 * std::cos(i * 0.013);
        s->m_dZ = 1.0 + 0.1 * std::sin(i * 0.1);
        samples.push_back(s.get());
        owned.push_back(std::move(s));
    }
    GraphScale scale;
    scale.width = 480;
    scale.halfHeight = 44;
    scale.unitHeight = 40;
    scale.range = 2;
    scale.startMs = kStart;
    scale.spanMs = 3'600'000;
    scale.offsetMilliG = {0, 0, -1000};
    const GraphPens pens{{QColor(255, 107, 107), QColor(76, 208, 138), QColor(90, 168, 255)}};
    QImage graph(480, 88, QImage::Format_ARGB32_Premultiplied);

    const double build = MedianMs(repeat, [&] {
        graph.fill(Qt::transparent);
        DrawCurves(graph, SamplesInSpan(samples, scale), scale, pens);
    });

    // The panel scales the graph once per window size and then only copies
    // it and draws the cursor; the reference copies a same-size image.
    const QSize screen(1920, 1080);
    const QPixmap scaled = QPixmap::fromImage(graph.scaled(screen, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    QImage target(screen, QImage::Format_ARGB32_Premultiplied);
    const double repaint = MedianMs(repeat, [&] {
        QPainter p(&target);
        p.drawPixmap(0, 0, scaled);
        const double x = CursorColumn(1'800'000, scale) * 4.0;
        p.setPen(QPen(QColor(255, 210, 63), 8.0));
        p.drawLine(QPointF(x, 24), QPointF(x, 1080 - 24));
    });
    const QImage plain = scaled.toImage();
    const double copy = MedianMs(repeat, [&] {
        QPainter p(&target);
        p.drawImage(0, 0, plain);
    });

    std::printf("graph build, 36000 samples: %.2f ms (limit 20)\n", build);
    std::printf("repaint with cursor, 1920x1080: %.2f ms (limit 2); plain copy %.2f ms; ratio %.2f\n", repaint, copy,
                copy > 0 ? repaint / copy : 0.0);
    return build <= 20.0 && repaint <= 2.0 ? 0 : 1;
}
