#pragma once
// Message numbers the skinned controls send to their parents. They keep the
// numbers the rest of the viewer is written against.
#include <cstdint>

namespace ctrlmsg {
// Standard command message of a push button: wParam = control id (notification
// code BN_CLICKED in the high word), lParam = 0.
inline constexpr uint32_t WM_COMMAND = 0x0111;
inline constexpr uint32_t BN_CLICKED = 0;

// List box: wParam = item index (-1 for the header check box), lParam = control id.
inline constexpr uint32_t WM_LISTBOX_CLICK = 0x52C;     // 1324, a row was clicked
inline constexpr uint32_t WM_LISTBOX_DBLCLICK = 0x52D;  // 1325, a row was double-clicked
inline constexpr uint32_t WM_LISTBOX_CHECK = 0x52E;     // 1326, a check box was toggled

// Slider: wParam = control id, lParam = position.
inline constexpr uint32_t WM_SLIDER_PRESSED = 0x440;   // 1088
inline constexpr uint32_t WM_SLIDER_RELEASED = 0x441;  // 1089
inline constexpr uint32_t WM_SLIDER_MOVED = 0x442;     // 1090

// Scroll bar: wParam = new top row, lParam = 0.
inline constexpr uint32_t WM_VSCROLL_POS = 0x465;      // 1125

// Identifiers of the scroll bar's own buttons.
inline constexpr int ID_VSCROLL_TOP = 0x500;
inline constexpr int ID_VSCROLL_BOTTOM = 0x501;
}  // namespace ctrlmsg
