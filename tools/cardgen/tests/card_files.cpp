#include "card_files.h"

#include <avi/mmAviParser.h>
#include <kestrel/WideText.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

namespace {

uint32_t Be32(const uint8_t* p)
{
    return (static_cast<uint32_t>(p[0]) << 24) | (static_cast<uint32_t>(p[1]) << 16) |
           (static_cast<uint32_t>(p[2]) << 8) | p[3];
}

double Seconds(const AVStream* st)
{
    return st->duration > 0 ? st->duration * av_q2d(st->time_base) : 0;
}

}  // namespace

std::vector<uint8_t> ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

ProbedFile ProbeFile(const std::string& path)
{
    ProbedFile r;
    AVFormatContext* fmt = nullptr;
    if (avformat_open_input(&fmt, path.c_str(), nullptr, nullptr) < 0) return r;
    if (avformat_find_stream_info(fmt, nullptr) >= 0) {
        r.opened = true;
        for (unsigned i = 0; i < fmt->nb_streams; ++i) {
            const AVStream* st = fmt->streams[i];
            if (st->codecpar->codec_type == AVMEDIA_TYPE_VIDEO) {
                if (r.video++ == 0) r.videoSeconds = Seconds(st);
            } else if (st->codecpar->codec_type == AVMEDIA_TYPE_AUDIO) {
                if (r.audio++ == 0) r.audioSeconds = Seconds(st);
            } else {
                ++r.other;
            }
        }
    }
    avformat_close_input(&fmt);
    return r;
}

int DecodeAll(const std::string& path, int* pictures)
{
    *pictures = 0;
    AVFormatContext* fmt = nullptr;
    if (avformat_open_input(&fmt, path.c_str(), nullptr, nullptr) < 0) return -1;
    if (avformat_find_stream_info(fmt, nullptr) < 0) {
        avformat_close_input(&fmt);
        return -1;
    }
    std::vector<AVCodecContext*> decoders(fmt->nb_streams, nullptr);
    int errors = 0;
    for (unsigned i = 0; i < fmt->nb_streams; ++i) {
        const AVCodecParameters* par = fmt->streams[i]->codecpar;
        if (par->codec_type != AVMEDIA_TYPE_VIDEO && par->codec_type != AVMEDIA_TYPE_AUDIO) continue;
        const AVCodec* codec = avcodec_find_decoder(par->codec_id);
        AVCodecContext* ctx = codec ? avcodec_alloc_context3(codec) : nullptr;
        if (!ctx || avcodec_parameters_to_context(ctx, par) < 0 || avcodec_open2(ctx, codec, nullptr) < 0) {
            ++errors;
            avcodec_free_context(&ctx);
            continue;
        }
        decoders[i] = ctx;
    }
    AVPacket* pkt = av_packet_alloc();
    AVFrame* frame = av_frame_alloc();
    auto drain = [&](AVCodecContext* ctx, unsigned index) {
        while (avcodec_receive_frame(ctx, frame) == 0) {
            if (fmt->streams[index]->codecpar->codec_type == AVMEDIA_TYPE_VIDEO) ++*pictures;
            av_frame_unref(frame);
        }
    };
    while (av_read_frame(fmt, pkt) >= 0) {
        const unsigned i = static_cast<unsigned>(pkt->stream_index);
        if (i < decoders.size() && decoders[i]) {
            if (avcodec_send_packet(decoders[i], pkt) < 0) ++errors;
            drain(decoders[i], i);
        }
        av_packet_unref(pkt);
    }
    for (unsigned i = 0; i < decoders.size(); ++i) {
        if (!decoders[i]) continue;
        avcodec_send_packet(decoders[i], nullptr);
        drain(decoders[i], i);
        avcodec_free_context(&decoders[i]);
    }
    av_frame_free(&frame);
    av_packet_free(&pkt);
    avformat_close_input(&fmt);
    return errors;
}

SdsmTrack ReadSdsmTrack(const std::string& path)
{
    SdsmTrack track;
    const std::vector<uint8_t> f = ReadBytes(path);
    // Box walk: enter the containers, note the handler, read the first sdsm
    // sample table.
    bool noted = false;
    size_t pos = 0;
    std::vector<size_t> ends = {f.size()};
    while (pos + 8 <= ends.back()) {
        const uint32_t size = Be32(&f[pos]);
        const std::string type(reinterpret_cast<const char*>(&f[pos + 4]), 4);
        if (size < 8 || pos + size > ends.back()) break;
        const size_t end = pos + size;
        if (type == "moov" || type == "trak" || type == "mdia" || type == "minf") {
            ends.push_back(end);
            pos += 8;
            continue;
        }
        if (type == "hdlr" && size >= 20 && std::memcmp(&f[pos + 16], "sdsm", 4) == 0) noted = true;
        if (type == "stbl" && noted) {
            std::vector<uint32_t> sizes, offsets, perChunk;
            std::vector<std::pair<uint32_t, uint32_t>> stsc;
            for (size_t c = pos + 8; c + 8 <= end;) {
                const uint32_t cs = Be32(&f[c]);
                const std::string ct(reinterpret_cast<const char*>(&f[c + 4]), 4);
                if (cs < 8 || c + cs > end) break;
                if (ct == "stco")
                    for (uint32_t i = 0, n = Be32(&f[c + 12]); i < n; ++i) offsets.push_back(Be32(&f[c + 16 + 4 * i]));
                if (ct == "stsz")
                    for (uint32_t i = 0, n = Be32(&f[c + 16]); i < n; ++i) sizes.push_back(Be32(&f[c + 20 + 4 * i]));
                if (ct == "stsc")
                    for (uint32_t i = 0, n = Be32(&f[c + 12]); i < n; ++i)
                        stsc.push_back({Be32(&f[c + 16 + 12 * i]), Be32(&f[c + 20 + 12 * i])});
                c += cs;
            }
            track.found = true;
            track.stscEntries = static_cast<int>(stsc.size());
            for (size_t e = 0; e < stsc.size(); ++e) {
                const uint32_t last = e + 1 < stsc.size() ? stsc[e + 1].first - 1 : static_cast<uint32_t>(offsets.size());
                for (uint32_t chunk = stsc[e].first; chunk <= last; ++chunk) perChunk.push_back(stsc[e].second);
            }
            size_t sample = 0;
            for (size_t chunk = 0; chunk < offsets.size() && chunk < perChunk.size(); ++chunk) {
                size_t at = offsets[chunk];
                for (uint32_t k = 0; k < perChunk[chunk] && sample < sizes.size(); ++k, ++sample) {
                    if (at + sizes[sample] > f.size()) return track;
                    track.samples.emplace_back(f.begin() + static_cast<long>(at), f.begin() + static_cast<long>(at + sizes[sample]));
                    at += sizes[sample];
                }
            }
            return track;
        }
        pos = end;
        while (ends.size() > 1 && pos >= ends.back()) {
            pos = ends.back();
            ends.pop_back();
        }
    }
    return track;
}

std::vector<std::vector<uint8_t>> ReadAviDataChunks(const std::string& path)
{
    std::vector<std::vector<uint8_t>> chunks;
    mmAviParser parser;
    if (parser.OpenAVI(kestrel::FromUtf8(path)) != 0) return chunks;
    int dataStream = -1;
    for (int n = 0; n < parser.GetAVIMetaStreamCount(); ++n) {
        AVISTREAMINFOW info{};
        const int stream = parser.GetAVIMetaStreamInfo(&info, n);
        if (info.fccType == kFccTxts && info.fccHandler == MakeFourCC('X', 'B', 'L', 'B')) dataStream = stream;
    }
    if (dataStream < 0) return chunks;
    for (int i = 0; i < parser.GetAVIIndexCount(); ++i) {
        _TAG_AVI_PACKET_INFO p;
        if (parser.GetAVIReadData(i, &p) == 0 && p.nStream == dataStream)
            chunks.emplace_back(p.pData, p.pData + p.nLength);
    }
    parser.CloseAVI();
    return chunks;
}
