// The presentation thread's software clock: the recording time up to which
// frames are due. It runs at the playback speed from the moment it starts,
// stands still while the player is paused, and is restarted after a seek.
#pragma once

#include <chrono>

namespace playcore {

class PresentationClock {
public:
    using TimePoint = std::chrono::steady_clock::time_point;

    // Starts at recording time `seconds` at wall time `now`. The wait for the
    // first frames before it is not counted, so the first pictures come at
    // their own pace instead of in a burst that catches up on the wait.
    void Start(double seconds, TimePoint now);
    // Moves on by the wall time since the last call times `speed`.
    void Advance(TimePoint now, double speed);
    // Sets the reading without touching the wall-time reference (a step
    // while paused moves the clock to the stepped picture).
    void MoveTo(double seconds) { m_dSeconds = seconds; }
    // Lets the wall time since the last call pass without counting (paused).
    void Hold(TimePoint now) { m_reference = now; }
    double Seconds() const { return m_dSeconds; }
    // Wall time at which the clock reaches `seconds` at `speed`, counted
    // from the last Advance or Hold; TimePoint::max() when it never does.
    TimePoint When(double seconds, double speed) const;

private:
    double m_dSeconds = 0.0;
    TimePoint m_reference{};
};

}  // namespace playcore
