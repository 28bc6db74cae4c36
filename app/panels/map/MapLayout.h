// Size of the map popups and the place of the map inside them, from the
// skin records "popup_dlg_map" and "popup_dlg_map_view".
#pragma once

#include <QRect>
#include <QSize>
#include <QString>

class CUIResources;
class QPainter;

namespace kestrel::map {

QSize PopupSize(const CUIResources& res);
// The map view's rectangle in a popup of `popup` size: the record's place,
// anchored to the popup's edges by its margins.
QRect MapViewRect(const CUIResources& res, QSize popup);
// The popup's face around the map: a plain background and the title text
// in the title bar.
void PaintPopupFrame(QPainter& p, const CUIResources& res, QSize popup, const QString& title);

}  // namespace kestrel::map
