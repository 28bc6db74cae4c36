// Writes 16-bit PCM into a RIFF WAVE file. The header is written with the
// first buffer's format and its sizes are fixed up on Close.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

class WavWriter {
public:
    WavWriter() = default;
    ~WavWriter() { Close(); }
    WavWriter(const WavWriter&) = delete;
    WavWriter& operator=(const WavWriter&) = delete;

    bool Open(const std::string& path);
    bool IsOpen() const { return m_file != nullptr; }
    // The format comes from the first buffer; later rates are written as
    // they come (the file keeps the first rate).
    bool Write(const uint8_t* data, size_t bytes, int sampleRate, int channels);
    // Fixes the RIFF and data sizes and closes the file.
    void Close();
    uint64_t DataBytes() const { return m_dataBytes; }

private:
    bool WriteHeader();

    std::FILE* m_file = nullptr;
    int m_sampleRate = 0;
    int m_channels = 1;
    uint64_t m_dataBytes = 0;
};
