#include "controls/CCtrlGroupBox.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

CCtrlGroupBox::CCtrlGroupBox(QWidget* parent, int id) : CCtrlWnd(parent, id) { m_font.SetInit(QString(), 12); }

void CCtrlGroupBox::SetTextColor(const QColor& c) { m_textColour = c; update(); }
void CCtrlGroupBox::SetBorderColor(const QColor& c) { m_border = c; update(); }
void CCtrlGroupBox::SetBackgroundColor(const QColor& c) { m_background = c; update(); }
void CCtrlGroupBox::SetHeaderBkColor(const QColor& c) { m_headerBk = c; update(); }
void CCtrlGroupBox::SetAlignment(int hAlign) { m_align = hAlign; update(); }
void CCtrlGroupBox::SetBorderStyle(int style) { m_style = style; update(); }

void CCtrlGroupBox::SetInitFont(const QString& face, int pixelSize, int style) {
    m_font.SetInit(face, pixelSize, style);
    update();
}

void CCtrlGroupBox::SetMargins(int textMargin, int frameInset) {
    m_textMargin = std::max(0, textMargin);
    m_frameInset = std::max(0, frameInset);
    update();
}

void CCtrlGroupBox::SetIcon(const QImage* icon) {
    m_icon = icon ? *icon : QImage();
    update();
}

void CCtrlGroupBox::EnableWindow(bool enable) {
    setEnabled(enable);  // child widgets follow their parent
    QWidget* parent = parentWidget();
    if (!parent) return;
    const QRect area = geometry();
    for (QWidget* w : parent->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (w != this && area.contains(w->geometry())) w->setEnabled(enable);
}

int CCtrlGroupBox::HeaderHeight() const {
    const int text = QFontMetrics(m_font.Font()).height();
    return std::max(text, m_icon.isNull() ? 0 : m_icon.height());
}

QRect CCtrlGroupBox::HeaderRect() const {
    return QRect(m_frameInset, m_frameInset, std::max(0, width() - 2 * m_frameInset), HeaderHeight());
}

QRect CCtrlGroupBox::FrameRect() const {
    const QRect r = rect().adjusted(m_frameInset, m_frameInset, -m_frameInset - 1, -m_frameInset - 1);
    if (m_style == BorderFrame || m_style == BorderRounded) return r.adjusted(0, HeaderHeight() / 2, 0, 0);
    return r;
}

void CCtrlGroupBox::Draw(QPainter& p) {
    const QRect frame = FrameRect();
    const QRect header = HeaderRect();
    if (m_background.alpha() > 0) p.fillRect(frame, m_background);
    if (m_style == BorderHeader) p.fillRect(header, m_headerBk);

    // The header's content: icon then text, placed by the alignment.
    const QFontMetrics fm(m_font.Font());
    const int gap = m_icon.isNull() ? 0 : 4;
    const int textW = m_text.isEmpty() ? 0 : fm.horizontalAdvance(m_text);
    const int contentW = (m_icon.isNull() ? 0 : m_icon.width()) + gap + textW;
    const int room = header.width() - 2 * m_textMargin;
    int x = header.left() + m_textMargin;
    if (m_align == StringAlignmentCenter) x += std::max(0, (room - contentW) / 2);
    else if (m_align == StringAlignmentFar) x += std::max(0, room - contentW);
    const QRect content(x - 2, header.top(), contentW + 4, header.height());

    if (m_style == BorderFrame || m_style == BorderRounded || m_style == BorderHeader) {
        p.save();
        if (m_style != BorderHeader && contentW > 0) {
            // The line stops where the header content sits on it.
            QPainterPath clip;
            clip.addRect(rect());
            QPainterPath hole;
            hole.addRect(content);
            p.setClipPath(clip.subtracted(hole));
        }
        p.setPen(QPen(m_border, 1));
        p.setBrush(Qt::NoBrush);
        p.setRenderHint(QPainter::Antialiasing, m_style == BorderRounded);
        if (m_style == BorderRounded)
            p.drawRoundedRect(QRectF(frame).adjusted(0.5, 0.5, -0.5, -0.5), 6, 6);
        else
            p.drawRect(frame);
        p.restore();
    }
    if (!m_icon.isNull()) {
        p.drawImage(QPoint(x, header.top() + (header.height() - m_icon.height()) / 2), m_icon);
        x += m_icon.width() + gap;
    }
    m_font.DrawString(p, m_text, x, header.top(), textW, header.height(), isEnabled() ? m_textColour : m_border,
                      StringAlignmentNear, StringAlignmentCenter);
}
