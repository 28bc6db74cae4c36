// Reads the streams of an AVI file packet by packet through its "idx1" index,
// for rewriting recordings without decoding them.
#pragma once

#include "mmAviTypes.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

struct _TAG_STREAM_HEADER {
    int nStream = 0;
    std::vector<uint8_t> header;  // "strh" body
    std::vector<uint8_t> format;  // "strf" body, empty when absent
};

struct _TAG_STREAM_ID {
    uint32_t fccType = 0;
    int nKindIndex = 0;
};

class mmAviParser {
public:
    mmAviParser();
    virtual ~mmAviParser();
    mmAviParser(const mmAviParser&) = delete;
    mmAviParser& operator=(const mmAviParser&) = delete;

    // 0 on success, kAviErrFileOpen when the file cannot be opened, -1 for a
    // format error (the parser is closed again).
    int OpenAVI(const std::wstring& path);
    // Same, over an already opened stream that the parser takes over (memory
    // streams in the fuzz tests, for example).
    int OpenAVI(FILE* stream);
    void CloseAVI();

    int GetAVIVideoStreamCount() const;
    int GetAVIAudioStreamCount() const;
    int GetAVIMetaStreamCount() const;

    int GetAVIVideoStreamInfo(AVISTREAMINFOW* info, int n) const;
    int GetAVIAudioStreamInfo(AVISTREAMINFOW* info, int n) const;
    int GetAVIMetaStreamInfo(AVISTREAMINFOW* info, int n) const;

    int GetAVIVideoFormat(void* buffer, int bufferSize, int* size, int n) const;
    int GetAVIAudioFormat(void* buffer, int bufferSize, int* size, int n) const;
    // n is the stream number itself here, not the index among meta streams.
    int GetAVIMetaFormat(void* buffer, int bufferSize, int* size, int n) const;

    // Reads the packet of index entry n; -1 past the last entry or when the
    // entry does not describe a readable packet.
    int GetAVIReadData(int n, _TAG_AVI_PACKET_INFO* packet);
    // Number of "idx1" entries (0 when closed).
    int GetAVIIndexCount() const;
    // Current read buffer size in bytes.
    size_t GetReadBufferSize() const;

private:
    // implementation detail members are up to the implementation
    struct Impl;
    Impl* m_impl;
};
