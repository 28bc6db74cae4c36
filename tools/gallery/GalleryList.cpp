// Gallery page of the list box: rows checked, selected and indicated, the
// header check box in its three states, playing and paused marks, and the
// list scaled below its design width.
#include "Gallery.h"
#include "GallerySheet.h"

#include "controls/CCtrlListbox.h"
#include "skin/CUIImage.h"

namespace gallery {
namespace {
// The recording list's images in their slot order.
const char* const kListImages[CCtrlListbox::kImageCount] = {
    "lst_header", "lst_row", "lst_h_line1", "lst_h_line2", "lst_v_line",
    "lst_checkbox_unchecked", "lst_checkbox_checked", "lst_icon_play", "lst_icon_pause", "lst_select_bar",
    "lst_vscroll_span", "lst_vscroll_thumb", "lst_vscroll_top", "lst_vscroll_bottom", "lst_checkbox_3state"};

void Setup(CCtrlListbox& list, const CUIImage& skin, int rows) {
    for (int i = 0; i < CCtrlListbox::kImageCount; ++i) list.SetImage(skin.GetImageFile(kListImages[i]), i);
    list.SetColor(CCtrlListbox::ColourHeader, QColor(240, 240, 240));
    list.SetColor(CCtrlListbox::ColourRow, QColor(30, 30, 30));
    list.SetColor(CCtrlListbox::ColourSelected, QColor(0, 40, 140));
    list.SetColor(CCtrlListbox::ColourIndicated, QColor(0, 130, 40));
    list.SetColor(CCtrlListbox::ColourSelectedIndicated, QColor(150, 0, 120));
    const int widths[] = {32, 128, 128, 108, 90, 64};
    const char* titles[] = {"", "Type", "Date", "Time", "Channel", "Play"};
    for (int c = 0; c < 6; ++c) list.InsertColumn(c, titles[c], widths[c], c ? 1 : 0);
    list.SetInitFont(QString(), 13);
    list.ActivateCheckbox();
    list.ShowHeaderCheckbox(true);
    list.ActivateVScroll(5);
    const char* types[] = {"Normal", "Event", "Parking", "Motion", "Manual"};
    for (int i = 0; i < rows; ++i) {
        list.InsertItem(i, QString());
        list.SetItemText(i, 1, types[i % 5]);
        list.SetItemText(i, 2, QString("2026-05-%1").arg(10 + i));
        list.SetItemText(i, 3, QString("12:%1:05").arg(10 + i * 3));
        list.SetItemText(i, 4, i % 2 ? "1/2" : "1/2/3");
    }
}
}  // namespace

void RenderLists(GallerySheet& out, const CUIImage& skin) {
    out.Section("List box: empty header box; checked (some), selected, indicated playing; all checked paused");
    {
        CCtrlListbox list;
        list.resize(564, 32 + 5 * 32);
        Setup(list, skin, 8);
        out.Add("list_plain", list.grab().toImage());
        list.SetCheck(1, 1);
        list.SetCheck(3, 1);
        list.SetItemState(2, 1);
        list.SetItemState(3, 2);
        list.SetPlayStatus(1);
        out.Add("list_checked_selected_indicated", list.grab().toImage());
        list.SetItemState(3, 1);  // selected and indicated together
        list.SetCheck(-1, 1);
        list.SetPlayStatus(0);
        list.EnsureVisible(7);
        out.Add("list_all_checked_paused_scrolled", list.grab().toImage());
    }
    out.Section("List box below its design width (scale 0.6) and above it (stays at design size)");
    for (int w : {338, 700}) {
        CCtrlListbox list;
        list.resize(w, 140);
        Setup(list, skin, 6);
        list.SetCheck(0, 1);
        list.SetItemState(1, 1);
        list.SetItemState(0, 2);
        list.SetPlayStatus(1);
        out.Add(QString("list_width%1").arg(w), list.grab().toImage());
    }
}
}  // namespace gallery
