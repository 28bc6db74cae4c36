#include "ByteBuilders.h"

#include <cstdio>
#include <cstring>

namespace rptest {

void PutLE32(Bytes& b, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b.push_back(uint8_t(v >> (8 * i)));
}
void PutLE16(Bytes& b, uint16_t v)
{
    b.push_back(uint8_t(v));
    b.push_back(uint8_t(v >> 8));
}
void PutBE32(Bytes& b, uint32_t v)
{
    for (int i = 3; i >= 0; --i)
        b.push_back(uint8_t(v >> (8 * i)));
}
void PutText(Bytes& b, const std::string& s) { b.insert(b.end(), s.begin(), s.end()); }
void Append(Bytes& b, const Bytes& more) { b.insert(b.end(), more.begin(), more.end()); }

Bytes RiffChunk(const std::string& id, const Bytes& data, bool pad)
{
    Bytes b;
    PutText(b, id);
    PutLE32(b, uint32_t(data.size()));
    Append(b, data);
    if (pad && (data.size() & 1))
        b.push_back(0);
    return b;
}

Bytes RiffList(const std::string& type, const Bytes& content)
{
    Bytes data;
    PutText(data, type);
    Append(data, content);
    return RiffChunk("LIST", data);
}

Bytes AviDataChunk(const std::string& sentence, int32_t z, int32_t y, int32_t x, size_t size)
{
    Bytes d(size < 302 ? 302 : size, 0);
    std::memcpy(d.data() + 34, sentence.data(), sentence.size() < 255 ? sentence.size() : 255);
    auto put = [&](size_t at, int32_t v) {
        for (int i = 0; i < 4; ++i)
            d[at + i] = uint8_t(uint32_t(v) >> (8 * i));
    };
    put(290, z);
    put(294, y);
    put(298, x);
    d.resize(size);
    return d;
}

namespace {

Bytes StreamList(bool text, const AviSpec& spec)
{
    Bytes strh;
    PutText(strh, text ? "txts" : "vids");
    PutText(strh, text ? "XBLB" : "H264");
    PutLE32(strh, 0);  // flags
    PutLE32(strh, 0);  // priority, language
    PutLE32(strh, 0);  // initial frames
    PutLE32(strh, 1);  // scale
    PutLE32(strh, text ? 1 : spec.fps);  // rate
    PutLE32(strh, 0);  // start
    PutLE32(strh, text ? uint32_t(spec.dataChunks.size()) : spec.frames);  // length
    PutLE32(strh, 0);  // suggested buffer size
    PutLE32(strh, 0xFFFFFFFF);  // quality
    PutLE32(strh, 0);  // sample size
    PutLE32(strh, 0);  // frame rectangle
    PutLE32(strh, 0);
    Bytes strf;
    if (text) {
        strf.assign(4, 0);
    } else {  // BITMAPINFOHEADER
        PutLE32(strf, 40);
        PutLE32(strf, 64);
        PutLE32(strf, 48);
        PutLE16(strf, 1);
        PutLE16(strf, 24);
        PutText(strf, "H264");
        for (int i = 0; i < 5; ++i)
            PutLE32(strf, 0);
    }
    Bytes content = RiffChunk("strh", strh);
    Append(content, RiffChunk("strf", strf));
    return RiffList("strl", content);
}

}  // namespace

Bytes BuildAvi(const AviSpec& spec)
{
    Bytes avih;
    PutLE32(avih, 1000000 / (spec.fps ? spec.fps : 1));
    for (int i = 0; i < 3; ++i)
        PutLE32(avih, 0);
    PutLE32(avih, spec.frames);
    PutLE32(avih, 0);
    PutLE32(avih, uint32_t(spec.streamCount));
    PutLE32(avih, 0);
    PutLE32(avih, 64);
    PutLE32(avih, 48);
    for (int i = 0; i < 4; ++i)
        PutLE32(avih, 0);
    Bytes hdrl = RiffChunk("avih", avih);
    for (int s = 0; s < spec.streamCount; ++s)
        Append(hdrl, StreamList(s == spec.dataStream, spec));

    char dataId[8];
    std::snprintf(dataId, sizeof dataId, "%02d%s", spec.dataStream % 100, spec.dataSuffix.c_str());
    const std::string videoId = spec.dataStream == 0 ? "01dc" : "00dc";

    Bytes movi;  // contents after the "movi" type
    Bytes idx;
    auto add = [&](const std::string& id, const Bytes& data) {
        PutText(idx, id);
        PutLE32(idx, 0x10);
        PutLE32(idx, uint32_t(movi.size() + 4));  // from the "movi" type
        PutLE32(idx, uint32_t(data.size()));
        Append(movi, RiffChunk(id, data, spec.pad));
    };
    const size_t n = spec.dataChunks.size() > spec.frames ? spec.dataChunks.size() : spec.frames;
    for (size_t i = 0; i < n; ++i) {
        if (i < spec.frames && spec.streamCount > 1)
            add(videoId, Bytes(spec.videoChunkSize, uint8_t(i)));
        if (i < spec.dataChunks.size())
            add(dataId, spec.dataChunks[i]);
    }

    Bytes body;
    PutText(body, "AVI ");
    Append(body, RiffList("hdrl", hdrl));
    Append(body, RiffList("movi", movi));
    if (spec.index)
        Append(body, RiffChunk("idx1", idx));
    return RiffChunk("RIFF", body);
}

Bytes Mp4Box(const std::string& type, const Bytes& payload)
{
    Bytes b;
    PutBE32(b, uint32_t(payload.size() + 8));
    PutText(b, type);
    Append(b, payload);
    return b;
}

Bytes BuildMp4(const std::vector<Mp4Track>& tracks)
{
    Bytes ftyp;
    PutText(ftyp, "isom");
    PutBE32(ftyp, 0x200);
    PutText(ftyp, "isommp41");
    Bytes out = Mp4Box("ftyp", ftyp);

    // mdat: every chunk's samples back to back; remember the offsets.
    const size_t mdatStart = out.size();
    Bytes mdat;
    std::vector<std::vector<uint32_t>> offsets(tracks.size());
    for (size_t t = 0; t < tracks.size(); ++t)
        for (const auto& chunk : tracks[t].chunks) {
            offsets[t].push_back(uint32_t(mdatStart + 8 + mdat.size()));
            for (const Bytes& s : chunk)
                Append(mdat, s);
        }
    Append(out, Mp4Box("mdat", mdat));

    Bytes moov;
    for (size_t t = 0; t < tracks.size(); ++t) {
        const Mp4Track& tr = tracks[t];
        Bytes hdlr(8, 0);  // version/flags, pre-defined
        PutText(hdlr, tr.handler);
        hdlr.resize(hdlr.size() + 12, 0);
        hdlr.push_back(0);  // empty name

        Bytes stsc(4, 0);
        std::vector<std::pair<uint32_t, uint32_t>> entries = tr.stsc;
        if (entries.empty())
            for (size_t c = 0; c < tr.chunks.size(); ++c)
                entries.emplace_back(uint32_t(c + 1), uint32_t(tr.chunks[c].size()));
        PutBE32(stsc, uint32_t(entries.size()));
        for (auto [first, per] : entries) {
            PutBE32(stsc, first);
            PutBE32(stsc, per);
            PutBE32(stsc, 1);
        }
        Bytes stsz(4, 0);
        PutBE32(stsz, 0);  // no common size
        uint32_t count = 0;
        for (const auto& chunk : tr.chunks)
            count += uint32_t(chunk.size());
        PutBE32(stsz, count);
        for (const auto& chunk : tr.chunks)
            for (const Bytes& s : chunk)
                PutBE32(stsz, uint32_t(s.size()));
        Bytes stco(4, 0);
        PutBE32(stco, uint32_t(offsets[t].size()));
        for (uint32_t o : offsets[t])
            PutBE32(stco, o);

        Bytes stsd(4, 0);
        PutBE32(stsd, 0);
        Bytes stbl = Mp4Box("stsd", stsd);
        Append(stbl, Mp4Box("stsc", stsc));
        Append(stbl, Mp4Box("stsz", stsz));
        Append(stbl, Mp4Box("stco", stco));
        Bytes minf = Mp4Box("stbl", stbl);
        Bytes mdia = Mp4Box("hdlr", hdlr);
        Append(mdia, Mp4Box("minf", minf));
        Bytes trak = Mp4Box("tkhd", Bytes(84, 0));
        Append(trak, Mp4Box("mdia", mdia));
        Append(moov, Mp4Box("trak", trak));
    }
    Append(out, Mp4Box("moov", moov));
    return out;
}

Bytes Mp4GpsSample(const std::string& fields)
{
    Bytes b{0x47};
    b.resize(9, 0);
    PutText(b, fields);
    return b;
}

Bytes Mp4GSensorSample(uint8_t x, uint8_t y, uint8_t z) { return Bytes{0x4D, x, y, z}; }

}  // namespace rptest
