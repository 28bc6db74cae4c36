// Sound output: 16-bit mono PCM buffers pushed in presentation order to the
// default audio device (a null output when there is none). With the
// environment variable KESTREL_SOUND_CAPTURE=<file.wav> every buffer, after
// volume and mute, is also written to that WAV file.
//
// Threading: PlayBuffer, Reset and Stop may be called from the playback
// engine's thread; they never wait on the UI thread.
#pragma once

#include <cstdint>

#include "vidout/VidoutApi.h"

class QWidget;

class VIDOUT_API ISound {
public:
    static ISound* Create();
    virtual ~ISound() = default;

    // Opens the output (and the capture file). Returns 0, -1 on a second call.
    virtual int Initialise(QWidget* owner) = 0;
    // Stops the output and finishes the capture file; later buffers are
    // ignored.
    virtual void Close() = 0;
    // One buffer: `bytes` of 16-bit samples at `sampleRate`. Only 1 channel
    // and 16 bits are accepted (returns -1 otherwise); 0 on success.
    virtual int PlayBuffer(const uint8_t* data, int bytes, int channels, int bitsPerSample, int sampleRate) = 0;
    // Drops the sound waiting to be played; the next buffer starts afresh.
    virtual void Reset() = 0;
    // Output falls silent at once (queued sound is dropped).
    virtual void Stop() = 0;
    // 0..100 (clamped); applied to the samples.
    virtual void SetVolume(int volume) = 0;
    virtual void SetMute(int mute) = 0;
};
