#include "MapLayout.h"

#include "skin/CUIResources.h"
#include "skin/WinPos.h"

namespace kestrel::map {

namespace {

constexpr QSize kDefaultSize(1000, 680);

}  // namespace

QSize PopupSize(const CUIResources& res)
{
    const _WIN_POS* pos = res.GetUIPos(QStringLiteral("popup_dlg_map"));
    return pos->cx > 0 && pos->cy > 0 ? QSize(pos->cx, pos->cy) : kDefaultSize;
}

QRect MapViewRect(const CUIResources& res, QSize popup)
{
    const _WIN_POS* pos = res.GetUIPos(QStringLiteral("popup_dlg_map_view"));
    if (pos->cx <= 0 || pos->cy <= 0)
        return QRect(QPoint(0, 0), popup);
    const int left = pos->s2l >= 0 ? pos->s2l : pos->x;
    const int right = pos->s2r >= 0 ? pos->s2r : popup.width() - pos->x - pos->cx;
    const int bottom = pos->s2b >= 0 ? pos->s2b : popup.height() - pos->y - pos->cy;
    return QRect(QPoint(left, pos->y), QPoint(popup.width() - right - 1, popup.height() - bottom - 1));
}

}  // namespace kestrel::map
