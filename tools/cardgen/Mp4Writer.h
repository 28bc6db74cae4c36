// Writes an MP4 (ISO base media) recording the way the camera does: "ftyp",
// one "mdat" with the chunks of all tracks interleaved by time, then "moov".
// Besides video and sound it writes the camera's user-data track (handler
// "sdsm"), which general-purpose muxers cannot produce.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kestrel::cardgen {

struct Mp4Track {
    enum class Kind { Video, Audio, UserData };
    Kind kind = Kind::Video;
    uint32_t timescale = 1000;

    // Video: size and the avcC record; samples are length-prefixed H.264.
    int width = 0;
    int height = 0;
    std::vector<uint8_t> avcC;
    // Audio: AAC AudioSpecificConfig, and the encoder's priming samples that
    // an edit list hides; playSamples is the length to present.
    int sampleRate = 0;
    int channels = 0;
    std::vector<uint8_t> audioConfig;
    int primingSamples = 0;
    int64_t playSamples = 0;

    struct Sample {
        std::vector<uint8_t> data;
        uint32_t duration = 0;  // in timescale units
        bool key = false;
    };
    std::vector<Sample> samples;
    // Index of the first sample of every chunk, ascending, starting with 0.
    std::vector<uint32_t> chunkStarts;
};

struct Mp4Movie {
    uint64_t creationTime1904 = 0;  // seconds since 1904-01-01 UTC
    std::vector<Mp4Track> tracks;
};

// Builds the file's bytes; false with an error when the movie is inconsistent.
bool BuildMp4(const Mp4Movie& movie, std::vector<uint8_t>* file, std::string* error);

}  // namespace kestrel::cardgen
