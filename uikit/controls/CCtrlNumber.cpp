#include "controls/CCtrlNumber.h"

#include <QPainter>
#include <algorithm>

CCtrlNumber::CCtrlNumber(QWidget* parent, int id) : CCtrlWnd(parent, id) {}

void CCtrlNumber::SetImage(const QImage* img, int digit) {
    if (digit < 0 || digit > 9) return;
    m_digitImg[size_t(digit)] = img ? *img : QImage();
    update();
}

void CCtrlNumber::SetBkImage(const QImage* img, int x, int y) {
    m_bk = img ? *img : QImage();
    m_bkOrigin = QPoint(x, y);
    update();
}

void CCtrlNumber::SetDigit(int count) {
    m_digits = std::max(0, count);
    update();
}

QRect CCtrlNumber::CellRect(int i) const {
    if (m_digits <= 0) return QRect();
    const int cw = width() / m_digits;
    return QRect(i * width() / m_digits, 0, cw, height());
}

void CCtrlNumber::Draw(QPainter& p) {
    if (!m_bk.isNull()) {
        if (m_bkOrigin.x() < 0 || m_bkOrigin.y() < 0)
            p.drawImage(rect(), m_bk);
        else
            p.drawImage(QPoint(0, 0), m_bk, QRect(m_bkOrigin, size()));
    }
    const int n = std::min<int>(m_digits, int(m_text.size()));
    for (int i = 0; i < n; ++i) {
        const QChar c = m_text.at(i);
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) continue;
        const QImage& img = m_digitImg[size_t(c.unicode() - '0')];
        if (!img.isNull()) p.drawImage(CellRect(i), img);
    }
}
