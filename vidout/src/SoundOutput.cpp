#include "SoundOutput.h"
#include "SoundPump.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include <QByteArray>
#include <QCoreApplication>
#include <QMediaDevices>

namespace {

// Scales 16-bit samples in place by volume/100 (0 when muted).
void ApplyLevel(QByteArray& pcm, int volume, bool mute)
{
    auto* samples = reinterpret_cast<int16_t*>(pcm.data());
    const qsizetype count = pcm.size() / 2;
    if (mute || volume <= 0) {
        std::fill_n(samples, count, int16_t(0));
        return;
    }
    if (volume >= 100)
        return;
    for (qsizetype i = 0; i < count; ++i)
        samples[i] = int16_t(int(samples[i]) * volume / 100);
}

}  // namespace

SoundOutput::~SoundOutput()
{
    Close();
}

int SoundOutput::Initialise(QWidget*)
{
    std::lock_guard<std::mutex> lock(m_lock);
    if (m_initialised)
        return -1;
    m_initialised = true;
    if (const char* path = std::getenv("KESTREL_SOUND_CAPTURE"); path && *path)
        m_capture.Open(path);
    // Without an application object or a device, sound goes nowhere.
    if (!QCoreApplication::instance())
        return 0;
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull())
        return 0;
    m_thread.setObjectName("SoundOutput");
    m_pump = new SoundPump(device);
    m_pump->moveToThread(&m_thread);
    m_thread.start();
    return 0;
}

void SoundOutput::Close()
{
    std::lock_guard<std::mutex> lock(m_lock);
    if (m_closed)
        return;
    m_closed = true;
    if (m_pump) {
        SoundPump* pump = m_pump;
        QMetaObject::invokeMethod(pump, "Shutdown", Qt::BlockingQueuedConnection);
        m_thread.quit();
        m_thread.wait();
        delete m_pump;
        m_pump = nullptr;
    }
    m_capture.Close();
}

int SoundOutput::PlayBuffer(const uint8_t* data, int bytes, int channels, int bitsPerSample, int sampleRate)
{
    if (!data || bytes <= 0 || channels != 1 || bitsPerSample != 16 || sampleRate <= 0)
        return -1;
    QByteArray pcm(reinterpret_cast<const char*>(data), bytes & ~1);
    std::lock_guard<std::mutex> lock(m_lock);
    if (!m_initialised || m_closed)
        return -1;
    ApplyLevel(pcm, m_volume, m_mute);
    if (m_capture.IsOpen())
        m_capture.Write(reinterpret_cast<const uint8_t*>(pcm.constData()), size_t(pcm.size()), sampleRate, 1);
    if (m_pump) {
        SoundPump* pump = m_pump;
        // Calls by name: Qt copies the arguments into its own call record,
        // so only that record crosses to the pump's thread.
        QMetaObject::invokeMethod(pump, "Push", Qt::QueuedConnection, Q_ARG(QByteArray, pcm),
                                  Q_ARG(int, sampleRate));
    }
    return 0;
}

void SoundOutput::DropQueued()
{
    if (m_pump) {
        SoundPump* pump = m_pump;
        QMetaObject::invokeMethod(pump, "Drop", Qt::QueuedConnection);
    }
}

void SoundOutput::Reset()
{
    std::lock_guard<std::mutex> lock(m_lock);
    DropQueued();
}

void SoundOutput::Stop()
{
    std::lock_guard<std::mutex> lock(m_lock);
    DropQueued();
}

void SoundOutput::SetVolume(int volume)
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_volume = std::clamp(volume, 0, 100);
}

void SoundOutput::SetMute(int mute)
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_mute = mute != 0;
}
