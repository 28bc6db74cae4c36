#pragma once
// Vertical scroll bar over a list of rows: a top and a bottom button, a track
// and a thumb. The position is the first row shown, 0 .. item count - rows
// shown; every change made by the user goes to the parent as WM_VSCROLL_POS.
#include "controls/CCtrlWnd.h"
#include "controls/CMsgTarget.h"

class CCtrlButton;

class CCtrlVScroll : public CCtrlWnd, public CMsgTarget {
    Q_OBJECT
public:
    enum Image { ImgThumb = 0, ImgTop = 1, ImgBottom = 2 };
    enum ScrollType { ThumbFixed = 0, ThumbProportional = 1 };

    explicit CCtrlVScroll(QWidget* parent = nullptr, int id = 0);

    // 0: thumb (stretched to the thumb's box), 1: top button, 2: bottom button.
    // Button images are strips of `frames` state frames (see CCtrlButton).
    void SetImage(const QImage* img, int index, int frames = 1);
    // The track's background, stretched.
    void SetImageBG(const QImage* img);
    void SetItemCount(int count);
    void SetMaxRowCount(int rows);
    int GetItemCount() const { return m_count; }
    int GetMaxRowCount() const { return m_rows; }
    // Fixed: the thumb keeps its picture's height; proportional: its length
    // follows the share of rows shown.
    void SetScrollType(int type);
    // Clamped to the valid range; sends WM_VSCROLL_POS when `notify` is set
    // and the position changed.
    void SetCurPos(int pos, bool notify = false);
    int GetCurPos() const { return m_pos; }
    int MaxPos() const;

    // Layout, in the bar's own coordinates.
    QRect TopButtonRect() const;
    QRect BottomButtonRect() const;
    QRect TrackRect() const;
    QRect ThumbRect() const;

    intptr_t SendMsg(uint32_t msg, uintptr_t wParam, intptr_t lParam) override;

protected:
    void Draw(QPainter& p) override;
    void resizeEvent(QResizeEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;

private:
    int ButtonHeight(const QImage& img, int frames) const;
    void Step(int delta);
    void LayoutButtons();

    CCtrlButton* m_top;
    CCtrlButton* m_bottom;
    QImage m_thumb, m_topImg, m_bottomImg, m_bg;
    int m_topFrames = 1, m_bottomFrames = 1;
    int m_type = ThumbFixed;
    int m_count = 0, m_rows = 1, m_pos = 0;
    bool m_dragging = false;
    int m_grabOffset = 0;
    int m_wheelRest = 0;
};
