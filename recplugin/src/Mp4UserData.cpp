#include "Mp4UserData.h"

#include "GpsText.h"
#include "SampleStamp.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace recplugin {

namespace {

// The bytes of a user-data sample that decoding can use: a "G" sample's
// nine 15-character slots with their commas start at offset 9.
constexpr size_t kMaxUsefulSampleBytes = 9 + 9 * 16;

bool TypeIs(const uint8_t* p, const char* fourcc) { return std::memcmp(p, fourcc, 4) == 0; }

// Appends `count` big-endian values starting at `from` inside a child box of
// `boxSize` bytes; the count is bounded by the bytes the box has.
void AppendEntries(const uint8_t* box, size_t boxSize, size_t from, uint32_t count, std::vector<uint32_t>& out)
{
    if (boxSize < from)
        return;
    const size_t fit = (boxSize - from) / 4;
    const size_t n = std::min<size_t>(count, fit);
    out.reserve(out.size() + n);
    for (size_t i = 0; i < n; ++i)
        out.push_back(LoadBE32(box + from + i * 4));
}

void ExpandStsc(const uint8_t* box, size_t boxSize, Mp4SampleTables& t)
{
    if (boxSize < 16)
        return;
    const size_t chunks = t.chunkOffsets.size();
    const size_t entries = std::min<size_t>(LoadBE32(box + 12), (boxSize - 16) / 12);
    for (size_t e = 0; e < entries && t.samplesPerChunk.size() < chunks; ++e) {
        const uint8_t* entry = box + 16 + e * 12;
        const uint64_t first = LoadBE32(entry);
        const uint32_t perChunk = LoadBE32(entry + 4);
        // Chunk numbers count from 1; the last entry runs to the last chunk.
        const uint64_t stop = e + 1 < entries ? LoadBE32(entry + 12) : uint64_t(chunks) + 1;
        for (uint64_t c = first; c < stop && t.samplesPerChunk.size() < chunks; ++c)
            t.samplesPerChunk.push_back(perChunk);
    }
}

void ReadSamples(IByteSource& src, const Mp4SampleTables& t, CRecFileInfo& rec)
{
    const uint64_t fileSize = src.Size();
    uint8_t buf[kMaxUsefulSampleBytes];
    size_t sample = 0;
    for (size_t c = 0; c < t.chunkOffsets.size() && c < t.samplesPerChunk.size(); ++c) {
        uint64_t pos = t.chunkOffsets[c];
        for (uint32_t k = 0; k < t.samplesPerChunk[c]; ++k) {
            if (sample >= t.sampleSizes.size())
                return;
            const uint32_t size = t.sampleSizes[sample++];
            if (pos > fileSize || fileSize - pos < size)
                return;  // the file ends inside this sample
            const size_t n = std::min<size_t>(size, sizeof buf);
            if (!src.ReadExact(pos, buf, n))
                return;
            ParseMp4Sample(buf, n, rec);
            pos += size;
        }
    }
}

}  // namespace

void BuildMp4SampleTables(const uint8_t* stbl, size_t size, Mp4SampleTables& tables)
{
    const uint8_t* stsc = nullptr;
    size_t stscSize = 0;
    size_t o = 0;
    while (size - o >= 8) {
        const uint8_t* box = stbl + o;
        const uint32_t boxSize = LoadBE32(box);
        if (boxSize < 8)
            break;
        const size_t len = std::min<size_t>(boxSize, size - o);  // a box cut off by its parent keeps what it has
        if (TypeIs(box + 4, "stsc")) {
            stsc = box;
            stscSize = len;
        } else if (TypeIs(box + 4, "stco") && len >= 16) {
            AppendEntries(box, len, 16, LoadBE32(box + 12), tables.chunkOffsets);
        } else if (TypeIs(box + 4, "stsz") && len >= 20) {
            AppendEntries(box, len, 20, LoadBE32(box + 16), tables.sampleSizes);
        }
        o += len;
    }
    if (stsc)
        ExpandStsc(stsc, stscSize, tables);
}

void ParseMp4Sample(const uint8_t* data, size_t size, CRecFileInfo& rec)
{
    if (size == 0)
        return;
    if (data[0] == 0x4D) {  // "M"
        auto s = std::make_unique<CUserDataInfo>();
        if (size >= 4) {
            s->m_dX = (int(data[1]) - 128) / 64.0;
            s->m_dY = (int(data[2]) - 128) / 64.0;
            s->m_dZ = (int(data[3]) - 128) / 64.0;
        } else {
            return;  // too short to carry the three axes
        }
        rec.m_arrGSensor.push_back(s.release());
    } else if (data[0] == 0x47) {  // "G"
        auto s = std::make_unique<CUserDataInfo>();
        ParseMp4GpsSample(data, size, *s);
        rec.m_arrGps.push_back(s.release());
    }
}

int ParseMp4UserData(IByteSource& src, CRecFileInfo& rec, Mp4SampleTables& tables)
{
    const uint64_t fileSize = src.Size();
    bool userTrack = false;
    uint64_t pos = 0;
    while (pos < fileSize) {
        uint8_t head[8];
        if (!src.ReadExact(pos, head, 8))
            break;
        const uint32_t size = LoadBE32(head);
        if (size < 8)
            break;  // includes 1 (64-bit size) and 0 (to end of file)
        const uint8_t* type = head + 4;
        if (TypeIs(type, "moov") || TypeIs(type, "trak") || TypeIs(type, "mdia") || TypeIs(type, "minf")) {
            pos += 8;
            continue;
        }
        if (TypeIs(type, "hdlr")) {
            uint8_t handler[4];
            if (size >= 20 && src.ReadExact(pos + 16, handler, 4) && TypeIs(handler, "sdsm"))
                userTrack = true;
        } else if (TypeIs(type, "stbl")) {
            if (!userTrack) {
                pos += 8;
                continue;
            }
            // The payload is bounded by the bytes the file has.
            const uint64_t avail = fileSize - std::min(fileSize, pos + 8);
            const size_t len = static_cast<size_t>(std::min<uint64_t>(size - 8, avail));
            std::vector<uint8_t> payload(len);
            const size_t got = src.ReadAt(pos + 8, payload.data(), len);
            tables.Clear();
            BuildMp4SampleTables(payload.data(), got, tables);
            ReadSamples(src, tables, rec);
            tables.Clear();
            StampRecordSamples(rec);
            return 0;
        }
        pos += size;
    }
    return 0;
}

}  // namespace recplugin
