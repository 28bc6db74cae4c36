// Random-access byte input for the container parsers. The parsers read only
// through this interface, so they run the same over a file on a card and over
// a buffer in memory (unit tests and fuzzing).
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

namespace recplugin {

class IByteSource {
public:
    virtual ~IByteSource() = default;
    // Total number of bytes.
    virtual uint64_t Size() const = 0;
    // Copies up to n bytes from offset into dst; returns how many were copied
    // (fewer at the end, 0 past it).
    virtual size_t ReadAt(uint64_t offset, void* dst, size_t n) = 0;

    // True when all n bytes were read.
    bool ReadExact(uint64_t offset, void* dst, size_t n) { return ReadAt(offset, dst, n) == n; }
};

class CMemoryByteSource final : public IByteSource {
public:
    CMemoryByteSource(const void* data, size_t size) : m_data(static_cast<const uint8_t*>(data)), m_size(size) {}
    uint64_t Size() const override { return m_size; }
    size_t ReadAt(uint64_t offset, void* dst, size_t n) override;

private:
    const uint8_t* m_data;
    size_t m_size;
};

// A file opened for binary reading; Open fails on a missing or unreadable file.
class CFileByteSource final : public IByteSource {
public:
    CFileByteSource() = default;
    ~CFileByteSource() override;
    CFileByteSource(const CFileByteSource&) = delete;
    CFileByteSource& operator=(const CFileByteSource&) = delete;

    bool Open(const std::string& utf8Path);
    uint64_t Size() const override { return m_size; }
    size_t ReadAt(uint64_t offset, void* dst, size_t n) override;

private:
    FILE* m_file = nullptr;
    uint64_t m_size = 0;
};

// Little- and big-endian field readers over a byte buffer.
inline uint32_t LoadLE32(const uint8_t* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
inline uint32_t LoadBE32(const uint8_t* p)
{
    return uint32_t(p[3]) | uint32_t(p[2]) << 8 | uint32_t(p[1]) << 16 | uint32_t(p[0]) << 24;
}

}  // namespace recplugin
