#include "AviRecording.h"

#include "UserData.h"

#include <avi/mmAviWriter.h>
#include <kestrel/WideText.h>

#include <cstring>

namespace kestrel::cardgen {

namespace {

constexpr uint32_t kFccH264 = MakeFourCC('H', '2', '6', '4');
constexpr uint32_t kFccXblb = MakeFourCC('X', 'B', 'L', 'B');

void Put16(std::vector<uint8_t>& v, uint32_t x)
{
    v.push_back(static_cast<uint8_t>(x));
    v.push_back(static_cast<uint8_t>(x >> 8));
}
void Put32(std::vector<uint8_t>& v, uint32_t x)
{
    Put16(v, x);
    Put16(v, x >> 16);
}

std::vector<uint8_t> BitmapInfoHeader(int width, int height)
{
    std::vector<uint8_t> b;
    Put32(b, 40);
    Put32(b, static_cast<uint32_t>(width));
    Put32(b, static_cast<uint32_t>(height));
    Put16(b, 1);
    Put16(b, 24);
    Put32(b, kFccH264);
    Put32(b, static_cast<uint32_t>(width * height * 3));
    Put32(b, 0);
    Put32(b, 0);
    Put32(b, 0);
    Put32(b, 0);
    return b;
}

std::vector<uint8_t> WaveFormat(int rate, int channels)
{
    std::vector<uint8_t> w;
    const uint32_t align = static_cast<uint32_t>(2 * channels);
    Put16(w, 1);  // PCM
    Put16(w, static_cast<uint32_t>(channels));
    Put32(w, static_cast<uint32_t>(rate));
    Put32(w, static_cast<uint32_t>(rate) * align);
    Put16(w, align);
    Put16(w, 16);
    Put16(w, 0);
    return w;
}

AVISTREAMINFOW StreamInfo(uint32_t type, uint32_t handler, uint32_t scale, uint32_t rate, uint32_t sampleSize)
{
    AVISTREAMINFOW info;
    std::memset(&info, 0, sizeof info);
    info.fccType = type;
    info.fccHandler = handler;
    info.dwScale = scale;
    info.dwRate = rate;
    info.dwQuality = 0xFFFFFFFFu;
    info.dwSampleSize = sampleSize;
    return info;
}

}  // namespace

bool WriteAviFile(const std::string& path, const RecordingMedia& m, const std::vector<int>& channels,
                  bool withAudio, std::string* error)
{
    mmAviWriter writer;
    if (writer.OpenAVI(kestrel::FromUtf8(path)) != 0) {
        *error = "cannot create " + path;
        return false;
    }
    // Stream numbers follow the order of opening: video, sound, data.
    const std::vector<uint8_t> bih = BitmapInfoHeader(m.width, m.height);
    for (size_t i = 0; i < channels.size(); ++i) {
        AVISTREAMINFOW info = StreamInfo(kFccVids, kFccH264, 1, static_cast<uint32_t>(m.fps), 0);
        info.rcFrame[2] = static_cast<int16_t>(m.width);
        info.rcFrame[3] = static_cast<int16_t>(m.height);
        if (writer.OpenAVIVideoStream(info, bih.data(), static_cast<int>(bih.size()), static_cast<int>(i)) != 0) {
            *error = "cannot add a video stream to " + path;
            return false;
        }
    }
    const bool audio = withAudio && !m.pcm.empty();
    const int align = 2 * m.audioChannels;
    if (audio) {
        const std::vector<uint8_t> wfx = WaveFormat(m.sampleRate, m.audioChannels);
        AVISTREAMINFOW info = StreamInfo(kFccAuds, 0, static_cast<uint32_t>(align),
                                         static_cast<uint32_t>(m.sampleRate * align), static_cast<uint32_t>(align));
        if (writer.OpenAVIAudioStream(info, wfx.data(), static_cast<int>(wfx.size()), 0) != 0) {
            *error = "cannot add the sound stream to " + path;
            return false;
        }
    }
    {
        const uint8_t format[4] = {0, 0, 0, 0};
        AVISTREAMINFOW info = StreamInfo(kFccTxts, kFccXblb, 1, 1, 0);
        if (writer.OpenAVIMetaStream(info, format, sizeof format, 0) != 0) {
            *error = "cannot add the data stream to " + path;
            return false;
        }
    }

    // Interleave by time: each second opens with its data chunk, then every
    // frame period carries one picture per channel and its stretch of sound.
    const int64_t totalSamples = static_cast<int64_t>(m.pcm.size()) / std::max(1, m.audioChannels);
    for (int f = 0; f < m.frames; ++f) {
        if (f % m.fps == 0) {
            const size_t s = static_cast<size_t>(f / m.fps);
            if (s < m.gps.size()) {
                const std::vector<uint8_t> chunk =
                    MakeAviDataChunk(m.gps[s], m.accel[s * DriveSimulator::kAccelPerSecond]);
                if (writer.WritePacket(kFccTxts, chunk.data(), static_cast<int>(chunk.size()), 0, kAviIndexKeyFrame) != 0) {
                    *error = "cannot write to " + path;
                    return false;
                }
            }
        }
        for (size_t i = 0; i < channels.size(); ++i) {
            const EncodedPacket& p = m.video[static_cast<size_t>(channels[i])][static_cast<size_t>(f)];
            if (writer.WritePacket(kFccVids, p.data.data(), static_cast<int>(p.data.size()), static_cast<int>(i),
                                   p.key ? kAviIndexKeyFrame : 0) != 0) {
                *error = "cannot write to " + path;
                return false;
            }
        }
        if (audio) {
            const int64_t from = static_cast<int64_t>(f) * m.sampleRate / m.fps;
            const int64_t to = std::min<int64_t>(totalSamples, static_cast<int64_t>(f + 1) * m.sampleRate / m.fps);
            if (to > from &&
                writer.WritePacket(kFccAuds, m.pcm.data() + from * m.audioChannels,
                                   static_cast<int>((to - from) * align), 0, kAviIndexKeyFrame) != 0) {
                *error = "cannot write to " + path;
                return false;
            }
        }
    }
    if (writer.CloseAVI() != 0) {
        *error = "cannot finish " + path;
        return false;
    }
    return true;
}

}  // namespace kestrel::cardgen
