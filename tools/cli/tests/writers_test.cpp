#include "GSensorCsvWriter.h"
#include "ScanWriter.h"
#include "TrackWriters.h"
#include "XmlCheck.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace kestrel::cli;

namespace {

size_t Count(const std::string& hay, const std::string& needle)
{
    size_t n = 0;
    for (size_t p = hay.find(needle); p != std::string::npos; p = hay.find(needle, p + needle.size()))
        ++n;
    return n;
}

Recording Rec(int index, int type, const std::string& name)
{
    Recording r;
    r.index = index;
    r.type = type;
    r.startMs = 1537101296000;  // 2018-09-16 12:34:56 UTC
    r.endMs = r.startMs + 60500;
    r.files = {"/card/DCIM/" + name, "/card/DCIM/ch1_" + name};
    r.names = {name, "ch1_" + name};
    return r;
}

std::vector<RecordingTrack> TwoTracks()
{
    RecordingTrack a;
    a.rec = Rec(0, 1, "A&B <odd> \"name\".avi");
    a.points.push_back({1537101296000, 48.1173050, 11.5166670, 10.0});
    a.points.push_back({1537101297250, -33.86881970, -151.20929550, std::nan("")});
    RecordingTrack b;
    b.rec = Rec(1, 0, "plain.mp4");
    b.points.push_back({1537101300999, 0.5, -0.25, 0.0});
    return {a, b};
}

void ExpectWellFormed(const std::string& xml)
{
    const std::string verdict = CheckWellFormedXml(xml);
    if (verdict == "skip")
        GTEST_SKIP() << "neither xmllint nor python3 is available";
    EXPECT_EQ(verdict, "") << xml;
}

}  // namespace

TEST(GpxWriter, OneTrackPerRecordingWithUtcTimesAndSpeeds)
{
    const std::string gpx = WriteGpx(TwoTracks());
    EXPECT_NE(gpx.find("<gpx version=\"1.1\""), std::string::npos);
    EXPECT_NE(gpx.find("xmlns=\"http://www.topografix.com/GPX/1/1\""), std::string::npos);
    EXPECT_EQ(Count(gpx, "<trk>"), 2u);
    EXPECT_EQ(Count(gpx, "<trkseg>"), 2u);
    EXPECT_EQ(Count(gpx, "<trkpt "), 3u);
    EXPECT_NE(gpx.find("<name>A&amp;B &lt;odd&gt; &quot;name&quot;.avi</name>"), std::string::npos);
    EXPECT_NE(gpx.find("<trkpt lat=\"48.11730500\" lon=\"11.51666700\"><time>2018-09-16T12:34:56.000Z</time>"
                       "<extensions><speed>5.144</speed></extensions></trkpt>"),
              std::string::npos);
    // Unknown speed: no extensions at all; south and west stay negative.
    EXPECT_NE(gpx.find("<trkpt lat=\"-33.86881970\" lon=\"-151.20929550\"><time>2018-09-16T12:34:57.250Z</time>"
                       "</trkpt>"),
              std::string::npos);
    EXPECT_NE(gpx.find("<time>2018-09-16T12:35:00.999Z</time>"), std::string::npos);
    ExpectWellFormed(gpx);
}

TEST(GpxWriter, EmptyListIsStillAValidDocument)
{
    const std::string gpx = WriteGpx({});
    EXPECT_EQ(Count(gpx, "<trk>"), 0u);
    ExpectWellFormed(gpx);
}

TEST(KmlWriter, PlacemarkPerRecordingWithAlignedTrackArrays)
{
    const std::string kml = WriteKml(TwoTracks());
    EXPECT_NE(kml.find("xmlns=\"http://www.opengis.net/kml/2.2\""), std::string::npos);
    EXPECT_EQ(Count(kml, "<Placemark>"), 2u);
    EXPECT_EQ(Count(kml, "<gx:Track>"), 2u);
    EXPECT_EQ(Count(kml, "<when>"), 3u);
    EXPECT_EQ(Count(kml, "<gx:coord>"), 3u);
    EXPECT_EQ(Count(kml, "<gx:value>"), 3u);  // one per point, even when unknown
    EXPECT_NE(kml.find("<gx:coord>11.51666700 48.11730500 0</gx:coord>"), std::string::npos);  // lon first
    EXPECT_NE(kml.find("<when>2018-09-16T12:34:57.250Z</when>"), std::string::npos);
    EXPECT_NE(kml.find("<gx:value>5.144</gx:value>"), std::string::npos);
    EXPECT_NE(kml.find("<gx:value></gx:value>"), std::string::npos);
    EXPECT_NE(kml.find("<name>A&amp;B &lt;odd&gt; &quot;name&quot;.avi</name>"), std::string::npos);
    EXPECT_NE(kml.find("<SchemaData schemaUrl=\"#track\">"), std::string::npos);
    EXPECT_NE(kml.find("<Schema id=\"track\""), std::string::npos);
    ExpectWellFormed(kml);
}

TEST(GSensorCsv, HeaderRowsAndExactReadings)
{
    RecordingGSensor a;
    a.rec = Rec(0, 1, "with,comma.avi");
    a.samples.push_back({1537101296000, 0.00390625, -1.5, 0.98765432101234567});
    a.samples.push_back({1537101296100, 0.0, -0.0, 1.0});
    RecordingGSensor empty;
    empty.rec = Rec(1, 0, "nothing.mp4");
    RecordingGSensor b;
    b.rec = Rec(2, 2, "b.mp4");
    b.samples.push_back({-5, std::nan(""), 2.0, 3.0});

    const std::string csv = WriteGSensorCsv({a, empty, b});
    const std::string expected =
        "recording,start_local,time_utc_ms,x_g,y_g,z_g\n"
        "\"with,comma.avi\",2018-09-16 14:34:56,1537101296000,0.00390625,-1.5,0.9876543210123456\n"
        "\"with,comma.avi\",2018-09-16 14:34:56,1537101296100,0,0,1\n"
        "b.mp4,2018-09-16 14:34:56,-5,,2,3\n";
    EXPECT_EQ(csv, expected);
}

TEST(ScanWriter, JsonEscapesPathsAndMarksUnknownEnds)
{
    Recording odd = Rec(0, 3, "q\"uote\\back.avi");
    Recording open = Rec(1, 9, "x.mp4");
    open.endMs = 0;
    open.files.clear();
    open.names.clear();
    const std::string json = WriteScanJson({odd, open});
    EXPECT_NE(json.find("\"files\": [\"/card/DCIM/q\\\"uote\\\\back.avi\", "), std::string::npos) << json;
    EXPECT_NE(json.find("\"type\": 3, \"type_name\": \"Parking event\""), std::string::npos);
    EXPECT_NE(json.find("\"start\": \"2018-09-16 14:34:56\", \"start_ms\": 1537101296000"), std::string::npos);
    EXPECT_NE(json.find("\"end_ms\": 1537101356500, \"duration_ms\": 60500, \"channels\": 2"), std::string::npos);
    EXPECT_NE(json.find("\"type_name\": \"Type 9\""), std::string::npos);
    EXPECT_NE(json.find("\"end\": null, \"end_ms\": null, \"duration_ms\": null, \"channels\": 0, \"files\": []"),
              std::string::npos);
    EXPECT_EQ(WriteScanJson({}), "[]\n");

    // python3 (when present) must read it back as two objects.
    if (std::system("python3 -c pass >/dev/null 2>&1") == 0) {
        char path[] = "/tmp/kestrel-json-XXXXXX";
        const int fd = mkstemp(path);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(write(fd, json.data(), json.size()), static_cast<ssize_t>(json.size()));
        close(fd);
        const std::string cmd = std::string("python3 -c 'import json,sys; d=json.load(open(sys.argv[1])); "
                                            "sys.exit(0 if len(d)==2 and d[0][\"files\"][0].endswith(\"q\\\"uote\\\\back.avi\") else 1)' ") +
                                path;
        EXPECT_EQ(std::system(cmd.c_str()), 0);
        std::remove(path);
    }
}

TEST(ScanWriter, TableShowsTypeTimesDurationAndFiles)
{
    Recording open = Rec(1, 5, "m.mp4");
    open.endMs = 0;
    const std::string table = WriteScanTable({Rec(0, 1, "e.avi"), open});
    EXPECT_NE(table.find("1 Event"), std::string::npos);
    EXPECT_NE(table.find("2018-09-16 14:34:56  2018-09-16 14:35:56"), std::string::npos);
    EXPECT_NE(table.find("60.5s"), std::string::npos);
    EXPECT_NE(table.find("e.avi, ch1_e.avi"), std::string::npos);
    EXPECT_NE(table.find("5 Manual"), std::string::npos);
    EXPECT_EQ(Count(table, "\n"), 3u);
}
