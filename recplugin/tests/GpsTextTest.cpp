#include "AviUserData.h"
#include "ByteBuilders.h"
#include "GpsText.h"
#include "kestrel/WideText.h"

#include <gtest/gtest.h>

#include <clocale>
#include <fstream>
#include <sstream>

using namespace recplugin;

TEST(RmcSentence, FixGivesRawAndDecimalPosition)
{
    CUserDataInfo s;
    ParseRmcSentence(L"$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W", s);
    EXPECT_EQ(s.m_cStatus, u'A');
    EXPECT_DOUBLE_EQ(s.m_dLatRaw, 4807.038);
    EXPECT_EQ(s.m_cNS, u'N');
    EXPECT_NEAR(s.m_dLat, 48.1173, 1e-9);
    EXPECT_DOUBLE_EQ(s.m_dLonRaw, 1131.0);
    EXPECT_EQ(s.m_cEW, u'E');
    EXPECT_NEAR(s.m_dLon, 11.5166666667, 1e-9);
    EXPECT_DOUBLE_EQ(s.m_dSpeed, 22.4);

    CUserDataInfo sw;
    ParseRmcSentence(L"$GNRMC,123519,A,4807.038,S,01131.000,W,022.4,084.4,230394,003.1,W", sw);
    EXPECT_NEAR(sw.m_dLat, -48.1173, 1e-9);
    EXPECT_NEAR(sw.m_dLon, -11.5166666667, 1e-9);
    EXPECT_EQ(sw.m_cNS, u'S');
    EXPECT_EQ(sw.m_cEW, u'W');
}

TEST(RmcSentence, NonFixesAreInvalidWithZeroPosition)
{
    const wchar_t* cases[] = {
        L"$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47",
        L"$GPRMC,123519,V,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W",
        L"$GPRMC,123519,AA,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W",
        L"$GLRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W",
        L"$GPRMC", L"", L"$GPRMC,123519,A",  // status without a comma after it is empty
    };
    for (const wchar_t* c : cases) {
        CUserDataInfo s;
        ParseRmcSentence(c, s);
        EXPECT_EQ(s.m_cStatus, u'V') << kestrel::ToUtf8(c);
        EXPECT_EQ(s.m_dLatRaw, 0.0);
        EXPECT_EQ(s.m_dLon, 0.0);
        EXPECT_EQ(s.m_cNS, 0);
    }
}

TEST(RmcSentence, NumbersIgnoreTheProcessLocale)
{
    // A viewer may switch to a locale whose decimal mark is a comma.
    const char* old = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = old ? old : "C";
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8"))
        std::setlocale(LC_NUMERIC, "C");
    EXPECT_DOUBLE_EQ(LeadingNumber(L"4807.038xyz"), 4807.038);
    EXPECT_DOUBLE_EQ(LeadingNumber(L" -1.5e2,"), -150.0);
    EXPECT_EQ(LeadingNumber(L"N"), 0.0);
    EXPECT_EQ(LeadingNumber(L"."), 0.0);
    EXPECT_EQ(LeadingNumber(L"0x10"), 0.0);
    std::setlocale(LC_NUMERIC, saved.c_str());
}

namespace {

struct Vector {
    std::string sentence, status, ns, ew;
    double latRaw = 0, lonRaw = 0, speed = 0, lat = 0, lon = 0;
};

std::vector<std::string> SplitTabs(const std::string& line)
{
    std::vector<std::string> out;
    std::string field;
    std::istringstream in(line);
    while (std::getline(in, field, '\t'))
        out.push_back(field);
    if (!line.empty() && line.back() == '\t')
        out.emplace_back();
    return out;
}

void ExpectMatches(const CUserDataInfo& s, const Vector& v, const std::string& where)
{
    EXPECT_EQ(s.m_cStatus, v.status == "A" ? u'A' : u'V') << where;
    EXPECT_EQ(s.m_cNS, v.ns.empty() ? char16_t(0) : char16_t(v.ns[0])) << where;
    EXPECT_EQ(s.m_cEW, v.ew.empty() ? char16_t(0) : char16_t(v.ew[0])) << where;
    EXPECT_DOUBLE_EQ(s.m_dLatRaw, v.latRaw) << where;
    EXPECT_DOUBLE_EQ(s.m_dLonRaw, v.lonRaw) << where;
    EXPECT_DOUBLE_EQ(s.m_dSpeed, v.speed) << where;
    EXPECT_NEAR(s.m_dLat, v.lat, 1e-12) << where;
    EXPECT_NEAR(s.m_dLon, v.lon, 1e-12) << where;
}

}  // namespace

TEST(RmcSentence, RealReceiverVectors)
{
    std::ifstream in(KESTREL_SHARED_TESTDATA "/nmea/rmc_vectors.tsv");
    if (!in)
        GTEST_SKIP() << "shared NMEA vectors not present";
    std::string line;
    std::getline(in, line);  // header
    int rows = 0, fixes = 0;
    while (std::getline(in, line)) {
        if (line.empty())
            continue;
        const auto f = SplitTabs(line);
        ASSERT_GE(f.size(), 9u) << line;
        Vector v{f[0], f[1], f[3], f[5]};
        v.latRaw = std::stod(f[2]);
        v.lonRaw = std::stod(f[4]);
        v.speed = std::stod(f[6]);
        v.lat = std::stod(f[7]);
        v.lon = std::stod(f[8]);
        ++rows;
        fixes += v.status == "A";

        CUserDataInfo direct;
        ParseRmcSentence(kestrel::FromUtf8(v.sentence), direct);
        ExpectMatches(direct, v, v.sentence);

        // The same sentence inside an AVI data chunk.
        CRecFileInfo rec;
        const auto chunk = rptest::AviDataChunk(v.sentence, 1, 2, 3);
        ParseAviDataChunk(chunk.data(), rec);
        ASSERT_EQ(rec.m_arrGps.size(), 1u);
        ExpectMatches(*rec.m_arrGps[0], v, "chunk: " + v.sentence);
    }
    EXPECT_EQ(rows, 270);
    EXPECT_GT(fixes, 100);
}

TEST(Mp4GpsSample, FieldsFromOffsetNine)
{
    CUserDataInfo s;
    const auto g = rptest::Mp4GpsSample("123519,A,3723.2475,N,12158.3416,W,0.13,309.62,120598");
    ParseMp4GpsSample(g.data(), g.size(), s);
    EXPECT_EQ(s.m_cStatus, u'A');
    EXPECT_DOUBLE_EQ(s.m_dLatRaw, 3723.2475);
    EXPECT_EQ(s.m_cNS, u'N');
    EXPECT_DOUBLE_EQ(s.m_dLonRaw, 12158.3416);
    EXPECT_EQ(s.m_cEW, u'W');
    EXPECT_DOUBLE_EQ(s.m_dSpeed, 0.13);
    EXPECT_NEAR(s.m_dLat, 37.387458333, 1e-8);
    EXPECT_NEAR(s.m_dLon, -121.972360, 1e-6);
}

TEST(Mp4GpsSample, SlotsHoldFifteenCharactersAndStopAtTheSampleEnd)
{
    // A 17-character time field spills its last two characters into the
    // status slot, which then does not begin with 'A'.
    CUserDataInfo spill;
    const auto g = rptest::Mp4GpsSample("12345678901234567,A,3723.2475,N,12158.3416,W,0.13");
    ParseMp4GpsSample(g.data(), g.size(), spill);
    EXPECT_EQ(spill.m_cStatus, u'V');
    EXPECT_EQ(spill.m_dLatRaw, 0.0);

    // The sample ends inside the latitude: nothing beyond it is read, and
    // the missing hemispheres fall to 'S' and 'W'.
    const auto full = rptest::Mp4GpsSample("123519,A,3723.2475,N,12158.3416,W,0.13");
    CUserDataInfo cut;
    ParseMp4GpsSample(full.data(), 9 + 13, cut);  // "123519,A,3723"
    EXPECT_EQ(cut.m_cStatus, u'A');
    EXPECT_DOUBLE_EQ(cut.m_dLatRaw, 3723.0);
    EXPECT_EQ(cut.m_cNS, u'S');
    EXPECT_EQ(cut.m_cEW, u'W');
    EXPECT_LT(cut.m_dLat, 0.0);

    CUserDataInfo tiny;
    ParseMp4GpsSample(full.data(), 1, tiny);
    EXPECT_EQ(tiny.m_cStatus, u'V');
}
