// Temporary folders and files for the reader tests.
#pragma once

#include "ByteBuilders.h"

#include <filesystem>
#include <string>

namespace rptest {

// A fresh folder under the temp folder, removed with everything in it.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    std::wstring WPath() const { return m_path.wstring(); }
    // Writes a file at `relative` (folders created); returns its full path.
    std::wstring Write(const std::string& relative, const Bytes& bytes) const;
    std::wstring Write(const std::string& relative, const std::string& text) const;

private:
    std::filesystem::path m_path;
};

}  // namespace rptest
