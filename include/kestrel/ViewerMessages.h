// Message numbers shared by the viewer's windows: the main window, its
// panels, the popups and the workers that post to them. Each keeps the
// number the rest of the viewer is written against.
#pragma once

#include <cstdint>

namespace kestrel::msg {

// Player events posted to the main window: wParam = event code, lParam = 0.
inline constexpr uint32_t WM_PLAYER_EVENT = 1040;
// Panel notifications to the main window: wParam low 16 bits = code,
// lParam = a row index or a record pointer, as the code says.
inline constexpr uint32_t WM_PANEL_NOTIFY = 1041;
// Display panels tell the main window about themselves; the main window
// ignores it (answers 0).
inline constexpr uint32_t WM_DISPLAY_NOTIFY = 1123;
// Thread message to the map dialog's worker: lParam = record or null.
inline constexpr uint32_t WM_MAP_RECORD = 1058;

// Player event codes (wParam of WM_PLAYER_EVENT).
inline constexpr uintptr_t kEventGpsSample = 0x100;
inline constexpr uintptr_t kEventEnd = 0x110;
inline constexpr uintptr_t kEventStop = 0x112;
inline constexpr uintptr_t kEventVideoAdjust = 0x120;
inline constexpr uintptr_t kEventStartup = 0x130;
inline constexpr uintptr_t kEventFirstRun = 0x131;

// Panel notification codes (low 16 bits of wParam of WM_PANEL_NOTIFY).
inline constexpr uint16_t kNotifyPlayRecord = 1060;
inline constexpr uint16_t kNotifyMapRecord = 1066;
inline constexpr uint16_t kNotifyRowClick = 1324;
inline constexpr uint16_t kNotifyRowDoubleClick = 1325;
inline constexpr uint16_t kNotifyRowCheck = 1326;
inline constexpr uint16_t kNotifyPlay = 8209;
inline constexpr uint16_t kNotifyStop = 8211;

}  // namespace kestrel::msg
