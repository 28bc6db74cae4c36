#include "controls/CCtrlImage.h"

#include <QPainter>
#include <algorithm>

CCtrlImage::CCtrlImage(QWidget* parent, int id) : CCtrlWnd(parent, id) { m_font.SetInit(QString(), 12); }

void CCtrlImage::SetImage(const QImage* img) {
    m_img = img ? *img : QImage();
    update();
}

void CCtrlImage::SetImageBk(const QImage* img) {
    m_bk = img ? *img : QImage();
    update();
}

void CCtrlImage::SetInitFont(const QString& face, int pixelSize, int style) {
    m_font.SetInit(face, pixelSize, style);
    update();
}

void CCtrlImage::SetTextAlign(int hAlign, int vAlign) {
    m_hAlign = hAlign;
    m_vAlign = vAlign;
    update();
}

void CCtrlImage::SetTextColor(const QColor& colour) {
    m_colour = colour;
    update();
}

void CCtrlImage::SetTextOffset(int x, int y) {
    m_textOffset = QPoint(x, y);
    update();
}

QRect CCtrlImage::PictureRect() const {
    if (m_img.isNull() || width() <= 0 || height() <= 0) return QRect();
    const double k = std::min({1.0, double(width()) / m_img.width(), double(height()) / m_img.height()});
    const int w = std::max(1, int(m_img.width() * k));
    const int h = std::max(1, int(m_img.height() * k));
    return QRect((width() - w) / 2, (height() - h) / 2, w, h);
}

void CCtrlImage::Draw(QPainter& p) {
    if (!m_bk.isNull()) p.drawImage(rect(), m_bk);
    if (!m_img.isNull()) p.drawImage(PictureRect(), m_img);
    const QRect tr = rect().translated(m_textOffset);
    m_font.DrawString(p, m_text, tr.x(), tr.y(), tr.width(), tr.height(), m_colour, m_hAlign, m_vAlign);
}
