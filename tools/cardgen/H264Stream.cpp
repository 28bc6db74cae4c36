#include "H264Stream.h"

namespace kestrel::cardgen {

std::vector<NalUnit> SplitAnnexB(const uint8_t* data, size_t size)
{
    std::vector<NalUnit> units;
    size_t i = 0;
    size_t start = SIZE_MAX;
    while (i + 3 <= size) {
        if (data[i] == 0 && data[i + 1] == 0 && data[i + 2] == 1) {
            if (start != SIZE_MAX) {
                size_t end = i;
                while (end > start && data[end - 1] == 0) --end;  // trailing zero of a 4-byte start code
                units.push_back({data + start, end - start});
            }
            i += 3;
            start = i;
        } else {
            ++i;
        }
    }
    if (start != SIZE_MAX && start < size) units.push_back({data + start, size - start});
    return units;
}

std::vector<uint8_t> ToLengthPrefixed(const std::vector<uint8_t>& annexB)
{
    std::vector<uint8_t> out;
    out.reserve(annexB.size());
    for (const NalUnit& nal : SplitAnnexB(annexB.data(), annexB.size())) {
        const int type = nal.Type();
        if (type == 7 || type == 8 || type == 9) continue;
        const uint32_t n = static_cast<uint32_t>(nal.size);
        out.push_back(static_cast<uint8_t>(n >> 24));
        out.push_back(static_cast<uint8_t>(n >> 16));
        out.push_back(static_cast<uint8_t>(n >> 8));
        out.push_back(static_cast<uint8_t>(n));
        out.insert(out.end(), nal.data, nal.data + nal.size);
    }
    return out;
}

std::vector<uint8_t> MakeAvcC(const std::vector<uint8_t>& annexBKeyFrame)
{
    NalUnit sps, pps;
    for (const NalUnit& nal : SplitAnnexB(annexBKeyFrame.data(), annexBKeyFrame.size())) {
        if (nal.Type() == 7 && !sps.size) sps = nal;
        if (nal.Type() == 8 && !pps.size) pps = nal;
    }
    if (sps.size < 4 || !pps.size) return {};
    std::vector<uint8_t> out = {1, sps.data[1], sps.data[2], sps.data[3], 0xFF, 0xE1,
                                static_cast<uint8_t>(sps.size >> 8), static_cast<uint8_t>(sps.size)};
    out.insert(out.end(), sps.data, sps.data + sps.size);
    out.push_back(1);
    out.push_back(static_cast<uint8_t>(pps.size >> 8));
    out.push_back(static_cast<uint8_t>(pps.size));
    out.insert(out.end(), pps.data, pps.data + pps.size);
    return out;
}

}  // namespace kestrel::cardgen
