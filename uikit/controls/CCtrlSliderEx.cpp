#include "controls/CCtrlSliderEx.h"

#include <QPainter>
#include <algorithm>

void CCtrlSliderEx::SetBarType(int type) {
    m_barType = type;
    update();
}

void CCtrlSliderEx::DrawBars(QPainter& p, int x0, int x1, int thumbLeft, int thumbWidth) {
    const QImage& l = Img(ImgLeftBar);
    const QImage& r = Img(ImgRightBar);
    const int centre = std::clamp(thumbLeft + thumbWidth / 2, x0, x1);
    switch (m_barType) {
    case BarToCentre:
        if (!l.isNull() && centre > x0) p.drawImage(BarRect(l, x0, centre), l);
        if (!r.isNull() && x1 > centre) p.drawImage(BarRect(r, centre, x1), r);
        break;
    case BarReveal:
        if (!r.isNull() && x1 > x0) p.drawImage(BarRect(r, x0, x1), r);
        if (!l.isNull() && centre > x0) {
            const QRect dst = BarRect(l, x0, centre);
            p.drawImage(dst.topLeft(), l, QRect(0, 0, dst.width(), dst.height()));
        }
        break;
    default:
        CCtrlSlider::DrawBars(p, x0, x1, thumbLeft, thumbWidth);
    }
}
