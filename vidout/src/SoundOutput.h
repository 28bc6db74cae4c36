// The sound object behind ISound: applies volume and mute to each buffer,
// writes it to the capture file when one is asked for, and queues it to the
// pump thread that feeds the audio device (nothing when there is none).
#pragma once

#include <memory>
#include <mutex>

#include <QThread>

class SoundPump;
#include "WavWriter.h"
#include "vidout/ISound.h"

class SoundOutput final : public ISound {
public:
    SoundOutput() = default;
    ~SoundOutput() override;

    int Initialise(QWidget* owner) override;
    void Close() override;
    int PlayBuffer(const uint8_t* data, int bytes, int channels, int bitsPerSample, int sampleRate) override;
    void Reset() override;
    void Stop() override;
    void SetVolume(int volume) override;
    void SetMute(int mute) override;

    // True when sound reaches an audio device (false: the null output).
    bool HasDevice() const { return m_pump != nullptr; }

private:
    void DropQueued();

    std::mutex m_lock;  // guards everything below
    bool m_initialised = false;
    bool m_closed = false;
    int m_volume = 100;
    bool m_mute = false;
    WavWriter m_capture;
    QThread m_thread;
    SoundPump* m_pump = nullptr;  // lives on m_thread
};
