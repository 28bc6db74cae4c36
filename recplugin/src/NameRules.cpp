#include "NameRules.h"

#include <cerrno>
#include <vector>

namespace recplugin {

int ClassifyNameChar(char16_t c)
{
    if (c == u'-' || c == u'_')
        return 1;
    if (c >= u'0' && c <= u'9')
        return 0;
    return -1;
}

std::wstring NameStem(const std::wstring& fileName, bool channelFile)
{
    const size_t cut = channelFile ? 8 : 4;
    if (fileName.size() < cut)
        return std::wstring();
    return fileName.substr(channelFile ? 4 : 0, fileName.size() - cut);
}

int32_t AviTypeFromLetters(const std::wstring& upperLetters)
{
    // The first of the two letters is not significant; the second is.
    if (upperLetters.size() < 2)
        return 0;
    switch (upperLetters[1]) {
    case L'E': return 1;
    case L'S': return 3;
    case L'P': return 4;
    case L'M': return 5;
    case L'L': return 6;
    default: return 0;
    }
}

int32_t Mp4TypeFromLetters(const std::wstring& upperLetters)
{
    if (upperLetters.size() < 2) {
        if (upperLetters.empty())
            return 0;
        switch (upperLetters[0]) {
        case L'E': return 1;
        case L'P': return 3;
        case L'M': return 4;
        case L'B': return 5;
        default: return 0;
        }
    }
    // Searched in this order; the first code found decides.
    static const struct {
        const wchar_t* code;
        int32_t type;
    } kCodes[] = {
        {L"EMER", 1}, {L"NEF", 1}, {L"EVT", 1}, {L"PEF", 3}, {L"PEV", 3},
        {L"IMP", 3},  {L"MOT", 4}, {L"PRK", 2}, {L"MAN", 5}, {L"USR", 5},
    };
    for (const auto& c : kCodes)
        if (upperLetters.find(c.code) != std::wstring::npos)
            return c.type;
    return 0;
}

namespace {

int TwoDigits(const std::string& d, size_t i) { return (d[i] - '0') * 10 + (d[i + 1] - '0'); }

// Local calendar time to seconds since 1970 UTC; no value before 1970 or
// when the conversion fails. A day past the end of its month rolls over.
std::optional<int64_t> LocalToEpoch(int year, int month, int day, int hour, int minute, int second)
{
    if (year < 1970)
        return std::nullopt;
    struct tm tm {};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    tm.tm_sec = second;
    tm.tm_isdst = -1;
    errno = 0;
    const time_t t = mktime(&tm);
    if (t == static_cast<time_t>(-1) && errno != 0)
        return std::nullopt;
    return static_cast<int64_t>(t);
}

}  // namespace

std::optional<NameIdentity> ParseNameStem(const std::wstring& stem, NameKind kind, time_t now)
{
    std::string digits;
    std::wstring letters;
    for (wchar_t c : stem) {
        const int k = ClassifyNameChar(static_cast<char16_t>(c));
        if (k == 0)
            digits += static_cast<char>(c);
        else if (k < 0)
            letters += (c >= L'a' && c <= L'z') ? static_cast<wchar_t>(c - L'a' + L'A') : c;
    }
    const size_t n = digits.size();
    if (kind == NameKind::Avi) {
        if (n != 14 || letters.size() != 2)
            return std::nullopt;
    } else if (n < 12) {
        return std::nullopt;
    }

    struct tm nowTm {};
    if (!localtime_r(&now, &nowTm))
        return std::nullopt;
    const int currentYear = nowTm.tm_year + 1900;
    const int century = currentYear / 100 * 100;

    const bool fourDigitYear = n >= 14;
    const size_t width = fourDigitYear ? 14 : 12;
    std::optional<int64_t> best;
    int64_t bestDiff = 0;
    for (size_t i = 0; i + width <= n; ++i) {
        size_t p = i;
        int year;
        if (fourDigitYear) {
            year = TwoDigits(digits, p) * 100 + TwoDigits(digits, p + 2);
            p += 4;
        } else {
            year = century + TwoDigits(digits, p);
            p += 2;
        }
        const int month = TwoDigits(digits, p);
        const int day = TwoDigits(digits, p + 2);
        const int hour = TwoDigits(digits, p + 4);
        const int minute = TwoDigits(digits, p + 6);
        const int second = TwoDigits(digits, p + 8);
        if (year < 1900 || year > currentYear || month < 1 || month > 12 || day < 1 || day > 31 || hour > 23 ||
            minute > 59 || second > 59)
            continue;
        const auto t = LocalToEpoch(year, month, day, hour, minute, second);
        if (!t)
            continue;
        // The candidate closest before now wins (ties: the earlier window).
        const int64_t diff = static_cast<int64_t>(now) - *t;
        if (!best || diff < bestDiff) {
            best = t;
            bestDiff = diff;
        }
    }
    if (!best)
        return std::nullopt;

    NameIdentity id;
    id.startMs = *best * 1000;
    id.recType = kind == NameKind::Avi ? AviTypeFromLetters(letters) : Mp4TypeFromLetters(letters);
    return id;
}

}  // namespace recplugin
