#include "AudioFilter.h"

#include <cstdio>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavfilter/avfilter.h>
#include <libavfilter/buffersink.h>
#include <libavfilter/buffersrc.h>
#include <libavutil/channel_layout.h>
#include <libavutil/dict.h>
#include <libavutil/opt.h>
}

namespace playcore {

namespace {

// The source's layout as text: mono and stereo by name; other counts by the
// decoder's own layout, or the usual layout for that many channels.
std::string LayoutText(const AVChannelLayout& layout)
{
    if (layout.nb_channels == 1)
        return "mono";
    if (layout.nb_channels == 2)
        return "stereo";
    AVChannelLayout described{};
    if (layout.order == AV_CHANNEL_ORDER_NATIVE)
        av_channel_layout_copy(&described, &layout);
    else
        av_channel_layout_default(&described, layout.nb_channels);
    char text[128] = {};
    av_channel_layout_describe(&described, text, sizeof(text));
    av_channel_layout_uninit(&described);
    return text;
}

}  // namespace

std::string AudioFilter::VolumeText(double volume)
{
    char text[64];
    std::snprintf(text, sizeof(text), "%3.3f", volume);
    return text;
}

int AudioFilter::Build(const AVCodecContext* decoder, double volume)
{
    Free();
    const AVFilter* abuffer = avfilter_get_by_name("abuffer");
    const AVFilter* volumeFilter = avfilter_get_by_name("volume");
    const AVFilter* aformat = avfilter_get_by_name("aformat");
    const AVFilter* abuffersink = avfilter_get_by_name("abuffersink");
    const char* sampleFormat = av_get_sample_fmt_name(decoder->sample_fmt);
    m_pGraph = avfilter_graph_alloc();
    m_pOut = av_frame_alloc();
    bool ok = m_pGraph && m_pOut && abuffer && volumeFilter && aformat && abuffersink && sampleFormat;

    AVFilterContext* volumeContext = nullptr;
    AVFilterContext* formatContext = nullptr;
    if (ok) {
        m_pSource = avfilter_graph_alloc_filter(m_pGraph, abuffer, "src");
        ok = m_pSource &&
             av_opt_set(m_pSource, "channel_layout", LayoutText(decoder->ch_layout).c_str(),
                        AV_OPT_SEARCH_CHILDREN) >= 0 &&
             av_opt_set(m_pSource, "sample_fmt", sampleFormat, AV_OPT_SEARCH_CHILDREN) >= 0 &&
             av_opt_set_q(m_pSource, "time_base", AVRational{0, 1}, AV_OPT_SEARCH_CHILDREN) >= 0 &&
             av_opt_set_int(m_pSource, "sample_rate", decoder->sample_rate, AV_OPT_SEARCH_CHILDREN) >= 0 &&
             avfilter_init_str(m_pSource, nullptr) >= 0;
    }
    if (ok) {
        volumeContext = avfilter_graph_alloc_filter(m_pGraph, volumeFilter, "volume");
        AVDictionary* options = nullptr;
        av_dict_set(&options, "volume", VolumeText(volume).c_str(), 0);
        ok = volumeContext && avfilter_init_dict(volumeContext, &options) >= 0;
        av_dict_free(&options);
    }
    if (ok) {
        char args[256];
        std::snprintf(args, sizeof(args), "sample_fmts=%s:sample_rates=%d:channel_layouts=0x%08X",
                      av_get_sample_fmt_name(AV_SAMPLE_FMT_S16), decoder->sample_rate, 4u);
        ok = avfilter_graph_create_filter(&formatContext, aformat, "aformat", args, nullptr, m_pGraph) >= 0;
    }
    if (ok)
        ok = avfilter_graph_create_filter(&m_pSink, abuffersink, "sink", nullptr, nullptr, m_pGraph) >= 0;
    if (ok) {
        ok = avfilter_link(m_pSource, 0, volumeContext, 0) >= 0 && avfilter_link(volumeContext, 0, formatContext, 0) >= 0 &&
             avfilter_link(formatContext, 0, m_pSink, 0) >= 0 && avfilter_graph_config(m_pGraph, nullptr) >= 0;
    }
    if (!ok) {
        Free();
        return -1;
    }
    m_nResult = 0;
    return 0;
}

void AudioFilter::Free()
{
    avfilter_graph_free(&m_pGraph);
    av_frame_free(&m_pOut);
    m_pSource = nullptr;
    m_pSink = nullptr;
    m_nResult = -1;
}

bool AudioFilter::Process(AVFrame* decoded, std::vector<uint8_t>* out)
{
    if (m_nResult != 0)
        return false;
    if (av_buffersrc_add_frame(m_pSource, decoded) < 0) {
        av_frame_unref(decoded);
        return false;
    }
    // Everything the graph has ready is kept, not only its last frame.
    while (av_buffersink_get_frame(m_pSink, m_pOut) >= 0) {
        const size_t bytes = static_cast<size_t>(m_pOut->nb_samples) * 2;
        out->insert(out->end(), m_pOut->data[0], m_pOut->data[0] + bytes);
        av_frame_unref(m_pOut);
    }
    return true;
}

}  // namespace playcore
