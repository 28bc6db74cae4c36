#include "RiffChunks.h"

namespace recplugin {

namespace {

bool IsCodeChar(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == ' ' || c == '_';
}

bool PlausibleHeader(IByteSource& src, uint64_t pos, uint64_t end)
{
    RiffChunkHeader h;
    if (!ReadRiffHeader(src, pos, end, h))
        return false;
    for (char c : h.id)
        if (!IsCodeChar(c))
            return false;
    return pos + 8 + uint64_t(h.size) <= end;
}

}  // namespace

bool ReadRiffHeader(IByteSource& src, uint64_t pos, uint64_t end, RiffChunkHeader& h)
{
    uint8_t b[8];
    if (pos > end || end - pos < 8 || !src.ReadExact(pos, b, 8))
        return false;
    std::memcpy(h.id, b, 4);
    h.size = LoadLE32(b + 4);
    return true;
}

bool ReadFourCC(IByteSource& src, uint64_t pos, uint64_t end, char out[4])
{
    return pos <= end && end - pos >= 4 && src.ReadExact(pos, out, 4);
}

uint64_t NextRiffChunk(IByteSource& src, uint64_t pos, uint32_t size, uint64_t end)
{
    const uint64_t next = pos + 8 + uint64_t(size);
    if ((size & 1) == 0 || next >= end)
        return next;
    if (!PlausibleHeader(src, next + 1, end) && PlausibleHeader(src, next, end))
        return next;
    return next + 1;
}

}  // namespace recplugin
