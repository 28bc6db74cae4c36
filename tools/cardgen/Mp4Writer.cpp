#include "Mp4Writer.h"

#include <algorithm>

namespace kestrel::cardgen {

namespace {

class Bytes {
public:
    explicit Bytes(std::vector<uint8_t>* out) : m_out(out) {}
    void U8(uint32_t v) { m_out->push_back(static_cast<uint8_t>(v)); }
    void U16(uint32_t v) { U8(v >> 8); U8(v); }
    void U24(uint32_t v) { U8(v >> 16); U16(v); }
    void U32(uint32_t v) { U16(v >> 16); U16(v); }
    void Tag(const char* fourcc) { m_out->insert(m_out->end(), fourcc, fourcc + 4); }
    void Zero(size_t n) { m_out->insert(m_out->end(), n, 0); }
    void Raw(const std::vector<uint8_t>& v) { m_out->insert(m_out->end(), v.begin(), v.end()); }
    size_t Begin(const char* type)
    {
        const size_t at = m_out->size();
        U32(0);
        Tag(type);
        return at;
    }
    size_t BeginFull(const char* type, uint8_t version, uint32_t flags)
    {
        const size_t at = Begin(type);
        U8(version);
        U24(flags);
        return at;
    }
    void End(size_t at)
    {
        const uint32_t size = static_cast<uint32_t>(m_out->size() - at);
        for (int i = 0; i < 4; ++i) (*m_out)[at + i] = static_cast<uint8_t>(size >> (24 - 8 * i));
    }
    void Matrix()
    {
        const uint32_t m[9] = {0x00010000, 0, 0, 0, 0x00010000, 0, 0, 0, 0x40000000};
        for (uint32_t v : m) U32(v);
    }

private:
    std::vector<uint8_t>* m_out;
};

uint64_t MediaDuration(const Mp4Track& t)
{
    uint64_t d = 0;
    for (const auto& s : t.samples) d += s.duration;
    return d;
}

uint32_t ToMovieTime(uint64_t value, uint32_t timescale) { return static_cast<uint32_t>(value * 1000 / timescale); }

uint32_t PresentedDuration(const Mp4Track& t)
{
    if (t.kind == Mp4Track::Kind::Audio && t.playSamples > 0)
        return ToMovieTime(static_cast<uint64_t>(t.playSamples), t.timescale);
    return ToMovieTime(MediaDuration(t), t.timescale);
}

// One descriptor of an ES descriptor tree (tag and a one-byte length).
void Descriptor(Bytes& b, uint8_t tag, const std::vector<uint8_t>& body)
{
    b.U8(tag);
    b.U8(static_cast<uint32_t>(body.size()));
    b.Raw(body);
}

void WriteSampleEntry(Bytes& b, const Mp4Track& t)
{
    if (t.kind == Mp4Track::Kind::Video) {
        const size_t e = b.Begin("avc1");
        b.Zero(6);
        b.U16(1);          // data reference index
        b.Zero(16);        // pre-defined and reserved
        b.U16(static_cast<uint32_t>(t.width));
        b.U16(static_cast<uint32_t>(t.height));
        b.U32(0x00480000); // 72 dpi
        b.U32(0x00480000);
        b.U32(0);
        b.U16(1);          // frames per sample
        b.Zero(32);        // compressor name
        b.U16(0x0018);
        b.U16(0xFFFF);
        const size_t c = b.Begin("avcC");
        b.Raw(t.avcC);
        b.End(c);
        b.End(e);
    } else if (t.kind == Mp4Track::Kind::Audio) {
        const size_t e = b.Begin("mp4a");
        b.Zero(6);
        b.U16(1);
        b.Zero(8);
        b.U16(static_cast<uint32_t>(t.channels));
        b.U16(16);
        b.U32(0);
        b.U32(static_cast<uint32_t>(t.sampleRate) << 16);
        const size_t es = b.BeginFull("esds", 0, 0);
        std::vector<uint8_t> decoderConfig = {0x40, 0x15, 0, 0x18, 0, 0, 0, 0xFA, 0, 0, 0, 0xFA, 0};
        decoderConfig.push_back(0x05);
        decoderConfig.push_back(static_cast<uint8_t>(t.audioConfig.size()));
        decoderConfig.insert(decoderConfig.end(), t.audioConfig.begin(), t.audioConfig.end());
        std::vector<uint8_t> esBody = {0, 1, 0};  // ES id 1, no flags
        esBody.push_back(0x04);
        esBody.push_back(static_cast<uint8_t>(decoderConfig.size()));
        esBody.insert(esBody.end(), decoderConfig.begin(), decoderConfig.end());
        esBody.insert(esBody.end(), {0x06, 0x01, 0x02});
        Descriptor(b, 0x03, esBody);
        b.End(es);
        b.End(e);
    } else {
        const size_t e = b.Begin("sdsm");
        b.Zero(6);
        b.U16(1);
        b.End(e);
    }
}

void WriteSampleTable(Bytes& b, const Mp4Track& t, const std::vector<uint32_t>& chunkOffsets)
{
    const size_t stbl = b.Begin("stbl");

    const size_t stsd = b.BeginFull("stsd", 0, 0);
    b.U32(1);
    WriteSampleEntry(b, t);
    b.End(stsd);

    // Decoding times, run-length coded.
    std::vector<std::pair<uint32_t, uint32_t>> runs;
    for (const auto& s : t.samples) {
        if (!runs.empty() && runs.back().second == s.duration) ++runs.back().first;
        else runs.push_back({1, s.duration});
    }
    const size_t stts = b.BeginFull("stts", 0, 0);
    b.U32(static_cast<uint32_t>(runs.size()));
    for (const auto& [count, delta] : runs) {
        b.U32(count);
        b.U32(delta);
    }
    b.End(stts);

    if (t.kind == Mp4Track::Kind::Video) {
        std::vector<uint32_t> keys;
        for (size_t i = 0; i < t.samples.size(); ++i)
            if (t.samples[i].key) keys.push_back(static_cast<uint32_t>(i + 1));
        const size_t stss = b.BeginFull("stss", 0, 0);
        b.U32(static_cast<uint32_t>(keys.size()));
        for (uint32_t k : keys) b.U32(k);
        b.End(stss);
    }

    // Samples per chunk: one entry wherever the count changes.
    std::vector<std::pair<uint32_t, uint32_t>> stsc;  // first chunk (1-based), samples
    for (size_t c = 0; c < t.chunkStarts.size(); ++c) {
        const uint32_t end = c + 1 < t.chunkStarts.size() ? t.chunkStarts[c + 1] : static_cast<uint32_t>(t.samples.size());
        const uint32_t n = end - t.chunkStarts[c];
        if (stsc.empty() || stsc.back().second != n) stsc.push_back({static_cast<uint32_t>(c + 1), n});
    }
    const size_t stscBox = b.BeginFull("stsc", 0, 0);
    b.U32(static_cast<uint32_t>(stsc.size()));
    for (const auto& [first, n] : stsc) {
        b.U32(first);
        b.U32(n);
        b.U32(1);
    }
    b.End(stscBox);

    const size_t stsz = b.BeginFull("stsz", 0, 0);
    b.U32(0);
    b.U32(static_cast<uint32_t>(t.samples.size()));
    for (const auto& s : t.samples) b.U32(static_cast<uint32_t>(s.data.size()));
    b.End(stsz);

    const size_t stco = b.BeginFull("stco", 0, 0);
    b.U32(static_cast<uint32_t>(chunkOffsets.size()));
    for (uint32_t o : chunkOffsets) b.U32(o);
    b.End(stco);

    b.End(stbl);
}

void WriteTrack(Bytes& b, const Mp4Movie& movie, const Mp4Track& t, uint32_t trackId,
                const std::vector<uint32_t>& chunkOffsets)
{
    const uint32_t created = static_cast<uint32_t>(movie.creationTime1904);
    const size_t trak = b.Begin("trak");

    const size_t tkhd = b.BeginFull("tkhd", 0, 3);
    b.U32(created);
    b.U32(created);
    b.U32(trackId);
    b.U32(0);
    b.U32(PresentedDuration(t));
    b.Zero(8);
    b.U16(0);  // layer
    b.U16(0);  // alternate group
    b.U16(t.kind == Mp4Track::Kind::Audio ? 0x0100 : 0);
    b.U16(0);
    b.Matrix();
    b.U32(static_cast<uint32_t>(t.width) << 16);
    b.U32(static_cast<uint32_t>(t.height) << 16);
    b.End(tkhd);

    if (t.kind == Mp4Track::Kind::Audio && t.primingSamples > 0) {
        const size_t edts = b.Begin("edts");
        const size_t elst = b.BeginFull("elst", 0, 0);
        b.U32(1);
        b.U32(PresentedDuration(t));
        b.U32(static_cast<uint32_t>(t.primingSamples));
        b.U32(0x00010000);
        b.End(elst);
        b.End(edts);
    }

    const size_t mdia = b.Begin("mdia");
    const size_t mdhd = b.BeginFull("mdhd", 0, 0);
    b.U32(created);
    b.U32(created);
    b.U32(t.timescale);
    b.U32(static_cast<uint32_t>(MediaDuration(t)));
    b.U16(0x55C4);  // "und"
    b.U16(0);
    b.End(mdhd);

    const char* handler = t.kind == Mp4Track::Kind::Video ? "vide" : t.kind == Mp4Track::Kind::Audio ? "soun" : "sdsm";
    const char* name = t.kind == Mp4Track::Kind::Video ? "VideoHandler" : t.kind == Mp4Track::Kind::Audio ? "SoundHandler" : "SensorDataHandler";
    const size_t hdlr = b.BeginFull("hdlr", 0, 0);
    b.U32(0);
    b.Tag(handler);
    b.Zero(12);
    for (const char* p = name; *p; ++p) b.U8(static_cast<uint8_t>(*p));
    b.U8(0);
    b.End(hdlr);

    const size_t minf = b.Begin("minf");
    if (t.kind == Mp4Track::Kind::Video) {
        const size_t vmhd = b.BeginFull("vmhd", 0, 1);
        b.Zero(8);
        b.End(vmhd);
    } else if (t.kind == Mp4Track::Kind::Audio) {
        const size_t smhd = b.BeginFull("smhd", 0, 0);
        b.Zero(4);
        b.End(smhd);
    } else {
        b.End(b.BeginFull("nmhd", 0, 0));
    }
    const size_t dinf = b.Begin("dinf");
    const size_t dref = b.BeginFull("dref", 0, 0);
    b.U32(1);
    b.End(b.BeginFull("url ", 0, 1));
    b.End(dref);
    b.End(dinf);
    WriteSampleTable(b, t, chunkOffsets);
    b.End(minf);
    b.End(mdia);
    b.End(trak);
}

struct ChunkRef {
    double time;
    size_t track;
    size_t chunk;
};

}  // namespace

bool BuildMp4(const Mp4Movie& movie, std::vector<uint8_t>* file, std::string* error)
{
    file->clear();
    std::vector<ChunkRef> order;
    for (size_t ti = 0; ti < movie.tracks.size(); ++ti) {
        const Mp4Track& t = movie.tracks[ti];
        if (t.samples.empty() || t.chunkStarts.empty() || t.chunkStarts[0] != 0 || t.timescale == 0) {
            *error = "an MP4 track has no samples or no chunk layout";
            return false;
        }
        uint64_t dts = 0;
        size_t chunk = 0;
        for (size_t s = 0; s < t.samples.size(); ++s) {
            if (chunk < t.chunkStarts.size() && t.chunkStarts[chunk] == s) {
                order.push_back({static_cast<double>(dts) / t.timescale, ti, chunk});
                ++chunk;
            }
            dts += t.samples[s].duration;
        }
        if (chunk != t.chunkStarts.size()) {
            *error = "an MP4 track's chunk starts are not ascending sample indices";
            return false;
        }
    }
    std::stable_sort(order.begin(), order.end(), [](const ChunkRef& a, const ChunkRef& b) {
        return a.time < b.time || (a.time == b.time && a.track < b.track);
    });

    Bytes b(file);
    const size_t ftyp = b.Begin("ftyp");
    b.Tag("isom");
    b.U32(0x200);
    b.Tag("isom");
    b.Tag("iso2");
    b.Tag("avc1");
    b.Tag("mp42");
    b.End(ftyp);

    std::vector<std::vector<uint32_t>> offsets(movie.tracks.size());
    for (size_t ti = 0; ti < movie.tracks.size(); ++ti) offsets[ti].resize(movie.tracks[ti].chunkStarts.size());
    const size_t mdat = b.Begin("mdat");
    for (const ChunkRef& ref : order) {
        const Mp4Track& t = movie.tracks[ref.track];
        offsets[ref.track][ref.chunk] = static_cast<uint32_t>(file->size());
        const size_t end = ref.chunk + 1 < t.chunkStarts.size() ? t.chunkStarts[ref.chunk + 1] : t.samples.size();
        for (size_t s = t.chunkStarts[ref.chunk]; s < end; ++s) b.Raw(t.samples[s].data);
    }
    if (file->size() > 0xFFFFFFF0u) {
        *error = "the recording is too large for 32-bit chunk offsets";
        return false;
    }
    b.End(mdat);

    const size_t moov = b.Begin("moov");
    const size_t mvhd = b.BeginFull("mvhd", 0, 0);
    uint32_t duration = 0;
    for (const Mp4Track& t : movie.tracks)
        if (t.kind == Mp4Track::Kind::Video) duration = std::max(duration, PresentedDuration(t));
    b.U32(static_cast<uint32_t>(movie.creationTime1904));
    b.U32(static_cast<uint32_t>(movie.creationTime1904));
    b.U32(1000);
    b.U32(duration);
    b.U32(0x00010000);
    b.U16(0x0100);
    b.Zero(10);
    b.Matrix();
    b.Zero(24);
    b.U32(static_cast<uint32_t>(movie.tracks.size() + 1));
    b.End(mvhd);
    for (size_t ti = 0; ti < movie.tracks.size(); ++ti)
        WriteTrack(b, movie, movie.tracks[ti], static_cast<uint32_t>(ti + 1), offsets[ti]);
    b.End(moov);
    return true;
}

}  // namespace kestrel::cardgen
