// CWndList: the recording list panel of the main window. It shows the
// merged list of recordings in a skinned list box, lets the user narrow it
// by recording type with eight type buttons and an All button, tick rows
// for backup, export or delete, and start playback by a double click.
//
// The records belong to the plug-in; the panel keeps only the row texts.
// Row clicks, double clicks and check-box changes go to the owner at once
// (WM_PANEL_NOTIFY with codes 1324, 1325, 1326 and the row index, -1 for
// the header check box); after a filter change the list is merged and
// filled again and code 8211 is posted to the parent window.
//
// Skin fields read beyond the placement: "list_view" dt = header height,
// db = row height, colours ColorText, Color00..Color03 = header, row,
// selected, playing, selected-and-playing text; "stc_list_title" ColorText
// = text colour and Type = horizontal text alignment (0 left, 1 centre,
// 2 right; vertically centred); button records ColorText, Color00, Color01,
// Color02 = caption colour normal, hover, disabled, pressed or checked.
#pragma once

#include "CListTypeFilter.h"
#include "ListSkinLookup.h"
#include "kestrel/RecordRules.h"

#include "controls/CMsgTarget.h"
#include "views/IRecordListView.h"

#include <QImage>
#include <QStringList>
#include <QWidget>

#include <array>
#include <functional>

class CCtrlButton;
class CCtrlListbox;
class CCtrlStatic;
class CUIResources;
class CPluginManager;
class CRecFileInfo;

class CWndList : public QWidget,
                 public CMsgTarget,
                 public kestrel::views::IRecordListView,
                 private kestrel::list::CListSkinLookup {
    Q_OBJECT
public:
    static constexpr int kIdTitle = 8289;
    static constexpr int kIdList = 8291;
    static constexpr int kIdFirstType = 8292;  // 8292..8299: type 0..7
    static constexpr int kIdAll = 8300;
    static constexpr int kTypeCount = CListTypeFilter::kTypeCount;

    using RecordEquality = std::function<bool(const CRecFileInfo*, const CRecFileInfo*)>;

    // `resources`: the skin and text look-ups; not owned, must outlive the panel.
    CWndList(QWidget* parent, CMsgTarget* owner, const CUIResources& resources);
    ~CWndList() override;

    // Set before Create(); not owned.
    void SetPluginManager(CPluginManager* manager) { m_pPluginManager = manager; }
    CPluginManager* PluginManager() const { return m_pPluginManager; }

    // Builds the title, the nine buttons and the list box from the skin.
    void Create();
    // The main window's client size: the scale of every child.
    void SetWindowSize(int width, int height);

    void FillList();
    void ApplyTexts();
    void ResetTypeFilter();
    void Relayout();
    void SelectRecord(const CRecFileInfo* record, const RecordEquality& equal = kestrel::SameRecording);
    int CountCheckedRows() const;
    int FirstCheckedRow() const;

    CCtrlListbox* ListBox() const { return m_pList; }
    // The eight type flags for MergeData.
    int32_t* Filter() { return m_filter.Flags(); }
    const CListTypeFilter& TypeFilter() const { return m_filter; }

    // The main window's play state: 0 resets the filter and disables the
    // nine buttons, 1 and 2 enable them.
    void SetListState(int playState) override;
    int ListState() const { return m_listState; }

    // The list as the playback flow sees it (rows of the list box).
    int PlayingRow() const override;
    int SelectedRow() const override;
    void MarkPlayingRow(int row) override;
    void ClearPlayingRow() override;
    void SelectRow(int row) override;
    void ShowPlayStatus(bool playing) override;
    int CheckedRowCount() const override { return CountCheckedRows(); }

    CCtrlButton* TypeButton(int type) const;
    CCtrlButton* AllButton() const { return m_pAll; }
    CCtrlStatic* Title() const { return m_pTitle; }
    const QStringList& TypeNames() const { return m_typeNames; }

    intptr_t SendMsg(uint32_t msg, uintptr_t wParam, intptr_t lParam) override;

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    // Skin set-up and placement (CWndListSkin.cpp).
    void CreateButtons();
    void CreateListBox();
    void ReadAvailableTypes();
    void ApplyListFont();
    void Layout();
    void LayoutButton(CCtrlButton* button, const QString& key);
    QRect PlaceRecord(const QString& key) const;
    int ScaledFont(const QString& key) const;

    // Filter actions from the buttons.
    void OnAllButton();
    void OnTypeButton(int type);
    void ShowFilterButtons();
    void RefreshAfterFilterChange();

    CCtrlStatic* m_pTitle = nullptr;
    std::array<CCtrlButton*, kTypeCount> m_typeButtons{};
    CCtrlButton* m_pAll = nullptr;
    CCtrlListbox* m_pList = nullptr;
    CPluginManager* m_pPluginManager = nullptr;
    QStringList m_typeNames;
    CListTypeFilter m_filter;

    CMsgTarget* m_pOwner = nullptr;
    int m_windowWidth = 0;   // 0: not told yet, the skin's reference size is used
    int m_windowHeight = 0;
    int m_listState = 0;
    QImage m_backBuffer;
};
