#include "Mp4Recording.h"

#include "H264Stream.h"
#include "Mp4Writer.h"
#include "UserData.h"

#include <cstdio>

namespace kestrel::cardgen {

namespace {

constexpr uint64_t kSeconds1904To1970 = 2082844800ull;

bool AddVideoTrack(Mp4Movie& movie, const RecordingMedia& m, const std::vector<EncodedPacket>& packets,
                   std::string* error)
{
    Mp4Track t;
    t.kind = Mp4Track::Kind::Video;
    t.timescale = static_cast<uint32_t>(m.fps) * 1000;
    t.width = m.width;
    t.height = m.height;
    t.avcC = packets.empty() ? std::vector<uint8_t>{} : MakeAvcC(packets.front().data);
    if (t.avcC.empty()) {
        *error = "the first picture of a recording carries no parameter sets";
        return false;
    }
    for (size_t i = 0; i < packets.size(); ++i) {
        if (i % static_cast<size_t>(m.fps) == 0) t.chunkStarts.push_back(static_cast<uint32_t>(i));
        t.samples.push_back({ToLengthPrefixed(packets[i].data), 1000, packets[i].key});
    }
    movie.tracks.push_back(std::move(t));
    return true;
}

bool AddAudioTrack(Mp4Movie& movie, const RecordingMedia& m, AacCache& cache, std::string* error)
{
    const AacCache::Entry* sound = cache.Get(m, error);
    if (!sound) return false;
    Mp4Track t;
    t.kind = Mp4Track::Kind::Audio;
    t.timescale = static_cast<uint32_t>(m.sampleRate);
    t.sampleRate = m.sampleRate;
    t.channels = m.audioChannels;
    t.audioConfig = sound->config;
    t.primingSamples = sound->priming;
    t.playSamples = static_cast<int64_t>(m.pcm.size()) / m.audioChannels;
    const auto frame = static_cast<uint32_t>(sound->frameSize);
    const std::vector<EncodedPacket>& packets = sound->packets;
    int64_t nextChunkAt = 0;  // media time of the next one-second boundary
    for (size_t i = 0; i < packets.size(); ++i) {
        const int64_t dts = static_cast<int64_t>(i) * frame;
        if (dts >= nextChunkAt) {
            t.chunkStarts.push_back(static_cast<uint32_t>(i));
            nextChunkAt += m.sampleRate;
        }
        t.samples.push_back({packets[i].data, frame, true});
    }
    movie.tracks.push_back(std::move(t));
    return true;
}

void AddUserDataTrack(Mp4Movie& movie, const RecordingMedia& m)
{
    Mp4Track t;
    t.kind = Mp4Track::Kind::UserData;
    t.timescale = 1000;
    for (size_t s = 0; s < m.gps.size(); ++s) {
        const int framesLeft = m.frames - static_cast<int>(s) * m.fps;
        const int readings = std::min(DriveSimulator::kAccelPerSecond,
                                      (framesLeft * DriveSimulator::kAccelPerSecond + m.fps - 1) / m.fps);
        t.chunkStarts.push_back(static_cast<uint32_t>(t.samples.size()));
        t.samples.push_back({MakeMp4GpsSample(m.gps[s]), 1, true});
        for (int r = 0; r < readings; ++r) {
            // The first second goes out in two chunks, as the camera flushes
            // its sensor buffer half a second after it starts.
            if (s == 0 && r == 4 && readings > 5) t.chunkStarts.push_back(static_cast<uint32_t>(t.samples.size()));
            const Accel& a = m.accel[s * DriveSimulator::kAccelPerSecond + static_cast<size_t>(r)];
            t.samples.push_back({MakeMp4AccelSample(a), r == 0 ? 99u : 100u, true});
        }
    }
    movie.tracks.push_back(std::move(t));
}

}  // namespace

const AacCache::Entry* AacCache::Get(const RecordingMedia& m, std::string* error)
{
    for (const Entry& e : m_entries)
        if (e.sampleRate == m.sampleRate && e.channels == m.audioChannels && e.pcm == m.pcm) return &e;
    Entry e;
    AacEncoder encoder;
    if (!encoder.Open(m.sampleRate, m.audioChannels, error) || !encoder.EncodeAll(m.pcm, &e.packets, error))
        return nullptr;
    e.pcm = m.pcm;
    e.sampleRate = m.sampleRate;
    e.channels = m.audioChannels;
    e.config = encoder.Config();
    e.priming = encoder.Priming();
    e.frameSize = encoder.FrameSize();
    if (m_entries.size() >= 16) m_entries.erase(m_entries.begin());
    m_entries.push_back(std::move(e));
    return &m_entries.back();
}

bool WriteMp4File(const std::string& path, const RecordingMedia& m, AacCache& sound, std::string* error)
{
    Mp4Movie movie;
    movie.creationTime1904 = static_cast<uint64_t>(m.startUtc) + kSeconds1904To1970;
    for (const auto& packets : m.video)
        if (!AddVideoTrack(movie, m, packets, error)) return false;
    if (!m.pcm.empty() && !AddAudioTrack(movie, m, sound, error)) return false;
    AddUserDataTrack(movie, m);

    std::vector<uint8_t> bytes;
    if (!BuildMp4(movie, &bytes, error)) return false;
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) {
        *error = "cannot create " + path;
        return false;
    }
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    if (std::fclose(f) != 0 || !ok) {
        *error = "cannot write " + path;
        return false;
    }
    return true;
}

}  // namespace kestrel::cardgen
