#include "Nmea.h"

#include <cmath>
#include <cstdio>
#include <ctime>

namespace kestrel::cardgen {

namespace {

// ddmm.mmmm (latitude, 2 degree digits) or dddmm.mmmm (longitude, 3 digits),
// rounded on whole ten-thousandths of a minute so 59.99995 never prints as 60.
std::string DegreesMinutes(double degrees, int degreeDigits)
{
    const long long total = std::llround(std::fabs(degrees) * 60.0 * 10000.0);
    const long long deg = total / 600000;
    const long long rest = total % 600000;
    char buf[32];
    std::snprintf(buf, sizeof buf, "%0*lld%02lld.%04lld", degreeDigits, deg, rest / 10000, rest % 10000);
    return buf;
}

}  // namespace

std::string RmcFields(const GpsFix& fix)
{
    const time_t t = static_cast<time_t>(fix.utcSec);
    struct tm tm {};
    gmtime_r(&t, &tm);
    char timeText[48];
    char dateText[48];
    std::snprintf(timeText, sizeof timeText, "%02d%02d%02d.00", tm.tm_hour, tm.tm_min, tm.tm_sec);
    std::snprintf(dateText, sizeof dateText, "%02d%02d%02d", tm.tm_mday, tm.tm_mon + 1, tm.tm_year % 100);
    if (!fix.valid) return std::string(timeText) + ",V,,,,,,," + dateText;

    char speedCourse[48];
    std::snprintf(speedCourse, sizeof speedCourse, "%.1f,%.1f", fix.speedKnots, fix.courseDeg);
    return std::string(timeText) + ",A," + DegreesMinutes(fix.lat, 2) + (fix.lat < 0 ? ",S," : ",N,") +
           DegreesMinutes(fix.lon, 3) + (fix.lon < 0 ? ",W," : ",E,") + speedCourse + "," + dateText;
}

uint8_t NmeaChecksum(std::string_view body)
{
    uint8_t sum = 0;
    for (char c : body) sum ^= static_cast<uint8_t>(c);
    return sum;
}

std::string RmcSentence(const GpsFix& fix)
{
    const std::string body = "GPRMC," + RmcFields(fix) + (fix.valid ? ",,,A" : ",,,N");
    char tail[8];
    std::snprintf(tail, sizeof tail, "*%02X", NmeaChecksum(body));
    return "$" + body + tail;
}

bool NmeaChecksumValid(std::string_view sentence)
{
    const size_t star = sentence.rfind('*');
    if (sentence.empty() || sentence[0] != '$' || star == std::string_view::npos || star + 3 != sentence.size())
        return false;
    unsigned value = 0;
    for (size_t i = star + 1; i < sentence.size(); ++i) {
        const char c = sentence[i];
        unsigned digit;
        if (c >= '0' && c <= '9') digit = static_cast<unsigned>(c - '0');
        else if (c >= 'A' && c <= 'F') digit = static_cast<unsigned>(c - 'A' + 10);
        else return false;
        value = value * 16 + digit;
    }
    return value == NmeaChecksum(sentence.substr(1, star - 1));
}

}  // namespace kestrel::cardgen
