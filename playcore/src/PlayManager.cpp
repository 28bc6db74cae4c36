#include "PlayManager.h"

#include <algorithm>
#include <new>

#include "EngineThread.h"
#include "FFMpegPlayer.h"

using playcore::DecodedFrameQueue;
using playcore::IPlaybackCtrl;
using playcore::kStreamAtEnd;
using playcore::kStreamReading;

namespace {

constexpr double kNoStart = 86400.0;  // "no frame yet": later than any time of a day
constexpr int kPausedPassMs = 60;
constexpr int kEndAnnounceMs = 100;

}  // namespace

CPlayManager::~CPlayManager()
{
    Stop();
    CloseFile();
}

int CPlayManager::OpenFile(CRecFileInfo* rec)
{
    if (m_nChannels > 0)
        return -2;
    if (!rec || rec->m_arrFilePath.empty())
        return -1;
    const int count = static_cast<int>(rec->m_arrFilePath.size());
    m_channels.assign(static_cast<size_t>(count), nullptr);
    m_nChannels = count;
    m_pRec = rec;
    for (int i = 0; i < count; ++i) {
        auto* channel = new (std::nothrow) playcore::CFFMpegPlayer();
        m_channels[static_cast<size_t>(i)] = channel;
        if (channel) {
            channel->SetSource(i, rec);
            channel->SetVolume(m_dAudioLevel);
        }
        if (!channel || channel->OpenStreams() != 0) {
            Notify(PB_CB_OPEN_FAILED, nullptr);
            CloseFile();
            return -1;
        }
    }
    return 0;
}

void CPlayManager::CloseFile()
{
    // Closing under running threads would free what they read; stop them.
    if (m_thread.joinable())
        Stop();
    for (IPlaybackCtrl* channel : m_channels) {
        if (!channel)
            continue;
        channel->StopThreads();
        channel->CloseStreams();
        channel->ReleaseSource();
        delete channel;
    }
    m_channels.clear();
    m_nChannels = 0;
    m_pRec = nullptr;
}

int CPlayManager::GetStreamInfo(int channel, _TAG_STREAM_INFO* info)
{
    if (m_nChannels == 0 || channel < 0 || channel >= m_nChannels || !info)
        return -1;
    info->dDuration = m_channels[static_cast<size_t>(channel)]->GetDuration();
    return 0;
}

int CPlayManager::Start()
{
    if (m_nChannels == 0)
        return -1;
    // A second Start without Stop would start a second set of threads.
    if (m_thread.joinable())
        return -1;
    for (IPlaybackCtrl* channel : m_channels) {
        if (channel->StartThreads() != 0) {
            for (IPlaybackCtrl* c : m_channels)
                c->StopThreads();
            return -1;
        }
    }
    m_bRun = 1;
    try {
        m_thread = std::thread(&CPlayManager::PresentationThread, this);
    } catch (...) {
        m_bRun = 0;
        for (IPlaybackCtrl* c : m_channels)
            c->StopThreads();
        return -1;
    }
    m_nPlayState = 1;
    return 0;
}

void CPlayManager::Stop()
{
    m_nPlayState = 0;
    if (m_thread.joinable()) {
        m_bRun = 0;
        m_thread.join();
    }
    for (IPlaybackCtrl* channel : m_channels)
        channel->StopThreads();
}

void CPlayManager::Pause(int holdFrame)
{
    if (m_nPlayState == 0)
        return;
    m_nHoldFrame = holdFrame;
    m_nPlayState |= 0x80;
}

void CPlayManager::Resume()
{
    if (m_nPlayState == 0)
        return;
    m_nPlayState &= ~0x80;
}

void CPlayManager::StepNext()
{
    m_nStepRequest = 1;
}

void CPlayManager::SetPos(double seconds)
{
    if (m_nChannels == 0)
        return;
    int idle = 0;
    if (!m_nSeekPhase.compare_exchange_strong(idle, 3))
        return;  // the previous seek is still in its phases
    for (IPlaybackCtrl* channel : m_channels)
        channel->Seek(seconds);
}

void CPlayManager::SetPBSpeed(double factor)
{
    m_dSpeed = factor;
}

_TAG_DEC_INFO* CPlayManager::GetLastVideo(int channel)
{
    if (channel < 0 || channel >= m_nChannels)
        return nullptr;
    return m_channels[static_cast<size_t>(channel)]->VideoFrames().Peek();
}

void CPlayManager::SetAudioLevel(double level)
{
    m_dAudioLevel = level;
}

int CPlayManager::GetPlayState()
{
    return m_nPlayState;
}

void CPlayManager::PresentationThread()
{
    playcore::NameThisThread("PlayManager");
    uint64_t reference = playcore::TickMs();
    m_bClockRunning = 0;
    double clock = 0.0;
    while (m_bRun) {
        if (!SeekPass())
            continue;
        const bool keep = m_bClockRunning ? RunningPass(&clock, &reference) : PreRollPass(&clock);
        if (!keep)
            break;
    }
    Notify(PB_CB_AUDIO_STOP, nullptr);
}

bool CPlayManager::SeekPass()
{
    int phase = m_nSeekPhase;
    if (phase == 3) {
        m_bClockRunning = 0;
        Notify(PB_CB_AUDIO_STOP, nullptr);
        m_nSeekPhase = 2;
        phase = 2;
    }
    if (phase == 2) {
        for (IPlaybackCtrl* channel : m_channels) {
            if (channel->GetDecodeSeekState() != 1) {
                playcore::SleepMs(1);
                return false;
            }
        }
        for (IPlaybackCtrl* channel : m_channels)
            channel->SetReadSeekState(1);
        m_nSeekPhase = 1;
    }
    return true;
}

bool CPlayManager::PreRollPass(double* clock)
{
    double start = kNoStart;
    bool ready = true;
    int active = 0;
    int busy = 0;
    double t = 0.0;
    IPlaybackCtrl* first = m_channels[0];
    DecodedFrameQueue& firstAudio = first->AudioFrames();
    const int audioState = first->GetAudioState();
    if (audioState == kStreamAtEnd) {
        if (firstAudio.Count() >= firstAudio.PoolSize() && firstAudio.PeekTime(&t))
            start = std::min(t, kNoStart);
    } else if (audioState == kStreamReading) {
        active = 1;
        if (firstAudio.Count() > 2 && firstAudio.PeekTime(&t))
            start = std::min(t, kNoStart);
        else
            ready = false;
    }
    if (m_dSpeed != 1.0)
        start = kNoStart;  // sound is not played at other speeds
    for (IPlaybackCtrl* channel : m_channels) {
        const int videoState = channel->GetVideoState();
        if (videoState == kStreamReading || videoState == kStreamAtEnd) {
            ++active;
            if (channel->VideoFrames().PeekTime(&t))
                start = std::min(start, t);
            else
                ready = false;
        }
        busy += channel->GetDecodeSeekState();
    }

    bool pending = false;
    for (IPlaybackCtrl* channel : m_channels) {
        if (channel->AudioFrames().Count() > 0 || channel->GetAudioState() != kStreamAtEnd ||
            (channel->VideoFrames().Count() > 0 && channel->GetVideoState() == kStreamAtEnd))
            pending = true;
    }
    if (!pending) {
        Notify(PB_CB_END, nullptr);
        return false;
    }
    if (first->VideoFrames().Count() > 0 || first->GetVideoState() != kStreamAtEnd) {
        if (ready && active > 0 && busy == 0 && start >= 0.0) {
            m_bClockRunning = 1;
            *clock = start;
        }
        playcore::SleepMs(1);
    } else {
        Notify(PB_CB_END, nullptr);
        playcore::SleepMs(kEndAnnounceMs);
    }
    return true;
}

bool CPlayManager::AnythingPending()
{
    IPlaybackCtrl* first = m_channels[0];
    if (first->AudioFrames().Count() > 0 || first->GetAudioState() != kStreamAtEnd)
        return true;
    for (IPlaybackCtrl* channel : m_channels) {
        if (channel->VideoFrames().Count() > 0 || channel->GetVideoState() != kStreamAtEnd)
            return true;
    }
    return false;
}

bool CPlayManager::RunningPass(double* clock, uint64_t* reference)
{
    int phase = 1;
    m_nSeekPhase.compare_exchange_strong(phase, 0);  // a seek is complete
    const double speed = m_dSpeed;
    const uint64_t now = playcore::TickMs();
    const double elapsed = static_cast<double>(now - *reference) / 1000.0 * speed;
    *reference = now;

    if (m_nPlayState & 0x80) {
        if (m_nStepRequest.exchange(0))
            return StepPass(clock);
        PausedPass();
        return true;
    }

    DecodedFrameQueue& audio = m_channels[0]->AudioFrames();
    _TAG_DEC_INFO* sound = audio.Peek();
    if (sound && sound->dTime < *clock + 0.1) {
        if (speed == 1.0) {
            for (int i = 0; i < 4 && sound; ++i) {
                Notify(PB_CB_AUDIO_FRAME, sound);
                audio.Remove(sound);
                sound = audio.Peek();
            }
        } else {
            Notify(PB_CB_AUDIO_STOP, nullptr);
            if (sound->dTime < *clock)
                audio.Remove(sound);
        }
    }
    for (IPlaybackCtrl* channel : m_channels) {
        DecodedFrameQueue& video = channel->VideoFrames();
        _TAG_DEC_INFO* picture = video.Peek();
        if (picture && picture->dTime <= *clock) {
            Notify(PB_CB_VIDEO_FRAME, picture);
            video.Remove(picture);
        }
    }
    *clock += elapsed;
    if (!AnythingPending()) {
        Notify(PB_CB_END, nullptr);
        return false;
    }
    playcore::SleepMs(1);
    return true;
}

bool CPlayManager::StepPass(double* clock)
{
    const bool hold = m_nHoldFrame != 0;
    for (IPlaybackCtrl* channel : m_channels) {
        DecodedFrameQueue& video = channel->VideoFrames();
        video.RemoveOldest();  // the picture on screen
        _TAG_DEC_INFO* next = video.Peek();
        if (next && !hold) {
            *clock = std::max(*clock, next->dTime);
            Notify(PB_CB_VIDEO_FRAME, next);
        }
    }
    const bool pending = AnythingPending();
    DecodedFrameQueue& audio = m_channels[0]->AudioFrames();
    for (_TAG_DEC_INFO* sound = audio.Peek(); sound && sound->dTime <= *clock; sound = audio.Peek())
        audio.Remove(sound);
    if (!pending) {
        Notify(PB_CB_END, nullptr);
        return false;
    }
    Notify(PB_CB_AUDIO_STOP, nullptr);
    playcore::SleepMs(kPausedPassMs);
    return true;
}

void CPlayManager::PausedPass()
{
    if (m_nHoldFrame == 0) {
        for (IPlaybackCtrl* channel : m_channels) {
            if (_TAG_DEC_INFO* picture = channel->VideoFrames().Peek())
                Notify(PB_CB_VIDEO_FRAME, picture);
        }
    }
    Notify(PB_CB_AUDIO_STOP, nullptr);
    playcore::SleepMs(kPausedPassMs);
}
