#include "DisplayWidget.h"

#include <algorithm>
#include <cmath>

#include <QFontInfo>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

namespace {

constexpr double kWheelStep = 1.25;  // zoom factor per wheel notch

}  // namespace

DisplayWidget::DisplayWidget(DisplayState* state, QWidget* parent) : QWidget(parent), m_state(state)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(false);
}

QRectF DisplayWidget::TargetRect() const
{
    const QRect whole = rect();
    if (m_state->target.isEmpty())
        return whole;
    return m_state->target & whole;
}

QImage DisplayWidget::SyncPicture()
{
    QImage image = m_state->picture->Front();
    if (!image.isNull())
        m_state->zoom.SetPicture(image.size());
    return image;
}

void DisplayWidget::PaintPicture(QPainter& p, const QImage& image, const QRectF& target,
                                 const QRectF& shownPart) const
{
    // The part is given as shown; mirror it into the stored picture, then
    // mirror the painting back around the target's centre.
    const bool vertical = (m_state->flip & 1) != 0;
    const bool horizontal = (m_state->flip & 2) != 0;
    QRectF source = shownPart;
    if (horizontal)
        source.moveLeft(image.width() - shownPart.right());
    if (vertical)
        source.moveTop(image.height() - shownPart.bottom());
    p.save();
    if (vertical || horizontal) {
        const QPointF c = target.center();
        p.translate(c);
        p.scale(horizontal ? -1.0 : 1.0, vertical ? -1.0 : 1.0);
        p.translate(-c);
    }
    p.drawImage(target, image, source);
    p.restore();
}

void DisplayWidget::PaintOverview(QPainter& p, const QImage& image) const
{
    const QRect box = ZoomView::PipRect(size(), m_state->pipPosition);
    if (box.isEmpty())
        return;
    PaintPicture(p, image, box, QRectF(0, 0, image.width(), image.height()));
    const QRectF view = m_state->zoom.View();
    const double sx = double(box.width()) / image.width();
    const double sy = double(box.height()) / image.height();
    const QRectF outline(box.x() + view.x() * sx, box.y() + view.y() * sy, view.width() * sx, view.height() * sy);
    p.save();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(160, 160, 160), 1));
    p.drawRect(QRectF(box).adjusted(-0.5, -0.5, 0.5, 0.5));
    p.setPen(QPen(QColor(255, 220, 0), 2));
    p.drawRect(outline);
    p.restore();
}

void DisplayWidget::PaintLogo(QPainter& p) const
{
    const int index = m_state->logo;
    if (index < 0 || index >= int(m_state->logos.size()))
        return;
    const QImage& logo = m_state->logos[size_t(index)];
    if (logo.isNull())
        return;
    QSizeF s = logo.size();
    if (s.width() > width() || s.height() > height())
        s.scale(size(), Qt::KeepAspectRatio);
    const QRectF r((width() - s.width()) / 2, (height() - s.height()) / 2, s.width(), s.height());
    p.drawImage(r, logo);
}

void DisplayWidget::PaintLabel(QPainter& p) const
{
    if (m_state->label.isEmpty())
        return;
    QFont font = p.font();
    if (!m_state->labelFace.isEmpty())
        font.setFamily(m_state->labelFace);
    if (m_state->labelSize > 0)
        font.setPixelSize(m_state->labelSize);
    p.setFont(font);
    int flags = Qt::TextSingleLine;
    flags |= m_state->labelHorizontal == 1 ? Qt::AlignHCenter
             : m_state->labelHorizontal == 2 ? Qt::AlignRight
                                             : Qt::AlignLeft;
    flags |= m_state->labelVertical < 0 ? Qt::AlignTop : m_state->labelVertical == 0 ? Qt::AlignVCenter : Qt::AlignBottom;
    const QRect box = rect().adjusted(6, 4, -6, -4);
    // A dark shadow keeps the label readable over a bright sky or over text
    // the camera burns into its own pictures.
    const int offset = std::max(1, QFontInfo(font).pixelSize() / 14);
    p.setPen(QColor(0, 0, 0, 170));
    p.drawText(box.translated(offset, offset), flags, m_state->label);
    p.setPen(m_state->labelColour);
    p.drawText(box, flags, m_state->label);
}

void DisplayWidget::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::black);
    const QImage image = SyncPicture();
    if (image.isNull()) {
        PaintLogo(p);
    } else {
        p.setRenderHint(QPainter::SmoothPixmapTransform, true);
        PaintPicture(p, image, TargetRect(), m_state->zoom.View());
        if (m_state->zoom.Zoomed() && m_state->pipShow)
            PaintOverview(p, image);
    }
    PaintLabel(p);
}

void DisplayWidget::wheelEvent(QWheelEvent* event)
{
    if (SyncPicture().isNull()) {
        event->ignore();
        return;
    }
    const double notches = event->angleDelta().y() / 120.0;
    if (notches != 0.0) {
        m_state->zoom.ZoomAt(TargetRect(), event->position(), std::pow(kWheelStep, notches));
        update();
    }
    event->accept();
}

void DisplayWidget::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && m_state->zoom.Zoomed()) {
        m_dragging = true;
        m_dragFrom = event->position();
        event->accept();
        return;
    }
    QWidget::mousePressEvent(event);
}

void DisplayWidget::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_dragging)
        return QWidget::mouseMoveEvent(event);
    const QPointF now = event->position();
    m_state->zoom.Pan(TargetRect(), now - m_dragFrom);
    m_dragFrom = now;
    update();
}

void DisplayWidget::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_dragging = false;
    QWidget::mouseReleaseEvent(event);
}

void DisplayWidget::mouseDoubleClickEvent(QMouseEvent* event)
{
    // Double click shows the whole picture again.
    if (m_state->zoom.Zoomed()) {
        m_state->zoom.Reset();
        update();
        event->accept();
        return;
    }
    QWidget::mouseDoubleClickEvent(event);
}
