#include "UserData.h"

#include "Nmea.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace kestrel::cardgen {

namespace {

void PutLE32(uint8_t* p, int32_t value)
{
    const auto v = static_cast<uint32_t>(value);
    for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

int32_t Milli(double g) { return static_cast<int32_t>(std::lround(g * 1000.0)); }

// True when the four bytes could be taken for an MPEG audio frame header or
// an ADTS (AAC) header. Media libraries guess the codec of a text stream from
// its bytes; a single such match makes them treat the data stream as sound.
bool LooksLikeAudioSync(const uint8_t* p)
{
    if (p[0] != 0xFF) return false;
    if ((p[1] & 0xF6) == 0xF0) return true;  // ADTS
    if ((p[1] & 0xE0) != 0xE0) return false;
    const int version = (p[1] >> 3) & 3, layer = (p[1] >> 1) & 3;
    const int bitrate = p[2] >> 4, rate = (p[2] >> 2) & 3;
    return version != 1 && layer != 0 && bitrate != 0 && bitrate != 15 && rate != 3;
}

bool HasAudioSync(const std::vector<uint8_t>& d)
{
    for (size_t i = 0; i + 4 <= d.size(); ++i)
        if (LooksLikeAudioSync(d.data() + i)) return true;
    return false;
}

}  // namespace

std::vector<uint8_t> MakeAviDataChunk(const GpsFix& fix, const Accel& accel)
{
    std::vector<uint8_t> d(kAviDataChunkSize, 0);
    // Record header: a tag, the record version and the UTC second (not read
    // by the viewer, but a camera writes something here).
    std::memcpy(d.data(), "GSNS", 4);
    d[4] = 1;
    const std::string sentence = RmcSentence(fix);
    const size_t n = std::min(sentence.size(), kAviSentenceMax - 1);
    std::memcpy(d.data() + kAviSentenceOffset, sentence.data(), n);
    // Negative readings put 0xFF bytes next to other bytes; where that would
    // look like an audio frame header, move the reading by a few thousandths
    // of g (below the sensor's noise) until it does not.
    static const int kNudge[] = {0, 1, -1, 2, -2, 3, -3, 4, -4, 5, -5, 6, -6, 7, -7, 8, -8};
    const int32_t z = Milli(accel.z), y = Milli(accel.y), x = Milli(accel.x);
    for (int dz : kNudge) {
        for (int dy : kNudge) {
            for (int dx : kNudge) {
                PutLE32(d.data() + 290, z + dz);
                PutLE32(d.data() + 294, y + dy);
                PutLE32(d.data() + 298, x + dx);
                if (!HasAudioSync(d)) return d;
            }
        }
    }
    return d;
}

uint8_t EncodeMp4Axis(double g)
{
    return static_cast<uint8_t>(std::clamp<long>(std::lround(128.0 + 64.0 * g), 0, 255));
}

std::vector<uint8_t> MakeMp4AccelSample(const Accel& accel)
{
    return {'M', EncodeMp4Axis(accel.x), EncodeMp4Axis(accel.y), EncodeMp4Axis(accel.z)};
}

std::vector<uint8_t> MakeMp4GpsSample(const GpsFix& fix)
{
    std::vector<uint8_t> s = {'G'};
    const auto t = static_cast<uint64_t>(fix.utcSec);
    for (int i = 7; i >= 0; --i) s.push_back(static_cast<uint8_t>(t >> (8 * i)));
    const std::string fields = RmcFields(fix);
    s.insert(s.end(), fields.begin(), fields.end());
    return s;
}

}  // namespace kestrel::cardgen
