// Conversions between the wide text of the shared records and the UTF-8 that
// the file system and the media library take. Invalid input never throws:
// bad UTF-8 bytes become U+FFFD and lone surrogates are replaced likewise.
#pragma once

#include <string>

namespace kestrel {

inline std::string ToUtf8(const std::wstring& w)
{
    std::string out;
    out.reserve(w.size());
    for (wchar_t wc : w) {
        auto c = static_cast<char32_t>(wc);
        if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
            c = 0xFFFD;
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

inline std::wstring FromUtf8(const std::string& s)
{
    std::wstring out;
    out.reserve(s.size());
    size_t i = 0;
    const size_t n = s.size();
    while (i < n) {
        const auto b0 = static_cast<unsigned char>(s[i]);
        char32_t c = 0xFFFD;
        size_t len = 1;
        if (b0 < 0x80) {
            c = b0;
        } else if ((b0 & 0xE0) == 0xC0) {
            len = 2;
        } else if ((b0 & 0xF0) == 0xE0) {
            len = 3;
        } else if ((b0 & 0xF8) == 0xF0) {
            len = 4;
        }
        if (len > 1) {
            bool ok = i + len <= n;
            char32_t v = b0 & (0x7F >> len);
            for (size_t k = 1; ok && k < len; ++k) {
                const auto b = static_cast<unsigned char>(s[i + k]);
                if ((b & 0xC0) != 0x80)
                    ok = false;
                else
                    v = (v << 6) | (b & 0x3F);
            }
            static const char32_t kMin[5] = {0, 0, 0x80, 0x800, 0x10000};
            if (ok && v >= kMin[len] && v <= 0x10FFFF && !(v >= 0xD800 && v <= 0xDFFF))
                c = v;
            else
                len = 1;  // resynchronise on the next byte
        }
        out += static_cast<wchar_t>(c);
        i += len;
    }
    return out;
}

// UTF-16 slots of the plug-in description record.
inline void CopyToU16(char16_t* dst, size_t cap, const std::wstring& src)
{
    if (cap == 0)
        return;
    size_t o = 0;
    for (wchar_t wc : src) {
        auto c = static_cast<char32_t>(wc);
        if (c >= 0x10000) {
            if (o + 2 >= cap)
                break;
            c -= 0x10000;
            dst[o++] = static_cast<char16_t>(0xD800 + (c >> 10));
            dst[o++] = static_cast<char16_t>(0xDC00 + (c & 0x3FF));
        } else {
            if (o + 1 >= cap)
                break;
            dst[o++] = static_cast<char16_t>(c);
        }
    }
    dst[o] = 0;
}

inline std::wstring FromU16(const char16_t* src, size_t cap)
{
    std::wstring out;
    for (size_t i = 0; i < cap && src[i]; ++i) {
        char32_t c = src[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < cap && src[i + 1] >= 0xDC00 && src[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (src[i + 1] - 0xDC00);
            ++i;
        }
        out += static_cast<wchar_t>(c);
    }
    return out;
}

}  // namespace kestrel
