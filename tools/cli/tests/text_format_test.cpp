#include "TextFormat.h"
#include "TrackWriters.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace kestrel::cli;

TEST(TextFormat, UtcTimesCarryMillisecondsAndFloorBefore1970)
{
    EXPECT_EQ(FormatUtcIso(0), "1970-01-01T00:00:00.000Z");
    EXPECT_EQ(FormatUtcIso(1537101296789), "2018-09-16T12:34:56.789Z");
    EXPECT_EQ(FormatUtcIso(1537101296007), "2018-09-16T12:34:56.007Z");
    EXPECT_EQ(FormatUtcIso(-1), "1969-12-31T23:59:59.999Z");
}

TEST(TextFormat, LocalTimesFollowTheZoneAndDaylightSaving)
{
    // The tests run with TZ=Europe/Berlin.
    EXPECT_EQ(FormatLocalTime(1537101296789), "2018-09-16 14:34:56");  // CEST
    EXPECT_EQ(FormatLocalTime(1546300800000), "2019-01-01 01:00:00");  // CET
}

TEST(TextFormat, NumbersIgnoreTheLocaleAndKeepTheirDigits)
{
    EXPECT_EQ(FormatFixed(48.117305, 8), "48.11730500");
    EXPECT_EQ(FormatFixed(-123.45678912, 8), "-123.45678912");
    EXPECT_EQ(FormatFixed(-0.0, 3), "0.000");
    EXPECT_EQ(FormatFixed(-0.0001, 3), "0.000");
    EXPECT_EQ(FormatExact(0.00390625), "0.00390625");
    EXPECT_EQ(FormatExact(-1.5), "-1.5");
    EXPECT_EQ(FormatExact(0.1), "0.1");
    EXPECT_EQ(FormatExact(1e-7), "0.0000001");
    // The exact text reads back as the same value.
    const double v = 0.98765432101234567;
    EXPECT_EQ(std::stod(FormatExact(v)), v);
}

TEST(TextFormat, SpeedsAreKnotsConvertedToMetresPerSecond)
{
    EXPECT_EQ(FormatSpeed(0.0), "0.000");
    EXPECT_EQ(FormatSpeed(10.0), "5.144");     // 10 kn = 5.1444 m/s
    EXPECT_EQ(FormatSpeed(100.0), "51.444");
    EXPECT_EQ(FormatSpeed(1.0 / 0.514444444), "1.000");
    EXPECT_EQ(FormatSpeed(std::nan("")), "");
    EXPECT_EQ(FormatCoordinate(-33.8688197), "-33.86881970");
}

TEST(TextFormat, XmlEscapingCoversMarkupAndForbiddenCharacters)
{
    EXPECT_EQ(XmlEscape("a&b<c>\"d'e"), "a&amp;b&lt;c&gt;&quot;d&apos;e");
    EXPECT_EQ(XmlEscape("tab\there\nä€"), "tab\there\nä€");
    EXPECT_EQ(XmlEscape(std::string("x\x01y\x1f", 4)), "x\xEF\xBF\xBDy\xEF\xBF\xBD");
    EXPECT_EQ(XmlEscape(std::string("\0", 1)), "\xEF\xBF\xBD");
    EXPECT_EQ(XmlEscape("\xEF\xBF\xBE|\xEF\xBF\xBF|\xEF\xBF\xBD"), "\xEF\xBF\xBD|\xEF\xBF\xBD|\xEF\xBF\xBD");
}

TEST(TextFormat, JsonAndCsvEscaping)
{
    EXPECT_EQ(JsonEscape("C:\\a \"b\"\n"), "C:\\\\a \\\"b\\\"\\n");
    EXPECT_EQ(JsonEscape(std::string("\x01\x7f\t", 3)), "\\u0001\\u007f\\t");
    EXPECT_EQ(JsonEscape("ä/€"), "ä/€");
    EXPECT_EQ(CsvField("plain name.avi"), "plain name.avi");
    EXPECT_EQ(CsvField("a,b"), "\"a,b\"");
    EXPECT_EQ(CsvField("say \"hi\""), "\"say \"\"hi\"\"\"");
    EXPECT_EQ(CsvField("two\nlines"), "\"two\nlines\"");
}
