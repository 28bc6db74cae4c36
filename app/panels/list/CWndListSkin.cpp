// CWndList: building the children from the skin, placing them at the
// current window size, and painting the panel background.
#include "CWndList.h"

#include "ListSkinLookup.h"

#include "controls/CCtrlButton.h"
#include "controls/CCtrlListbox.h"
#include "controls/CCtrlStatic.h"
#include "skin/SkinScale.h"

#include <QPainter>

#include <algorithm>
#include <iterator>

using namespace kestrel::list;

namespace {

// Skin pixel widths of the six columns: check box, type, date, time,
// channels, play mark.
constexpr int kColumnWidths[] = {32, 128, 128, 108, 90, 64};

// The fifteen list pictures in the list box's image order.
const char* const kListImages[CCtrlListbox::kImageCount] = {
    "lst_header",         "lst_row",           "lst_h_line1",      "lst_h_line2",
    "lst_v_line",         "lst_checkbox_unchecked", "lst_checkbox_checked", "lst_icon_play",
    "lst_icon_pause",     "lst_select_bar",    "lst_vscroll_span", "lst_vscroll_thumb",
    "lst_vscroll_top",    "lst_vscroll_bottom", "lst_checkbox_3state"};

QString TypeKey(int type)
{
    return QStringLiteral("btn_list_rectype_%1").arg(type);
}

// The title's horizontal alignment from its record's Type field.
int TitleAlignment(const _WIN_POS& pos)
{
    switch (pos.type) {
    case 1: return StringAlignmentCenter;
    case 2: return StringAlignmentFar;
    default: return StringAlignmentNear;
    }
}

}  // namespace

void CWndList::Create()
{
    if (m_pList)
        return;  // built once

    m_pTitle = new CCtrlStatic(this, kIdTitle);
    m_pTitle->SetBkImage(SkinImage(QStringLiteral("stc_list_title")));
    m_pTitle->show();

    CreateButtons();
    ReadAvailableTypes();
    CreateListBox();
    ApplyTexts();
    Layout();
}

void CWndList::CreateButtons()
{
    const QImage* background = SkinImage(QStringLiteral("list_bk"));
    auto make = [&](int id, const char* face) {
        auto* button = new CCtrlButton(this, id, CCtrlButton::StyleCheck);
        button->SetButtonType(2, 4);
        button->SetButtonImage(SkinImage(QLatin1String(face)), 6);
        button->SetButtonImageBg(background);
        button->show();
        return button;
    };
    for (int i = 0; i < kTypeCount; ++i)
        m_typeButtons[i] = make(kIdFirstType + i, "btn_list");
    m_pAll = make(kIdAll, "btn_list_all");
    ShowFilterButtons();
}

void CWndList::ReadAvailableTypes()
{
    // The skin decides which types the viewer offers: a type button with a
    // rectangle of no size is switched off.
    for (int i = 0; i < kTypeCount; ++i)
        m_filter.SetAvailable(i, HasSize(SkinPos(TypeKey(i))));
}

void CWndList::CreateListBox()
{
    m_pList = new CCtrlListbox(this, kIdList);
    const _WIN_POS& view = SkinPos(QStringLiteral("list_view"));
    // A missing record keeps the list box's own defaults rather than a
    // zero base size and invisible text.
    if (HasSize(view)) {
        m_pList->SetBaseRect(QRect(view.x, view.y, view.cx, view.cy));
        if (view.dt > 0)
            m_pList->SetRowHeightHeader(view.dt);
        if (view.db > 0)
            m_pList->SetRowHeight(view.db);
        for (int c = 0; c < CCtrlListbox::ColourCount; ++c)
            m_pList->SetColor(c, RecordColour(view, c));
    }
    for (int i = 0; i < CCtrlListbox::kImageCount; ++i)
        m_pList->SetImage(SkinImage(QLatin1String(kListImages[i])), i);
    for (int c = 0; c < int(std::size(kColumnWidths)); ++c)
        m_pList->InsertColumn(c, QString(), kColumnWidths[c], c == 0 ? 0 : 1);
    ApplyListFont();
    const int rows = (view.cy - std::max(1, view.dt)) / std::max(1, view.db);
    m_pList->ActivateVScroll(std::max(1, rows));
    m_pList->ActivateCheckbox(true);
    m_pList->ShowHeaderCheckbox(true);
    m_pList->show();
}

void CWndList::ApplyListFont()
{
    if (!m_pList)
        return;
    const int size = SkinFontSize(QStringLiteral("list_col_1"));
    // The list box scales its font with its own width; it gets the skin size.
    if (size > 0)
        m_pList->SetInitFont(SkinFontName(), size);
}

void CWndList::SetWindowSize(int width, int height)
{
    m_windowWidth = width;
    m_windowHeight = height;
    Layout();
    update();
}

QRect CWndList::PlaceRecord(const QString& key) const
{
    const KSkinRect reference = SkinReference();
    int w = m_windowWidth, h = m_windowHeight;
    if (w <= 0 || h <= 0) {
        // Not told yet: lay out at the size the skin was drawn for.
        w = reference.right - reference.left;
        h = reference.bottom - reference.top;
    }
    return ToQRect(kestrel::skin::ScaleSkinRectWithin(SkinPos(key), width(), height(), w, h, reference));
}

int CWndList::ScaledFont(const QString& key) const
{
    const KSkinRect reference = SkinReference();
    const int size = SkinFontSize(key);
    if (size <= 0)
        return 12;
    if (m_windowWidth <= 0 || m_windowHeight <= 0)
        return size;
    return std::max(1, kestrel::skin::ScaleFontSize(size, m_windowWidth, m_windowHeight, reference));
}

void CWndList::LayoutButton(CCtrlButton* button, const QString& key)
{
    if (!button)
        return;
    button->setGeometry(PlaceRecord(key));
    button->SetInitFont(SkinFontName(), ScaledFont(key));
    const _WIN_POS& pos = SkinPos(key);
    // Caption colours: normal, hover, disabled, pressed or checked.
    const int slotForState[CCtrlButton::StateCount] = {0, 1, 2, 3, 3, 2};
    for (int state = 0; state < CCtrlButton::StateCount; ++state)
        button->SetTextColor(RecordColour(pos, slotForState[state]), state);
}

void CWndList::Layout()
{
    if (!m_pList)
        return;  // not created yet

    const QString titleKey = QStringLiteral("stc_list_title");
    const _WIN_POS& title = SkinPos(titleKey);
    m_pTitle->setGeometry(PlaceRecord(titleKey));
    m_pTitle->SetInitFont(SkinFontName(), ScaledFont(titleKey));
    m_pTitle->SetTextAlign(TitleAlignment(title), StringAlignmentCenter);
    m_pTitle->SetTextColor(RecordColour(title, 0));

    for (int i = 0; i < kTypeCount; ++i)
        LayoutButton(m_typeButtons[i], TypeKey(i));
    LayoutButton(m_pAll, QStringLiteral("btn_list_all"));

    // The list box sits at "list_view" inside the panel and never reaches
    // past the panel's own rectangle.
    m_pList->setGeometry(PlaceRecord(QStringLiteral("list_view")).intersected(rect()));
}

void CWndList::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    Layout();
}

void CWndList::paintEvent(QPaintEvent*)
{
    if (width() <= 0 || height() <= 0)
        return;
    // Composed off screen first, then shown in one step.
    if (m_backBuffer.size() != size())
        m_backBuffer = QImage(size(), QImage::Format_ARGB32_Premultiplied);
    m_backBuffer.fill(Qt::transparent);
    {
        QPainter p(&m_backBuffer);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        if (const QImage* bk = SkinImage(QStringLiteral("list_bk"))) {
            // A skin without a record for the background fills the panel.
            const QString key = QStringLiteral("list_bk");
            const QRect target = HasSize(SkinPos(key)) ? PlaceRecord(key) : rect();
            p.drawImage(target, *bk);
        }
    }
    QPainter out(this);
    out.drawImage(0, 0, m_backBuffer);
}
