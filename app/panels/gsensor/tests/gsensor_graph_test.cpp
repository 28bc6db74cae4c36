// The graph's arithmetic: which samples are drawn, where they land, which
// one a play position reads out, and the pixels of a rendered graph.
#include "GSensorGraph.h"

#include <gtest/gtest.h>

#include <limits>
#include <memory>

using namespace kestrel::gsensor;

namespace {

constexpr int64_t kStart = 1'700'000'000'000;

struct Samples {
    std::vector<std::unique_ptr<CUserDataInfo>> owned;
    CUserDataArray list;
    void Add(int64_t relMs, double x, double y, double z)
    {
        auto s = std::make_unique<CUserDataInfo>();
        s->SetTimeMs(kStart + relMs);
        s->m_dX = x;
        s->m_dY = y;
        s->m_dZ = z;
        list.push_back(s.get());
        owned.push_back(std::move(s));
    }
    std::vector<const CUserDataInfo*> Drawn() const { return {list.begin(), list.end()}; }
};

GraphScale Scale(int range = 1)
{
    GraphScale s;
    s.width = 480;
    s.halfHeight = 44;
    s.unitHeight = 44;
    s.range = range;
    s.startMs = kStart;
    s.spanMs = 60'000;
    return s;
}

}  // namespace

TEST(GSensorFindSample, BeforeBetweenOnAndAfterSamples)
{
    Samples s;
    for (int64_t t : {1000, 2000, 3000, 4000, 5000})
        s.Add(t, double(t), 0, 0);
    const auto drawn = s.Drawn();
    struct Case {
        int64_t offset;
        const CUserDataInfo* expected;
    };
    const Case cases[] = {
        {0, nullptr},                // before the first
        {999, nullptr},
        {1000, s.list[0]},           // on the first
        {1500, s.list[0]},           // between: the earlier one
        {2999, s.list[1]},
        {3000, s.list[2]},           // exact hit in the middle
        {4000, s.list[3]},           // exact hit next to the last
        {5000, s.list[4]},           // exact hit on the last
        {5001, nullptr},             // after the last
    };
    for (const Case& c : cases)
        EXPECT_EQ(FindSampleAt(drawn, kStart, c.offset), c.expected) << "offset " << c.offset;
    EXPECT_EQ(FindSampleAt({}, kStart, 1000), nullptr);
}

TEST(GSensorSpan, KeepsOnlySamplesInsideTheSpanAndSkipsNulls)
{
    Samples s;
    s.Add(-500, 0, 0, 0);   // before the start
    s.Add(0, 0, 0, 0);      // on the left edge
    s.list.push_back(nullptr);
    s.Add(60'000, 0, 0, 0); // on the right edge
    s.Add(60'001, 0, 0, 0); // after the end
    const auto drawn = SamplesInSpan(s.list, Scale());
    ASSERT_EQ(drawn.size(), 2u);
    EXPECT_EQ(drawn[0], s.owned[1].get());
    EXPECT_EQ(drawn[1], s.owned[2].get());

    GraphScale empty = Scale();
    empty.spanMs = 0;  // a recording without length draws nothing
    EXPECT_TRUE(SamplesInSpan(s.list, empty).empty());
}

TEST(GSensorPoint, CalibrationRangeAndEdges)
{
    Samples s;
    s.Add(30'000, 0, 0, 1.0);     // level vehicle: 1 g of gravity on Z
    s.Add(60'000, 1.0, -1.0, 2.0);
    s.Add(0, std::numeric_limits<double>::quiet_NaN(), 1e300, -1e300);
    GraphScale scale = Scale(1);
    scale.offsetMilliG = {0, 0, -1000};

    const GraphPoint level = PointOf(*s.list[0], scale);
    EXPECT_EQ(level.x, 240);
    EXPECT_EQ(level.y[0], 44);
    EXPECT_EQ(level.y[1], 44);
    EXPECT_EQ(level.y[2], 44);

    const GraphPoint full = PointOf(*s.list[1], scale);
    EXPECT_EQ(full.x, 480);
    EXPECT_EQ(full.y[0], 0);   // +range touches the top
    EXPECT_EQ(full.y[1], 88);  // -range the bottom
    EXPECT_EQ(full.y[2], 0);

    scale.range = 2;  // zooming out halves the amplitude
    EXPECT_EQ(PointOf(*s.list[1], scale).y[0], 22);
    scale.range = 0;  // a range below 1 counts as 1
    EXPECT_EQ(PointOf(*s.list[1], scale).y[0], 0);

    // Values that are no numbers or far beyond the graph stay defined.
    const GraphPoint wild = PointOf(*s.list[2], scale);
    EXPECT_EQ(wild.y[0], 0);
    EXPECT_LT(wild.y[1], -1000);
    EXPECT_GT(wild.y[2], 1000);
}

TEST(GSensorCursor, ColumnFromStartToEnd)
{
    const GraphScale scale = Scale();
    EXPECT_EQ(CursorColumn(0, scale), 0);
    EXPECT_EQ(CursorColumn(30'000, scale), 240);
    EXPECT_EQ(CursorColumn(60'000, scale), 480);  // the span's end is the right edge
    EXPECT_EQ(CursorColumn(90'000, scale), 480);
    GraphScale none = scale;
    none.spanMs = 0;
    EXPECT_EQ(CursorColumn(100, none), 0);
}

namespace {

QImage Blank()
{
    QImage image(480, 88, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::black);
    return image;
}

const GraphPens kPens{{QColor(255, 0, 0), QColor(0, 255, 0), QColor(0, 0, 255)}};

int CountColour(const QImage& image, QRgb colour)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += image.pixel(x, y) == colour;
    return n;
}

}  // namespace

TEST(GSensorDraw, NoSamplesDrawTheFlatZLineThroughTheMiddle)
{
    QImage image = Blank();
    DrawCurves(image, {}, Scale(), kPens);
    // A 2-pixel line on the centre: rows 43 and 44, across the width.
    for (int x : {0, 100, 240, 479}) {
        EXPECT_EQ(image.pixel(x, 43), qRgb(0, 0, 255)) << x;
        EXPECT_EQ(image.pixel(x, 44), qRgb(0, 0, 255)) << x;
    }
    EXPECT_EQ(image.pixel(240, 20), qRgb(0, 0, 0));
    EXPECT_EQ(CountColour(image, qRgb(255, 0, 0)), 0);
}

TEST(GSensorDraw, OneSampleDrawsNoSegment)
{
    Samples s;
    s.Add(1000, 0.5, 0.5, 0.5);
    QImage image = Blank();
    DrawCurves(image, s.Drawn(), Scale(), kPens);
    EXPECT_EQ(CountColour(image, qRgb(0, 0, 0)), 480 * 88);
}

TEST(GSensorDraw, CurvesLandWhereTheSamplesSay)
{
    Samples s;
    s.Add(0, 0.5, -0.5, 0.0);       // X at row 22, Y at 66, Z at 44
    s.Add(60'000, 0.5, -0.5, 0.0);
    QImage image = Blank();
    DrawCurves(image, s.Drawn(), Scale(1), kPens);
    for (int x : {10, 240, 470}) {
        EXPECT_EQ(image.pixel(x, 21), qRgb(255, 0, 0)) << x;
        EXPECT_EQ(image.pixel(x, 65), qRgb(0, 255, 0)) << x;
        EXPECT_EQ(image.pixel(x, 43), qRgb(0, 0, 255)) << x;
        EXPECT_EQ(image.pixel(x, 5), qRgb(0, 0, 0)) << x;
    }
}

TEST(GSensorDraw, ASpikeAmongManySamplesOfAColumnStillShows)
{
    // 60,000 samples over 480 columns: 125 per column. One of them, in the
    // middle of column 240, jumps to full scale; it must reach the top.
    Samples s;
    for (int i = 0; i <= 60'000; ++i)
        s.Add(i, i == 30'060 ? 1.0 : 0.0, 0.0, 0.0);
    QImage image = Blank();
    DrawCurves(image, s.Drawn(), Scale(1), kPens);
    EXPECT_EQ(image.pixel(240, 1), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(240, 20), qRgb(255, 0, 0));  // the way up is drawn too
    EXPECT_EQ(image.pixel(100, 1), qRgb(0, 0, 0));
}
