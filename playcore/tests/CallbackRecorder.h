// Records every playback callback with a copy of what it carried, so tests
// can check the sequence after (or while) the engine plays.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include <kestrel/KestrelTypes.h>

struct CallbackEvent {
    std::chrono::steady_clock::time_point at;  // when the callback ran
    uint32_t code = 0;
    uint32_t param = 0;
    bool hasInfo = false;
    // Pictures.
    int channel = -1;
    double time = 0.0;
    std::string md5;  // over the Y, U and V rows without padding
    int width = 0;
    int height = 0;
    int pixelFormat = -1;
    // Sound.
    int soundBytes = 0;
    int audioChannels = 0;
    int bitsPerSample = 0;
    int sampleRate = 0;
};

class CallbackRecorder {
public:
    static void Callback(uint32_t code, uint32_t param, void* info, void* user);

    std::vector<CallbackEvent> Events() const;
    size_t Size() const;
    size_t Count(uint32_t code, size_t from = 0) const;
    // Pictures of one channel from event index `from` on.
    std::vector<CallbackEvent> Pictures(int channel, size_t from = 0) const;
    std::vector<uint8_t> Sound() const;
    // Waits until `done(events)` holds; false on time-out.
    bool WaitFor(const std::function<bool(const std::vector<CallbackEvent>&)>& done, double seconds) const;
    bool WaitForCode(uint32_t code, double seconds, size_t from = 0) const;
    // Waits for `n` events with `code` from event index `from` on; returns
    // the index just after the n-th, or 0 on time-out.
    size_t WaitForCount(uint32_t code, size_t n, double seconds, size_t from = 0) const;

private:
    void Record(uint32_t code, uint32_t param, const _TAG_DEC_INFO* info);

    mutable std::mutex m_lock;
    mutable std::condition_variable m_changed;
    std::vector<CallbackEvent> m_events;
    std::vector<uint8_t> m_sound;
};

// MD5 (hex) of a planar YUV 4:2:0 picture's rows, without line padding.
std::string PictureMd5(const _TAG_DEC_INFO& picture);
