#include "GSensorGraph.h"

#include <QPainter>
#include <QPen>
#include <QPolygon>

#include <algorithm>
#include <cmath>
#include <limits>

namespace kestrel::gsensor {

namespace {

constexpr double kPenWidth = 2.0;

int ClampToInt(double v)
{
    // NaN and values beyond the image land on the nearest edge far outside,
    // never in undefined conversions.
    constexpr double kLimit = 1 << 20;
    if (std::isnan(v))
        return 0;
    return static_cast<int>(std::clamp(v, -kLimit, kLimit));
}

int64_t SampleMs(const CUserDataInfo& s)
{
    return s.m_tTimeMs;
}

}  // namespace

GraphPoint PointOf(const CUserDataInfo& sample, const GraphScale& scale)
{
    GraphPoint p;
    const int64_t rel = SampleMs(sample) - scale.startMs;
    p.x = scale.spanMs > 0 ? static_cast<int>(rel * scale.width / scale.spanMs) : 0;
    const double values[3] = {sample.m_dX, sample.m_dY, sample.m_dZ};
    const int range = std::max(1, scale.range);
    for (size_t a = 0; a < 3; ++a) {
        const double v = scale.offsetMilliG[a] / 1000.0 + values[a];
        p.y[a] = ClampToInt(scale.halfHeight - (v * scale.unitHeight) / range);
    }
    return p;
}

std::vector<const CUserDataInfo*> SamplesInSpan(const CUserDataArray& all, const GraphScale& scale)
{
    std::vector<const CUserDataInfo*> drawn;
    if (scale.spanMs <= 0)
        return drawn;
    const int64_t end = scale.startMs + scale.spanMs;
    for (const CUserDataInfo* s : all) {
        if (!s || SampleMs(*s) < scale.startMs)
            continue;
        if (SampleMs(*s) > end)
            break;
        drawn.push_back(s);
    }
    return drawn;
}

void DrawCurves(QImage& image, const std::vector<const CUserDataInfo*>& drawn, const GraphScale& scale,
                const GraphPens& pens)
{
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    if (drawn.empty()) {
        p.setPen(QPen(pens.axis[2], kPenWidth));
        p.drawLine(0, scale.halfHeight, scale.width, scale.halfHeight);
        return;
    }
    if (drawn.size() < 2)
        return;  // one sample is read out, but makes no segment
    // Many samples share a pixel column (an hour at 10 per second is 75
    // per column): each column keeps its first, lowest, highest and last
    // point, which draws the same picture with a fraction of the segments.
    std::array<QPolygon, 3> lines;
    struct Column {
        int x = 0, first = 0, low = 0, high = 0, last = 0;
    };
    std::array<Column, 3> col;
    auto addColumn = [&lines](size_t a, const Column& c) {
        for (int y : {c.first, c.low, c.high, c.last})
            if (lines[a].isEmpty() || lines[a].constLast() != QPoint(c.x, y))
                lines[a].append(QPoint(c.x, y));
    };
    bool started = false;
    for (const CUserDataInfo* s : drawn) {
        const GraphPoint pt = PointOf(*s, scale);
        for (size_t a = 0; a < 3; ++a) {
            Column& c = col[a];
            if (started && c.x == pt.x) {
                c.low = std::min(c.low, pt.y[a]);
                c.high = std::max(c.high, pt.y[a]);
                c.last = pt.y[a];
                continue;
            }
            if (started)
                addColumn(a, c);
            c = {pt.x, pt.y[a], pt.y[a], pt.y[a], pt.y[a]};
        }
        started = true;
    }
    for (size_t a = 0; a < 3; ++a)
        addColumn(a, col[a]);
    for (size_t a = 0; a < 3; ++a) {
        p.setPen(QPen(pens.axis[a], kPenWidth, Qt::SolidLine, Qt::FlatCap, Qt::BevelJoin));
        // Segment by segment: one long self-crossing outline costs the
        // rasteriser far more than the same strokes drawn one by one.
        std::vector<QLine> segments;
        segments.reserve(static_cast<size_t>(lines[a].size()));
        for (qsizetype i = 1; i < lines[a].size(); ++i)
            segments.emplace_back(lines[a][i - 1], lines[a][i]);
        p.drawLines(segments.data(), static_cast<int>(segments.size()));
    }
}

const CUserDataInfo* FindSampleAt(const std::vector<const CUserDataInfo*>& drawn, int64_t startMs, int64_t offsetMs)
{
    if (drawn.empty())
        return nullptr;
    auto rel = [startMs](const CUserDataInfo* s) { return SampleMs(*s) - startMs; };
    if (offsetMs < rel(drawn.front()) || offsetMs > rel(drawn.back()))
        return nullptr;
    // The first sample after the offset; the one before it is shown.
    auto after = std::upper_bound(drawn.begin(), drawn.end(), offsetMs,
                                  [&rel](int64_t off, const CUserDataInfo* s) { return off < rel(s); });
    return *(after - 1);
}

int CursorColumn(int64_t offsetMs, const GraphScale& scale)
{
    if (scale.spanMs <= 0)
        return 0;
    return static_cast<int>(std::clamp<int64_t>(offsetMs, 0, scale.spanMs) * scale.width / scale.spanMs);
}

}  // namespace kestrel::gsensor
