// The per-channel controller behind the play manager: it binds to one
// channel of a recording, reads and decodes it on its own threads and fills
// the channel's two decoded-frame queues.
#pragma once

#include <kestrel/KestrelTypes.h>

#include "DecodedFrameQueue.h"
#include "SeekPhase.h"
#include "Wakeup.h"

namespace playcore {

// Stream states as the presentation thread sees them.
enum StreamState { kStreamAbsent = -1, kStreamReading = 0, kStreamAtEnd = 1 };

class IPlaybackCtrl {
public:
    IPlaybackCtrl() = default;
    IPlaybackCtrl(const IPlaybackCtrl&) = delete;
    IPlaybackCtrl& operator=(const IPlaybackCtrl&) = delete;

    virtual int SetSource(int channel, CRecFileInfo* rec);
    virtual void ReleaseSource();
    virtual int OpenStreams();
    virtual void CloseStreams();
    virtual double GetDuration();
    virtual int StartThreads();
    virtual void StopThreads();
    virtual void Seek(double seconds);
    virtual SeekPhase GetDecodeSeekState();
    virtual void SetReadSeekState(SeekPhase state);
    virtual void SetVolume(double volume);
    virtual ~IPlaybackCtrl() = default;

    // At end only once every picture (or sound buffer) of the stream has been
    // decoded and queued, so an empty queue at that state means nothing more
    // will come.
    virtual int GetVideoState();
    virtual int GetAudioState();

    DecodedFrameQueue& VideoFrames() { return m_videoFrames; }
    DecodedFrameQueue& AudioFrames() { return m_audioFrames; }

    // The presentation thread's wakeup: rung when a frame is queued, when a
    // stream reaches its end and at the channel's seek steps. Set before the
    // threads start.
    void SetPresenterWakeup(Wakeup* presenter)
    {
        m_pPresenter = presenter;
        m_videoFrames.SetConsumer(presenter);
        m_audioFrames.SetConsumer(presenter);
    }

protected:
    Wakeup* m_pPresenter = nullptr;
    DecodedFrameQueue m_videoFrames{0};
    DecodedFrameQueue m_audioFrames{1};
};

}  // namespace playcore
