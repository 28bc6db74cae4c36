// Small writers of RIFF/AVI and ISO-BMFF/MP4 byte images for the tests and
// the fuzz seeds: just the structures the readers visit.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace rptest {

using Bytes = std::vector<uint8_t>;

void PutLE32(Bytes& b, uint32_t v);
void PutLE16(Bytes& b, uint16_t v);
void PutBE32(Bytes& b, uint32_t v);
void PutText(Bytes& b, const std::string& s);
void Append(Bytes& b, const Bytes& more);

// One RIFF chunk; with `pad` an odd-sized chunk gets its pad byte.
Bytes RiffChunk(const std::string& id, const Bytes& data, bool pad = true);
Bytes RiffList(const std::string& type, const Bytes& content);

// The data of one camera data chunk: the sentence at 34 (zero-terminated),
// Z, Y, X (thousandths of g) at 290, 294, 298; `size` bytes in all.
Bytes AviDataChunk(const std::string& sentence, int32_t z, int32_t y, int32_t x, size_t size = 302);

struct AviSpec {
    std::vector<Bytes> dataChunks;   // the camera's data chunks, in order
    int dataStream = 1;              // stream number of the text stream
    int streamCount = 2;             // the others are video streams
    std::string dataSuffix = "tx";   // last two characters of data chunk ids
    size_t videoChunkSize = 101;     // odd: exercises RIFF padding
    bool index = true;               // write "idx1"
    bool pad = true;                 // pad odd chunks inside "movi"
    uint32_t frames = 10;            // video frames stated in the headers
    uint32_t fps = 5;
};

// A complete AVI image: video frames and data chunks interleaved.
Bytes BuildAvi(const AviSpec& spec);

// One ISO-BMFF box.
Bytes Mp4Box(const std::string& type, const Bytes& payload);

struct Mp4Track {
    std::string handler = "sdsm";
    std::vector<std::vector<Bytes>> chunks;              // samples per chunk
    std::vector<std::pair<uint32_t, uint32_t>> stsc;     // (first chunk, per chunk); empty: one entry per chunk
};

// ftyp, mdat with every track's chunks, then moov with one trak per track.
Bytes BuildMp4(const std::vector<Mp4Track>& tracks);

// A "G" sample with the given fields text from offset 9.
Bytes Mp4GpsSample(const std::string& fields);
Bytes Mp4GSensorSample(uint8_t x, uint8_t y, uint8_t z);

}  // namespace rptest
