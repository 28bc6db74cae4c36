#include "ByteSource.h"

#include <cstring>
#include <sys/stat.h>

namespace recplugin {

size_t CMemoryByteSource::ReadAt(uint64_t offset, void* dst, size_t n)
{
    if (offset >= m_size)
        return 0;
    const size_t avail = static_cast<size_t>(m_size - offset);
    const size_t k = n < avail ? n : avail;
    if (k)
        std::memcpy(dst, m_data + offset, k);
    return k;
}

CFileByteSource::~CFileByteSource()
{
    if (m_file)
        std::fclose(m_file);
}

bool CFileByteSource::Open(const std::string& utf8Path)
{
    if (m_file) {
        std::fclose(m_file);
        m_file = nullptr;
    }
    m_size = 0;
    if (utf8Path.empty())
        return false;
    m_file = std::fopen(utf8Path.c_str(), "rb");
    if (!m_file)
        return false;
    struct stat st {};
    if (fstat(fileno(m_file), &st) != 0 || !S_ISREG(st.st_mode)) {
        std::fclose(m_file);
        m_file = nullptr;
        return false;
    }
    m_size = static_cast<uint64_t>(st.st_size);
    return true;
}

size_t CFileByteSource::ReadAt(uint64_t offset, void* dst, size_t n)
{
    if (!m_file || offset >= m_size)
        return 0;
    if (fseeko(m_file, static_cast<off_t>(offset), SEEK_SET) != 0)
        return 0;
    return std::fread(dst, 1, n, m_file);
}

}  // namespace recplugin
