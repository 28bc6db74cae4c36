#include "AviUserData.h"

#include "GpsText.h"
#include "RiffChunks.h"
#include "SampleStamp.h"
#include "kestrel/WideText.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace recplugin {

namespace {

constexpr size_t kSentenceOffset = 34;
constexpr size_t kSentenceMaxChars = 255;

int32_t LoadLE32Signed(const uint8_t* p) { return static_cast<int32_t>(LoadLE32(p)); }

// Walks the header list from `pos` (after the "hdrl" list type) to `end`.
// Returns the data stream's number among the stream lists, or -1 when no
// stream header names the camera's text stream (with several, the last).
int FindDataStream(IByteSource& src, uint64_t pos, uint64_t end)
{
    int streams = 0;
    int found = -1;
    RiffChunkHeader h;
    while (ReadRiffHeader(src, pos, end, h)) {
        const uint64_t listEnd = std::min<uint64_t>(pos + 8 + uint64_t(h.size), end);
        if (h.Is("LIST")) {
            char type[4];
            RiffChunkHeader sub;
            if (ReadFourCC(src, pos + 8, listEnd, type) && std::memcmp(type, "strl", 4) == 0 &&
                ReadRiffHeader(src, pos + 12, listEnd, sub) && sub.Is("strh")) {
                uint8_t codes[8];
                if (sub.size >= 8 && pos + 20 + 8 <= listEnd && src.ReadExact(pos + 20, codes, 8) &&
                    std::memcmp(codes, "txts", 4) == 0 && std::memcmp(codes + 4, "XBLB", 4) == 0)
                    found = streams;
                ++streams;
            }
        } else if (!h.Is("avih")) {
            break;
        }
        pos = NextRiffChunk(src, pos, h.size, end);
    }
    return found;
}

// Parses the data chunk whose data starts at `data` when it has the full
// layout and lies inside `end`.
void ReadDataChunk(IByteSource& src, uint64_t data, uint32_t size, uint64_t end, CRecFileInfo& rec)
{
    if (size < kAviDataChunkSize || data > end || end - data < size)
        return;
    uint8_t chunk[kAviDataChunkSize];
    if (src.ReadExact(data, chunk, sizeof chunk))
        ParseAviDataChunk(chunk, rec);
}

}  // namespace

void ParseAviDataChunk(const uint8_t* chunk, CRecFileInfo& rec)
{
    auto gs = std::make_unique<CUserDataInfo>();
    gs->m_dX = LoadLE32Signed(chunk + 298) / 1000.0;
    gs->m_dY = LoadLE32Signed(chunk + 294) / 1000.0;
    gs->m_dZ = LoadLE32Signed(chunk + 290) / 1000.0;

    // The sentence ends at a zero byte; at most 255 characters are used,
    // which keeps it clear of the axes at 290.
    const char* text = reinterpret_cast<const char*>(chunk + kSentenceOffset);
    size_t len = 0;
    while (len < kSentenceMaxChars && text[len] != '\0')
        ++len;
    auto gps = std::make_unique<CUserDataInfo>();
    ParseRmcSentence(kestrel::FromUtf8(std::string(text, len)), *gps);

    rec.m_arrGSensor.push_back(gs.get());
    gs.release();
    rec.m_arrGps.push_back(gps.get());
    gps.release();
}

int ParseAviUserData(IByteSource& src, CRecFileInfo& rec)
{
    uint8_t head[200];
    if (!src.ReadExact(0, head, sizeof head))
        return -1;
    int64_t riffPos = -1;
    for (size_t p = 0; p <= 183; ++p) {
        if (std::memcmp(head + p, "RIFF", 4) == 0 && std::memcmp(head + p + 8, "AVI ", 4) == 0) {
            riffPos = static_cast<int64_t>(p);
            break;
        }
    }
    if (riffPos < 0)
        return -1;

    const uint64_t fileSize = src.Size();
    const uint64_t riffEnd = uint64_t(riffPos) + 8 + LoadLE32(head + riffPos + 4);
    const uint64_t end = std::min(riffEnd, fileSize);

    bool success = false;
    bool indexRead = false;
    bool headerSeen = false;
    bool moviSeen = false;
    uint64_t moviHeader = 0;  // position of the "LIST" header of the movie list
    uint64_t base = 0;        // index offset + base = start of a chunk's data
    char digits[2] = {};

    uint64_t pos = uint64_t(riffPos) + 12;
    RiffChunkHeader h;
    while (ReadRiffHeader(src, pos, end, h)) {
        const uint64_t data = pos + 8;
        const uint64_t chunkEnd = std::min<uint64_t>(data + uint64_t(h.size), end);
        if (h.Is("LIST")) {
            char type[4];
            if (ReadFourCC(src, data, chunkEnd, type)) {
                if (std::memcmp(type, "hdrl", 4) == 0) {
                    const int stream = FindDataStream(src, data + 4, chunkEnd);
                    if (stream < 0 || stream > 99)
                        break;
                    char buf[3];
                    std::snprintf(buf, sizeof buf, "%02d", stream);
                    digits[0] = buf[0];
                    digits[1] = buf[1];
                    headerSeen = true;
                } else if (std::memcmp(type, "movi", 4) == 0) {
                    moviSeen = true;
                    moviHeader = pos;
                    base = data + 8;
                }
            }
        } else if (h.Is("idx1")) {
            // Entries of 16 bytes: code, flags, offset from the movie list's
            // type, size. Read in blocks so a huge index costs no huge buffer.
            constexpr size_t kBlockEntries = 1024;
            std::vector<uint8_t> block(kBlockEntries * 16);
            const uint64_t entries = (chunkEnd - std::min(chunkEnd, data)) / 16;
            for (uint64_t first = 0; first < entries; first += kBlockEntries) {
                const size_t count = static_cast<size_t>(std::min<uint64_t>(kBlockEntries, entries - first));
                if (!src.ReadExact(data + first * 16, block.data(), count * 16))
                    break;
                for (size_t e = 0; e < count; ++e) {
                    const uint8_t* entry = block.data() + e * 16;
                    if (!headerSeen || !moviSeen || entry[0] != uint8_t(digits[0]) || entry[1] != uint8_t(digits[1]))
                        continue;
                    ReadDataChunk(src, base + LoadLE32(entry + 8), LoadLE32(entry + 12), end, rec);
                }
            }
            indexRead = true;
            success = true;
        } else if (!h.Is("JUNK")) {
            break;
        }
        pos = NextRiffChunk(src, pos, h.size, end);
    }

    if (!indexRead && headerSeen && moviSeen) {
        RiffChunkHeader list;
        char type[4];
        if (!ReadRiffHeader(src, moviHeader, end, list) || !list.Is("LIST") ||
            !ReadFourCC(src, moviHeader + 8, end, type) || std::memcmp(type, "movi", 4) != 0)
            return -1;
        const uint64_t listEnd = list.size >= 4 ? std::min<uint64_t>(moviHeader + 8 + uint64_t(list.size), end)
                                                : moviHeader + 12;
        uint64_t q = moviHeader + 12;
        RiffChunkHeader sub;
        while (ReadRiffHeader(src, q, listEnd, sub)) {
            if (uint64_t(sub.size) > listEnd - q - 8)
                break;  // cut off: the rest of the list cannot be trusted
            if (sub.id[0] == digits[0] && sub.id[1] == digits[1]) {
                const size_t before = rec.m_arrGps.size();
                ReadDataChunk(src, q + 8, sub.size, listEnd, rec);
                if (rec.m_arrGps.size() != before)
                    success = true;
            }
            q = NextRiffChunk(src, q, sub.size, listEnd);
        }
    }

    if (!success)
        return -1;
    StampRecordSamples(rec);
    return 0;
}

}  // namespace recplugin
