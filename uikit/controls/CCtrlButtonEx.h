#pragma once
// A skinned button whose image is divided into a grid of frames (columns x
// rows, read row by row) instead of a single strip.
#include "controls/CCtrlButton.h"

class CCtrlButtonEx : public CCtrlButton {
    Q_OBJECT
public:
    using CCtrlButton::CCtrlButton;

    // Divides the image into `columns` x `rows` equal frames; frame n is at
    // column n % columns, row n / columns. Values below 1 count as 1.
    void SetButtonDiv(int columns, int rows);

protected:
    QRect FrameRect(int frame) const override;

private:
    int m_columns = 0;  // 0: not divided, the plain strip rule applies
    int m_rows = 1;
};
