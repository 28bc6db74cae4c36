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

CFFMpegPlayer::CFFMpegPlayer()
    : m_video(m_videoPackets, m_videoFrames, [this](AVFrame* frame, double seconds) { StorePicture(frame, seconds); }),
      m_audio(m_audioPackets, m_audioFrames, [this](AVFrame* frame, double seconds) { StoreSound(frame, seconds); })
{
    m_videoPackets.SetWakeups(&m_decoderWakeup, &m_readerWakeup);
    m_audioPackets.SetWakeups(&m_decoderWakeup, &m_readerWakeup);
    m_videoFrames.SetProducer(&m_decoderWakeup);
    m_audioFrames.SetProducer(&m_decoderWakeup);
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
            m_audioFilter.Build(m_audio.Codec(), m_dVolume);
            audioState = kStreamReading;
        }
    }
    if (OpenDecoder(video, true) != 0) {
        CloseStreams();
        return -1;
    }
    DiscardStreamsNotPlayed();
    CRecFileInfo* rec = m_pSource->rec;
    if (rec && rec->GetEndTime() == 0)
        rec->SetEndTime(rec->GetStartTime() + static_cast<int64_t>(GetDuration() * 1000.0));

    m_bReadEof = false;
    m_nVideoState = kStreamReading;
    m_nAudioState = audioState;
    return 0;
}

int CFFMpegPlayer::OpenDecoder(int index, bool video)
{
    if (index < 0 || index >= static_cast<int>(m_pInput->nb_streams))
        return -1;
    AVStream* stream = m_pInput->streams[index];
    StreamDecoder& decoder = video ? m_video : m_audio;
    if (!decoder.Open(stream))
        return -1;
    const double timeBase = av_q2d(stream->time_base);
    PacketQueue& packets = video ? m_videoPackets : m_audioPackets;
    packets.SetLimits(PacketQueue::ByDuration, kPacketCountLimit, kPacketSecondsLimit, timeBase);
    packets.Flush();
    if (video) {
        m_nVideoWidth = decoder.Codec()->width;
        m_nVideoHeight = decoder.Codec()->height;
        m_videoFrames.Create(kVideoPoolSize);
    } else {
        m_nAudioSampleRate = decoder.Codec()->sample_rate;
        m_nAudioChannels = decoder.Codec()->ch_layout.nb_channels;
        av_channel_layout_uninit(&m_audioLayout);
        av_channel_layout_copy(&m_audioLayout, &decoder.Codec()->ch_layout);
        m_audioFrames.Create(kAudioPoolSize);
    }
    return 0;
}

void CFFMpegPlayer::DiscardStreamsNotPlayed()
{
    for (unsigned i = 0; i < m_pInput->nb_streams; ++i) {
        AVStream* stream = m_pInput->streams[i];
        const bool played = stream == m_video.Stream() || stream == m_audio.Stream();
        stream->discard = played ? AVDISCARD_DEFAULT : AVDISCARD_ALL;
    }
}

bool CFFMpegPlayer::ReadsStream(int index) const
{
    return m_pInput && index >= 0 && index < static_cast<int>(m_pInput->nb_streams) &&
           m_pInput->streams[index]->discard != AVDISCARD_ALL;
}

void CFFMpegPlayer::CloseStreams()
{
    if (m_video.IsOpen()) {
        m_videoPackets.Flush();
        m_videoFrames.Free();
        m_video.Close();
    }
    if (m_audio.IsOpen()) {
        m_audioPackets.Flush();
        m_audioFrames.Free();
        m_audio.Close();
    }
    for (int& index : m_nStreamIndex)
        index = -1;
    m_audioFilter.Free();
    m_converter.Reset();
    avformat_close_input(&m_pInput);
    m_nVideoState = kStreamAbsent;
    m_nAudioState = kStreamAbsent;
}

double CFFMpegPlayer::GetDuration()
{
    const AVStream* stream = m_video.Stream();
    if (!stream)
        return 0.0;
    if (stream->duration != AV_NOPTS_VALUE)
        return static_cast<double>(stream->duration) * av_q2d(stream->time_base);
    // Some containers give only the file's duration.
    if (m_pInput && m_pInput->duration != AV_NOPTS_VALUE)
        return static_cast<double>(m_pInput->duration) / AV_TIME_BASE;
    return 0.0;
}

int CFFMpegPlayer::StartThreads()
{
    if (!m_pInput || m_readThread.joinable() || m_decodeThread.joinable())
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
        m_decoderWakeup.Ring();
        m_decodeThread.join();
    }
    if (m_readThread.joinable()) {
        m_bReadRun = 0;
        m_readerWakeup.Ring();
        m_readThread.join();
    }
}

void CFFMpegPlayer::Seek(double seconds)
{
    m_dSeekTarget = seconds;
    m_decodeSeek = SeekPhase::Requested;
    m_readSeek = SeekPhase::Requested;
    m_decoderWakeup.Ring();
    m_readerWakeup.Ring();
}

SeekPhase CFFMpegPlayer::GetDecodeSeekState()
{
    return m_decodeSeek;
}

void CFFMpegPlayer::SetReadSeekState(SeekPhase state)
{
    m_readSeek = state;
    m_readerWakeup.Ring();
}

void CFFMpegPlayer::SetVolume(double volume)
{
    m_dVolume = volume;
}

int CFFMpegPlayer::GetVideoState()
{
    const int state = m_nVideoState;
    if (state == kStreamAtEnd && !m_video.Done())
        return kStreamReading;  // read to the end, pictures still being decoded
    return state;
}

int CFFMpegPlayer::GetAudioState()
{
    const int state = m_nAudioState;
    if (state == kStreamAtEnd && !(m_audio.Done() && m_video.Done()))
        return m_audio.IsOpen() ? kStreamReading : kStreamAbsent;
    return state;
}

}  // namespace playcore
