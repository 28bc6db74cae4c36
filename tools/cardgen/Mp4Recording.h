// Stores a recording as the camera's MP4 file: up to two H.264 tracks, AAC
// sound and the "sdsm" user-data track ('G' once a second, 'M' ten times a
// second).
#pragma once

#include "RecordingMedia.h"

#include <string>
#include <vector>

namespace kestrel::cardgen {

// Encoded sound by its samples: recordings of equal length repeat the same
// few tones, and opening the AAC encoder costs more than writing the file.
class AacCache {
public:
    struct Entry {
        std::vector<int16_t> pcm;
        int sampleRate = 0;
        int channels = 0;
        std::vector<EncodedPacket> packets;
        std::vector<uint8_t> config;
        int priming = 0;
        int frameSize = 0;
    };
    // The encoded form of the media's sound; null with an error on failure.
    const Entry* Get(const RecordingMedia& media, std::string* error);

private:
    std::vector<Entry> m_entries;
};

bool WriteMp4File(const std::string& path, const RecordingMedia& media, AacCache& sound, std::string* error);

}  // namespace kestrel::cardgen
