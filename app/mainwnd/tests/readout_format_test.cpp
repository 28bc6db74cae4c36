// The read-out texts and numbers: coordinate lines, speed conversions,
// axis values and the G-sensor range steps.
#include "ReadoutFormat.h"

#include <gtest/gtest.h>

#include <limits>

using namespace kestrel::readout;

TEST(ReadoutCoordinates, LinesFromRawValues)
{
    struct Case {
        double raw;
        char16_t hemisphere;
        const char16_t* expected;
    };
    const Case cases[] = {
        {4807.038, u'N', u"Latitude: 48\u00B0 07' 02\" (N)"},
        {1131.0, u'E', u"Latitude: 11\u00B0 31' 00\" (E)"},
        {3723.4560, u'S', u"Latitude: 37\u00B0 23' 27\" (S)"},
        {12701.2345, u'W', u"Latitude: 127\u00B0 01' 14\" (W)"},
        {0.0, u'N', u"Latitude: 0\u00B0 00' 00\" (N)"},
        {59.999, u'N', u"Latitude: 0\u00B0 59' 59\" (N)"},
        // No hemisphere letter, or no number at all: still a line.
        {4807.038, 0, u"Latitude: 48\u00B0 07' 02\" ( )"},
        {std::numeric_limits<double>::quiet_NaN(), u'N', u"Latitude: 0\u00B0 00' 00\" (N)"},
        {-4807.038, u'N', u"Latitude: 48\u00B0 07' 02\" (N)"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CoordinateLine(QStringLiteral("Latitude"), c.raw, c.hemisphere), QString::fromUtf16(c.expected))
            << c.raw;
    // Absurd values stay inside the integer range.
    EXPECT_FALSE(CoordinateLine(QStringLiteral("L"), 1e300, u'N').isEmpty());
}

TEST(ReadoutSpeed, ConversionTable)
{
    struct Case {
        double speed;
        int sampleUnit;
        ShownSpeedUnit shown;
        const char* expected;
    };
    const Case cases[] = {
        {22.4, 0, ShownSpeedUnit::Kmh, "041"},  // knots
        {22.4, 0, ShownSpeedUnit::Mph, "025"},
        {100.0, 1, ShownSpeedUnit::Kmh, "100"},  // km/h
        {100.0, 1, ShownSpeedUnit::Mph, "062"},
        {60.0, 2, ShownSpeedUnit::Kmh, "096"},   // mph
        {60.0, 2, ShownSpeedUnit::Mph, "060"},
        {50.0, 3, ShownSpeedUnit::Kmh, "000"},   // unknown unit
        {50.0, -1, ShownSpeedUnit::Mph, "000"},
        {0.0, 0, ShownSpeedUnit::Kmh, "000"},
        {-5.0, 0, ShownSpeedUnit::Kmh, "000"},
        {std::numeric_limits<double>::quiet_NaN(), 0, ShownSpeedUnit::Kmh, "000"},
        {std::numeric_limits<double>::infinity(), 0, ShownSpeedUnit::Kmh, "000"},
        {1e12, 0, ShownSpeedUnit::Kmh, "999"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SpeedText(c.speed, c.sampleUnit, c.shown), QString::fromLatin1(c.expected))
            << c.speed << " unit " << c.sampleUnit;
}

TEST(ReadoutAxes, CalibrationAndDecimals)
{
    EXPECT_EQ(AxisText(QStringLiteral("X"), 0, 0.0), QStringLiteral("X 0.000"));
    EXPECT_EQ(AxisText(QStringLiteral("Z"), -1000, 1.0), QStringLiteral("Z 0.000"));
    EXPECT_EQ(AxisText(QStringLiteral("Z"), -1000, 0.5), QStringLiteral("Z -0.500"));
    EXPECT_EQ(AxisText(QStringLiteral("Y"), 250, 0.0126), QStringLiteral("Y 0.263"));
    EXPECT_EQ(AxisText(QStringLiteral("Y"), 0, std::numeric_limits<double>::quiet_NaN()), QStringLiteral("Y 0.000"));
}

TEST(ReadoutRange, ZoomSteps)
{
    struct Case {
        RangeStep (*step)(int);
        int from, to;
        bool zoomIn, zoomOut;
    };
    const Case cases[] = {
        {ZoomIn, 8, 4, true, true},  {ZoomIn, 4, 2, true, true},   {ZoomIn, 3, 1, false, true},
        {ZoomIn, 2, 1, false, true}, {ZoomIn, 1, 1, false, true},  {ZoomOut, 1, 2, true, true},
        {ZoomOut, 4, 8, true, false}, {ZoomOut, 8, 8, true, false}, {ZoomOut, 1 << 30, 8, true, false},
        {InitialRange, 4, 4, true, true}, {InitialRange, 1, 1, false, true}, {InitialRange, 8, 8, true, false},
        {InitialRange, 3, 2, true, true}, {InitialRange, 0, 2, true, true},  {InitialRange, -8, 2, true, true},
    };
    for (const Case& c : cases) {
        const RangeStep s = c.step(c.from);
        EXPECT_EQ(s.range, c.to) << c.from;
        EXPECT_EQ(s.zoomInEnabled, c.zoomIn) << c.from;
        EXPECT_EQ(s.zoomOutEnabled, c.zoomOut) << c.from;
    }
    EXPECT_EQ(RangeTopText(4), QStringLiteral("+4G"));
    EXPECT_EQ(RangeBottomText(4), QStringLiteral("-4G"));
}
