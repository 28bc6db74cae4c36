// The panel with the staged skin on the offscreen platform: the graph
// follows the record and range, the cursor is drawn on repaint, and the
// read-out look-up answers for the drawn samples.
#include "CWndGSensor.h"

#include "OffscreenViewerEnv.h"
#include "skin/WinPos.h"
#include "startup/CKestrelApp.h"

#include <QElapsedTimer>
#include <QImage>

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr int64_t kStartSec = 1'700'000'000;

// One application object for the whole program: its skin look-ups.
const CUIResources* Skin()
{
    static kestrel::testenv::OffscreenViewerEnv env("gsensor_panel_tests");
    static CKestrelApp app;
    static const bool ready = env.Ok() && app.PrepareWithoutWindow(QStringLiteral(KESTREL_APP_DIR));
    return ready ? &app.Resources() : nullptr;
}

struct Record {
    CRecFileInfo rec;
    _TAG_STREAM_INFO stream{};
    explicit Record(double seconds = 60.0)
    {
        rec.SetStartTime(kStartSec * 1000);
        stream.nLength = kStartSec;
        stream.dDuration = seconds;
    }
    void Add(int64_t relMs, double x, double y, double z)
    {
        auto* s = new CUserDataInfo;  // the record owns its samples
        s->SetTimeMs(kStartSec * 1000 + relMs);
        s->m_dX = x;
        s->m_dY = y;
        s->m_dZ = z;
        rec.m_arrGSensor.push_back(s);
    }
};

class GSensorPanel : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(Skin(), nullptr);
        m_panel = std::make_unique<CWndGSensor>(nullptr, *Skin(), std::array<int, 3>{0, 0, -1000});
        ASSERT_TRUE(m_panel->Create());
        const _WIN_POS* pos = Skin()->GetUIPos(QStringLiteral("stc_gsen_graph"));
        m_size = QSize(pos->cx, pos->cy);
        m_cursor = QColor::fromRgba(pos->color[1]);
        m_z = QColor::fromRgba(Skin()->GetUIPos(QStringLiteral("stc_gsen_z"))->color[0]);
        m_x = QColor::fromRgba(Skin()->GetUIPos(QStringLiteral("stc_gsen_x"))->color[0]);
        m_panel->resize(m_size);
    }
    QImage Shot() { return m_panel->grab().toImage().convertToFormat(QImage::Format_RGB32); }
    static bool Near(QRgb a, const QColor& b)
    {
        return std::abs(qRed(a) - b.red()) < 24 && std::abs(qGreen(a) - b.green()) < 24 &&
               std::abs(qBlue(a) - b.blue()) < 24;
    }
    int ColumnsWith(const QImage& image, int x, const QColor& c)
    {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            n += Near(image.pixel(x, y), c);
        return n;
    }

    std::unique_ptr<CWndGSensor> m_panel;
    QSize m_size;
    QColor m_cursor, m_z, m_x;
};

}  // namespace

TEST_F(GSensorPanel, RecordWithoutSamplesShowsTheFlatZLine)
{
    Record r;
    m_panel->SetRecord(&r.rec, r.stream, 2);
    EXPECT_TRUE(m_panel->DrawnSamples().empty());
    const QImage& g = m_panel->GraphImage();
    EXPECT_TRUE(Near(g.pixel(10, m_size.height() / 2), m_z));
    EXPECT_TRUE(Near(g.pixel(m_size.width() - 10, m_size.height() / 2), m_z));
    EXPECT_EQ(m_panel->SampleAt(1000), nullptr);
}

TEST_F(GSensorPanel, CursorIsDrawnOnRepaintOnlyWhenSet)
{
    Record r;
    r.Add(0, 0, 0, 1.0);
    r.Add(60'000, 0, 0, 1.0);
    m_panel->SetRecord(&r.rec, r.stream, 2);
    m_panel->SetCursor(-1);
    const QImage none = Shot();
    m_panel->SetCursor(30'000);
    const QImage mid = Shot();
    const int x = m_size.width() / 2;
    EXPECT_LT(ColumnsWith(none, x, m_cursor), 3);
    EXPECT_GT(ColumnsWith(mid, x, m_cursor), m_size.height() / 2);
    // The graph itself keeps no cursor: the next repaint moves it.
    m_panel->SetCursor(60'000);
    const QImage end = Shot();
    EXPECT_LT(ColumnsWith(end, x, m_cursor), 3);
    EXPECT_GT(ColumnsWith(end, m_size.width() - 1, m_cursor), m_size.height() / 2);
}

TEST_F(GSensorPanel, ZoomRedrawsTheShownRecordOnly)
{
    Record r;
    r.Add(0, 0.5, 0, 1.0);
    r.Add(60'000, 0.5, 0, 1.0);
    m_panel->SetRecord(&r.rec, r.stream, 1);
    const int h = m_size.height() / 2;
    const int dt = Skin()->GetUIPos(QStringLiteral("stc_gsen_graph"))->dt;
    // 0.5 g at range 1 sits dt/2 above the centre, at range 2 dt/4.
    EXPECT_TRUE(Near(m_panel->GraphImage().pixel(240, h - dt / 2 - 1), m_x));
    m_panel->SetRange(2);
    EXPECT_EQ(m_panel->Range(), 2);
    EXPECT_TRUE(Near(m_panel->GraphImage().pixel(240, h - dt / 4 - 1), m_x));
    EXPECT_FALSE(Near(m_panel->GraphImage().pixel(240, h - dt / 2 - 1), m_x));

    m_panel->Reset();  // nothing plays: a zoom keeps the plain background
    m_panel->SetRange(1);
    EXPECT_TRUE(m_panel->DrawnSamples().empty());
    EXPECT_FALSE(Near(m_panel->GraphImage().pixel(240, h - dt / 2 - 1), m_x));
}

TEST_F(GSensorPanel, ReadOutSampleForOneAndManySamples)
{
    Record one;
    one.Add(5000, 0.1, 0.2, 0.3);
    m_panel->SetRecord(&one.rec, one.stream, 2);
    // A single drawn sample is read out at every position.
    for (int ms : {0, 5000, 59'000})
        EXPECT_EQ(m_panel->SampleAt(ms), one.rec.m_arrGSensor[0]) << ms;

    Record many;
    for (int i = 0; i < 10; ++i)
        many.Add(i * 1000, i, 0, 0);
    m_panel->SetRecord(&many.rec, many.stream, 2);
    EXPECT_EQ(m_panel->SampleAt(3500), many.rec.m_arrGSensor[3]);
    EXPECT_EQ(m_panel->SampleAt(9001), nullptr);
    m_panel->SetRecord(nullptr, many.stream, 2);  // the record is let go
    EXPECT_EQ(m_panel->SampleAt(3500), nullptr);
}

TEST_F(GSensorPanel, BadStreamLengthsDrawNoCurves)
{
    for (double seconds : {0.0, -5.0, std::numeric_limits<double>::quiet_NaN(),
                           std::numeric_limits<double>::infinity()}) {
        Record r(seconds);
        r.Add(0, 1, 1, 1);
        r.Add(1000, 1, 1, 1);
        m_panel->SetRecord(&r.rec, r.stream, 2);
        m_panel->SetCursor(500);
        EXPECT_FALSE(Shot().isNull());
        if (!std::isinf(seconds)) {
            EXPECT_TRUE(m_panel->DrawnSamples().empty()) << seconds;
        }
        m_panel->SetRecord(nullptr, r.stream, 2);
    }
}
