#pragma once
// The skinned list box of recordings: a header with column titles and an
// optional three-state check box, rows with texts, per-column pictures, a
// check box and a play mark, a built-in scroll bar, and notifications for
// clicks, double clicks and check box changes. Below its design width the
// whole list shrinks by one factor; above it, it stays at design size.
#include "controls/CCtrlGDIpString.h"
#include "controls/CCtrlWnd.h"
#include "controls/CMsgTarget.h"

#include <array>
#include <cstdint>
#include <map>
#include <vector>

class CCtrlVScroll;

class CCtrlListbox : public CCtrlWnd, public CMsgTarget {
    Q_OBJECT
public:
    static constexpr int kMaxColumns = 10;
    static constexpr int kImageCount = 15;

    enum Colour { ColourHeader = 0, ColourRow = 1, ColourSelected = 2, ColourIndicated = 3,
                  ColourSelectedIndicated = 4, ColourCount = 5 };
    enum Image { ImgBackground = 0, ImgRow = 1, ImgHeaderTop = 2, ImgHeaderBottom = 3,
                 ImgSeparator = 4, ImgCheckOff = 5, ImgCheckOn = 6, ImgPlaying = 7, ImgPaused = 8,
                 ImgSelected = 9, ImgScrollSpan = 10, ImgScrollThumb = 11, ImgScrollTop = 12,
                 ImgScrollBottom = 13, ImgCheckPartly = 14 };

    struct Column {
        int align = StringAlignmentCenter;
        QString title;
        int width = 0;
        bool separator = false;
    };
    struct Item {
        std::array<QString, kMaxColumns> text;
        std::array<QImage, kMaxColumns> bitmap;
        int check = 0;  // 1 checked, 0 not, negative partly
        std::vector<uint32_t> data;
    };

    explicit CCtrlListbox(QWidget* parent = nullptr, int id = 0);

    // --- set-up
    void SetBaseRect(const QRect& r);
    void SetRowHeight(int h);
    void SetRowHeightHeader(int h);
    void SetColor(int index, const QColor& colour);
    void SetImage(const QImage* img, int index);
    void SetInitFont(const QString& face, int pixelSize);
    void ActivateCheckbox(bool on = true);
    void ShowHeaderCheckbox(bool show);
    // Creates the scroll bar. It always spans the rows that fit, so
    // `maxRows` only seeds it until the first layout.
    void ActivateVScroll(int maxRows);
    // A non-zero `second` allows the indicated mark and clears the current one.
    void SetOption(int first, int second);

    // --- columns
    void InsertColumn(int index, const QString& title, int width, int flag);
    void SetColumnAlign(int index, int align, bool redraw = true);
    void SetColumnWidth(int index, int width, bool redraw = true);
    void SetColumnText(int index, const QString& title, bool redraw = true);
    int GetColumnCount() const { return int(m_columns.size()); }

    // --- items
    int InsertItem(int index, const QString& text);
    bool SetItemText(int index, int column, const QString& text);
    bool SetItemImage(int index, int column, const QImage* img);
    bool SetItemImage(int index, int column, const QString& path);
    int AddItemData(int index, uint32_t word);
    // The n-th data word of the item, or -1 when the item or the word is missing.
    int64_t GetItemData(int index, int n) const;
    QString GetItemText(int index, int column) const;
    void DeleteAllItems();
    int GetItemCount() const { return int(m_items.size()); }

    // --- state
    int GetSelectedItem() const { return m_selected; }
    int GetIndicatedItem() const { return m_indicated; }
    void SetItemState(int index, int state);
    void SetPlayStatus(int status);
    int GetPlayStatus() const { return m_playStatus; }
    void EnsureVisible(int index);
    void UpdateListbox() { update(); }
    int GetTopRow() const { return m_top; }

    // --- check boxes
    int GetCheck(int index) const;
    void SetCheck(int index, int state);
    int GetCheckedCount() const;
    int GetFirstCheckedIndex() const;
    int GetNextCheckedIndex(int index) const;
    int GetPrevCheckedIndex(int index) const;
    int GetLastCheckedIndex() const;

    // --- layout at the current size (used for drawing and hit testing)
    double Scale() const;
    int RowHeight() const;
    int HeaderHeight() const;
    int FontPixelSize() const;
    const QString& FontFace() const { return m_fontFace; }
    int VisibleRows() const;
    int ColumnLeft(int column) const;
    int ColumnWidth(int column) const;
    QRect RowRect(int row) const;
    QRect RowCheckRect(int row) const;
    QRect HeaderCheckRect() const;
    QRect PlayMarkRect(int row) const;
    CCtrlVScroll* VScroll() const { return m_vscroll; }

    intptr_t SendMsg(uint32_t msg, uintptr_t wParam, intptr_t lParam) override;

protected:
    void Draw(QPainter& p) override;
    void resizeEvent(QResizeEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;

private:
    Item* FindItem(int index);
    const Item* FindItem(int index) const;
    void RecomputeHeaderCheck();
    int MaxTop() const;
    void SetTop(int top);
    void SyncScroll();
    // Item under a point in the row area, or -1; `row` receives the row.
    int ItemAt(const QPoint& pt, int* row) const;
    QRect CheckSquare(const QRect& cell, int height) const;
    int RowsRight() const;
    void DrawHeader(QPainter& p, const QFont& font);
    void DrawRow(QPainter& p, int row, const Item& item, int index, const QFont& font);

    QRect m_base{0, 0, 564, 100};
    int m_rowHeight = 32;
    int m_headerHeight = 32;
    std::array<QColor, ColourCount> m_colour;
    std::array<QImage, kImageCount> m_img;
    QString m_fontFace;
    int m_fontSize = 12;
    std::map<int, Column> m_columns;
    std::map<int, Item> m_items;
    int m_top = 0;
    int m_selected = -1;
    int m_indicated = -1;
    int m_option1 = 1;
    int m_option2 = 1;
    bool m_checkboxes = false;
    bool m_headerCheckShown = false;
    int m_headerCheck = 0;
    int m_playStatus = 0;
    CCtrlVScroll* m_vscroll = nullptr;
    int m_wheelRest = 0;
};
