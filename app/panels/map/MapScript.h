// The map page's script calls as text, and the conversion of a GPS
// sample's sentence-form position to the decimal degrees the page takes.
// QtCore only, so tests call it directly.
#pragma once

#include "kestrel/KestrelTypes.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace kestrel::map {

struct LatLng {
    double lat = 0.0;
    double lng = 0.0;
};

// A raw ddmm.mmmm (or dddmm.mmmm) value in decimal degrees, negative for
// 'S' and 'W'. Non-finite input gives nullopt.
std::optional<double> RawToDecimal(double raw, char16_t hemisphere);
// Both coordinates of a sample's sentence-form position; nullopt when one
// is not a number.
std::optional<LatLng> SamplePosition(const CUserDataInfo& sample);

// The call texts, numbers with six decimals, strings JSON-escaped. Null
// text for a number that is not finite (the page must never see NaN).
QString SetLatLagCall(LatLng pos);
QString MoveToCall(LatLng pos);
QString CreatePolylineCall(int pathId);
QString AddLocationCall(int pathId, LatLng pos);
QString ClearPolylinesCall();
QString CreateMarkerCall(int markerId, LatLng pos, const QStringList& texts);
QString ClearMarkersCall();
QString ShowMarkerCall(int markerId);
QString PreviewStatusCall();
QString PathStatusCall();

// The decimal positions of a recording's valid ('A') fixes, in order.
std::vector<LatLng> TrackPoints(const CUserDataArray& fixes);
// One script text of addLocation calls for points [from, from + count).
QString AddLocationsScript(int pathId, const std::vector<LatLng>& points, size_t from, size_t count);

}  // namespace kestrel::map
