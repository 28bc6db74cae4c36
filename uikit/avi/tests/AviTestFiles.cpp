#include "AviTestFiles.h"

#include <atomic>
#include <cstring>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace avitest {

Bytes Fcc(const char* code)
{
    return Bytes(code, code + 4);
}

void Append(Bytes& out, const Bytes& more)
{
    out.insert(out.end(), more.begin(), more.end());
}

void PutLE32(Bytes& out, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

Bytes Chunk(const char* id, const Bytes& body)
{
    Bytes out = Fcc(id);
    PutLE32(out, static_cast<uint32_t>(body.size()));
    Append(out, body);
    if (body.size() & 1)
        out.push_back(0);
    return out;
}

Bytes List(const char* type, const std::vector<Bytes>& children)
{
    Bytes body = Fcc(type);
    for (const auto& c : children)
        Append(body, c);
    return Chunk("LIST", body);
}

Bytes StreamInfoBytes(const AVISTREAMINFOW& info)
{
    const auto* p = reinterpret_cast<const uint8_t*>(&info);
    return Bytes(p, p + sizeof info);
}

AVISTREAMINFOW MakeStreamInfo(uint32_t fccType, uint32_t handler, uint32_t scale, uint32_t rate, uint32_t sampleSize)
{
    AVISTREAMINFOW info;
    std::memset(&info, 0, sizeof info);
    info.fccType = fccType;
    info.fccHandler = handler;
    info.dwScale = scale;
    info.dwRate = rate;
    info.dwSampleSize = sampleSize;
    info.dwQuality = 0xFFFFFFFF;
    return info;
}

Bytes BitmapInfo(int width, int height, uint32_t compression)
{
    Bytes b;
    PutLE32(b, 40);
    PutLE32(b, static_cast<uint32_t>(width));
    PutLE32(b, static_cast<uint32_t>(height));
    PutLE32(b, 1 | (24 << 16));  // planes, bit count
    PutLE32(b, compression);
    PutLE32(b, static_cast<uint32_t>(width * height * 3));
    for (int i = 0; i < 4; ++i)
        PutLE32(b, 0);
    return b;
}

Bytes PcmWaveFormat(int sampleRate)
{
    Bytes b;
    PutLE32(b, 1 | (1 << 16));  // PCM, mono
    PutLE32(b, static_cast<uint32_t>(sampleRate));
    PutLE32(b, static_cast<uint32_t>(sampleRate * 2));
    PutLE32(b, 2 | (16 << 16));  // block align, bits per sample
    b.push_back(0);              // cbSize
    b.push_back(0);
    return b;
}

std::vector<Packet> DefaultPackets()
{
    return {
        {"00dc", Bytes{1, 2, 3, 4, 5}, kAviIndexKeyFrame},
        {"01wb", Bytes(64, 0x41), kAviIndexKeyFrame},
        {"00dc", Bytes{9, 8, 7}, 0},
        {"00dc", Bytes{}, 0},
    };
}

Bytes BuildAvi(const AviSpec& spec)
{
    AVISTREAMINFOW vids = MakeStreamInfo(kFccVids, MakeFourCC('H', '2', '6', '4'), 1, 10);
    Bytes strh = StreamInfoBytes(vids);
    strh.resize(spec.strhSize, 0xEE);
    std::vector<Bytes> videoList{Chunk("strh", strh)};
    if (spec.videoFormat)
        videoList.push_back(Chunk("strf", BitmapInfo(32, 16, MakeFourCC('H', '2', '6', '4'))));
    const Bytes hdrl = List("hdrl", {Chunk("avih", Bytes(56, 0)), List("strl", videoList),
                                     List("strl", {Chunk("strh", StreamInfoBytes(MakeStreamInfo(kFccAuds, 0, 2, 16000, 2))),
                                                   Chunk("strf", PcmWaveFormat(8000))})});

    // Position of the "movi" type code in the final file.
    const uint32_t moviType = static_cast<uint32_t>(spec.prefix.size() + 12 + hdrl.size() + 8);
    Bytes moviBody = Fcc("movi");
    Bytes index;
    for (const auto& p : spec.packets) {
        const uint32_t rel = static_cast<uint32_t>(moviBody.size());
        Append(moviBody, Chunk(p.ckid.c_str(), p.data));
        Append(index, Fcc(p.ckid.c_str()));
        PutLE32(index, p.flags);
        PutLE32(index, spec.absoluteIndex ? moviType + rel : rel);
        PutLE32(index, static_cast<uint32_t>(p.data.size()));
    }
    Bytes riffBody = Fcc("AVI ");
    Append(riffBody, hdrl);
    Append(riffBody, Chunk("LIST", moviBody));
    Append(riffBody, Chunk("idx1", index));

    Bytes file = spec.prefix;
    Append(file, Chunk("RIFF", riffBody));
    return file;
}

TempDir::TempDir()
{
    static std::atomic<int> counter{0};
    dir_ = std::filesystem::temp_directory_path() /
           ("kestrel_avi_" + std::to_string(getpid()) + "_" + std::to_string(counter++));
    std::filesystem::create_directories(dir_);
}

TempDir::~TempDir()
{
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
}

void WriteFile(const std::filesystem::path& path, const Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

Bytes ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

}  // namespace avitest
