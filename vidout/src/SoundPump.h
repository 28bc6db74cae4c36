// Feeds sound to a QAudioSink in push mode. Lives on its own thread so the
// device is fed regardless of what the UI thread does; the sink is made
// again when the sample rate changes.
#pragma once

#include <QAudioDevice>
#include <QByteArray>
#include <QObject>

class QAudioSink;
class QIODevice;
class QTimer;

class SoundPump : public QObject {
    Q_OBJECT
public:
    explicit SoundPump(const QAudioDevice& device);
    ~SoundPump() override;

    // Called on the pump's thread (queued from other threads).
    Q_INVOKABLE void Push(const QByteArray& pcm, int sampleRate);
    // Drops the pending sound and what the device still holds.
    Q_INVOKABLE void Drop();
    Q_INVOKABLE void Shutdown();

private:
    void Feed();
    void OpenSink(int sampleRate);

    QAudioDevice m_device;
    QAudioSink* m_sink = nullptr;
    QIODevice* m_io = nullptr;
    QTimer* m_timer = nullptr;
    QByteArray m_pending;
    int m_rate = 0;
};
