// Where the map's tiles come from and how their host is probed.
//
// The language file names the tile host (for example tile.openstreetmap.org);
// tiles are then https://<host>/{z}/{x}/{y}.png and the host is probed by ICMP
// echo, or a TCP connect to port 443 where ICMP is not permitted.
// KESTREL_MAP_TILE_URL=<url with {z} {x} {y}> points the map at a tile server
// of one's own instead (KESTREL_MAP_ATTRIBUTION gives its credit line); its
// host is then probed by a TCP connect to the URL's own port, since that
// server is what must answer.
#pragma once

#include "HostProbe.h"

#include <QString>
#include <QUrl>

namespace kestrel::map {

struct MapSource {
    QString tileUrl;      // template with {z}, {x}, {y} (and optionally {s})
    QString attribution;  // credit line shown on the map
    ProbeTarget probe;
    bool ownServer = false;  // the URL came from KESTREL_MAP_TILE_URL

    // From the language file's host name and the environment.
    static MapSource FromHost(const QString& hostName);
    // From a tile URL template of one's own.
    static MapSource FromTileUrl(const QString& url, const QString& attribution);
    bool Valid() const { return !tileUrl.isEmpty() && !probe.host.empty(); }
};

// The page URL with the tile source in its query, so the page needs no
// call before it can show tiles.
QUrl PageUrl(const QString& pagePath, const MapSource& source);

}  // namespace kestrel::map
