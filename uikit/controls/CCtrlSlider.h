#pragma once
// Horizontal slider (play position, volume, speed). The thumb follows the
// position; pressing, dragging and releasing the mouse set the position from
// the pointer and report each step to the parent.
#include "controls/CCtrlWnd.h"

#include <array>

class CCtrlSlider : public CCtrlWnd {
    Q_OBJECT
public:
    enum Image { ImgLeftBar = 0, ImgRightBar = 1, ImgThumb = 2 };

    explicit CCtrlSlider(QWidget* parent = nullptr, int id = 0);

    // 0: bar left of the thumb, 1: bar right of it, 2: the thumb.
    void SetImage(const QImage* img, int index);
    // Background stretched over the control with `left` and `right` pixels at
    // either end kept unscaled; the bars run between those margins, their top
    // at `top` (a negative `top` centres them vertically).
    void SetImageBG(const QImage* img, int left, int right, int top);
    // A range given the wrong way round is swapped.
    void SetRange(int min, int max);
    void GetRange(int& min, int& max) const { min = m_min; max = m_max; }
    int GetRangeMin() const { return m_min; }
    int GetRangeMax() const { return m_max; }
    // Clamped to the range.
    void SetPos(int pos);
    int GetPos() const { return m_pos; }
    bool IsDragging() const { return m_dragging; }

    int ThumbWidth() const;
    // Left edge of the thumb for a position.
    int ThumbLeft(int pos) const;
    // Position under pointer x (the thumb's centre follows the pointer), clamped.
    int PosFromPoint(int x) const;

protected:
    void Draw(QPainter& p) override;
    // Draws the bars between x0 and x1 around the thumb at thumbLeft.
    virtual void DrawBars(QPainter& p, int x0, int x1, int thumbLeft, int thumbWidth);
    QRect BarRect(const QImage& img, int left, int right) const;
    const QImage& Img(int i) const { return m_img[size_t(i)]; }

    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    std::array<QImage, 3> m_img;
    QImage m_bg;
    int m_bgLeft = 0, m_bgRight = 0, m_bgTop = -1;
    int m_min = 0, m_max = 100, m_pos = 0;
    bool m_dragging = false;
};
