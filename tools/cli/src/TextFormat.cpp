#include "TextFormat.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <ctime>

namespace kestrel::cli {

namespace {

void SplitMs(int64_t ms, time_t* sec, int* milli)
{
    // Floor division so times before 1970 keep a positive millisecond part.
    int64_t s = ms / 1000;
    int64_t m = ms % 1000;
    if (m < 0) {
        m += 1000;
        --s;
    }
    *sec = static_cast<time_t>(s);
    *milli = static_cast<int>(m);
}

std::string FormatTm(const std::tm& t, const char* fmt)
{
    char buf[64];
    const size_t n = std::strftime(buf, sizeof buf, fmt, &t);
    return n ? std::string(buf, n) : std::string("-");
}

}  // namespace

std::string FormatLocalTime(int64_t ms)
{
    time_t sec;
    int milli;
    SplitMs(ms, &sec, &milli);
    std::tm t{};
    if (!localtime_r(&sec, &t))
        return "-";
    return FormatTm(t, "%Y-%m-%d %H:%M:%S");
}

std::string FormatUtcIso(int64_t ms)
{
    time_t sec;
    int milli;
    SplitMs(ms, &sec, &milli);
    std::tm t{};
    if (!gmtime_r(&sec, &t))
        return "-";
    char frac[8];
    std::snprintf(frac, sizeof frac, ".%03dZ", milli);
    return FormatTm(t, "%Y-%m-%dT%H:%M:%S") + frac;
}

std::string FormatFixed(double value, int decimals)
{
    if (value == 0.0)
        value = 0.0;  // drops the sign of -0
    char buf[64];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
    if (ec != std::errc())
        return "nan";
    std::string out(buf, end);
    // A value that rounds to zero shows without a sign.
    if (out[0] == '-' && out.find_first_not_of("-0.") == std::string::npos)
        out.erase(0, 1);
    return out;
}

std::string FormatExact(double value)
{
    if (value == 0.0)
        value = 0.0;
    char buf[512];  // fixed notation of the largest double needs 309 digits
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed);
    if (ec != std::errc())
        return "nan";
    return std::string(buf, end);
}

std::string XmlEscape(std::string_view s)
{
    static const char kReplacement[] = "\xEF\xBF\xBD";
    std::string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        const auto c = static_cast<unsigned char>(s[i]);
        switch (c) {
        case '&': out += "&amp;"; continue;
        case '<': out += "&lt;"; continue;
        case '>': out += "&gt;"; continue;
        case '"': out += "&quot;"; continue;
        case '\'': out += "&apos;"; continue;
        default: break;
        }
        if (c < 0x20 && c != '\t' && c != '\n' && c != '\r') {
            out += kReplacement;
        } else if (c == 0xEF && i + 2 < s.size() && static_cast<unsigned char>(s[i + 1]) == 0xBF &&
                   (static_cast<unsigned char>(s[i + 2]) & 0xFE) == 0xBE) {
            out += kReplacement;  // U+FFFE or U+FFFF
            i += 2;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

std::string JsonEscape(std::string_view s)
{
    std::string out;
    out.reserve(s.size());
    for (char ch : s) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        case '\b': out += "\\b"; break;
        case '\f': out += "\\f"; break;
        default:
            if (c < 0x20 || c == 0x7F) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", c);
                out += buf;
            } else {
                out += ch;
            }
        }
    }
    return out;
}

std::string CsvField(std::string_view s)
{
    if (s.find_first_of(",\"\r\n") == std::string_view::npos)
        return std::string(s);
    std::string out = "\"";
    for (char c : s) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
    return out;
}

}  // namespace kestrel::cli
