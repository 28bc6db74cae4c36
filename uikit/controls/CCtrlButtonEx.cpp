#include "controls/CCtrlButtonEx.h"

#include <algorithm>

void CCtrlButtonEx::SetButtonDiv(int columns, int rows) {
    m_columns = std::max(1, columns);
    m_rows = std::max(1, rows);
    update();
}

QRect CCtrlButtonEx::FrameRect(int frame) const {
    if (m_columns == 0) return CCtrlButton::FrameRect(frame);
    const int w = Strip().width() / m_columns;
    const int h = Strip().height() / m_rows;
    const int col = frame % m_columns;
    const int row = frame / m_columns;
    if (row >= m_rows) return QRect();
    return QRect(col * w, row * h, w, h);
}
