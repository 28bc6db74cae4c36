// The camera's user data inside an MP4 recording: the samples of the track
// whose handler type is "sdsm" ("M": G-sensor, "G": GPS fields).
#pragma once

#include "ByteSource.h"
#include "kestrel/KestrelTypes.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace recplugin {

// The sample tables of one track, filled from its "stbl" payload.
struct Mp4SampleTables {
    std::vector<uint32_t> sampleSizes;      // from "stsz"
    std::vector<uint32_t> chunkOffsets;     // from "stco"
    std::vector<uint32_t> samplesPerChunk;  // "stsc" expanded to one value per chunk

    void Clear()
    {
        sampleSizes.clear();
        chunkOffsets.clear();
        samplesPerChunk.clear();
    }
};

// Builds the tables from an "stbl" payload. Entry counts are bounded by the
// bytes of their boxes, and the "stsc" expansion by the number of chunks.
void BuildMp4SampleTables(const uint8_t* stbl, size_t size, Mp4SampleTables& tables);

// Decodes one user-data sample into the record's lists; other kinds are
// ignored. Reads nothing beyond `size`.
void ParseMp4Sample(const uint8_t* data, size_t size, CRecFileInfo& rec);

// Walks the boxes of an MP4 image to the first "sdsm" track, reads its
// samples into the record and stamps them. Returns 0 (the lists stay empty
// when there is no such track). `tables` is working storage, emptied again.
int ParseMp4UserData(IByteSource& src, CRecFileInfo& rec, Mp4SampleTables& tables);

}  // namespace recplugin
