#include "PlayManager.h"

#include <algorithm>
#include <new>

#include "EngineThread.h"
#include "FFMpegPlayer.h"

using playcore::DecodedFrameQueue;
using playcore::IPlaybackCtrl;
using playcore::kStreamAtEnd;
using playcore::kStreamReading;
using playcore::PlayState;
using playcore::SeekPhase;
using std::chrono::milliseconds;

namespace {

constexpr double kNoStart = 86400.0;  // "no frame yet": later than any time of a day
constexpr milliseconds kPausedPass{60};
constexpr milliseconds kEndAnnounce{100};
// Longest sleep without a ring; every change the thread waits for rings it,
// so this only bounds the cost of a ring that was never sent.
constexpr milliseconds kIdleWait{200};
// Sound is handed out this long before it is due.
constexpr double kSoundLead = 0.1;

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
            channel->SetPresenterWakeup(&m_wakeup);
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
    m_playState = PlayState::Playing;
    return 0;
}

void CPlayManager::Stop()
{
    m_playState = PlayState::Stopped;
    if (m_thread.joinable()) {
        m_bRun = 0;
        m_wakeup.Ring();
        m_thread.join();
    }
    for (IPlaybackCtrl* channel : m_channels)
        channel->StopThreads();
}

void CPlayManager::Pause(int holdFrame)
{
    if (m_playState == PlayState::Stopped)
        return;
    m_nHoldFrame = holdFrame;
    m_playState = PlayState::Paused;
    m_wakeup.Ring();
}

void CPlayManager::Resume()
{
    if (m_playState == PlayState::Stopped)
        return;
    m_playState = PlayState::Playing;
    m_wakeup.Ring();
}

void CPlayManager::StepNext()
{
    m_nStepRequest = 1;
    m_wakeup.Ring();
}

void CPlayManager::SetPos(double seconds)
{
    if (m_nChannels == 0)
        return;
    SeekPhase idle = SeekPhase::Idle;
    if (!m_seekPhase.compare_exchange_strong(idle, SeekPhase::Requested))
        return;  // the previous seek is still in its phases
    for (IPlaybackCtrl* channel : m_channels)
        channel->Seek(seconds);
    m_wakeup.Ring();
}

void CPlayManager::SetPBSpeed(double factor)
{
    m_dSpeed = factor;
    m_wakeup.Ring();
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
    return static_cast<int>(m_playState.load());
}

void CPlayManager::PresentationThread()
{
    playcore::NameThisThread("PlayManager");
    m_bClockRunning = 0;
    m_nextPausedPass = TimePoint{};
    m_bHeld = false;
    while (m_bRun) {
        const uint64_t ticket = m_wakeup.Ticket();
        const NextPass next = Pass();
        if (next.end)
            break;
        const TimePoint now = std::chrono::steady_clock::now();
        if (next.at > now)
            m_wakeup.WaitUntil(ticket, std::min(next.at, now + kIdleWait));
    }
    Notify(PB_CB_AUDIO_STOP, nullptr);
}

CPlayManager::NextPass CPlayManager::Pass()
{
    if (!SeekPass())
        return OnRing();  // each channel rings when its decoder has flushed
    const TimePoint now = std::chrono::steady_clock::now();
    return m_bClockRunning ? RunningPass(now) : PreRollPass(now);
}

bool CPlayManager::SeekPass()
{
    SeekPhase phase = m_seekPhase;
    if (phase == SeekPhase::Requested) {
        m_bClockRunning = 0;
        Notify(PB_CB_AUDIO_STOP, nullptr);
        m_seekPhase = SeekPhase::Flush;
        phase = SeekPhase::Flush;
    }
    if (phase == SeekPhase::Flush) {
        for (IPlaybackCtrl* channel : m_channels) {
            if (channel->GetDecodeSeekState() != SeekPhase::Refill)
                return false;
        }
        for (IPlaybackCtrl* channel : m_channels)
            channel->SetReadSeekState(SeekPhase::Refill);
        m_seekPhase = SeekPhase::Refill;
    }
    return true;
}

CPlayManager::NextPass CPlayManager::PreRollPass(TimePoint now)
{
    double start = kNoStart;
    bool ready = true;
    int active = 0;
    bool busy = false;
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
            if (channel->VideoFrames().PeekTime(&t)) {
                ++active;
                start = std::min(start, t);
            } else if (videoState == kStreamReading) {
                ++active;
                ready = false;
            }
            // At its end without a picture: the channel has ended and does
            // not hold the others back.
        }
        busy = busy || channel->GetDecodeSeekState() != SeekPhase::Idle;
    }

    bool pending = false;
    for (IPlaybackCtrl* channel : m_channels) {
        if (channel->AudioFrames().Count() > 0 || channel->GetAudioState() != kStreamAtEnd ||
            (channel->VideoFrames().Count() > 0 && channel->GetVideoState() == kStreamAtEnd))
            pending = true;
    }
    if (!pending) {
        Notify(PB_CB_END, nullptr);
        return End();
    }
    if (first->VideoFrames().Count() > 0 || first->GetVideoState() != kStreamAtEnd) {
        if (ready && active > 0 && !busy && start >= 0.0) {
            m_bClockRunning = 1;
            m_clock.Start(start, now);
            return AtOnce();
        }
        return OnRing();  // a queued frame, a stream's end or a finished seek rings
    }
    Notify(PB_CB_END, nullptr);
    return At(now + kEndAnnounce);
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

CPlayManager::NextPass CPlayManager::RunningPass(TimePoint now)
{
    SeekPhase refill = SeekPhase::Refill;
    m_seekPhase.compare_exchange_strong(refill, SeekPhase::Idle);  // a seek is complete
    const double speed = m_dSpeed;
    if (playcore::IsPaused(m_playState.load())) {
        m_clock.Hold(now);
        m_bHeld = true;
        if (m_nStepRequest.exchange(0))
            return StepPass(now);
        return PausedPass(now);
    }
    if (m_bHeld) {
        // The paused time since the last paused pass does not count either.
        m_clock.Hold(now);
        m_bHeld = false;
    }
    m_clock.Advance(now, speed);
    const double clock = m_clock.Seconds();

    DecodedFrameQueue& audio = m_channels[0]->AudioFrames();
    _TAG_DEC_INFO* sound = audio.Peek();
    if (sound && sound->dTime < clock + kSoundLead) {
        if (speed == 1.0) {
            for (int i = 0; i < 4 && sound; ++i) {
                Notify(PB_CB_AUDIO_FRAME, sound);
                audio.Remove(sound);
                sound = audio.Peek();
            }
        } else {
            Notify(PB_CB_AUDIO_STOP, nullptr);
            if (sound->dTime < clock)
                audio.Remove(sound);
        }
    }
    for (IPlaybackCtrl* channel : m_channels) {
        DecodedFrameQueue& video = channel->VideoFrames();
        _TAG_DEC_INFO* picture = video.Peek();
        if (picture && picture->dTime <= clock) {
            Notify(PB_CB_VIDEO_FRAME, picture);
            video.Remove(picture);
        }
    }
    if (!AnythingPending()) {
        Notify(PB_CB_END, nullptr);
        return End();
    }
    return NextDue(speed);
}

CPlayManager::NextPass CPlayManager::NextDue(double speed)
{
    const double clock = m_clock.Seconds();
    double due = kNoStart;
    bool queued = false;
    double t = 0.0;
    for (IPlaybackCtrl* channel : m_channels) {
        if (channel->VideoFrames().PeekTime(&t)) {
            queued = true;
            due = std::min(due, t);
        }
    }
    if (m_channels[0]->AudioFrames().PeekTime(&t)) {
        queued = true;
        // Away from speed 1.0 a buffer inside the lead is only dropped once late.
        const double handOut = t - kSoundLead;
        due = std::min(due, speed == 1.0 || handOut > clock ? handOut : t);
    }
    if (!queued)
        return OnRing();  // the decoders ring when they queue a frame
    if (due <= clock)
        return AtOnce();
    return At(m_clock.When(due, speed));
}

CPlayManager::NextPass CPlayManager::StepPass(TimePoint now)
{
    const bool hold = m_nHoldFrame != 0;
    double clock = m_clock.Seconds();
    for (IPlaybackCtrl* channel : m_channels) {
        DecodedFrameQueue& video = channel->VideoFrames();
        video.RemoveOldest();  // the picture on screen
        _TAG_DEC_INFO* next = video.Peek();
        if (next && !hold) {
            clock = std::max(clock, next->dTime);
            Notify(PB_CB_VIDEO_FRAME, next);
        }
    }
    m_clock.MoveTo(clock);
    const bool pending = AnythingPending();
    DecodedFrameQueue& audio = m_channels[0]->AudioFrames();
    for (_TAG_DEC_INFO* sound = audio.Peek(); sound && sound->dTime <= clock; sound = audio.Peek())
        audio.Remove(sound);
    if (!pending) {
        Notify(PB_CB_END, nullptr);
        return End();
    }
    Notify(PB_CB_AUDIO_STOP, nullptr);
    m_nextPausedPass = now + kPausedPass;
    return At(m_nextPausedPass);
}

CPlayManager::NextPass CPlayManager::PausedPass(TimePoint now)
{
    // Rings while paused (a frame queued behind the held one) do not make
    // the 60 ms passes come more often.
    if (now < m_nextPausedPass)
        return At(m_nextPausedPass);
    if (m_nHoldFrame == 0) {
        for (IPlaybackCtrl* channel : m_channels) {
            if (_TAG_DEC_INFO* picture = channel->VideoFrames().Peek())
                Notify(PB_CB_VIDEO_FRAME, picture);
        }
    }
    Notify(PB_CB_AUDIO_STOP, nullptr);
    m_nextPausedPass = now + kPausedPass;
    return At(m_nextPausedPass);
}
