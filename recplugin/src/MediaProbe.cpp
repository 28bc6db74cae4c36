#include "MediaProbe.h"

#include "kestrel/WideText.h"

#include <cmath>

extern "C" {
#include <libavformat/avformat.h>
#include <libavutil/avutil.h>
}

namespace recplugin {

int64_t StreamDurationMs(int64_t duration, int num, int den)
{
    if (duration == AV_NOPTS_VALUE || duration <= 0 || num <= 0 || den <= 0)
        return 0;
    const double ms = static_cast<double>(duration) * (static_cast<double>(num) / den) * 1000.0;
    // Beyond ~290 million years the value means nothing; treat as unknown.
    if (!std::isfinite(ms) || ms >= 9.2e18)
        return 0;
    return static_cast<int64_t>(ms);
}

std::optional<ProbeResult> CAvFormatProbe::Probe(const std::wstring& path)
{
    AVFormatContext* ctx = avformat_alloc_context();
    if (!ctx)
        return std::nullopt;
    // The "file:" prefix keeps names that look like other protocols or
    // option strings (a folder called "concat:x") plain file paths.
    const std::string url = "file:" + kestrel::ToUtf8(path);
    if (avformat_open_input(&ctx, url.c_str(), nullptr, nullptr) != 0) {
        avformat_free_context(ctx);  // open_input frees it on failure; this is a no-op then
        return std::nullopt;
    }
    ProbeResult r;
    for (unsigned i = 0; i < ctx->nb_streams; ++i) {
        const AVStream* st = ctx->streams[i];
        if (st->codecpar && st->codecpar->codec_type == AVMEDIA_TYPE_VIDEO)
            r.videoDurationsMs.push_back(StreamDurationMs(st->duration, st->time_base.num, st->time_base.den));
    }
    avformat_close_input(&ctx);
    return r;
}

}  // namespace recplugin
