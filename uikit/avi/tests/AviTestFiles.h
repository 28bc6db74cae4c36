// Hand-built AVI files and temporary paths for the AVI reader/writer tests.
#pragma once

#include "avi/mmAviTypes.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace avitest {

using Bytes = std::vector<uint8_t>;

Bytes Fcc(const char* code);
void Append(Bytes& out, const Bytes& more);
void PutLE32(Bytes& out, uint32_t v);
// A chunk with its pad byte when the body is odd.
Bytes Chunk(const char* id, const Bytes& body);
Bytes List(const char* type, const std::vector<Bytes>& children);
Bytes StreamInfoBytes(const AVISTREAMINFOW& info);
AVISTREAMINFOW MakeStreamInfo(uint32_t fccType, uint32_t handler, uint32_t scale, uint32_t rate,
                              uint32_t sampleSize = 0);
Bytes BitmapInfo(int width, int height, uint32_t compression);
Bytes PcmWaveFormat(int sampleRate);

struct Packet {
    std::string ckid;  // e.g. "00dc"
    Bytes data;
    uint32_t flags = 0;
};

std::vector<Packet> DefaultPackets();

// A small AVI with one video and one audio stream.
struct AviSpec {
    Bytes prefix;              // bytes before "RIFF"
    bool videoFormat = true;   // write "strf" for the video stream
    size_t strhSize = 56;      // video "strh" body size (cut or zero-extended)
    bool absoluteIndex = false;
    std::vector<Packet> packets = DefaultPackets();
};
Bytes BuildAvi(const AviSpec& spec);

// A fresh folder per test, removed afterwards.
class TempDir {
public:
    TempDir();
    ~TempDir();
    std::filesystem::path File(const std::string& name) const { return dir_ / name; }

private:
    std::filesystem::path dir_;
};

void WriteFile(const std::filesystem::path& path, const Bytes& bytes);
Bytes ReadFile(const std::filesystem::path& path);

}  // namespace avitest
