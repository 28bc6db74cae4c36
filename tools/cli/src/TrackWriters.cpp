#include "TrackWriters.h"

#include "TextFormat.h"

#include <cmath>

namespace kestrel::cli {

std::string FormatCoordinate(double degrees)
{
    return FormatFixed(degrees, 8);
}

std::string FormatSpeed(double knots)
{
    if (!std::isfinite(knots))
        return {};
    return FormatFixed(knots * kKnotsToMetresPerSecond, 3);
}

namespace {

std::string Description(const Recording& r)
{
    return RecordingTypeName(r.type) + ", " + FormatLocalTime(r.startMs) + " local, " +
           std::to_string(r.Channels()) + (r.Channels() == 1 ? " channel" : " channels");
}

}  // namespace

std::string WriteGpx(const std::vector<RecordingTrack>& tracks)
{
    std::string out =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<gpx version=\"1.1\" creator=\"kestrel-cli\" xmlns=\"http://www.topografix.com/GPX/1/1\">\n";
    for (const RecordingTrack& t : tracks) {
        out += "  <trk>\n";
        out += "    <name>" + XmlEscape(t.rec.DisplayName()) + "</name>\n";
        out += "    <desc>" + XmlEscape(Description(t.rec)) + "</desc>\n";
        out += "    <type>" + XmlEscape(RecordingTypeName(t.rec.type)) + "</type>\n";
        out += "    <trkseg>\n";
        for (const TrackPoint& p : t.points) {
            out += "      <trkpt lat=\"" + FormatCoordinate(p.lat) + "\" lon=\"" + FormatCoordinate(p.lon) + "\">";
            out += "<time>" + FormatUtcIso(p.timeMs) + "</time>";
            const std::string speed = FormatSpeed(p.speedKnots);
            if (!speed.empty())
                out += "<extensions><speed>" + speed + "</speed></extensions>";
            out += "</trkpt>\n";
        }
        out += "    </trkseg>\n";
        out += "  </trk>\n";
    }
    out += "</gpx>\n";
    return out;
}

std::string WriteKml(const std::vector<RecordingTrack>& tracks)
{
    std::string out =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<kml xmlns=\"http://www.opengis.net/kml/2.2\" xmlns:gx=\"http://www.google.com/kml/ext/2.2\">\n"
        "<Document>\n"
        "  <name>kestrel-cli tracks</name>\n"
        "  <Schema id=\"track\" name=\"track\">\n"
        "    <gx:SimpleArrayField name=\"speed\" type=\"float\"><displayName>Speed (m/s)</displayName>"
        "</gx:SimpleArrayField>\n"
        "  </Schema>\n";
    for (const RecordingTrack& t : tracks) {
        out += "  <Placemark>\n";
        out += "    <name>" + XmlEscape(t.rec.DisplayName()) + "</name>\n";
        out += "    <description>" + XmlEscape(Description(t.rec)) + "</description>\n";
        out += "    <gx:Track>\n";
        for (const TrackPoint& p : t.points)
            out += "      <when>" + FormatUtcIso(p.timeMs) + "</when>\n";
        for (const TrackPoint& p : t.points)
            out += "      <gx:coord>" + FormatCoordinate(p.lon) + " " + FormatCoordinate(p.lat) + " 0</gx:coord>\n";
        out += "      <ExtendedData>\n";
        out += "        <SchemaData schemaUrl=\"#track\">\n";
        out += "          <gx:SimpleArrayData name=\"speed\">\n";
        for (const TrackPoint& p : t.points)
            out += "            <gx:value>" + FormatSpeed(p.speedKnots) + "</gx:value>\n";
        out += "          </gx:SimpleArrayData>\n";
        out += "        </SchemaData>\n";
        out += "      </ExtendedData>\n";
        out += "    </gx:Track>\n";
        out += "  </Placemark>\n";
    }
    out += "</Document>\n</kml>\n";
    return out;
}

}  // namespace kestrel::cli
