#include "WavWriter.h"

#include <algorithm>
#include <array>
#include <limits>

namespace {

constexpr int kBitsPerSample = 16;
constexpr int kDefaultRate = 16000;  // header of a file that never got a buffer
constexpr uint64_t kMaxData = std::numeric_limits<uint32_t>::max() - 36;

void Put16(uint8_t* p, uint32_t v)
{
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
}

void Put32(uint8_t* p, uint32_t v)
{
    Put16(p, v & 0xFFFF);
    Put16(p + 2, v >> 16);
}

}  // namespace

bool WavWriter::Open(const std::string& path)
{
    Close();
    m_file = std::fopen(path.c_str(), "wb");
    if (!m_file)
        return false;
    m_sampleRate = 0;
    m_dataBytes = 0;
    return WriteHeader();
}

bool WavWriter::WriteHeader()
{
    std::array<uint8_t, 44> h{};
    const int rate = m_sampleRate > 0 ? m_sampleRate : kDefaultRate;
    const uint32_t data = uint32_t(m_dataBytes);
    const uint32_t blockAlign = uint32_t(m_channels * kBitsPerSample / 8);
    std::copy_n("RIFF", 4, h.begin());
    Put32(&h[4], 36 + data);
    std::copy_n("WAVEfmt ", 8, h.begin() + 8);
    Put32(&h[16], 16);
    Put16(&h[20], 1);  // PCM
    Put16(&h[22], uint32_t(m_channels));
    Put32(&h[24], uint32_t(rate));
    Put32(&h[28], uint32_t(rate) * blockAlign);
    Put16(&h[32], blockAlign);
    Put16(&h[34], kBitsPerSample);
    std::copy_n("data", 4, h.begin() + 36);
    Put32(&h[40], data);
    return std::fseek(m_file, 0, SEEK_SET) == 0 && std::fwrite(h.data(), 1, h.size(), m_file) == h.size();
}

bool WavWriter::Write(const uint8_t* data, size_t bytes, int sampleRate, int channels)
{
    if (!m_file || !data || bytes == 0)
        return m_file != nullptr;
    if (m_sampleRate == 0) {
        m_sampleRate = sampleRate;
        m_channels = channels > 0 ? channels : 1;
    }
    if (m_dataBytes + bytes > kMaxData)
        return false;  // a WAV file cannot say more; the rest is not captured
    if (std::fseek(m_file, 0, SEEK_END) != 0 || std::fwrite(data, 1, bytes, m_file) != bytes)
        return false;
    m_dataBytes += bytes;
    return true;
}

void WavWriter::Close()
{
    if (!m_file)
        return;
    WriteHeader();
    std::fclose(m_file);
    m_file = nullptr;
}
