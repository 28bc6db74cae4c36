// Writes AVI files (RIFF "AVI " form with header list, "movi" and "idx1")
// from packets copied out of another AVI file.
#pragma once

#include "mmAviTypes.h"

#include <cstdint>
#include <string>

class mmAviWriter {
public:
    mmAviWriter();
    virtual ~mmAviWriter();
    mmAviWriter(const mmAviWriter&) = delete;
    mmAviWriter& operator=(const mmAviWriter&) = delete;

    // Closes any open file first; 0 on success, -1 when the path cannot be
    // created.
    int OpenAVI(const std::wstring& path);
    // Finishes the file (headers, index) and closes it. Returns 0, or -1 when
    // the file could not be completed (disk full, for example).
    int CloseAVI();

    // -2 without an open file, -3 when the kind already has a stream with
    // this id, -4/-5 when the stream cannot be created; 0 on success.
    int OpenAVIVideoStream(AVISTREAMINFOW info, const void* format, int formatSize, int streamId);
    int OpenAVIAudioStream(AVISTREAMINFOW info, const void* format, int formatSize, int streamId);
    // With formatSize 0 the format is the 4 bytes at format.
    int OpenAVIMetaStream(AVISTREAMINFOW info, const void* format, int formatSize, int streamId);

    // id >= 0 closes that stream; a negative id closes every stream of the kind.
    void CloseAVIVideoStream(int streamId);
    void CloseAVIAudioStream(int streamId);
    void CloseAVIMetaStream(int streamId);

    // kind: kFccVids, kFccAuds, anything else = meta. -2 when no stream of
    // that kind has the id, -3 on a write error; 0 on success.
    int WritePacket(uint32_t kind, const void* data, int size, int streamId, uint32_t flags);

private:
    struct Impl;
    Impl* m_impl;
};
