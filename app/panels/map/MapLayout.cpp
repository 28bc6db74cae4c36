#include "MapLayout.h"

#include "skin/CUIResources.h"
#include "skin/WinPos.h"

#include <QFont>
#include <QPainter>

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

void PaintPopupFrame(QPainter& p, const CUIResources& res, QSize popup, const QString& title)
{
    // A plain face: the skin's popup background is a framed picture meant
    // for the popup frame's own drawing rule, not for stretching.
    p.fillRect(QRect(QPoint(0, 0), popup), QColor(24, 28, 34));
    const _WIN_POS* pos = res.GetUIPos(QStringLiteral("popup_title"));
    const QRect titleRect = pos->cx > 0 && pos->cy > 0 ? QRect(pos->x, pos->y, pos->cx, pos->cy) : QRect(12, 0, 600, 44);
    QFont font(res.FontName());
    font.setPixelSize(std::max(1, res.GetUIFontSize(QStringLiteral("popup_dlg_map"))));
    p.setFont(font);
    p.setPen(pos->cx > 0 ? QColor::fromRgba(pos->color[0]) : QColor(Qt::white));
    p.drawText(titleRect, Qt::AlignLeft | Qt::AlignVCenter, title);
}

}  // namespace kestrel::map
