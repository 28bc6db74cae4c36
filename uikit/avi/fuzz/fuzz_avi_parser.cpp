// Opens arbitrary bytes as an AVI file and reads every index entry.
#include "avi/mmAviParser.h"

#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    FILE* f = fmemopen(const_cast<uint8_t*>(data), size, "rb");
    if (!f)
        return 0;
    mmAviParser parser;
    if (parser.OpenAVI(f) != 0)
        return 0;
    AVISTREAMINFOW info;
    uint8_t format[64];
    int formatSize = 0;
    for (int n = 0; n < 4; ++n) {
        parser.GetAVIVideoStreamInfo(&info, n);
        parser.GetAVIAudioStreamInfo(&info, n);
        parser.GetAVIMetaStreamInfo(&info, n);
        parser.GetAVIVideoFormat(format, sizeof format, &formatSize, n);
        parser.GetAVIAudioFormat(format, sizeof format, &formatSize, n);
        parser.GetAVIMetaFormat(format, sizeof format, &formatSize, n);
    }
    _TAG_AVI_PACKET_INFO packet;
    const int count = parser.GetAVIIndexCount();
    for (int n = 0; n < count; ++n) {
        if (parser.GetAVIReadData(n, &packet) == 0 && packet.nLength > 0) {
            // Touch both ends of the packet so a wrong length shows up.
            volatile uint8_t sink = packet.pData[0];
            sink = packet.pData[packet.nLength - 1];
            (void)sink;
        }
    }
    return 0;
}
