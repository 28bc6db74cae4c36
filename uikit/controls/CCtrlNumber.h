#pragma once
// A number drawn from digit pictures: the first N characters of the window
// text, each digit 0..9 drawn with its own image in an equal cell.
#include "controls/CCtrlWnd.h"

#include <array>

class CCtrlNumber : public CCtrlWnd {
    Q_OBJECT
public:
    explicit CCtrlNumber(QWidget* parent = nullptr, int id = 0);

    // Image of digit `digit` (0..9); other indexes are ignored.
    void SetImage(const QImage* img, int digit);
    // A negative x or y stretches the whole image over the control; otherwise
    // the control-sized part of the image starting at (x, y) is drawn unscaled.
    void SetBkImage(const QImage* img, int x = -1, int y = -1);
    // Number of characters shown.
    void SetDigit(int count);
    int GetDigit() const { return m_digits; }

    // Cell of character i: the control's width divided evenly among the
    // characters shown.
    QRect CellRect(int i) const;

protected:
    void Draw(QPainter& p) override;

private:
    std::array<QImage, 10> m_digitImg;
    QImage m_bk;
    QPoint m_bkOrigin{-1, -1};
    int m_digits = 0;
};
