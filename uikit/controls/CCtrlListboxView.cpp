// CCtrlListbox: layout at the current size, painting, mouse and wheel.
#include "controls/CCtrlListbox.h"

#include "controls/CCtrlVScroll.h"
#include "controls/CtrlMessages.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

namespace {
int Round(double v) { return int(std::lround(v)); }
}  // namespace

double CCtrlListbox::Scale() const {
    if (m_base.width() <= 0) return 1.0;
    return std::min(1.0, double(width()) / double(m_base.width()));
}

int CCtrlListbox::RowHeight() const { return std::max(1, Round(m_rowHeight * Scale())); }

int CCtrlListbox::HeaderHeight() const { return Round(m_headerHeight * Scale()); }

int CCtrlListbox::FontPixelSize() const { return std::max(1, Round(m_fontSize * Scale())); }

int CCtrlListbox::VisibleRows() const { return std::max(0, (height() - HeaderHeight()) / RowHeight()); }

int CCtrlListbox::ColumnWidth(int column) const {
    auto it = m_columns.find(column);
    return it == m_columns.end() ? 0 : Round(it->second.width * Scale());
}

int CCtrlListbox::ColumnLeft(int column) const {
    int x = 0;
    for (auto it = m_columns.begin(); it != m_columns.end() && it->first < column; ++it)
        x += Round(it->second.width * Scale());
    return x;
}

int CCtrlListbox::RowsRight() const { return m_vscroll ? m_vscroll->x() : width(); }

QRect CCtrlListbox::RowRect(int row) const {
    const int r = RowHeight();
    return QRect(0, HeaderHeight() + row * r, RowsRight(), r);
}

QRect CCtrlListbox::CheckSquare(const QRect& cell, int height) const {
    const int q = std::min(cell.width(), height);
    const int side = q - 2 * (q / 4);
    return QRect(cell.left() + (cell.width() - side) / 2, cell.top() + (height - side) / 2, side, side);
}

// Check boxes sit in the first column (its header has no title), the play mark
// in the last one.
QRect CCtrlListbox::RowCheckRect(int row) const {
    const QRect rr = RowRect(row);
    const int first = m_columns.empty() ? 0 : m_columns.begin()->first;
    const int w = m_columns.empty() ? rr.height() : ColumnWidth(first);
    return CheckSquare(QRect(ColumnLeft(first), rr.top(), w, rr.height()), rr.height());
}

QRect CCtrlListbox::HeaderCheckRect() const {
    const int first = m_columns.empty() ? 0 : m_columns.begin()->first;
    const int h = HeaderHeight();
    const int w = m_columns.empty() ? h : ColumnWidth(first);
    return CheckSquare(QRect(ColumnLeft(first), 0, w, h), h);
}

QRect CCtrlListbox::PlayMarkRect(int row) const {
    const QImage& mark = m_img[m_playStatus == 1 ? ImgPlaying : ImgPaused];
    if (m_columns.empty() || mark.isNull()) return QRect();
    const int last = m_columns.rbegin()->first;
    const QRect rr = RowRect(row);
    const QRect cell(ColumnLeft(last), rr.top(), ColumnWidth(last), rr.height());
    const double s = Scale();
    const int w = std::min(cell.width(), Round(mark.width() * s));
    const int h = std::min(cell.height(), Round(mark.height() * s));
    return QRect(cell.left() + (cell.width() - w) / 2, cell.top() + (cell.height() - h) / 2, w, h);
}

void CCtrlListbox::SyncScroll() {
    m_top = std::clamp(m_top, 0, MaxTop());
    if (!m_vscroll) return;
    const double s = Scale();
    const QImage& topImg = m_img[ImgScrollTop];
    const int w = std::max(1, Round((topImg.isNull() ? 14 : topImg.width()) * s));
    const int h = HeaderHeight();
    m_vscroll->setGeometry(width() - w, h, w, std::max(0, height() - h));
    m_vscroll->SetMaxRowCount(std::max(1, VisibleRows()));
    m_vscroll->SetItemCount(GetItemCount());
    m_vscroll->SetCurPos(m_top, false);
}

void CCtrlListbox::resizeEvent(QResizeEvent* e) {
    SyncScroll();
    CCtrlWnd::resizeEvent(e);
}

// --- painting

void CCtrlListbox::DrawHeader(QPainter& p, const QFont& font) {
    const int h = HeaderHeight();
    if (h <= 0) return;
    const double s = Scale();
    const QRect header(0, 0, width(), h);
    if (!m_img[ImgHeaderTop].isNull()) p.drawImage(header, m_img[ImgHeaderTop]);
    const QImage& line = m_img[ImgHeaderBottom];
    if (!line.isNull()) {
        const int lh = std::clamp(Round(line.height() * s), 1, h);
        p.drawImage(QRect(0, h - lh, width(), lh), line);
    }
    const int pad = Round(4 * s);
    p.setFont(font);
    for (const auto& [index, col] : m_columns) {
        const int x = ColumnLeft(index);
        const int w = ColumnWidth(index);
        if (!col.title.isEmpty()) {
            p.setPen(m_colour[ColourHeader]);
            p.drawText(QRect(x + pad, 0, std::max(0, w - 2 * pad), h),
                       int(ToQtAlign(col.align, StringAlignmentCenter)) | Qt::TextSingleLine, col.title);
        }
        if (col.separator && !m_img[ImgSeparator].isNull())
            p.drawImage(QRect(x + w - 1, 0, 1, h), m_img[ImgSeparator]);
    }
    if (m_headerCheckShown) {
        const QImage& box = m_img[m_headerCheck < 0 ? ImgCheckPartly : m_headerCheck ? ImgCheckOn : ImgCheckOff];
        if (!box.isNull()) p.drawImage(HeaderCheckRect(), box);
    }
}

void CCtrlListbox::DrawRow(QPainter& p, int row, const Item& item, int index, const QFont& font) {
    const QRect rr = RowRect(row);
    const double s = Scale();
    if (!m_img[ImgRow].isNull()) p.drawImage(rr, m_img[ImgRow]);
    const bool selected = index == m_selected;
    const bool indicated = m_option2 && index == m_indicated;
    if (selected && !m_img[ImgSelected].isNull()) p.drawImage(rr, m_img[ImgSelected]);
    if (indicated) {
        const QImage& mark = m_img[m_playStatus == 1 ? ImgPlaying : ImgPaused];
        if (!mark.isNull()) p.drawImage(PlayMarkRect(row), mark);
    }
    const QColor colour = m_colour[selected && indicated ? ColourSelectedIndicated
                                   : indicated           ? ColourIndicated
                                   : selected            ? ColourSelected
                                                         : ColourRow];
    const int pad = Round(4 * s);
    p.setFont(font);
    p.setPen(colour);
    for (const auto& [c, col] : m_columns) {
        const QRect cell(ColumnLeft(c), rr.top(), ColumnWidth(c), rr.height());
        const QString& text = item.text[size_t(c)];
        if (!text.isEmpty())
            p.drawText(cell.adjusted(pad, 0, -pad, 0),
                       int(ToQtAlign(col.align, StringAlignmentCenter)) | Qt::TextSingleLine, text);
        const QImage& bmp = item.bitmap[size_t(c)];
        if (!bmp.isNull()) {
            const int w = std::min(cell.width(), Round(bmp.width() * s));
            const int h = std::min(cell.height(), Round(bmp.height() * s));
            p.drawImage(QRect(cell.left() + (cell.width() - w) / 2, cell.top() + (cell.height() - h) / 2, w, h), bmp);
        }
    }
    if (m_checkboxes) {
        const QImage& box = m_img[item.check < 0 ? ImgCheckPartly : item.check ? ImgCheckOn : ImgCheckOff];
        if (!box.isNull()) p.drawImage(RowCheckRect(row), box);
    }
}

void CCtrlListbox::Draw(QPainter& p) {
    if (!m_img[ImgBackground].isNull()) p.drawImage(rect(), m_img[ImgBackground]);
    CCtrlGDIpString regular, bold;
    regular.SetInit(m_fontFace, FontPixelSize(), FontStyleRegular);
    bold.SetInit(m_fontFace, FontPixelSize(), FontStyleBold);
    DrawHeader(p, bold.Font());
    const int rows = VisibleRows();
    for (int i = 0; i < rows; ++i) {
        const int index = m_top + i;
        if (const Item* item = FindItem(index)) DrawRow(p, i, *item, index, regular.Font());
    }
}

// --- mouse

int CCtrlListbox::ItemAt(const QPoint& pt, int* row) const {
    const int h = HeaderHeight();
    // Points on the header are not rows (integer division would fold the
    // header's lower part into row 0).
    if (pt.y() < h || pt.x() < 0 || pt.x() >= RowsRight()) return -1;
    const int r = (pt.y() - h) / RowHeight();
    if (r < 0 || r >= VisibleRows()) return -1;
    const int index = m_top + r;
    if (!FindItem(index)) return -1;
    if (row) *row = r;
    return index;
}

void CCtrlListbox::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    const QPoint pt = e->position().toPoint();
    if (m_headerCheckShown && HeaderCheckRect().contains(pt)) {
        const int state = m_headerCheck == 0 ? 1 : 0;
        SetCheck(-1, state);
        SendToParent(ctrlmsg::WM_LISTBOX_CHECK, uintptr_t(intptr_t(-1)), GetDlgCtrlID());
        return;
    }
    int row = 0;
    const int index = ItemAt(pt, &row);
    if (index < 0) return;
    if (m_checkboxes && RowCheckRect(row).contains(pt)) {
        Item* item = FindItem(index);
        item->check = item->check != 0 ? 0 : 1;
        if (m_headerCheckShown) RecomputeHeaderCheck();
        update();
        SendToParent(ctrlmsg::WM_LISTBOX_CHECK, uintptr_t(index), GetDlgCtrlID());
        return;
    }
    m_selected = index;
    update();
    SendToParent(ctrlmsg::WM_LISTBOX_CLICK, uintptr_t(index), GetDlgCtrlID());
}

void CCtrlListbox::mouseDoubleClickEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    const QPoint pt = e->position().toPoint();
    int row = 0;
    const int index = ItemAt(pt, &row);
    if (index < 0) return;
    // Quick clicks on a check box only toggle it; they do not start playback.
    if (m_checkboxes && RowCheckRect(row).contains(pt)) return;
    if (m_option2) m_indicated = index;
    update();
    SendToParent(ctrlmsg::WM_LISTBOX_DBLCLICK, uintptr_t(index), GetDlgCtrlID());
}

void CCtrlListbox::wheelEvent(QWheelEvent* e) {
    m_wheelRest += e->angleDelta().y();
    const int notches = m_wheelRest / 120;
    m_wheelRest -= notches * 120;
    if (notches != 0) SetTop(m_top - notches);
    e->accept();
}
