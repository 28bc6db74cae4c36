// A plausible car drive over a card's whole time line: city and road speeds
// with limited acceleration, stops at lights, turns, hard brakes at chosen
// moments. Gives one GPS fix per second and G-sensor readings at 10 Hz.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kestrel::cardgen {

struct GpsFix {
    int64_t utcSec = 0;
    bool valid = true;
    double lat = 0;          // signed decimal degrees, south negative
    double lon = 0;          // signed decimal degrees, west negative
    double speedKnots = 0;
    double courseDeg = 0;    // 0 = north, clockwise
};

struct Accel {
    double x = 0;  // forward, g (braking is negative)
    double y = 0;  // lateral, g
    double z = 0;  // vertical, g (gravity gives about +1)
};

class DriveSimulator {
public:
    static constexpr int kAccelPerSecond = 10;

    // Simulates `seconds` seconds from `startUtc`. Hard brakes start at the
    // given absolute UTC seconds and last about one second.
    DriveSimulator(uint32_t seed, bool southWest, int64_t startUtc, int seconds,
                   const std::vector<int64_t>& hardBrakesUtc);

    int64_t StartUtc() const { return m_startUtc; }
    int Seconds() const { return static_cast<int>(m_fixes.size()); }
    // Fix at an absolute UTC second; clamped to the simulated span.
    const GpsFix& FixAt(int64_t utcSec) const;
    // Reading `tenth` (0..9) within an absolute UTC second.
    const Accel& AccelAt(int64_t utcSec, int tenth) const;
    // Marks the fixes of [fromUtc, fromUtc + count) as without a valid fix.
    void MarkInvalid(int64_t fromUtc, int count);

private:
    size_t Index(int64_t utcSec) const;

    int64_t m_startUtc;
    std::vector<GpsFix> m_fixes;
    std::vector<Accel> m_accel;
};

}  // namespace kestrel::cardgen
