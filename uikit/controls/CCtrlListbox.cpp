// CCtrlListbox: columns, items, selection and check-box state.
#include "controls/CCtrlListbox.h"

#include "controls/CCtrlVScroll.h"
#include "controls/CtrlMessages.h"

#include <algorithm>

CCtrlListbox::CCtrlListbox(QWidget* parent, int id) : CCtrlWnd(parent, id) {
    m_colour.fill(QColor(0, 0, 0, 255));
}

void CCtrlListbox::SetBaseRect(const QRect& r) {
    m_base = r;
    SyncScroll();
    update();
}

void CCtrlListbox::SetRowHeight(int h) {
    m_rowHeight = std::max(1, h);
    SyncScroll();
    update();
}

void CCtrlListbox::SetRowHeightHeader(int h) {
    m_headerHeight = std::max(0, h);
    SyncScroll();
    update();
}

void CCtrlListbox::SetColor(int index, const QColor& colour) {
    if (index < 0 || index >= ColourCount) return;
    m_colour[size_t(index)] = colour;
    update();
}

void CCtrlListbox::SetImage(const QImage* img, int index) {
    if (index < 0 || index >= kImageCount) return;
    m_img[size_t(index)] = img ? *img : QImage();
    if (m_vscroll && index >= ImgScrollSpan && index <= ImgScrollBottom) {
        if (index == ImgScrollSpan) m_vscroll->SetImageBG(img);
        if (index == ImgScrollThumb) m_vscroll->SetImage(img, CCtrlVScroll::ImgThumb);
        if (index == ImgScrollTop) m_vscroll->SetImage(img, CCtrlVScroll::ImgTop);
        if (index == ImgScrollBottom) m_vscroll->SetImage(img, CCtrlVScroll::ImgBottom);
        SyncScroll();
    }
    update();
}

void CCtrlListbox::SetInitFont(const QString& face, int pixelSize) {
    m_fontFace = face;
    m_fontSize = pixelSize;
    update();
}

void CCtrlListbox::ActivateCheckbox(bool on) {
    m_checkboxes = on;
    update();
}

void CCtrlListbox::ShowHeaderCheckbox(bool show) {
    m_headerCheckShown = show;
    if (show) RecomputeHeaderCheck();
    update();
}

void CCtrlListbox::ActivateVScroll(int maxRows) {
    if (!m_vscroll) {
        m_vscroll = new CCtrlVScroll(this);
        m_vscroll->SetImageBG(&m_img[ImgScrollSpan]);
        m_vscroll->SetImage(&m_img[ImgScrollThumb], CCtrlVScroll::ImgThumb);
        m_vscroll->SetImage(&m_img[ImgScrollTop], CCtrlVScroll::ImgTop);
        m_vscroll->SetImage(&m_img[ImgScrollBottom], CCtrlVScroll::ImgBottom);
        m_vscroll->show();
    }
    m_vscroll->SetMaxRowCount(std::max(1, maxRows));
    SyncScroll();
    update();
}

void CCtrlListbox::SetOption(int first, int second) {
    m_option1 = first;
    m_option2 = second;
    if (second) m_indicated = -1;
    update();
}

void CCtrlListbox::InsertColumn(int index, const QString& title, int width, int flag) {
    if (index < 0 || index >= kMaxColumns) return;
    Column c;
    c.title = title;
    c.width = width;
    c.separator = flag != 0;
    c.align = index == 1 ? StringAlignmentNear : StringAlignmentCenter;
    m_columns[index] = c;
    update();
}

void CCtrlListbox::SetColumnAlign(int index, int align, bool redraw) {
    auto it = m_columns.find(index);
    if (it == m_columns.end()) return;
    it->second.align = align;
    if (redraw) update();
}

void CCtrlListbox::SetColumnWidth(int index, int width, bool redraw) {
    auto it = m_columns.find(index);
    if (it == m_columns.end()) return;
    it->second.width = width;
    if (redraw) update();
}

void CCtrlListbox::SetColumnText(int index, const QString& title, bool redraw) {
    auto it = m_columns.find(index);
    if (it == m_columns.end()) return;
    it->second.title = title;
    if (redraw) update();
}

CCtrlListbox::Item* CCtrlListbox::FindItem(int index) {
    auto it = m_items.find(index);
    return it == m_items.end() ? nullptr : &it->second;
}

const CCtrlListbox::Item* CCtrlListbox::FindItem(int index) const {
    auto it = m_items.find(index);
    return it == m_items.end() ? nullptr : &it->second;
}

int CCtrlListbox::InsertItem(int index, const QString& text) {
    if (index < 0) return -1;
    const bool added = m_items.find(index) == m_items.end();
    m_items[index].text[0] = text;
    if (added) {
        // A new unchecked row can end "all checked".
        if (m_headerCheckShown) RecomputeHeaderCheck();
        SyncScroll();
    }
    update();
    return index;
}

bool CCtrlListbox::SetItemText(int index, int column, const QString& text) {
    Item* item = FindItem(index);
    if (!item || column < 0 || column >= kMaxColumns) return false;
    item->text[size_t(column)] = text;
    update();
    return true;
}

bool CCtrlListbox::SetItemImage(int index, int column, const QImage* img) {
    Item* item = FindItem(index);
    if (!item || column < 0 || column >= kMaxColumns) return false;
    item->bitmap[size_t(column)] = img ? *img : QImage();
    update();
    return true;
}

bool CCtrlListbox::SetItemImage(int index, int column, const QString& path) {
    const QImage img(path);  // an unreadable file leaves the cell without a picture
    return SetItemImage(index, column, &img);
}

QString CCtrlListbox::GetItemText(int index, int column) const {
    const Item* item = FindItem(index);
    if (!item || column < 0 || column >= kMaxColumns) return QString();
    return item->text[size_t(column)];
}

int CCtrlListbox::AddItemData(int index, uint32_t word) {
    Item* item = FindItem(index);
    if (!item) return 0;
    item->data.push_back(word);
    return 1;
}

int64_t CCtrlListbox::GetItemData(int index, int n) const {
    const Item* item = FindItem(index);
    if (!item || n < 0 || size_t(n) >= item->data.size()) return -1;
    return int64_t(item->data[size_t(n)]);
}

void CCtrlListbox::DeleteAllItems() {
    m_items.clear();
    m_top = 0;
    // The rows these referred to are gone.
    m_selected = -1;
    m_indicated = -1;
    if (m_headerCheckShown) m_headerCheck = 0;
    SyncScroll();
    update();
}

void CCtrlListbox::SetItemState(int index, int state) {
    if (state == 1) {
        m_selected = index;
    } else if (state == 2 && m_option2) {
        m_indicated = index;
    }
    update();
}

void CCtrlListbox::SetPlayStatus(int status) {
    m_playStatus = status;
    update();
}

int CCtrlListbox::MaxTop() const { return std::max(0, GetItemCount() - VisibleRows()); }

void CCtrlListbox::SetTop(int top) {
    top = std::clamp(top, 0, MaxTop());
    if (top == m_top) return;
    m_top = top;
    if (m_vscroll) m_vscroll->SetCurPos(m_top, false);
    update();
}

void CCtrlListbox::EnsureVisible(int index) {
    const int rows = std::max(1, VisibleRows());
    if (index < m_top)
        SetTop(index);
    else if (index >= m_top + rows)
        SetTop(index - rows + 1);
}

intptr_t CCtrlListbox::SendMsg(uint32_t msg, uintptr_t wParam, intptr_t) {
    if (msg == ctrlmsg::WM_VSCROLL_POS) SetTop(int(wParam));
    return 0;
}

// --- check boxes

int CCtrlListbox::GetCheck(int index) const {
    if (index < 0) return m_headerCheck;
    const Item* item = FindItem(index);
    return item ? item->check : 0;
}

void CCtrlListbox::RecomputeHeaderCheck() {
    if (m_items.empty()) {
        m_headerCheck = 0;
        return;
    }
    bool all = true, none = true;
    for (const auto& [index, item] : m_items) {
        if (item.check <= 0) all = false;
        if (item.check != 0) none = false;
    }
    m_headerCheck = all ? 1 : none ? 0 : -1;
}

void CCtrlListbox::SetCheck(int index, int state) {
    if (index >= 0) {
        Item* item = FindItem(index);
        if (!item) return;
        item->check = state;
        if (m_headerCheckShown) RecomputeHeaderCheck();
    } else {
        if (state < 0) return;
        m_headerCheck = state;
        for (auto& [i, item] : m_items) item.check = state;
    }
    update();
}

int CCtrlListbox::GetCheckedCount() const {
    if (m_headerCheckShown) {
        if (m_headerCheck == 1) return GetItemCount();
        if (m_headerCheck == 0) return 0;
    }
    return int(std::count_if(m_items.begin(), m_items.end(),
                             [](const auto& kv) { return kv.second.check > 0; }));
}

int CCtrlListbox::GetFirstCheckedIndex() const { return GetNextCheckedIndex(-1); }

int CCtrlListbox::GetNextCheckedIndex(int index) const {
    for (auto it = m_items.upper_bound(index); it != m_items.end(); ++it)
        if (it->second.check > 0) return it->first;
    return -1;
}

int CCtrlListbox::GetPrevCheckedIndex(int index) const {
    auto it = m_items.lower_bound(index);
    while (it != m_items.begin()) {
        --it;
        if (it->second.check > 0) return it->first;
    }
    return -1;
}

int CCtrlListbox::GetLastCheckedIndex() const {
    for (auto it = m_items.rbegin(); it != m_items.rend(); ++it)
        if (it->second.check > 0) return it->first;
    return -1;
}
