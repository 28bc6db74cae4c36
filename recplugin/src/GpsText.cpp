#include "GpsText.h"

#include <charconv>
#include <cmath>
#include <string>

namespace recplugin {

namespace {

bool IsDigit(int c) { return c >= '0' && c <= '9'; }

// Works over any character sequence; `at(i)` returns 0 past the end.
template <typename At>
double LeadingNumberOf(size_t len, At at)
{
    size_t i = 0;
    while (i < len && (at(i) == ' ' || (at(i) >= '\t' && at(i) <= '\r')))
        ++i;
    bool negative = false;
    if (i < len && (at(i) == '+' || at(i) == '-')) {
        negative = at(i) == '-';
        ++i;
    }
    std::string num;
    size_t mantissaDigits = 0;
    while (i < len && IsDigit(at(i))) {
        num += static_cast<char>(at(i++));
        ++mantissaDigits;
    }
    if (i < len && at(i) == '.') {
        num += '.';
        ++i;
        while (i < len && IsDigit(at(i))) {
            num += static_cast<char>(at(i++));
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0)
        return 0.0;
    if (i < len && (at(i) == 'e' || at(i) == 'E')) {
        size_t j = i + 1;
        std::string exp = "e";
        if (j < len && (at(j) == '+' || at(j) == '-'))
            exp += static_cast<char>(at(j++));
        size_t expDigits = 0;
        while (j < len && IsDigit(at(j))) {
            exp += static_cast<char>(at(j++));
            ++expDigits;
        }
        if (expDigits)
            num += exp;
    }
    double v = 0.0;
    const auto res = std::from_chars(num.data(), num.data() + num.size(), v);
    if (res.ec == std::errc::result_out_of_range)
        v = 0.0;
    return negative ? -v : v;
}

// Splits off the text up to the next comma. Without a comma the field, and
// everything after it, is empty.
std::wstring NextField(std::wstring& rest)
{
    const size_t comma = rest.find(L',');
    if (comma == std::wstring::npos) {
        rest.clear();
        return std::wstring();
    }
    std::wstring field = rest.substr(0, comma);
    rest.erase(0, comma + 1);
    return field;
}

}  // namespace

double LeadingNumber(const std::wstring& text)
{
    return LeadingNumberOf(text.size(), [&](size_t i) -> int {
        const wchar_t c = text[i];
        return c < 0x80 ? static_cast<int>(c) : 0x80;
    });
}

double LeadingNumber(const char* text, size_t len)
{
    return LeadingNumberOf(len, [&](size_t i) -> int { return static_cast<unsigned char>(text[i]); });
}

double RawToDegrees(double raw, bool negative)
{
    if (!std::isfinite(raw))
        return 0.0;
    const double d = std::trunc(raw / 100.0);
    const double deg = d + (raw - 100.0 * d) / 60.0;
    return negative ? -deg : deg;
}

void ParseRmcSentence(const std::wstring& sentence, CUserDataInfo& sample)
{
    sample.m_cStatus = u'V';
    if (sentence.size() < 7)
        return;
    const std::wstring name = sentence.substr(0, 6);
    if (name != L"$GPRMC" && name != L"$GNRMC")
        return;
    std::wstring rest = sentence;
    NextField(rest);  // sentence name
    NextField(rest);  // time of day
    if (NextField(rest) != L"A")
        return;
    sample.m_cStatus = u'A';
    sample.m_dLatRaw = LeadingNumber(NextField(rest));
    sample.m_cNS = NextField(rest) == L"S" ? u'S' : u'N';
    sample.m_dLonRaw = LeadingNumber(NextField(rest));
    sample.m_cEW = NextField(rest) == L"W" ? u'W' : u'E';
    sample.m_dSpeed = LeadingNumber(NextField(rest));
    sample.m_dLat = RawToDegrees(sample.m_dLatRaw, sample.m_cNS == u'S');
    sample.m_dLon = RawToDegrees(sample.m_dLonRaw, sample.m_cEW == u'W');
    sample.m_nReserved[0] = sample.m_nReserved[1] = 0;
}

void ParseMp4GpsSample(const uint8_t* data, size_t size, CUserDataInfo& sample)
{
    // Nine slots of at most 15 characters; a comma ends a slot and is
    // consumed, a full slot ends without consuming anything.
    constexpr size_t kSlots = 9;
    constexpr size_t kSlotChars = 15;
    std::string slots[kSlots];
    size_t pos = 9;
    for (size_t s = 0; s < kSlots && pos < size; ++s) {
        while (pos < size && slots[s].size() < kSlotChars) {
            const char c = static_cast<char>(data[pos++]);
            if (c == ',')
                break;
            slots[s] += c;
        }
    }
    // A zero byte ends a slot's text.
    for (auto& slot : slots) {
        const size_t z = slot.find('\0');
        if (z != std::string::npos)
            slot.resize(z);
    }

    if (slots[1].empty() || slots[1][0] != 'A') {
        sample.m_cStatus = u'V';
        return;
    }
    sample.m_cStatus = u'A';
    sample.m_dLatRaw = LeadingNumber(slots[2].data(), slots[2].size());
    sample.m_cNS = !slots[3].empty() && slots[3][0] == 'N' ? u'N' : u'S';
    sample.m_dLonRaw = LeadingNumber(slots[4].data(), slots[4].size());
    sample.m_cEW = !slots[5].empty() && slots[5][0] == 'E' ? u'E' : u'W';
    sample.m_dSpeed = LeadingNumber(slots[6].data(), slots[6].size());
    sample.m_dLat = RawToDegrees(sample.m_dLatRaw, sample.m_cNS == u'S');
    sample.m_dLon = RawToDegrees(sample.m_dLonRaw, sample.m_cEW == u'W');
    sample.m_nReserved[0] = sample.m_nReserved[1] = 0;
}

}  // namespace recplugin
