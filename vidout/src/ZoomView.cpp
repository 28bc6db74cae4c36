#include "ZoomView.h"

#include <algorithm>

void ZoomView::SetPicture(QSize size)
{
    if (size == m_picture)
        return;
    m_picture = size;
    Reset();
}

void ZoomView::Reset()
{
    m_view = QRectF(0, 0, m_picture.width(), m_picture.height());
}

bool ZoomView::Zoomed() const
{
    return !m_picture.isEmpty() && (m_view.width() < m_picture.width() - 1e-6 ||
                                    m_view.height() < m_picture.height() - 1e-6);
}

QPointF ZoomView::ToPicture(const QRectF& target, QPointF widgetPos) const
{
    if (target.isEmpty())
        return m_view.topLeft();
    return {m_view.x() + (widgetPos.x() - target.x()) * m_view.width() / target.width(),
            m_view.y() + (widgetPos.y() - target.y()) * m_view.height() / target.height()};
}

void ZoomView::ZoomAt(const QRectF& target, QPointF widgetPos, double factor)
{
    if (m_picture.isEmpty() || target.isEmpty() || factor <= 0.0)
        return;
    const QPointF anchor = ToPicture(target, widgetPos);
    const double current = m_picture.width() / m_view.width();
    const double zoom = std::clamp(current * factor, 1.0, kMaxZoom);
    const double w = m_picture.width() / zoom;
    const double h = m_picture.height() / zoom;
    // The anchor keeps its relative place inside the target rectangle.
    const double fx = (widgetPos.x() - target.x()) / target.width();
    const double fy = (widgetPos.y() - target.y()) / target.height();
    m_view = QRectF(anchor.x() - fx * w, anchor.y() - fy * h, w, h);
    Clamp();
}

void ZoomView::Pan(const QRectF& target, QPointF widgetDelta)
{
    if (target.isEmpty())
        return;
    m_view.translate(-widgetDelta.x() * m_view.width() / target.width(),
                     -widgetDelta.y() * m_view.height() / target.height());
    Clamp();
}

void ZoomView::SetView(const QRectF& rect)
{
    if (m_picture.isEmpty())
        return;
    const QRectF whole(0, 0, m_picture.width(), m_picture.height());
    QRectF r = rect.normalized() & whole;
    const double minW = whole.width() / kMaxZoom;
    const double minH = whole.height() / kMaxZoom;
    if (r.width() < minW || r.height() < minH) {
        const QPointF c = r.isEmpty() ? rect.center() : r.center();
        r = QRectF(c.x() - std::max(r.width(), minW) / 2, c.y() - std::max(r.height(), minH) / 2,
                   std::max(r.width(), minW), std::max(r.height(), minH));
    }
    m_view = r;
    Clamp();
}

void ZoomView::Clamp()
{
    const double pw = m_picture.width();
    const double ph = m_picture.height();
    m_view.setWidth(std::min(m_view.width(), pw));
    m_view.setHeight(std::min(m_view.height(), ph));
    m_view.moveLeft(std::clamp(m_view.x(), 0.0, pw - m_view.width()));
    m_view.moveTop(std::clamp(m_view.y(), 0.0, ph - m_view.height()));
}

QRect ZoomView::PipRect(QSize widget, int position)
{
    const int margin = 4;
    const int w = widget.width() / 4;
    const int h = widget.height() / 4;
    if (position == 0)
        return {margin, margin, w, h};
    return {widget.width() - w - margin, widget.height() - h - margin, w, h};
}
