#include "controls/CCtrlStatic.h"

#include <QPainter>

namespace {
constexpr int kIconGap = 4;  // between the icon and the text
}  // namespace

CCtrlStatic::CCtrlStatic(QWidget* parent, int id) : CCtrlWnd(parent, id) {
    m_font.SetInit(QString(), 12);
    setAttribute(Qt::WA_TransparentForMouseEvents, false);
}

void CCtrlStatic::SetBkImage(const QImage* img) {
    m_bk = img ? *img : QImage();
    update();
}

void CCtrlStatic::SetImageIcon(const QImage* icon) {
    m_icon = icon ? *icon : QImage();
    update();
}

void CCtrlStatic::SetInitFont(const QString& face, int pixelSize, int style) {
    m_font.SetInit(face, pixelSize, style);
    update();
}

void CCtrlStatic::SetTextAlign(int hAlign, int vAlign) {
    m_hAlign = hAlign;
    m_vAlign = vAlign;
    update();
}

void CCtrlStatic::SetTextColor(const QColor& colour) {
    m_colour = colour;
    update();
}

void CCtrlStatic::Draw(QPainter& p) {
    QRect r = rect();
    if (!m_bk.isNull()) p.drawImage(r, m_bk);
    if (!m_icon.isNull()) {
        p.drawImage(QPoint(0, (r.height() - m_icon.height()) / 2), m_icon);
        r.setLeft(m_icon.width() + kIconGap);
    }
    m_font.DrawString(p, m_text, r.x(), r.y(), r.width(), r.height(), m_colour, m_hAlign, m_vAlign);
}
