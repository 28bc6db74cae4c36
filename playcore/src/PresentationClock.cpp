#include "PresentationClock.h"

namespace playcore {

void PresentationClock::Start(double seconds, TimePoint now)
{
    m_dSeconds = seconds;
    m_reference = now;
}

void PresentationClock::Advance(TimePoint now, double speed)
{
    m_dSeconds += std::chrono::duration<double>(now - m_reference).count() * speed;
    m_reference = now;
}

PresentationClock::TimePoint PresentationClock::When(double seconds, double speed) const
{
    if (seconds <= m_dSeconds)
        return m_reference;
    if (!(speed > 0.0))
        return TimePoint::max();  // a clock that stands never gets there
    const std::chrono::duration<double> wall((seconds - m_dSeconds) / speed);
    return m_reference + std::chrono::duration_cast<std::chrono::steady_clock::duration>(wall);
}

}  // namespace playcore
