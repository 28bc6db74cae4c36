#include "controls/CCtrlVScroll.h"

#include "controls/CCtrlButton.h"
#include "controls/CtrlMessages.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

CCtrlVScroll::CCtrlVScroll(QWidget* parent, int id)
    : CCtrlWnd(parent, id),
      m_top(new CCtrlButton(this, ctrlmsg::ID_VSCROLL_TOP)),
      m_bottom(new CCtrlButton(this, ctrlmsg::ID_VSCROLL_BOTTOM)) {
    LayoutButtons();
}

void CCtrlVScroll::SetImage(const QImage* img, int index, int frames) {
    const QImage copy = img ? *img : QImage();
    switch (index) {
    case ImgThumb: m_thumb = copy; break;
    case ImgTop: m_topImg = copy; m_topFrames = std::max(1, frames); m_top->SetButtonImage(&m_topImg, frames); break;
    case ImgBottom: m_bottomImg = copy; m_bottomFrames = std::max(1, frames); m_bottom->SetButtonImage(&m_bottomImg, frames); break;
    default: return;
    }
    LayoutButtons();
    update();
}

void CCtrlVScroll::SetImageBG(const QImage* img) {
    m_bg = img ? *img : QImage();
    update();
}

int CCtrlVScroll::MaxPos() const { return std::max(0, m_count - m_rows); }

void CCtrlVScroll::SetItemCount(int count) {
    m_count = std::max(0, count);
    m_pos = std::clamp(m_pos, 0, MaxPos());
    update();
}

void CCtrlVScroll::SetMaxRowCount(int rows) {
    m_rows = std::max(1, rows);
    m_pos = std::clamp(m_pos, 0, MaxPos());
    update();
}

void CCtrlVScroll::SetScrollType(int type) {
    m_type = type;
    update();
}

void CCtrlVScroll::SetCurPos(int pos, bool notify) {
    pos = std::clamp(pos, 0, MaxPos());
    if (pos == m_pos) return;
    m_pos = pos;
    update();
    if (notify) SendToParent(ctrlmsg::WM_VSCROLL_POS, uintptr_t(m_pos), 0);
}

void CCtrlVScroll::Step(int delta) { SetCurPos(m_pos + delta, true); }

intptr_t CCtrlVScroll::SendMsg(uint32_t msg, uintptr_t wParam, intptr_t) {
    if (msg != ctrlmsg::WM_COMMAND) return 0;
    const int id = int(wParam & 0xFFFF);
    if (id == ctrlmsg::ID_VSCROLL_TOP) Step(-1);
    else if (id == ctrlmsg::ID_VSCROLL_BOTTOM) Step(1);
    return 0;
}

int CCtrlVScroll::ButtonHeight(const QImage& img, int frames) const {
    // A button is as wide as the bar and keeps its frame's proportions.
    if (img.isNull() || img.width() <= 0) return width();
    const int fw = std::max(1, img.width() / std::max(1, frames));
    return std::max(1, int(std::lround(double(width()) * img.height() / fw)));
}

QRect CCtrlVScroll::TopButtonRect() const {
    const int h = std::min(ButtonHeight(m_topImg, m_topFrames), height() / 2);
    return QRect(0, 0, width(), h);
}

QRect CCtrlVScroll::BottomButtonRect() const {
    const int h = std::min(ButtonHeight(m_bottomImg, m_bottomFrames), height() / 2);
    return QRect(0, height() - h, width(), h);
}

QRect CCtrlVScroll::TrackRect() const {
    const int top = TopButtonRect().bottom() + 1;
    const int bottom = BottomButtonRect().top();
    return QRect(0, top, width(), std::max(0, bottom - top));
}

QRect CCtrlVScroll::ThumbRect() const {
    const QRect track = TrackRect();
    int len;
    if (m_type == ThumbProportional && m_count > 0) {
        len = int(std::lround(double(track.height()) * std::min(m_rows, m_count) / m_count));
    } else {
        len = m_thumb.isNull() || m_thumb.width() <= 0
                  ? width()
                  : int(std::lround(double(width()) * m_thumb.height() / m_thumb.width()));
    }
    len = std::clamp(len, std::min(8, track.height()), track.height());
    const int maxPos = MaxPos();
    const int y = maxPos > 0 ? track.top() + int((long long)(track.height() - len) * m_pos / maxPos)
                             : track.top();
    return QRect(0, y, width(), len);
}

void CCtrlVScroll::LayoutButtons() {
    m_top->setGeometry(TopButtonRect());
    m_bottom->setGeometry(BottomButtonRect());
}

void CCtrlVScroll::resizeEvent(QResizeEvent* e) {
    LayoutButtons();
    CCtrlWnd::resizeEvent(e);
}

void CCtrlVScroll::Draw(QPainter& p) {
    const QRect track = TrackRect();
    if (!m_bg.isNull()) p.drawImage(track, m_bg);
    // Nothing to scroll: no thumb.
    if (MaxPos() > 0 && !m_thumb.isNull()) p.drawImage(ThumbRect(), m_thumb);
}

void CCtrlVScroll::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton || MaxPos() <= 0) return;
    const QPoint pt = e->position().toPoint();
    const QRect thumb = ThumbRect();
    if (thumb.contains(pt)) {
        m_dragging = true;
        m_grabOffset = pt.y() - thumb.top();
    } else if (TrackRect().contains(pt)) {
        // A click on the track pages by the rows shown.
        Step(pt.y() < thumb.top() ? -m_rows : m_rows);
    }
}

void CCtrlVScroll::mouseMoveEvent(QMouseEvent* e) {
    if (!m_dragging) return;
    const QRect track = TrackRect();
    const int free = track.height() - ThumbRect().height();
    if (free <= 0) return;
    const int y = int(e->position().y()) - m_grabOffset - track.top();
    SetCurPos(int(std::lround(double(y) * MaxPos() / free)), true);
}

void CCtrlVScroll::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) m_dragging = false;
}

void CCtrlVScroll::wheelEvent(QWheelEvent* e) {
    m_wheelRest += e->angleDelta().y();
    const int notches = m_wheelRest / 120;
    m_wheelRest -= notches * 120;
    if (notches != 0) Step(-notches);
    e->accept();
}
