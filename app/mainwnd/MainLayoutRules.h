// Placement rules of the main window that do not need the window itself,
// so they can be checked with plain skin records.
#pragma once

#include "skin/WinPos.h"

#include <QSize>

struct _PLUGIN_INFO;

namespace kestrel::mainwnd {

// The client area is laid out only from 1280 x 720 up; below that the
// previous layout stays.
bool LayoutAllowed(int width, int height);

// The list panel's rectangle. Full-screen states use "list_full"; the other
// states "list". When maximised, the list moves right below the display1
// slot (its top margin becomes that slot's scaled bottom plus the list's
// dt, taken back to skin units), unless display1's Type is 1.
KSkinRect ListPanelRect(const _WIN_POS& list, const _WIN_POS& listFull, const _WIN_POS& display1,
                        int windowState, int width, int height, const KSkinRect& reference);

// Size of the corner ellipse of the rounded window region: 2 * dl * s wide
// and 2 * dt * s high with the borders of "base_window".
QSize CornerEllipse(const _WIN_POS& baseWindow, double scale);

// Number of channel panel slots: 2, or the plug-in's extension channel
// count + 2 when it announces extension channels; never more than the four
// panels the window has.
int DisplaySlotCount(const _PLUGIN_INFO& info);

// The "display%d" slot of channel `channel` for the view channel.
int DisplaySlotOf(int channel, int viewChannel, int slotCount);

}  // namespace kestrel::mainwnd
