// A small INI file class that behaves like the classic private-profile
// functions, so option.ini, language, image-list, coordinate and settings
// files read the same way they always have:
//
// - section and key names match without regard to (ASCII) case;
// - blanks around names and values are trimmed, and a value wrapped in
//   matching quotes (" or ') loses them;
// - the first of duplicate sections, and the first of duplicate keys in it,
//   wins;
// - a section read answers its non-blank, non-comment lines in file order
//   as "key=value" (a line without "=" comes back as it stands);
// - writing a key replaces its line in place, or appends it to its section
//   (creating the section at the end of the file); every other line,
//   comment and blank line is kept byte for byte;
// - files are read as UTF-8 (with or without BOM) or UTF-16 with BOM, and
//   written back in the encoding and line ending they were read in;
// - writes go to a temporary file that is renamed over the original, so a
//   reader in another process sees either the old or the new file, never a
//   half-written one. Writers in the same folder are serialised with an
//   exclusive flock on the folder, so two processes updating different keys
//   of one file do not lose each other's changes.
//
// Damaged input never fails a read: undecodable bytes become U+FFFD, a
// truncated UTF-16 tail byte is dropped, and lines that are neither a
// section nor a key are kept but ignored.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

class CIniFile {
public:
    enum class Encoding { Utf8, Utf8Bom, Utf16LE, Utf16BE };

    CIniFile() = default;

    // Reads `path`; a missing file gives an empty document. A file that
    // exists but cannot be read (or is larger than kMaxFileBytes) also gives
    // an empty document, marked so that Update never writes over it.
    static CIniFile Load(const std::string& path);
    static CIniFile Load(const std::wstring& path);
    // Parses raw file bytes (BOM detection included).
    static CIniFile Parse(std::string_view bytes);

    static constexpr std::size_t kMaxFileBytes = 16u << 20;

    bool Unreadable() const { return m_unreadable; }
    Encoding GetEncoding() const { return m_encoding; }

    // ---- Reading ----------------------------------------------------------
    bool HasSection(std::wstring_view section) const;
    bool HasKey(std::wstring_view section, std::wstring_view key) const;
    std::wstring GetString(std::wstring_view section, std::wstring_view key,
                           std::wstring_view def = {}) const;
    // Decimal value with optional sign, read up to the first non-digit (0
    // when there is no digit); `def` when the key is missing or empty.
    // Values beyond the int range saturate.
    int GetInt(std::wstring_view section, std::wstring_view key, int def) const;
    std::vector<std::wstring> GetSectionLines(std::wstring_view section) const;
    std::vector<std::wstring> GetSectionNames() const;

    // ---- Editing (in memory) ----------------------------------------------
    // Line breaks inside the key or value are replaced by blanks so that a
    // value can never inject further lines.
    void SetString(std::wstring_view section, std::wstring_view key, std::wstring_view value);
    void SetInt(std::wstring_view section, std::wstring_view key, int value);

    // ---- Writing ----------------------------------------------------------
    std::string Serialize() const;
    // Writes the document atomically (temporary file in the same folder,
    // then rename). Keeps the permissions of an existing file.
    bool SaveAtomic(const std::string& path) const;

    // Locks the folder of `path`, loads the file, runs `edit` and saves the
    // result atomically. False (and nothing written) when the existing file
    // is unreadable or the folder cannot be locked or written.
    static bool Update(const std::string& path, const std::function<void(CIniFile&)>& edit);
    static bool Update(const std::wstring& path, const std::function<void(CIniFile&)>& edit);

    // One-shot helpers in the manner of the profile functions: each reads
    // (or rewrites) the file.
    static std::wstring ReadString(const std::wstring& path, std::wstring_view section,
                                   std::wstring_view key, std::wstring_view def = {});
    static int ReadInt(const std::wstring& path, std::wstring_view section,
                       std::wstring_view key, int def);
    static bool WriteString(const std::wstring& path, std::wstring_view section,
                            std::wstring_view key, std::wstring_view value);
    static bool WriteInt(const std::wstring& path, std::wstring_view section,
                         std::wstring_view key, int value);

private:
    struct Line {
        enum Kind { Other, Section, Entry } kind = Other;
        std::wstring raw;    // the line as read (without its line ending)
        std::wstring name;   // section name or key, trimmed
        std::wstring value;  // entry value, trimmed and unquoted
    };

    static Line ParseLine(std::wstring raw);
    // Index of the first section line named `section`, or -1.
    long FindSection(std::wstring_view section) const;
    // Index of the first entry `key` of the section starting at `sec`, or -1.
    long FindKey(long sec, std::wstring_view key) const;

    std::vector<Line> m_lines;
    Encoding m_encoding = Encoding::Utf8;
    bool m_crlf = false;
    bool m_finalNewline = true;
    bool m_unreadable = false;
};
