#include "controls/CCtrlButton.h"

#include "controls/CtrlMessages.h"

#include <QEnterEvent>
#include <QMouseEvent>
#include <QPainter>

CCtrlButton::CCtrlButton(QWidget* parent, int id, Style style) : CCtrlWnd(parent, id), m_style(style) {
    setMouseTracking(true);
    m_textColour[StateNormal] = Qt::black;
    m_textColourSet[StateNormal] = true;
    m_font.SetInit(QString(), 12);
}

void CCtrlButton::SetButtonImage(const QImage* strip, int frames, bool vertical) {
    m_strip = strip ? *strip : QImage();
    m_frames = frames;
    m_vertical = vertical;
    update();
}

void CCtrlButton::SetButtonImageBg(const QImage* bg) {
    m_bg = bg ? *bg : QImage();
    update();
}

void CCtrlButton::SetButtonType(int drawType, int border) {
    m_drawType = drawType;
    m_border = border;
    update();
}

void CCtrlButton::SetInitFont(const QString& face, int pixelSize, int style) {
    m_font.SetInit(face, pixelSize, style);
    update();
}

void CCtrlButton::SetTextColor(const QColor& colour, int state) {
    if (state < 0 || state >= StateCount) return;
    m_textColour[state] = colour;
    m_textColourSet[state] = true;
    update();
}

void CCtrlButton::SetCheck(int checked) {
    if (m_checked == (checked != 0)) return;
    m_checked = checked != 0;
    update();
}

int CCtrlButton::GetState() const {
    const bool disabled = !isEnabled();
    const bool pressed = (m_down && m_downInside) || (m_style != StylePush && m_checked);
    if (disabled) return pressed ? StateDisabledPressed : StateDisabled;
    if (pressed) return m_hover ? StatePressedHover : StatePressed;
    return m_hover ? StateHover : StateNormal;
}

int CCtrlButton::FrameTable(int frames, int state) {
    static constexpr int two[StateCount] = {0, 0, 0, 1, 1, 1};
    static constexpr int four[StateCount] = {0, 1, 2, 3, 3, 2};
    static constexpr int six[StateCount] = {0, 1, 2, 3, 4, 5};
    if (state < 0 || state >= StateCount) return 0;
    switch (frames) {
    case 2: return two[state];
    case 4: return four[state];
    case 6: return six[state];
    default: return 0;
    }
}

int CCtrlButton::FrameForState(int state) const { return FrameTable(m_frames, state); }

QRect CCtrlButton::FrameRect(int frame) const {
    const int n = m_frames > 0 ? m_frames : 1;
    if (m_vertical) {
        const int h = m_strip.height() / n;
        return QRect(0, frame * h, m_strip.width(), h);
    }
    const int w = m_strip.width() / n;
    return QRect(frame * w, 0, w, m_strip.height());
}

void CCtrlButton::Draw(QPainter& p) {
    const QRect r = rect();
    if (!m_bg.isNull()) p.drawImage(r, m_bg);
    const int state = GetState();
    if (!m_strip.isNull()) {
        const QRect src = FrameRect(FrameForState(state));
        if (m_drawType == 2) {
            CCtrlGDIpString::DrawBtn(p, m_strip, r, src,
                                     QMargins(m_border, m_border, m_border, m_border));
        } else if (!src.isEmpty()) {
            p.drawImage(r, m_strip, src);
        }
    }
    if (!m_text.isEmpty()) {
        const QColor colour = m_textColourSet[state] ? m_textColour[state] : m_textColour[StateNormal];
        const QRect tr = r.adjusted(m_textOffsetX, m_textOffsetY, 0, 0);
        m_font.DrawString(p, m_text, tr.x(), tr.y(), tr.width(), tr.height(), colour,
                          StringAlignmentCenter, StringAlignmentCenter);
    }
}

void CCtrlButton::Click() {
    if (m_style == StyleCheck) {
        m_checked = !m_checked;
    } else if (m_style == StyleRadio) {
        // A radio button turns itself on and its radio siblings off, so one
        // choice of the group is always shown.
        m_checked = true;
        if (QWidget* parent = parentWidget()) {
            for (CCtrlButton* b : parent->findChildren<CCtrlButton*>(QString(), Qt::FindDirectChildrenOnly))
                if (b != this && b->m_style == StyleRadio) b->SetCheck(0);
        }
    }
    update();
    SendToParent(ctrlmsg::WM_COMMAND, uintptr_t(GetDlgCtrlID() & 0xFFFF) | (ctrlmsg::BN_CLICKED << 16), 0);
}

void CCtrlButton::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    m_down = true;
    m_downInside = true;
    m_hover = true;
    update();
}

void CCtrlButton::mouseDoubleClickEvent(QMouseEvent* e) {
    // A second click in quick succession is a click like the first.
    mousePressEvent(e);
}

void CCtrlButton::mouseMoveEvent(QMouseEvent* e) {
    const bool inside = rect().contains(e->position().toPoint());
    if (inside != m_hover || (m_down && inside != m_downInside)) {
        m_hover = inside;
        if (m_down) m_downInside = inside;
        update();
    }
}

void CCtrlButton::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton || !m_down) return;
    const bool inside = rect().contains(e->position().toPoint());
    m_down = false;
    m_downInside = false;
    m_hover = inside;
    update();
    if (inside && isEnabled()) Click();
}

void CCtrlButton::enterEvent(QEnterEvent*) {
    m_hover = true;
    update();
}

void CCtrlButton::leaveEvent(QEvent*) {
    m_hover = false;
    update();
}

void CCtrlButton::changeEvent(QEvent* e) {
    if (e->type() == QEvent::EnabledChange) {
        m_down = false;
        update();
    }
    CCtrlWnd::changeEvent(e);
}
