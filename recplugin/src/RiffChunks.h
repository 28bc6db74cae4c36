// Chunk-level reading of RIFF (AVI) files over a byte source.
#pragma once

#include "ByteSource.h"

#include <cstdint>
#include <cstring>

namespace recplugin {

struct RiffChunkHeader {
    char id[4] = {};
    uint32_t size = 0;  // bytes of data after the 8-byte header

    bool Is(const char* fourcc) const { return std::memcmp(id, fourcc, 4) == 0; }
};

// Reads the header at pos when all 8 bytes lie before end.
bool ReadRiffHeader(IByteSource& src, uint64_t pos, uint64_t end, RiffChunkHeader& h);

// Reads a four-character code at pos when it lies before end.
bool ReadFourCC(IByteSource& src, uint64_t pos, uint64_t end, char out[4]);

// Position of the chunk that follows the chunk at pos. RIFF pads a chunk of
// odd size with one byte, but some writers omit the pad. After an odd size
// the padded position is taken, unless only the unpadded position holds a
// plausible chunk header (printable code, size within end).
uint64_t NextRiffChunk(IByteSource& src, uint64_t pos, uint32_t size, uint64_t end);

}  // namespace recplugin
