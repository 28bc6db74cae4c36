// The map page's call texts and the sentence-form position conversion.
#include "MapScript.h"
#include "MapSource.h"
#include "PositionFilter.h"

#include <gtest/gtest.h>

#include <limits>
#include <memory>

using namespace kestrel::map;

TEST(MapPosition, SentenceFormToDecimalDegrees)
{
    struct Case {
        double raw;
        char16_t hemisphere;
        const char* expected;  // six decimals, as the page receives it
    };
    const Case cases[] = {
        {3723.4560, u'S', "-37.390933"}, {12701.2345, u'E', "127.020575"}, {4807.038, u'N', "48.117300"},
        {1131.0, u'W', "-11.516667"},    {0.0, u'N', "0.000000"},         {9000.0, u'S', "-90.000000"},
    };
    for (const Case& c : cases) {
        const auto v = RawToDecimal(c.raw, c.hemisphere);
        ASSERT_TRUE(v.has_value());
        EXPECT_EQ(QString::number(*v, 'f', 6), QLatin1String(c.expected)) << c.raw;
    }
    EXPECT_FALSE(RawToDecimal(std::numeric_limits<double>::quiet_NaN(), u'N').has_value());
    EXPECT_FALSE(RawToDecimal(std::numeric_limits<double>::infinity(), u'N').has_value());
}

TEST(MapCalls, TextsAsThePageReceivesThem)
{
    EXPECT_EQ(SetLatLagCall({-37.390933, 127.020575}), QStringLiteral("setLatLag(-37.390933,127.020575)"));
    EXPECT_EQ(CreatePolylineCall(7), QStringLiteral("createPolylineObject(7)"));
    EXPECT_EQ(AddLocationCall(7, {1.5, -2.25}), QStringLiteral("addLocation(7,1.500000,-2.250000)"));
    EXPECT_EQ(ClearPolylinesCall(), QStringLiteral("clearPolylineObjectAll()"));
    EXPECT_EQ(MoveToCall({1, 2}), QStringLiteral("MoveTo(1.000000,2.000000)"));
    EXPECT_EQ(ShowMarkerCall(3), QStringLiteral("showMarker(3)"));
    // A number the page cannot take gives no call at all.
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_TRUE(SetLatLagCall({nan, 1}).isEmpty());
    EXPECT_TRUE(AddLocationCall(1, {1, std::numeric_limits<double>::infinity()}).isEmpty());
}

TEST(MapCalls, MarkerTextsAreEscapedStrings)
{
    const QString call = CreateMarkerCall(
        5, {1, 2}, {QStringLiteral("a\"b"), QStringLiteral("</script><b>x</b>"), QStringLiteral("line\nbreak\\")});
    EXPECT_EQ(call, QStringLiteral("createMarkerObject(5,1.000000,2.000000,\"a\\\"b\",\"</script><b>x</b>\","
                                   "\"line\\nbreak\\\\\",\"\")"));
}

namespace {

struct Track {
    std::vector<std::unique_ptr<CUserDataInfo>> owned;
    CUserDataArray list;
    void Add(char16_t status, double lat, double lon)
    {
        auto s = std::make_unique<CUserDataInfo>();
        s->m_cStatus = status;
        s->m_dLat = lat;
        s->m_dLon = lon;
        list.push_back(s.get());
        owned.push_back(std::move(s));
    }
};

}  // namespace

TEST(MapTrack, ValidFixesOnlyInPartsOfTheirOwn)
{
    Track invalid;
    invalid.Add(u'V', 1, 1);
    invalid.Add(u'V', 2, 2);
    EXPECT_TRUE(TrackPoints(invalid.list).empty());

    Track t;
    for (int i = 0; i < 7; ++i)
        t.Add(i == 3 ? u'V' : u'A', i, -i);
    t.list.push_back(nullptr);
    t.Add(u'A', std::numeric_limits<double>::quiet_NaN(), 1);
    const std::vector<LatLng> points = TrackPoints(t.list);
    ASSERT_EQ(points.size(), 6u);
    EXPECT_EQ(points[3].lat, 4.0);  // the 'V' fix is left out

    EXPECT_EQ(AddLocationsScript(9, points, 0, 2),
              QStringLiteral("addLocation(9,0.000000,0.000000);addLocation(9,1.000000,-1.000000);"));
    EXPECT_EQ(AddLocationsScript(9, points, 5, 10).count(QStringLiteral("addLocation(")), 1);
    EXPECT_TRUE(AddLocationsScript(9, points, 6, 10).isEmpty());
    EXPECT_TRUE(AddLocationsScript(9, points, 100, 10).isEmpty());
}

TEST(MapSourceRule, HostNamesOwnServersAndBadNames)
{
    qunsetenv("KESTREL_MAP_TILE_URL");
    const MapSource osm = MapSource::FromHost(QStringLiteral("tile.openstreetmap.org"));
    EXPECT_EQ(osm.tileUrl, QStringLiteral("https://tile.openstreetmap.org/{z}/{x}/{y}.png"));
    EXPECT_TRUE(osm.probe.icmp);
    EXPECT_EQ(osm.probe.port, 443);
    EXPECT_FALSE(osm.attribution.isEmpty());
    // Something that is not a host name never reaches the URL.
    EXPECT_FALSE(MapSource::FromHost(QStringLiteral("evil.org/x?y=")).Valid());
    EXPECT_FALSE(MapSource::FromHost(QString()).Valid());

    qputenv("KESTREL_MAP_TILE_URL", "http://127.0.0.1:8089/tiles/{z}/{x}/{y}.png");
    const MapSource own = MapSource::FromHost(QStringLiteral("tile.openstreetmap.org"));
    EXPECT_TRUE(own.ownServer);
    EXPECT_EQ(own.probe.host, "127.0.0.1");
    EXPECT_EQ(own.probe.port, 8089);
    EXPECT_FALSE(own.probe.icmp);
    qputenv("KESTREL_MAP_TILE_URL", "file:///etc/passwd");
    EXPECT_FALSE(MapSource::FromHost(QStringLiteral("tile.openstreetmap.org")).Valid());
    qunsetenv("KESTREL_MAP_TILE_URL");
}

TEST(MapPositionFilter, NoFixAndRepeatsSendNothing)
{
    CPositionFilter filter;
    CUserDataInfo s;
    EXPECT_FALSE(filter.Take(s).has_value());  // 0/0: no fix
    s.m_dLatRaw = 3723.4560;
    s.m_cNS = u'S';
    s.m_dLonRaw = 12701.2345;
    s.m_cEW = u'E';
    const auto first = filter.Take(s);
    ASSERT_TRUE(first.has_value());
    EXPECT_EQ(SetLatLagCall(*first), QStringLiteral("setLatLag(-37.390933,127.020575)"));
    EXPECT_FALSE(filter.Take(s).has_value());  // the same place again
    // Not in sentence form: the last converted position goes again.
    CUserDataInfo other = s;
    other.m_dLatRaw = 1.0;
    other.m_nReserved[1] = 1;
    const auto again = filter.Take(other);
    ASSERT_TRUE(again.has_value());
    EXPECT_EQ(again->lat, first->lat);
    filter.Reset();
    EXPECT_TRUE(filter.Take(s).has_value());
}
