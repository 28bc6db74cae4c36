// The simulated drive and its GPS sentences: valid checksums, plausible
// speeds, no jumps in position, hemispheres, and the hard brake of events.
#include "DriveSimulator.h"
#include "Nmea.h"
#include "UserData.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

using namespace kestrel::cardgen;

namespace {

constexpr int64_t kStart = 1718086503;  // 2024-06-11 06:15:03 UTC

double DistanceMetres(const GpsFix& a, const GpsFix& b)
{
    const double kPi = 3.14159265358979323846;
    const double dLat = (b.lat - a.lat) * 111320.0;
    const double dLon = (b.lon - a.lon) * 111320.0 * std::cos(a.lat * kPi / 180.0);
    return std::hypot(dLat, dLon);
}

}  // namespace

TEST(Nmea, SentenceFormatAndChecksum)
{
    GpsFix fix;
    fix.utcSec = kStart;
    fix.lat = 48.1173;
    fix.lon = 11.516666666;
    fix.speedKnots = 22.4;
    fix.courseDeg = 84.4;
    const std::string s = RmcSentence(fix);
    EXPECT_EQ(s.substr(0, s.size() - 3), "$GPRMC,061503.00,A,4807.0380,N,01131.0000,E,22.4,84.4,110624,,,A");
    EXPECT_TRUE(NmeaChecksumValid(s));

    fix.lat = -fix.lat;
    fix.lon = -fix.lon;
    EXPECT_NE(RmcFields(fix).find(",S,01131.0000,W,"), std::string::npos);

    fix.valid = false;
    const std::string v = RmcSentence(fix);
    EXPECT_EQ(v.substr(0, v.size() - 3), "$GPRMC,061503.00,V,,,,,,,110624,,,N");
    EXPECT_TRUE(NmeaChecksumValid(v));

    std::string broken = s;
    broken[10] = broken[10] == '1' ? '2' : '1';
    EXPECT_FALSE(NmeaChecksumValid(broken));
    EXPECT_FALSE(NmeaChecksumValid("$GPRMC,1*G0"));
    EXPECT_FALSE(NmeaChecksumValid(""));
}

TEST(Nmea, MinutesNeverRoundUpToSixty)
{
    GpsFix fix;
    fix.utcSec = kStart;
    fix.lat = 47.99999999;   // 47 deg 59.9999994 min
    fix.lon = 8.0;
    EXPECT_EQ(RmcFields(fix).substr(0, 27), "061503.00,A,4800.0000,N,008");
}

TEST(Drive, SpeedsAndPositionsArePlausible)
{
    const int seconds = 1800;
    DriveSimulator drive(7, false, kStart, seconds, {});
    double maxKmh = 0;
    int stopped = 0;
    for (int s = 1; s < seconds; ++s) {
        const GpsFix& a = drive.FixAt(kStart + s - 1);
        const GpsFix& b = drive.FixAt(kStart + s);
        const double kmhA = a.speedKnots * 1.852, kmhB = b.speedKnots * 1.852;
        maxKmh = std::max(maxKmh, kmhB);
        if (kmhB < 0.5) ++stopped;
        // At most 2 m/s^2 up and 3 m/s^2 down outside hard brakes.
        EXPECT_LE(kmhB - kmhA, 2.0 * 3.6 + 0.01) << "second " << s;
        EXPECT_GE(kmhB - kmhA, -3.0 * 3.6 - 0.01) << "second " << s;
        // Distance covered in the second matches the speeds (no jumps).
        const double metres = DistanceMetres(a, b);
        EXPECT_LE(metres, std::max(kmhA, kmhB) / 3.6 + 0.5) << "second " << s;
        EXPECT_GE(metres, std::min(kmhA, kmhB) / 3.6 * 0.8 - 0.5) << "second " << s;
        ASSERT_GE(b.courseDeg, 0.0);
        ASSERT_LT(b.courseDeg, 360.0);
    }
    EXPECT_LE(maxKmh, 121.0);
    EXPECT_GE(maxKmh, 40.0);
    EXPECT_GT(stopped, 5) << "the drive should stop at lights now and then";
    EXPECT_NEAR(drive.FixAt(kStart).lat, 48.14, 0.1);
}

TEST(Drive, SouthWestAndHardBrake)
{
    const int64_t brake = kStart + 400;
    DriveSimulator drive(3, true, kStart, 600, {brake});
    EXPECT_LT(drive.FixAt(kStart).lat, -30);
    EXPECT_LT(drive.FixAt(kStart).lon, -50);
    for (int t = 0; t < DriveSimulator::kAccelPerSecond; ++t)
        EXPECT_NEAR(drive.AccelAt(brake, t).x, -0.8, 0.05);
    double z = 0;
    for (int t = 0; t < DriveSimulator::kAccelPerSecond; ++t) z += drive.AccelAt(brake + 5, t).z;
    EXPECT_NEAR(z / DriveSimulator::kAccelPerSecond, 1.0, 0.1);
}

TEST(UserData, AviChunkLayout)
{
    GpsFix fix;
    fix.utcSec = kStart;
    fix.lat = 48.5;
    fix.lon = 11.25;
    Accel a{0.25, -0.5, 1.0};
    const std::vector<uint8_t> d = MakeAviDataChunk(fix, a);
    ASSERT_EQ(d.size() % 2, 0u);
    ASSERT_GE(d.size(), 302u);
    const char* sentence = reinterpret_cast<const char*>(d.data() + kAviSentenceOffset);
    EXPECT_TRUE(NmeaChecksumValid(sentence));
    auto le32 = [&](size_t at) {
        int32_t v;
        std::memcpy(&v, d.data() + at, 4);
        return v;
    };
    // Readings may move by a few thousandths so that no audio sync appears.
    EXPECT_NEAR(le32(290), 1000, 8);
    EXPECT_NEAR(le32(294), -500, 8);
    EXPECT_NEAR(le32(298), 250, 8);
}

TEST(UserData, Mp4Samples)
{
    EXPECT_EQ(MakeMp4AccelSample(Accel{0, 1, -1}), (std::vector<uint8_t>{'M', 0x80, 0xC0, 0x40}));
    EXPECT_EQ(EncodeMp4Axis(5.0), 255);
    EXPECT_EQ(EncodeMp4Axis(-5.0), 0);
    GpsFix fix;
    fix.utcSec = kStart;
    fix.lat = 37.387458;
    fix.lon = -121.97236;
    fix.speedKnots = 0.13;
    const std::vector<uint8_t> g = MakeMp4GpsSample(fix);
    ASSERT_GT(g.size(), 9u);
    EXPECT_EQ(g[0], 'G');
    EXPECT_EQ(std::string(g.begin() + 9, g.end()), "061503.00,A,3723.2475,N,12158.3416,W,0.1,0.0,110624");
}
