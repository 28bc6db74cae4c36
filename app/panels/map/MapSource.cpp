#include "MapSource.h"

#include <QUrlQuery>

namespace kestrel::map {

namespace {

const char16_t kOsmCredit[] = u"\u00A9 OpenStreetMap contributors";

}  // namespace

MapSource MapSource::FromHost(const QString& hostName)
{
    const QString own = qEnvironmentVariable("KESTREL_MAP_TILE_URL");
    if (!own.isEmpty())
        return FromTileUrl(own, qEnvironmentVariable("KESTREL_MAP_ATTRIBUTION"));
    MapSource s;
    const QString host = hostName.trimmed();
    // A host name is letters, digits, dots and dashes; anything else would
    // change the meaning of the URL it is put into.
    for (QChar c : host)
        if (!(c.isLetterOrNumber() || c == u'.' || c == u'-') || c.unicode() > 127)
            return s;
    if (host.isEmpty())
        return s;
    s.tileUrl = QStringLiteral("https://%1/{z}/{x}/{y}.png").arg(host);
    s.attribution = host.endsWith(QLatin1String("openstreetmap.org")) ? QString::fromUtf16(kOsmCredit)
                                                                      : QStringLiteral("Tiles: %1").arg(host);
    s.probe.host = host.toStdString();
    s.probe.port = 443;
    s.probe.icmp = true;
    return s;
}

MapSource MapSource::FromTileUrl(const QString& url, const QString& attribution)
{
    MapSource s;
    const QUrl parsed(url);
    if (!parsed.isValid() || parsed.host().isEmpty() ||
        (parsed.scheme() != QLatin1String("http") && parsed.scheme() != QLatin1String("https")))
        return s;
    s.tileUrl = url;
    s.attribution = attribution.isEmpty() ? QStringLiteral("Tiles: %1").arg(parsed.host()) : attribution;
    s.probe.host = parsed.host().toStdString();
    s.probe.port = parsed.port(parsed.scheme() == QLatin1String("https") ? 443 : 80);
    s.probe.icmp = false;
    s.ownServer = true;
    return s;
}

QUrl PageUrl(const QString& pagePath, const MapSource& source)
{
    QUrl url = QUrl::fromLocalFile(pagePath);
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("tiles"), QString::fromLatin1(QUrl::toPercentEncoding(source.tileUrl)));
    query.addQueryItem(QStringLiteral("credit"), QString::fromLatin1(QUrl::toPercentEncoding(source.attribution)));
    url.setQuery(query);
    return url;
}

}  // namespace kestrel::map
