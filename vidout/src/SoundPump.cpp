#include "SoundPump.h"

#include <QAudioFormat>
#include <QAudioSink>
#include <QTimer>

namespace {

constexpr int kFeedIntervalMs = 10;
constexpr int kMaxPendingSeconds = 2;  // beyond that the device is stuck; drop the oldest

}  // namespace

SoundPump::SoundPump(const QAudioDevice& device) : m_device(device) {}

SoundPump::~SoundPump()
{
    Shutdown();
}

void SoundPump::OpenSink(int sampleRate)
{
    delete m_sink;
    m_sink = nullptr;
    m_io = nullptr;
    QAudioFormat format;
    format.setSampleRate(sampleRate);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    m_rate = sampleRate;
    if (!m_device.isFormatSupported(format))
        return;
    m_sink = new QAudioSink(m_device, format, this);
    m_io = m_sink->start();
}

void SoundPump::Push(const QByteArray& pcm, int sampleRate)
{
    if (sampleRate != m_rate || !m_sink) {
        m_pending.clear();
        OpenSink(sampleRate);
    } else if (!m_io) {
        m_io = m_sink->start();
    }
    if (!m_sink)
        return;
    m_pending.append(pcm);
    const qsizetype limit = qsizetype(kMaxPendingSeconds) * m_rate * 2;
    if (m_pending.size() > limit)
        m_pending.remove(0, m_pending.size() - limit);
    if (!m_timer) {
        m_timer = new QTimer(this);
        connect(m_timer, &QTimer::timeout, this, &SoundPump::Feed);
    }
    Feed();
    if (!m_pending.isEmpty() && !m_timer->isActive())
        m_timer->start(kFeedIntervalMs);
}

void SoundPump::Feed()
{
    if (!m_sink || !m_io || m_pending.isEmpty()) {
        if (m_timer)
            m_timer->stop();
        return;
    }
    const qsizetype room = m_sink->bytesFree() & ~qsizetype(1);  // whole samples only
    const qsizetype n = std::min(room, m_pending.size());
    if (n > 0) {
        const qint64 written = m_io->write(m_pending.constData(), n);
        if (written > 0)
            m_pending.remove(0, qsizetype(written));
    }
    if (m_pending.isEmpty() && m_timer)
        m_timer->stop();
}

void SoundPump::Drop()
{
    m_pending.clear();
    if (m_timer)
        m_timer->stop();
    if (m_sink) {
        m_sink->reset();
        m_io = nullptr;  // restarted by the next buffer
    }
}

void SoundPump::Shutdown()
{
    Drop();
    delete m_sink;
    m_sink = nullptr;
    delete m_timer;
    m_timer = nullptr;
}
