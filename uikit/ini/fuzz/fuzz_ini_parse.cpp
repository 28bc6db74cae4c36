// Parses arbitrary bytes as an INI file, reads every section and key, edits
// one key and parses the result again: the edit must keep every other key.
#include "ini/CIniFile.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    CIniFile ini = CIniFile::Parse(bytes);
    const auto sections = ini.GetSectionNames();
    for (const std::wstring& s : sections) {
        for (const std::wstring& line : ini.GetSectionLines(s)) {
            const std::wstring key = line.substr(0, line.find(L'='));
            (void)ini.GetInt(s, key, -1);
        }
    }
    const std::wstring first = sections.empty() ? L"Fuzz" : sections.front();
    std::vector<std::wstring> before = ini.GetSectionLines(first);
    ini.SetString(first, L"fuzz_key", L"value\nwith break");
    const CIniFile again = CIniFile::Parse(ini.Serialize());
    if (again.GetString(first, L"fuzz_key") != L"value with break")
        std::abort();
    // Every key the section had still answers as it did, unless it was the
    // edited key itself.
    for (const std::wstring& line : before) {
        const size_t eq = line.find(L'=');
        if (eq == std::wstring::npos)
            continue;
        const std::wstring key = line.substr(0, eq);
        if (key.empty() || key == L"fuzz_key" || ini.GetString(first, key) == L"value with break")
            continue;
        if (again.GetString(first, key) != ini.GetString(first, key))
            std::abort();
    }
    return 0;
}
