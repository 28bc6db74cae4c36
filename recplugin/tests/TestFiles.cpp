#include "TestFiles.h"

#include <cstdlib>
#include <fstream>
#include <stdexcept>

namespace rptest {

TempDir::TempDir()
{
    std::string tmpl = (std::filesystem::temp_directory_path() / "recplugin-XXXXXX").string();
    if (!mkdtemp(tmpl.data()))
        throw std::runtime_error("mkdtemp failed");
    m_path = tmpl;
}

TempDir::~TempDir()
{
    std::error_code ec;
    std::filesystem::remove_all(m_path, ec);
}

std::wstring TempDir::Write(const std::string& relative, const Bytes& bytes) const
{
    const auto p = m_path / relative;
    std::filesystem::create_directories(p.parent_path());
    std::ofstream out(p, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return p.wstring();
}

std::wstring TempDir::Write(const std::string& relative, const std::string& text) const
{
    return Write(relative, Bytes(text.begin(), text.end()));
}

}  // namespace rptest
