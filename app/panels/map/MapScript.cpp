#include "MapScript.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonValue>

#include <algorithm>
#include <cmath>

namespace kestrel::map {

namespace {

QString Num(double v)
{
    return QString::number(v, 'f', 6);
}

bool Finite(LatLng p)
{
    return std::isfinite(p.lat) && std::isfinite(p.lng);
}

QString JsonString(const QString& s)
{
    // A one-element array is the simplest way to have Qt escape one string.
    const QByteArray a = QJsonDocument(QJsonArray{s}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(a.mid(1, a.size() - 2));
}

}  // namespace

std::optional<double> RawToDecimal(double raw, char16_t hemisphere)
{
    if (!std::isfinite(raw))
        return std::nullopt;
    const double degrees = std::trunc(raw / 100);
    double v = degrees + (raw - degrees * 100) / 60;
    if (hemisphere == u'S' || hemisphere == u'W')
        v = -v;
    return v;
}

std::optional<LatLng> SamplePosition(const CUserDataInfo& sample)
{
    const auto lat = RawToDecimal(sample.m_dLatRaw, sample.m_cNS);
    const auto lng = RawToDecimal(sample.m_dLonRaw, sample.m_cEW);
    if (!lat || !lng)
        return std::nullopt;
    return LatLng{*lat, *lng};
}

QString SetLatLagCall(LatLng p)
{
    return Finite(p) ? QStringLiteral("setLatLag(%1,%2)").arg(Num(p.lat), Num(p.lng)) : QString();
}

QString MoveToCall(LatLng p)
{
    return Finite(p) ? QStringLiteral("MoveTo(%1,%2)").arg(Num(p.lat), Num(p.lng)) : QString();
}

QString CreatePolylineCall(int pathId)
{
    return QStringLiteral("createPolylineObject(%1)").arg(pathId);
}

QString AddLocationCall(int pathId, LatLng p)
{
    return Finite(p) ? QStringLiteral("addLocation(%1,%2,%3)").arg(pathId).arg(Num(p.lat), Num(p.lng)) : QString();
}

QString ClearPolylinesCall()
{
    return QStringLiteral("clearPolylineObjectAll()");
}

QString CreateMarkerCall(int markerId, LatLng p, const QStringList& texts)
{
    if (!Finite(p))
        return {};
    QString call = QStringLiteral("createMarkerObject(%1,%2,%3").arg(markerId).arg(Num(p.lat), Num(p.lng));
    for (int i = 0; i < 4; ++i)
        call += QLatin1Char(',') + JsonString(i < texts.size() ? texts[i] : QString());
    return call + QLatin1Char(')');
}

QString ClearMarkersCall()
{
    return QStringLiteral("clearMarkerObjectAll()");
}

QString ShowMarkerCall(int markerId)
{
    return QStringLiteral("showMarker(%1)").arg(markerId);
}

QString PreviewStatusCall()
{
    return QStringLiteral("getPreviewStatus()");
}

QString PathStatusCall()
{
    return QStringLiteral("getPathStatus()");
}

std::vector<LatLng> TrackPoints(const CUserDataArray& fixes)
{
    std::vector<LatLng> points;
    points.reserve(fixes.size());
    for (const CUserDataInfo* s : fixes)
        if (s && s->m_cStatus == u'A' && Finite({s->m_dLat, s->m_dLon}))
            points.push_back({s->m_dLat, s->m_dLon});
    return points;
}

QString AddLocationsScript(int pathId, const std::vector<LatLng>& points, size_t from, size_t count)
{
    QString script;
    const size_t end = std::min(points.size(), from + count);
    script.reserve(static_cast<qsizetype>((end > from ? end - from : 0) * 40));
    for (size_t i = from; i < end; ++i)
        script += AddLocationCall(pathId, points[i]) + QLatin1Char(';');
    return script;
}

}  // namespace kestrel::map
