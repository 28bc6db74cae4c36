#include "ini/CIniFile.h"

#include "kestrel/FdWrite.h"

#include "kestrel/WideText.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool IsBlank(wchar_t c)
{
    return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n' || c == L'\v' || c == L'\f';
}

std::wstring Trim(std::wstring_view s)
{
    size_t b = 0;
    size_t e = s.size();
    while (b < e && IsBlank(s[b]))
        ++b;
    while (e > b && IsBlank(s[e - 1]))
        --e;
    return std::wstring(s.substr(b, e - b));
}

wchar_t FoldAscii(wchar_t c)
{
    return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c + (L'a' - L'A')) : c;
}

bool EqualNoCase(std::wstring_view a, std::wstring_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (FoldAscii(a[i]) != FoldAscii(b[i]))
            return false;
    return true;
}

std::wstring NoLineBreaks(std::wstring_view s)
{
    std::wstring out(s);
    for (wchar_t& c : out)
        if (c == L'\r' || c == L'\n')
            c = L' ';
    return out;
}

// UTF-16 code units (already in host order) to wide text; lone surrogates
// become U+FFFD, embedded zeros are kept.
std::wstring FromUtf16Units(const std::vector<char16_t>& u)
{
    std::wstring out;
    out.reserve(u.size());
    for (size_t i = 0; i < u.size(); ++i) {
        char32_t c = u[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < u.size() && u[i + 1] >= 0xDC00 && u[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (u[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD;
        }
        out += static_cast<wchar_t>(c);
    }
    return out;
}

void AppendUtf16(std::string& out, const std::wstring& text, bool littleEndian)
{
    auto put = [&](char16_t u) {
        const char lo = static_cast<char>(u & 0xFF);
        const char hi = static_cast<char>(u >> 8);
        if (littleEndian) {
            out += lo;
            out += hi;
        } else {
            out += hi;
            out += lo;
        }
    };
    for (wchar_t wc : text) {
        auto c = static_cast<char32_t>(wc);
        if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
            c = 0xFFFD;
        if (c >= 0x10000) {
            c -= 0x10000;
            put(static_cast<char16_t>(0xD800 + (c >> 10)));
            put(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
        } else {
            put(static_cast<char16_t>(c));
        }
    }
}

// Reads a whole file; false when it exists but cannot be read in full.
// A missing file reads as empty and succeeds.
bool ReadFileBytes(const std::string& path, std::string& out, bool& missing)
{
    missing = false;
    out.clear();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        missing = errno == ENOENT || errno == ENOTDIR;
        return missing;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) ||
        static_cast<unsigned long long>(st.st_size) > CIniFile::kMaxFileBytes) {
        ::close(fd);
        return false;
    }
    char buf[65536];
    bool ok = true;
    for (;;) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n == 0)
            break;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            ok = false;
            break;
        }
        out.append(buf, static_cast<size_t>(n));
        if (out.size() > CIniFile::kMaxFileBytes) {
            ok = false;
            break;
        }
    }
    ::close(fd);
    return ok;
}

std::string FolderOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

CIniFile CIniFile::Load(const std::string& path)
{
    std::string bytes;
    bool missing = false;
    if (!ReadFileBytes(path, bytes, missing)) {
        CIniFile doc;
        doc.m_unreadable = true;
        return doc;
    }
    return Parse(bytes);
}

CIniFile CIniFile::Load(const std::wstring& path)
{
    return Load(kestrel::ToUtf8(path));
}

CIniFile CIniFile::Parse(std::string_view bytes)
{
    CIniFile doc;
    std::wstring text;
    auto startsWith = [&](std::initializer_list<unsigned char> bom) {
        if (bytes.size() < bom.size())
            return false;
        size_t i = 0;
        for (unsigned char b : bom)
            if (static_cast<unsigned char>(bytes[i++]) != b)
                return false;
        return true;
    };
    if (startsWith({0xFF, 0xFE}) || startsWith({0xFE, 0xFF})) {
        const bool le = static_cast<unsigned char>(bytes[0]) == 0xFF;
        doc.m_encoding = le ? Encoding::Utf16LE : Encoding::Utf16BE;
        std::vector<char16_t> units;
        units.reserve(bytes.size() / 2);
        for (size_t i = 2; i + 1 < bytes.size(); i += 2) {  // an odd tail byte is dropped
            const auto a = static_cast<unsigned char>(bytes[i]);
            const auto b = static_cast<unsigned char>(bytes[i + 1]);
            units.push_back(static_cast<char16_t>(le ? (a | b << 8) : (b | a << 8)));
        }
        text = FromUtf16Units(units);
    } else if (startsWith({0xEF, 0xBB, 0xBF})) {
        doc.m_encoding = Encoding::Utf8Bom;
        text = kestrel::FromUtf8(std::string(bytes.substr(3)));
    } else {
        text = kestrel::FromUtf8(std::string(bytes));
    }

    doc.m_finalNewline = text.empty() || text.back() == L'\n';
    size_t pos = 0;
    bool sawEol = false;
    while (pos < text.size()) {
        size_t eol = text.find(L'\n', pos);
        const bool last = eol == std::wstring::npos;
        if (last)
            eol = text.size();
        std::wstring raw = text.substr(pos, eol - pos);
        if (!raw.empty() && raw.back() == L'\r') {
            raw.pop_back();
            if (!sawEol)
                doc.m_crlf = true;
        }
        if (!last)
            sawEol = true;
        doc.m_lines.push_back(ParseLine(std::move(raw)));
        pos = eol + 1;
    }
    return doc;
}

CIniFile::Line CIniFile::ParseLine(std::wstring raw)
{
    Line line;
    const std::wstring t = Trim(raw);
    line.raw = std::move(raw);
    if (t.empty() || t[0] == L';' || t[0] == L'#')
        return line;
    if (t[0] == L'[') {
        const size_t close = t.find(L']');
        line.kind = Line::Section;
        line.name = Trim(std::wstring_view(t).substr(1, close == std::wstring::npos ? std::wstring::npos : close - 1));
        return line;
    }
    const size_t eq = t.find(L'=');
    line.kind = Line::Entry;
    if (eq == std::wstring::npos) {
        line.name = t;  // a key without a value
        return line;
    }
    line.name = Trim(std::wstring_view(t).substr(0, eq));
    std::wstring v = Trim(std::wstring_view(t).substr(eq + 1));
    if (v.size() >= 2 && (v.front() == L'"' || v.front() == L'\'') && v.back() == v.front())
        v = v.substr(1, v.size() - 2);
    line.value = std::move(v);
    return line;
}

long CIniFile::FindSection(std::wstring_view section) const
{
    for (size_t i = 0; i < m_lines.size(); ++i)
        if (m_lines[i].kind == Line::Section && EqualNoCase(m_lines[i].name, section))
            return static_cast<long>(i);
    return -1;
}

long CIniFile::FindKey(long sec, std::wstring_view key) const
{
    for (size_t i = static_cast<size_t>(sec) + 1; i < m_lines.size(); ++i) {
        const Line& l = m_lines[i];
        if (l.kind == Line::Section)
            break;
        if (l.kind == Line::Entry && l.raw.find(L'=') != std::wstring::npos && EqualNoCase(l.name, key))
            return static_cast<long>(i);
    }
    return -1;
}

bool CIniFile::HasSection(std::wstring_view section) const
{
    return FindSection(Trim(section)) >= 0;
}

bool CIniFile::HasKey(std::wstring_view section, std::wstring_view key) const
{
    const long sec = FindSection(Trim(section));
    return sec >= 0 && FindKey(sec, Trim(key)) >= 0;
}

std::wstring CIniFile::GetString(std::wstring_view section, std::wstring_view key, std::wstring_view def) const
{
    const long sec = FindSection(Trim(section));
    if (sec < 0)
        return std::wstring(def);
    const long k = FindKey(sec, Trim(key));
    return k < 0 ? std::wstring(def) : m_lines[static_cast<size_t>(k)].value;
}

int CIniFile::GetInt(std::wstring_view section, std::wstring_view key, int def) const
{
    const std::wstring v = GetString(section, key, L"");
    if (v.empty())
        return def;
    size_t i = 0;
    bool neg = false;
    if (v[i] == L'-' || v[i] == L'+')
        neg = v[i++] == L'-';
    long long n = 0;
    for (; i < v.size() && v[i] >= L'0' && v[i] <= L'9'; ++i) {
        n = n * 10 + (v[i] - L'0');
        if (n > static_cast<long long>(INT_MAX) + 1)
            n = static_cast<long long>(INT_MAX) + 1;
    }
    if (neg)
        n = -n;
    if (n > INT_MAX)
        n = INT_MAX;
    return static_cast<int>(n);
}

std::vector<std::wstring> CIniFile::GetSectionLines(std::wstring_view section) const
{
    std::vector<std::wstring> out;
    const long sec = FindSection(Trim(section));
    if (sec < 0)
        return out;
    for (size_t i = static_cast<size_t>(sec) + 1; i < m_lines.size(); ++i) {
        const Line& l = m_lines[i];
        if (l.kind == Line::Section)
            break;
        if (l.kind != Line::Entry)
            continue;
        if (l.raw.find(L'=') == std::wstring::npos)
            out.push_back(l.name);
        else
            out.push_back(l.name + L"=" + l.value);
    }
    return out;
}

std::vector<std::wstring> CIniFile::GetSectionNames() const
{
    std::vector<std::wstring> out;
    for (const Line& l : m_lines) {
        if (l.kind != Line::Section)
            continue;
        bool seen = false;
        for (const std::wstring& n : out)
            seen = seen || EqualNoCase(n, l.name);
        if (!seen)
            out.push_back(l.name);
    }
    return out;
}

void CIniFile::SetString(std::wstring_view section, std::wstring_view key, std::wstring_view value)
{
    // Existing names are found as they are; new ones are written without
    // line breaks, so no name or value can start a line of its own.
    const std::wstring v = NoLineBreaks(value);
    long s = FindSection(Trim(section));
    if (s < 0) {
        m_lines.push_back(ParseLine(L"[" + Trim(NoLineBreaks(section)) + L"]"));
        s = static_cast<long>(m_lines.size()) - 1;
    }
    const long at = FindKey(s, Trim(key));
    if (at >= 0) {
        // Keep the key as the file spells it; only the value changes.
        Line& l = m_lines[static_cast<size_t>(at)];
        l = ParseLine(l.name + L"=" + v);
        return;
    }
    // Append after the last key or section line of the section, so that
    // blank lines and comments before the next section stay where they are.
    size_t insert = static_cast<size_t>(s) + 1;
    for (size_t i = insert; i < m_lines.size() && m_lines[i].kind != Line::Section; ++i)
        if (m_lines[i].kind == Line::Entry)
            insert = i + 1;
    m_lines.insert(m_lines.begin() + static_cast<long>(insert), ParseLine(Trim(NoLineBreaks(key)) + L"=" + v));
}

void CIniFile::SetInt(std::wstring_view section, std::wstring_view key, int value)
{
    SetString(section, key, std::to_wstring(value));
}

std::string CIniFile::Serialize() const
{
    std::wstring text;
    const wchar_t* eol = m_crlf ? L"\r\n" : L"\n";
    for (size_t i = 0; i < m_lines.size(); ++i) {
        text += m_lines[i].raw;
        if (i + 1 < m_lines.size() || m_finalNewline)
            text += eol;
    }
    std::string out;
    switch (m_encoding) {
    case Encoding::Utf8:
        out = kestrel::ToUtf8(text);
        break;
    case Encoding::Utf8Bom:
        out = "\xEF\xBB\xBF" + kestrel::ToUtf8(text);
        break;
    case Encoding::Utf16LE:
        out = "\xFF\xFE";
        AppendUtf16(out, text, true);
        break;
    case Encoding::Utf16BE:
        out = "\xFE\xFF";
        AppendUtf16(out, text, false);
        break;
    }
    return out;
}

bool CIniFile::SaveAtomic(const std::string& path) const
{
    if (path.empty())
        return false;
    std::string tmpl = path + ".XXXXXX";
    const int fd = ::mkostemp(tmpl.data(), O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st {};
    mode_t mode = 0644;
    if (::stat(path.c_str(), &st) == 0)
        mode = st.st_mode & 07777;
    else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    bool ok = ::fchmod(fd, mode) == 0 && kestrel::WriteAll(fd, Serialize()) && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    if (ok)
        ok = ::rename(tmpl.c_str(), path.c_str()) == 0;
    if (!ok)
        ::unlink(tmpl.c_str());
    return ok;
}

bool CIniFile::Update(const std::string& path, const std::function<void(CIniFile&)>& edit)
{
    const int dirFd = ::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd < 0)
        return false;
    int rc;
    do
        rc = ::flock(dirFd, LOCK_EX);
    while (rc != 0 && errno == EINTR);
    bool ok = false;
    if (rc == 0) {
        CIniFile doc = Load(path);
        if (!doc.Unreadable()) {
            edit(doc);
            ok = doc.SaveAtomic(path);
        }
    }
    ::close(dirFd);  // releases the lock
    return ok;
}

bool CIniFile::Update(const std::wstring& path, const std::function<void(CIniFile&)>& edit)
{
    return Update(kestrel::ToUtf8(path), edit);
}

std::wstring CIniFile::ReadString(const std::wstring& path, std::wstring_view section,
                                  std::wstring_view key, std::wstring_view def)
{
    return Load(path).GetString(section, key, def);
}

int CIniFile::ReadInt(const std::wstring& path, std::wstring_view section, std::wstring_view key, int def)
{
    return Load(path).GetInt(section, key, def);
}

bool CIniFile::WriteString(const std::wstring& path, std::wstring_view section,
                           std::wstring_view key, std::wstring_view value)
{
    return Update(path, [&](CIniFile& doc) { doc.SetString(section, key, value); });
}

bool CIniFile::WriteInt(const std::wstring& path, std::wstring_view section, std::wstring_view key, int value)
{
    return Update(path, [&](CIniFile& doc) { doc.SetInt(section, key, value); });
}
