#include "controls/CCtrlSlider.h"

#include "controls/CCtrlGDIpString.h"
#include "controls/CtrlMessages.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

CCtrlSlider::CCtrlSlider(QWidget* parent, int id) : CCtrlWnd(parent, id) {}

void CCtrlSlider::SetImage(const QImage* img, int index) {
    if (index < 0 || index > 2) return;
    m_img[size_t(index)] = img ? *img : QImage();
    update();
}

void CCtrlSlider::SetImageBG(const QImage* img, int left, int right, int top) {
    m_bg = img ? *img : QImage();
    m_bgLeft = std::max(0, left);
    m_bgRight = std::max(0, right);
    m_bgTop = top;
    update();
}

void CCtrlSlider::SetRange(int min, int max) {
    if (min > max) std::swap(min, max);
    m_min = min;
    m_max = max;
    m_pos = std::clamp(m_pos, m_min, m_max);
    update();
}

void CCtrlSlider::SetPos(int pos) {
    pos = std::clamp(pos, m_min, m_max);
    if (pos == m_pos) return;
    m_pos = pos;
    update();
}

int CCtrlSlider::ThumbWidth() const { return Img(ImgThumb).width(); }

int CCtrlSlider::ThumbLeft(int pos) const {
    const int travel = width() - ThumbWidth();
    const long long span = (long long)m_max - m_min;
    if (travel <= 0 || span <= 0) return 0;
    pos = std::clamp(pos, m_min, m_max);
    // Measured from the range's start, so a range that does not begin at 0
    // still puts the minimum at the left end.
    return int((long long)travel * ((long long)pos - m_min) / span);
}

int CCtrlSlider::PosFromPoint(int x) const {
    const int tw = ThumbWidth();
    const int travel = width() - tw;
    if (travel <= 0) return m_min;
    const double span = double(m_max) - double(m_min);
    const double offset = std::max(0, x - tw / 2);
    const double pos = double(m_min) + std::round(span * offset / travel);
    return int(std::clamp(pos, double(m_min), double(m_max)));
}

QRect CCtrlSlider::BarRect(const QImage& img, int left, int right) const {
    const int h = std::min(img.height(), height());
    const int top = m_bgTop >= 0 ? m_bgTop : (height() - h) / 2;
    return QRect(QPoint(left, top), QPoint(right - 1, top + h - 1));
}

void CCtrlSlider::DrawBars(QPainter& p, int x0, int x1, int thumbLeft, int thumbWidth) {
    const QImage& l = Img(ImgLeftBar);
    const QImage& r = Img(ImgRightBar);
    if (!l.isNull() && thumbLeft > x0) p.drawImage(BarRect(l, x0, thumbLeft), l);
    const int rs = std::max(x0, thumbLeft + thumbWidth);
    if (!r.isNull() && x1 > rs) p.drawImage(BarRect(r, rs, x1), r);
}

void CCtrlSlider::Draw(QPainter& p) {
    if (!m_bg.isNull())
        CCtrlGDIpString::DrawNine(p, m_bg, m_bg.rect(), QMargins(m_bgLeft, 0, m_bgRight, 0), rect(),
                                  QMargins(m_bgLeft, 0, m_bgRight, 0));
    const int tl = ThumbLeft(m_pos);
    const int tw = ThumbWidth();
    const int x0 = m_bg.isNull() ? 0 : m_bgLeft;
    const int x1 = width() - (m_bg.isNull() ? 0 : m_bgRight);
    DrawBars(p, x0, x1, tl, tw);
    const QImage& thumb = Img(ImgThumb);
    if (!thumb.isNull()) {
        const int h = std::min(thumb.height(), height());
        p.drawImage(QRect(tl, (height() - h) / 2, tw, h), thumb);
    }
}

void CCtrlSlider::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    // The widget holds the pointer until release, so a drag that leaves the
    // control keeps moving the thumb.
    m_dragging = true;
    const int pos = PosFromPoint(int(e->position().x()));
    SetPos(pos);
    SendToParent(ctrlmsg::WM_SLIDER_PRESSED, uintptr_t(GetDlgCtrlID()), m_pos);
}

void CCtrlSlider::mouseMoveEvent(QMouseEvent* e) {
    if (!m_dragging) return;
    const int pos = PosFromPoint(int(e->position().x()));
    if (pos == m_pos) return;
    SetPos(pos);
    SendToParent(ctrlmsg::WM_SLIDER_MOVED, uintptr_t(GetDlgCtrlID()), m_pos);
}

void CCtrlSlider::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton || !m_dragging) return;
    m_dragging = false;
    SetPos(PosFromPoint(int(e->position().x())));
    SendToParent(ctrlmsg::WM_SLIDER_RELEASED, uintptr_t(GetDlgCtrlID()), m_pos);
}
