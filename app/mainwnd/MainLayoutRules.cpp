#include "MainLayoutRules.h"

#include "MainWndIds.h"

#include "kestrel/KestrelTypes.h"
#include "skin/SkinScale.h"

#include <algorithm>

namespace kestrel::mainwnd {

bool LayoutAllowed(int width, int height)
{
    return width >= kMinLayoutWidth && height >= kMinLayoutHeight;
}

KSkinRect ListPanelRect(const _WIN_POS& list, const _WIN_POS& listFull, const _WIN_POS& display1,
                        int windowState, int width, int height, const KSkinRect& reference)
{
    if (windowState == kStateFullFromMaximised || windowState == kStateFullFromNormal)
        return skin::ScaleSkinRect(listFull, width, height, reference);
    if (windowState != kStateMaximised || display1.type == 1)
        return skin::ScaleSkinRect(list, width, height, reference);

    const double s = skin::UniformScale(width, height, reference);
    if (s <= 0.0)
        return skin::ScaleSkinRect(list, width, height, reference);
    const KSkinRect slot = skin::ScaleSkinRect(display1, width, height, reference);
    _WIN_POS moved = list;
    moved.s2t = static_cast<int32_t>((slot.bottom + list.dt) / s);
    moved.rectS2.top = moved.s2t;
    return skin::ScaleSkinRect(moved, width, height, reference);
}

QSize CornerEllipse(const _WIN_POS& baseWindow, double scale)
{
    return QSize(static_cast<int>(2 * baseWindow.dl * scale), static_cast<int>(2 * baseWindow.dt * scale));
}

int DisplaySlotCount(const _PLUGIN_INFO& info)
{
    const int n = info.bVideoExtChannel ? info.nVideoExtChannel + 2 : 2;
    return std::clamp(n, 1, 4);
}

int DisplaySlotOf(int channel, int viewChannel, int slotCount)
{
    if (slotCount <= 0)
        return 0;
    const int slot = (viewChannel + channel) % slotCount;
    return slot < 0 ? slot + slotCount : slot;
}

}  // namespace kestrel::mainwnd
