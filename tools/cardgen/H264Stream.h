// Conversions between the encoder's H.264 byte stream (start codes, parameter
// sets in line) and the MP4 form (length-prefixed units, parameter sets in
// the sample description).
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace kestrel::cardgen {

struct NalUnit {
    const uint8_t* data = nullptr;  // first byte is the unit header
    size_t size = 0;
    int Type() const { return size ? (data[0] & 0x1F) : -1; }
};

// Splits an Annex B byte stream at its 3- and 4-byte start codes.
std::vector<NalUnit> SplitAnnexB(const uint8_t* data, size_t size);

// The units of the packet with 4-byte big-endian lengths, without sequence
// and picture parameter sets and access unit delimiters.
std::vector<uint8_t> ToLengthPrefixed(const std::vector<uint8_t>& annexB);

// avcC record (AVCDecoderConfigurationRecord) from the first sequence and
// picture parameter set of a key-frame packet; empty when either is missing.
std::vector<uint8_t> MakeAvcC(const std::vector<uint8_t>& annexBKeyFrame);

}  // namespace kestrel::cardgen
