#include "CallbackRecorder.h"

#include <chrono>

extern "C" {
#include <libavutil/md5.h>
#include <libavutil/mem.h>
}

std::string PictureMd5(const _TAG_DEC_INFO& picture)
{
    AVMD5* md5 = av_md5_alloc();
    av_md5_init(md5);
    const int chromaWidth = (picture.nWidth + 1) / 2;
    const int chromaHeight = (picture.nHeight + 1) / 2;
    for (int plane = 0; plane < 3; ++plane) {
        const int rows = plane == 0 ? picture.nHeight : chromaHeight;
        const int width = plane == 0 ? picture.nWidth : chromaWidth;
        for (int y = 0; y < rows; ++y)
            av_md5_update(md5, picture.data[plane] + static_cast<ptrdiff_t>(y) * picture.linesize[plane],
                          static_cast<size_t>(width));
    }
    uint8_t digest[16];
    av_md5_final(md5, digest);
    av_free(md5);
    static const char* hex = "0123456789abcdef";
    std::string text;
    for (uint8_t b : digest) {
        text += hex[b >> 4];
        text += hex[b & 15];
    }
    return text;
}

void CallbackRecorder::Callback(uint32_t code, uint32_t param, void* info, void* user)
{
    static_cast<CallbackRecorder*>(user)->Record(code, param, static_cast<const _TAG_DEC_INFO*>(info));
}

void CallbackRecorder::Record(uint32_t code, uint32_t param, const _TAG_DEC_INFO* info)
{
    CallbackEvent e;
    e.at = std::chrono::steady_clock::now();
    e.code = code;
    e.param = param;
    e.hasInfo = info != nullptr;
    if (info && code == PB_CB_VIDEO_FRAME) {
        e.channel = info->nChannel;
        e.time = info->dTime;
        e.width = info->nWidth;
        e.height = info->nHeight;
        e.pixelFormat = info->nPixelFormat;
        e.md5 = PictureMd5(*info);
    } else if (info && code == PB_CB_AUDIO_FRAME) {
        e.time = info->dTime;
        e.soundBytes = info->linesize[0];
        e.audioChannels = info->nAudioChannels;
        e.bitsPerSample = info->nBitsPerSample;
        e.sampleRate = info->nSampleRate;
    }
    std::lock_guard<std::mutex> lock(m_lock);
    if (info && code == PB_CB_AUDIO_FRAME)
        m_sound.insert(m_sound.end(), info->data[0], info->data[0] + info->linesize[0]);
    m_events.push_back(std::move(e));
    m_changed.notify_all();
}

std::vector<CallbackEvent> CallbackRecorder::Events() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_events;
}

size_t CallbackRecorder::Size() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_events.size();
}

size_t CallbackRecorder::Count(uint32_t code, size_t from) const
{
    std::lock_guard<std::mutex> lock(m_lock);
    size_t n = 0;
    for (size_t i = from; i < m_events.size(); ++i)
        n += m_events[i].code == code ? 1 : 0;
    return n;
}

std::vector<CallbackEvent> CallbackRecorder::Pictures(int channel, size_t from) const
{
    std::lock_guard<std::mutex> lock(m_lock);
    std::vector<CallbackEvent> pictures;
    for (size_t i = from; i < m_events.size(); ++i) {
        if (m_events[i].code == PB_CB_VIDEO_FRAME && m_events[i].channel == channel)
            pictures.push_back(m_events[i]);
    }
    return pictures;
}

std::vector<uint8_t> CallbackRecorder::Sound() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_sound;
}

bool CallbackRecorder::WaitFor(const std::function<bool(const std::vector<CallbackEvent>&)>& done,
                               double seconds) const
{
    std::unique_lock<std::mutex> lock(m_lock);
    return m_changed.wait_for(lock, std::chrono::duration<double>(seconds), [&] { return done(m_events); });
}

bool CallbackRecorder::WaitForCode(uint32_t code, double seconds, size_t from) const
{
    return WaitFor(
        [&](const std::vector<CallbackEvent>& events) {
            for (size_t i = from; i < events.size(); ++i) {
                if (events[i].code == code)
                    return true;
            }
            return false;
        },
        seconds);
}

size_t CallbackRecorder::WaitForCount(uint32_t code, size_t n, double seconds, size_t from) const
{
    size_t after = 0;
    WaitFor(
        [&](const std::vector<CallbackEvent>& events) {
            size_t seen = 0;
            for (size_t i = from; i < events.size(); ++i) {
                if (events[i].code == code && ++seen == n) {
                    after = i + 1;
                    return true;
                }
            }
            return false;
        },
        seconds);
    return after;
}
