#include "CWndList.h"

#include "ListRowText.h"
#include "ListSkinLookup.h"

#include "controls/CCtrlButton.h"
#include "controls/CCtrlListbox.h"
#include "controls/CCtrlStatic.h"
#include "controls/CtrlMessages.h"
#include "filehub/CPluginManager.h"
#include "kestrel/ViewerMessages.h"
#include "util/PostedMessage.h"

#include <QPainter>

CWndList::CWndList(QWidget* parent, CMsgTarget* owner, const CUIResources& resources)
    : QWidget(parent), CListSkinLookup(resources), m_pOwner(owner)
{
}

CWndList::~CWndList()
{
    if (m_pList)
        m_pList->DeleteAllItems();
}

CCtrlButton* CWndList::TypeButton(int type) const
{
    return type >= 0 && type < kTypeCount ? m_typeButtons[type] : nullptr;
}

intptr_t CWndList::SendMsg(uint32_t msg, uintptr_t wParam, intptr_t lParam)
{
    (void)lParam;
    switch (msg) {
    case ctrlmsg::WM_COMMAND: {
        const int id = static_cast<int>(wParam & 0xFFFF);
        if (id == kIdAll)
            OnAllButton();
        else if (id >= kIdFirstType && id < kIdFirstType + kTypeCount)
            OnTypeButton(id - kIdFirstType);
        return 0;
    }
    case ctrlmsg::WM_LISTBOX_CLICK:
    case ctrlmsg::WM_LISTBOX_DBLCLICK:
    case ctrlmsg::WM_LISTBOX_CHECK:
        // The owner reacts before the list box goes on: sent, not posted.
        // The row index (or -1 for the header box) keeps its sign.
        if (m_pOwner)
            return m_pOwner->SendMsg(kestrel::msg::WM_PANEL_NOTIFY, msg, static_cast<intptr_t>(wParam));
        return 0;
    default:
        return 0;
    }
}

// ---- Type filter ------------------------------------------------------------

void CWndList::OnAllButton()
{
    const bool changed = m_filter.PressAll();
    ShowFilterButtons();
    if (changed)
        RefreshAfterFilterChange();
}

void CWndList::OnTypeButton(int type)
{
    CCtrlButton* button = TypeButton(type);
    if (!button)
        return;
    const bool changed = m_filter.ToggleType(type, button->GetCheck() == 1);
    ShowFilterButtons();
    if (changed)
        RefreshAfterFilterChange();
}

void CWndList::ShowFilterButtons()
{
    if (m_pAll)
        m_pAll->SetCheck(m_filter.AllChecked() ? 1 : 0);
    for (int i = 0; i < kTypeCount; ++i) {
        if (m_typeButtons[i])
            m_typeButtons[i]->SetCheck(m_filter.TypeChecked(i) ? 1 : 0);
    }
}

void CWndList::RefreshAfterFilterChange()
{
    if (m_pPluginManager)
        m_pPluginManager->MergeData(m_filter.Flags());
    FillList();
    // Posted, so the main window stops playback after the refill is drawn.
    PostMsg(parentWidget(), kestrel::msg::WM_PANEL_NOTIFY, kestrel::msg::kNotifyStop, 0);
}

void CWndList::ResetTypeFilter()
{
    m_filter.Reset();
    ShowFilterButtons();
    if (m_pList)
        m_pList->SetItemState(-1, 1);
}

void CWndList::SetListState(int playState)
{
    m_listState = playState;
    if (playState == 0)
        ResetTypeFilter();
    const bool enable = playState != 0;
    if (m_pAll)
        m_pAll->setEnabled(enable);
    for (CCtrlButton* button : m_typeButtons) {
        if (button)
            button->setEnabled(enable);
    }
}

// ---- Rows as the playback flow sees them ---------------------------------------
// The list box's row states: 1 selected, 2 playing.

namespace {
constexpr int kRowSelected = 1;
constexpr int kRowPlaying = 2;
}  // namespace

int CWndList::PlayingRow() const { return m_pList ? m_pList->GetIndicatedItem() : -1; }

int CWndList::SelectedRow() const { return m_pList ? m_pList->GetSelectedItem() : -1; }

void CWndList::MarkPlayingRow(int row)
{
    if (!m_pList)
        return;
    m_pList->SetItemState(row, kRowPlaying);
    m_pList->EnsureVisible(row);
}

void CWndList::ClearPlayingRow()
{
    if (m_pList)
        m_pList->SetItemState(-1, kRowPlaying);
}

void CWndList::SelectRow(int row)
{
    if (!m_pList)
        return;
    m_pList->SetItemState(row, kRowSelected);
    m_pList->EnsureVisible(row);
}

void CWndList::ShowPlayStatus(bool playing)
{
    if (m_pList)
        m_pList->SetPlayStatus(playing ? 1 : 0);
}

// ---- Rows -------------------------------------------------------------------

void CWndList::FillList()
{
    if (!m_pList)
        return;
    m_pList->DeleteAllItems();
    const int count = m_pPluginManager ? m_pPluginManager->GetMergedDataCount() : 0;
    bool haveFirstRow = false;
    for (int i = 0; i < count; ++i) {
        const CRecFileInfo* record = m_pPluginManager->GetRecFileInfo(i);
        if (!record)
            continue;  // the row is left out; later rows keep their merged index
        m_pList->InsertItem(i, QString());
        m_pList->SetItemText(i, 1, kestrel::list::TypeName(m_typeNames, record->GetRecType()));
        m_pList->SetItemText(i, 2, kestrel::list::StartDateText(record->GetStartTime()));
        m_pList->SetItemText(i, 3, kestrel::list::StartTimeText(record->GetStartTime()));
        m_pList->SetItemText(i, 4, kestrel::list::JoinChannels(record->m_arrChannel));
        haveFirstRow = haveFirstRow || i == 0;
    }
    m_pList->UpdateListbox();
    // Row 0 is selected when it exists; a selection of a row that is not
    // there would hand the main window a merged index without a record.
    m_pList->SetItemState(haveFirstRow ? 0 : -1, 1);
}

void CWndList::SelectRecord(const CRecFileInfo* record, const RecordEquality& equal)
{
    if (!record || !m_pPluginManager || !m_pList)
        return;
    const RecordEquality& same = equal ? equal : RecordEquality(kestrel::SameRecording);
    const int count = m_pPluginManager->GetMergedDataCount();
    for (int i = 0; i < count; ++i) {
        const CRecFileInfo* candidate = m_pPluginManager->GetRecFileInfo(i);
        if (candidate && same(candidate, record)) {
            m_pList->SetItemState(i, 1);
            m_pList->EnsureVisible(i);
            return;
        }
    }
}

int CWndList::CountCheckedRows() const
{
    if (!m_pList || !m_pPluginManager || m_pPluginManager->GetMergedDataCount() <= 0)
        return 0;
    return m_pList->GetCheckedCount();
}

int CWndList::FirstCheckedRow() const
{
    if (!m_pList || !m_pPluginManager || m_pPluginManager->GetMergedDataCount() <= 0)
        return -1;
    return m_pList->GetFirstCheckedIndex();
}

// ---- Texts ------------------------------------------------------------------

void CWndList::ApplyTexts()
{
    if (m_pTitle)
        m_pTitle->SetWindowText(SkinText(QStringLiteral("stc_list_title")));
    for (int i = 0; i < kTypeCount; ++i) {
        if (m_typeButtons[i])
            m_typeButtons[i]->SetWindowText(SkinText(QStringLiteral("btn_list_rectype_%1").arg(i)));
    }
    if (m_pAll)
        m_pAll->SetWindowText(SkinText(QStringLiteral("btn_list_all")));
    if (m_pList) {
        for (int c = 1; c <= 5; ++c)
            m_pList->SetColumnText(c, SkinText(QStringLiteral("list_col_%1").arg(c)));
    }
    m_typeNames.clear();
    for (int i = 0; i < kTypeCount; ++i)
        m_typeNames << SkinText(QStringLiteral("rec_type_%1").arg(i));
}

void CWndList::Relayout()
{
    Layout();
    ApplyListFont();
    ApplyTexts();
    FillList();
    update();
}
