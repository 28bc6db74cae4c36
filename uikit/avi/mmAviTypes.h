// Records exchanged by the AVI stream reader and writer.
#pragma once

#include <cstdint>

// Four-character code as stored in RIFF files (first character in the low byte).
constexpr uint32_t MakeFourCC(char a, char b, char c, char d)
{
    return static_cast<uint32_t>(static_cast<uint8_t>(a)) |
           (static_cast<uint32_t>(static_cast<uint8_t>(b)) << 8) |
           (static_cast<uint32_t>(static_cast<uint8_t>(c)) << 16) |
           (static_cast<uint32_t>(static_cast<uint8_t>(d)) << 24);
}

constexpr uint32_t kFccVids = MakeFourCC('v', 'i', 'd', 's');
constexpr uint32_t kFccAuds = MakeFourCC('a', 'u', 'd', 's');
constexpr uint32_t kFccTxts = MakeFourCC('t', 'x', 't', 's');

// Key-frame flag of an "idx1" entry.
constexpr uint32_t kAviIndexKeyFrame = 0x10;

// Result of mmAviParser::OpenAVI for a file that cannot be opened.
constexpr int kAviErrFileOpen = static_cast<int>(0x8004406F);

// A stream header exactly as the "strh" chunk stores it. The reader copies
// the chunk's bytes into it and the writer stores it back verbatim, so a
// rewritten stream keeps the camera's header.
#pragma pack(push, 2)
struct AVISTREAMINFOW {
    uint32_t fccType;
    uint32_t fccHandler;
    uint32_t dwFlags;
    uint16_t wPriority;
    uint16_t wLanguage;
    uint32_t dwInitialFrames;
    uint32_t dwScale;
    uint32_t dwRate;
    uint32_t dwStart;
    uint32_t dwLength;
    uint32_t dwSuggestedBufferSize;
    uint32_t dwQuality;
    uint32_t dwSampleSize;
    int16_t rcFrame[4];  // left, top, right, bottom
};
#pragma pack(pop)
static_assert(sizeof(AVISTREAMINFOW) == 56, "strh body is 56 bytes");

// One packet read from an AVI stream.
struct _TAG_AVI_PACKET_INFO {
    uint32_t fccType = 0;     // stream type of the packet's stream
    int nKindIndex = 0;       // index of that stream among streams of its kind
    int nStream = 0;          // stream number in the file
    uint8_t* pData = nullptr; // into the reader's buffer, valid until the next read
    int nLength = 0;          // bytes
    uint32_t dwFlags = 0;     // index flags (kAviIndexKeyFrame, ...)
};
