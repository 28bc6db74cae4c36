// The camera's own GPS/G-sensor records in both containers.
#pragma once

#include "DriveSimulator.h"

#include <cstdint>
#include <vector>

namespace kestrel::cardgen {

// AVI data chunk (one per second): 34 bytes of record header, the RMC
// sentence from offset 34 (zero-terminated), then Z, Y, X as little-endian
// int32 thousandths of g at 290, 294 and 298, and two zero bytes that keep
// the chunk's size even and separate it from the next one.
constexpr size_t kAviDataChunkSize = 304;
constexpr size_t kAviSentenceOffset = 34;
constexpr size_t kAviSentenceMax = 255;  // bytes including the terminating zero
std::vector<uint8_t> MakeAviDataChunk(const GpsFix& fix, const Accel& accel);

// MP4 user-data samples: 'M' with X, Y, Z coded as 128 + 64 * g (clamped to
// one byte), and 'G' with 8 bytes of receiver time stamp and the RMC fields.
std::vector<uint8_t> MakeMp4AccelSample(const Accel& accel);
std::vector<uint8_t> MakeMp4GpsSample(const GpsFix& fix);
uint8_t EncodeMp4Axis(double g);

}  // namespace kestrel::cardgen
