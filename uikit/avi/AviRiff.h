// RIFF/AVI chunk codes and little-endian helpers shared by the AVI reader and
// writer (internal to uikit).
#pragma once

#include "mmAviTypes.h"

#include <cstdint>
#include <vector>

namespace mmavi {

constexpr uint32_t kFccRiff = MakeFourCC('R', 'I', 'F', 'F');
constexpr uint32_t kFccAvi = MakeFourCC('A', 'V', 'I', ' ');
constexpr uint32_t kFccList = MakeFourCC('L', 'I', 'S', 'T');
constexpr uint32_t kFccHdrl = MakeFourCC('h', 'd', 'r', 'l');
constexpr uint32_t kFccAvih = MakeFourCC('a', 'v', 'i', 'h');
constexpr uint32_t kFccStrl = MakeFourCC('s', 't', 'r', 'l');
constexpr uint32_t kFccStrh = MakeFourCC('s', 't', 'r', 'h');
constexpr uint32_t kFccStrf = MakeFourCC('s', 't', 'r', 'f');
constexpr uint32_t kFccMovi = MakeFourCC('m', 'o', 'v', 'i');
constexpr uint32_t kFccIdx1 = MakeFourCC('i', 'd', 'x', '1');
constexpr uint32_t kFccJunk = MakeFourCC('J', 'U', 'N', 'K');

constexpr uint32_t kAvifHasIndex = 0x10;
constexpr uint32_t kAvihSize = 56;
constexpr uint32_t kIndexEntrySize = 16;

// Streams are grouped by kind: video, audio and everything else ("meta").
enum class StreamKind { Video = 0, Audio = 1, Meta = 2 };

inline StreamKind KindOf(uint32_t fccType)
{
    if (fccType == kFccVids)
        return StreamKind::Video;
    if (fccType == kFccAuds)
        return StreamKind::Audio;
    return StreamKind::Meta;
}

inline uint32_t GetLE32(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

inline void SetLE32(uint8_t* p, uint32_t v)
{
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
    p[2] = static_cast<uint8_t>(v >> 16);
    p[3] = static_cast<uint8_t>(v >> 24);
}

inline void PutLE32(std::vector<uint8_t>& out, uint32_t v)
{
    const size_t at = out.size();
    out.resize(at + 4);
    SetLE32(out.data() + at, v);
}

// Chunk bodies are padded to an even length.
inline uint64_t Padded(uint64_t size)
{
    return size + (size & 1);
}

}  // namespace mmavi
