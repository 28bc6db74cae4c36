#include "controls/CCtrlWnd.h"

#include "controls/CMsgTarget.h"

#include <QPaintEvent>
#include <QPainter>

CCtrlWnd::CCtrlWnd(QWidget* parent, int id) : QWidget(parent), m_id(id) {
    // The off-screen image covers every pixel, so the system need not erase.
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void CCtrlWnd::SetWindowText(const QString& text) {
    if (text == m_text) return;
    m_text = text;
    TextChanged();
    update();
}

QImage CCtrlWnd::RenderImage(qreal dpr) {
    if (dpr <= 0) dpr = 1.0;
    QImage img(size() * dpr, QImage::Format_ARGB32_Premultiplied);
    if (img.isNull()) return img;
    img.setDevicePixelRatio(dpr);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    Draw(p);
    return img;
}

void CCtrlWnd::paintEvent(QPaintEvent*) {
    if (width() <= 0 || height() <= 0) return;
    // Rendered at the screen's pixel density so skins stay sharp on dense screens.
    const QImage face = RenderImage(devicePixelRatioF());
    QPainter p(this);
    p.drawImage(0, 0, face);
}

intptr_t CCtrlWnd::SendToParent(uint32_t msg, uintptr_t wParam, intptr_t lParam) {
    CMsgTarget* target = m_target;
    if (!target) target = dynamic_cast<CMsgTarget*>(parentWidget());
    return target ? target->SendMsg(msg, wParam, lParam) : 0;
}
