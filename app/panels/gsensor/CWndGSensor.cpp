#include "CWndGSensor.h"

#include "skin/CUIResources.h"
#include "skin/WinPos.h"

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

const QString kGraphKey = QStringLiteral("stc_gsen_graph");
const char* const kAxisKeys[3] = {"stc_gsen_x", "stc_gsen_y", "stc_gsen_z"};
constexpr double kCursorPen = 2.0;
// Longer than any recording; keeps span × width inside 64 bits.
constexpr double kMaxSpanSeconds = 1e9;

QColor ArgbColour(uint32_t argb)
{
    return QColor::fromRgba(argb);
}

int64_t SpanMs(double seconds)
{
    if (!std::isfinite(seconds) || seconds <= 0.0)
        return 0;
    return static_cast<int64_t>(std::min(seconds, kMaxSpanSeconds) * 1000.0);
}

}  // namespace

CWndGSensor::CWndGSensor(QWidget* parent, const CUIResources& resources, std::array<int, 3> offsetsMilliG)
    : QWidget(parent), m_res(resources)
{
    m_scale.offsetMilliG = offsetsMilliG;
    setAttribute(Qt::WA_OpaquePaintEvent);
}

CWndGSensor::~CWndGSensor() = default;

bool CWndGSensor::Create()
{
    const _WIN_POS* pos = m_res.GetUIPos(kGraphKey);
    if (!pos || pos->cx <= 0 || pos->cy <= 0)
        return false;
    m_scale.width = pos->cx;
    m_scale.halfHeight = pos->cy / 2;
    m_scale.unitHeight = pos->dt;
    // Colour slot 0 is ColorText, slot 1 the first numbered colour.
    m_cursorColour = ArgbColour(pos->color[1]);
    for (size_t a = 0; a < 3; ++a)
        m_pens.axis[a] = ArgbColour(m_res.GetUIPos(QString::fromLatin1(kAxisKeys[a]))->color[0]);
    m_graph = QImage(pos->cx, pos->cy, QImage::Format_ARGB32_Premultiplied);
    BuildGraph(true);
    return true;
}

void CWndGSensor::SetRecord(CRecFileInfo* rec, const _TAG_STREAM_INFO& stream, int range)
{
    m_rec = rec;
    m_scale.startMs = stream.nLength * 1000;
    m_scale.spanMs = SpanMs(stream.dDuration);
    m_scale.range = std::max(1, range);
    BuildGraph(rec == nullptr);
    update();
}

void CWndGSensor::SetCursor(int ms)
{
    if (ms == m_cursorMs)
        return;
    m_cursorMs = ms;
    update();
}

void CWndGSensor::Reset()
{
    m_rec = nullptr;
    m_cursorMs = -1;
    BuildGraph(true);
    update();
}

void CWndGSensor::SetRange(int range)
{
    m_scale.range = std::max(1, range);
    if (m_rec) {
        BuildGraph(false);
        update();
    }
}

const CUserDataInfo* CWndGSensor::SampleAt(int ms) const
{
    if (m_drawn.size() == 1)
        return m_drawn.front();
    return kestrel::gsensor::FindSampleAt(m_drawn, m_scale.startMs, ms);
}

void CWndGSensor::BuildGraph(bool backgroundOnly)
{
    m_drawn.clear();
    m_scaled = QPixmap();
    if (m_graph.isNull())
        return;
    m_graph.fill(Qt::transparent);
    if (const QImage* bg = m_res.GetUIImage(kGraphKey)) {
        QPainter p(&m_graph);
        p.drawImage(QRect(QPoint(0, 0), bg->size()), *bg);
    }
    if (backgroundOnly)
        return;
    if (m_rec)
        m_drawn = kestrel::gsensor::SamplesInSpan(m_rec->m_arrGSensor, m_scale);
    kestrel::gsensor::DrawCurves(m_graph, m_drawn, m_scale, m_pens);
}

void CWndGSensor::paintEvent(QPaintEvent*)
{
    if (m_graph.isNull() || rect().isEmpty())
        return;
    if (m_scaled.size() != size())
        m_scaled = QPixmap::fromImage(
            m_graph.scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    QPainter p(this);
    p.drawPixmap(0, 0, m_scaled);
    if (m_cursorMs < 0 || m_scale.spanMs <= 0)
        return;
    const double sx = double(width()) / m_graph.width();
    const double sy = double(height()) / m_graph.height();
    const double x = kestrel::gsensor::CursorColumn(m_cursorMs, m_scale) * sx;
    p.setPen(QPen(m_cursorColour, kCursorPen * std::min(sx, sy)));
    p.drawLine(QPointF(x, 2 * sy), QPointF(x, height() - 2 * sy));
}
