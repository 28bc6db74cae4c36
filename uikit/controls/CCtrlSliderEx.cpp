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
        // Both bars span the whole track; the left one shows up to the thumb.
        if (!r.isNull() && x1 > x0) p.drawImage(BarRect(r, x0, x1), r);
        if (!l.isNull() && centre > x0 && x1 > x0) {
            const QRect full = BarRect(l, x0, x1);
            p.save();
            p.setClipRect(QRect(x0, full.top(), centre - x0, full.height()));
            p.drawImage(full, l);
            p.restore();
        }
        break;
    default:
        CCtrlSlider::DrawBars(p, x0, x1, thumbLeft, thumbWidth);
    }
}
