// Independent readers for the tests: what libavformat makes of a file, the
// samples of an MP4's "sdsm" track (walked box by box), and the data chunks
// of an AVI's "txts"/"XBLB" stream.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct ProbedFile {
    bool opened = false;
    int video = 0;
    int audio = 0;
    int other = 0;
    double videoSeconds = 0;  // first video stream
    double audioSeconds = 0;  // first audio stream, 0 when unknown
};
ProbedFile ProbeFile(const std::string& path);

// Decodes every video and audio packet; returns the number of decode errors
// (-1 when the file cannot be opened) and counts the pictures decoded.
int DecodeAll(const std::string& path, int* pictures);

struct SdsmTrack {
    bool found = false;
    int stscEntries = 0;
    std::vector<std::vector<uint8_t>> samples;
};
SdsmTrack ReadSdsmTrack(const std::string& path);

// Data chunks of the AVI's txts/XBLB stream, in index order; empty when the
// stream is missing.
std::vector<std::vector<uint8_t>> ReadAviDataChunks(const std::string& path);

std::vector<uint8_t> ReadBytes(const std::string& path);
