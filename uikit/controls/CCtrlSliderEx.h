#pragma once
// The slider with a choice of how the bar is drawn around the thumb.
#include "controls/CCtrlSlider.h"

class CCtrlSliderEx : public CCtrlSlider {
    Q_OBJECT
public:
    enum BarType {
        BarBesideThumb = 0,  // as CCtrlSlider: the bars end at the thumb's edges
        BarToCentre = 1,     // the bars meet under the thumb's centre
        BarReveal = 2,       // both bars are stretched over the whole track and the
                             // left one is shown only up to the thumb's centre
    };
    using CCtrlSlider::CCtrlSlider;

    void SetBarType(int type);
    int GetBarType() const { return m_barType; }

protected:
    void DrawBars(QPainter& p, int x0, int x1, int thumbLeft, int thumbWidth) override;

private:
    int m_barType = BarBesideThumb;
};
