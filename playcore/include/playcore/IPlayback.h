// The playback engine's one exported class. The viewer obtains a player with
// IPlayback::Create() and drives it through the virtual operations below; the
// engine answers through the playback callback (PB_CB_* codes).
#pragma once

#include <mutex>

#include <kestrel/KestrelTypes.h>

#define PLAYCORE_API __attribute__((visibility("default")))

namespace playcore {

// What GetPlayState reports. Pausing sets the paused bit on top of Playing,
// so a paused player reports 0x81; GetPlayState stays an int for callers that
// keep the number, and IsPaused tests the bit.
enum class PlayState : int {
    Stopped = 0,
    Playing = 1,
    Paused = 0x81,
};
inline constexpr int kPausedBit = 0x80;

constexpr bool IsPaused(int playState) { return (playState & kPausedBit) != 0; }
constexpr bool IsPaused(PlayState state) { return IsPaused(static_cast<int>(state)); }

}  // namespace playcore

class PLAYCORE_API IPlayback {
public:
    IPlayback() = default;
    IPlayback(const IPlayback& other);
    IPlayback& operator=(const IPlayback& other);

    // A new player (a CPlayManager); null when it cannot be allocated.
    static IPlayback* Create();

    virtual int OpenFile(CRecFileInfo* rec);
    virtual void CloseFile();
    virtual int GetStreamInfo(int channel, _TAG_STREAM_INFO* info);
    virtual int Start();
    virtual void Stop();
    virtual void Pause(int holdFrame);
    virtual void Resume();
    virtual void StepNext();
    virtual void SetPos(double seconds);
    virtual void SetPBSpeed(double factor);
    virtual _TAG_DEC_INFO* GetLastVideo(int channel);
    virtual void SetAudioLevel(double level);
    // A playcore::PlayState value as an int (0, 1 or 0x81).
    virtual int GetPlayState();
    virtual void SetCallback(PlaybackCallback callback, void* user);
    virtual ~IPlayback() = default;

protected:
    // Calls the callback, if one is set, with parameter 0. The callback and
    // its user pointer are read together under a lock because the caller may
    // replace them while the presentation thread notifies.
    void Notify(uint32_t code, void* info);

    PlaybackCallback m_pCallback = nullptr;
    void* m_pUser = nullptr;

private:
    mutable std::mutex m_callbackLock;
};
