#include "FFMpegPlayer.h"

#include <cwctype>
#include <system_error>

#include <kestrel/WideText.h>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

namespace playcore {

namespace {

constexpr int kVideoPoolSize = 10;
constexpr int kAudioPoolSize = 20;
constexpr int kPacketCountLimit = 20;
constexpr double kPacketSecondsLimit = 1.0;

}  // namespace

bool IsMp4Path(const std::wstring& path)
{
    if (path.size() < 4)
        return false;
    std::wstring tail = path.substr(path.size() - 4);
    for (wchar_t& c : tail)
        c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    return tail == L".mp4";
}

CFFMpegPlayer::~CFFMpegPlayer()
{
    StopThreads();
    CloseStreams();
    av_channel_layout_uninit(&m_audioLayout);
}

int CFFMpegPlayer::SetSource(int channel, CRecFileInfo* rec)
{
    m_nChannel = channel;
    if (!m_pSource)
        m_pSource = std::make_unique<Source>();
    m_pSource->rec = rec;
    m_pSource->path.clear();
    std::wstring path;
    if (rec && channel >= 0 && channel < static_cast<int>(rec->m_arrFilePath.size()))
        path = rec->m_arrFilePath[static_cast<size_t>(channel)];
    if (path.empty())
        return -1;
    m_bNotMp4 = IsMp4Path(path) ? 0 : 1;
    m_pSource->path = kestrel::ToUtf8(path);
    for (int& index : m_nStreamIndex)
        index = -1;
    return 0;
}

void CFFMpegPlayer::ReleaseSource()
{
    m_pSource.reset();
}

int CFFMpegPlayer::OpenStreams()
{
    if (!m_pSource || m_pSource->path.empty())
        return -1;
    m_pInput = avformat_alloc_context();
    if (!m_pInput || avformat_open_input(&m_pInput, m_pSource->path.c_str(), nullptr, nullptr) < 0) {
        // avformat_open_input frees the context on failure.
        CloseStreams();
        return -1;
    }
    av_format_inject_global_side_data(m_pInput);

    // The channel's own video stream: channel k plays the k-th video stream
    // of its file when there is one, else the file's best video stream.
    int wanted = -1;
    int videoCount = 0;
    for (unsigned i = 0; i < m_pInput->nb_streams; ++i) {
        if (m_pInput->streams[i]->codecpar->codec_type != AVMEDIA_TYPE_VIDEO)
            continue;
        if (videoCount++ == m_nChannel) {
            wanted = static_cast<int>(i);
            break;
        }
    }
    const int video = av_find_best_stream(m_pInput, AVMEDIA_TYPE_VIDEO, wanted, -1, nullptr, 0);
    if (video < 0) {
        CloseStreams();
        return -1;
    }
    const int audio = av_find_best_stream(m_pInput, AVMEDIA_TYPE_AUDIO, -1, video, nullptr, 0);
    m_nStreamIndex[kVideo] = video;
    m_nStreamIndex[kAudio] = audio >= 0 ? audio : -1;

    int audioState = kStreamAbsent;
    if (audio >= 0 && m_nChannel == 0) {
        if (OpenDecoder(audio, false) == 0) {
            m_audioFilter.Build(m_pAudioCodec, m_dVolume);
            audioState = kStreamReading;
        }
    }
    if (OpenDecoder(video, true) != 0) {
        CloseStreams();
        return -1;
    }
    CRecFileInfo* rec = m_pSource->rec;
    if (rec && rec->GetEndTime() == 0)
        rec->SetEndTime(rec->GetStartTime() + static_cast<int64_t>(GetDuration() * 1000.0));

    m_bReadEof = false;
    m_bVideoDone = false;
    m_bAudioDone = audioState == kStreamAbsent;
    m_nVideoState = kStreamReading;
    m_nAudioState = audioState;
    return 0;
}

int CFFMpegPlayer::OpenDecoder(int index, bool video)
{
    if (index < 0 || index >= static_cast<int>(m_pInput->nb_streams))
        return -1;
    AVStream* stream = m_pInput->streams[index];
    const AVCodec* codec = avcodec_find_decoder(stream->codecpar->codec_id);
    if (!codec)
        return -1;
    AVCodecContext* context = avcodec_alloc_context3(codec);
    if (!context)
        return -1;
    if (avcodec_parameters_to_context(context, stream->codecpar) < 0) {
        avcodec_free_context(&context);
        return -1;
    }
    context->pkt_timebase = stream->time_base;
    context->flags2 |= AV_CODEC_FLAG2_FAST;
    if (avcodec_open2(context, codec, nullptr) < 0) {
        avcodec_free_context(&context);
        return -1;
    }
    stream->discard = AVDISCARD_DEFAULT;
    const double timeBase = av_q2d(stream->time_base);
    if (video) {
        m_pVideoCodec = context;
        m_pVideoStream = stream;
        m_nVideoWidth = context->width;
        m_nVideoHeight = context->height;
        m_videoPackets.SetLimits(PacketQueue::ByDuration, kPacketCountLimit, kPacketSecondsLimit, timeBase);
        m_videoPackets.Flush();
        m_videoFrames.Create(kVideoPoolSize);
    } else {
        m_pAudioCodec = context;
        m_pAudioStream = stream;
        m_nAudioSampleRate = context->sample_rate;
        m_nAudioChannels = context->ch_layout.nb_channels;
        av_channel_layout_uninit(&m_audioLayout);
        av_channel_layout_copy(&m_audioLayout, &context->ch_layout);
        m_audioPackets.SetLimits(PacketQueue::ByDuration, kPacketCountLimit, kPacketSecondsLimit, timeBase);
        m_audioPackets.Flush();
        m_audioFrames.Create(kAudioPoolSize);
    }
    return 0;
}

void CFFMpegPlayer::CloseStreams()
{
    if (m_pInput) {
        for (int& index : m_nStreamIndex) {
            if (index < 0 || index >= static_cast<int>(m_pInput->nb_streams))
                continue;
            AVStream* stream = m_pInput->streams[index];
            stream->discard = AVDISCARD_ALL;
            if (stream == m_pVideoStream) {
                m_videoPackets.Flush();
                m_videoFrames.Free();
                m_pVideoStream = nullptr;
                avcodec_free_context(&m_pVideoCodec);
            } else if (stream == m_pAudioStream) {
                m_audioPackets.Flush();
                m_audioFrames.Free();
                m_pAudioStream = nullptr;
                avcodec_free_context(&m_pAudioCodec);
            }
            index = -1;
        }
    }
    m_audioFilter.Free();
    m_converter.Reset();
    av_frame_free(&m_pFrame);
    avformat_close_input(&m_pInput);
    m_nVideoState = kStreamAbsent;
    m_nAudioState = kStreamAbsent;
}

double CFFMpegPlayer::GetDuration()
{
    if (!m_pVideoStream)
        return 0.0;
    if (m_pVideoStream->duration != AV_NOPTS_VALUE)
        return static_cast<double>(m_pVideoStream->duration) * av_q2d(m_pVideoStream->time_base);
    // Some containers give only the file's duration.
    if (m_pInput && m_pInput->duration != AV_NOPTS_VALUE)
        return static_cast<double>(m_pInput->duration) / AV_TIME_BASE;
    return 0.0;
}

int CFFMpegPlayer::StartThreads()
{
    if (!m_pInput || m_readThread.joinable() || m_decodeThread.joinable())
        return -1;
    if (!m_pFrame && !(m_pFrame = av_frame_alloc()))
        return -1;
    m_bReadRun = 1;
    try {
        m_readThread = std::thread(&CFFMpegPlayer::ReaderThread, this);
    } catch (const std::system_error&) {
        m_bReadRun = 0;
        return -1;
    }
    m_bDecodeRun = 1;
    try {
        m_decodeThread = std::thread(&CFFMpegPlayer::DecoderThread, this);
    } catch (const std::system_error&) {
        m_bDecodeRun = 0;
        StopThreads();
        return -1;
    }
    return 0;
}

void CFFMpegPlayer::StopThreads()
{
    if (m_decodeThread.joinable()) {
        m_bDecodeRun = 0;
        m_decodeThread.join();
    }
    if (m_readThread.joinable()) {
        m_bReadRun = 0;
        m_readThread.join();
    }
}

void CFFMpegPlayer::Seek(double seconds)
{
    m_dSeekTarget = seconds;
    m_nDecodeSeekState = 3;
    m_nReadSeekState = 3;
}

int CFFMpegPlayer::GetDecodeSeekState()
{
    return m_nDecodeSeekState;
}

void CFFMpegPlayer::SetReadSeekState(int state)
{
    m_nReadSeekState = state;
}

void CFFMpegPlayer::SetVolume(double volume)
{
    m_dVolume = volume;
}

int CFFMpegPlayer::GetVideoState()
{
    const int state = m_nVideoState;
    if (state == kStreamAtEnd && !m_bVideoDone)
        return kStreamReading;  // read to the end, pictures still being decoded
    return state;
}

int CFFMpegPlayer::GetAudioState()
{
    const int state = m_nAudioState;
    if (state == kStreamAtEnd && !(m_bAudioDone && m_bVideoDone))
        return m_pAudioCodec ? kStreamReading : kStreamAbsent;
    return state;
}

}  // namespace playcore
