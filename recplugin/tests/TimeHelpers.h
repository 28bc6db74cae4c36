// Local calendar times for expectations (the tests run with a fixed TZ).
#pragma once

#include <cstdint>
#include <ctime>

namespace rptest {

inline time_t LocalTime(int y, int mo, int d, int h = 0, int mi = 0, int s = 0)
{
    struct tm tm {};
    tm.tm_year = y - 1900;
    tm.tm_mon = mo - 1;
    tm.tm_mday = d;
    tm.tm_hour = h;
    tm.tm_min = mi;
    tm.tm_sec = s;
    tm.tm_isdst = -1;
    return mktime(&tm);
}

inline int64_t LocalMs(int y, int mo, int d, int h = 0, int mi = 0, int s = 0)
{
    return int64_t(LocalTime(y, mo, d, h, mi, s)) * 1000;
}

}  // namespace rptest
