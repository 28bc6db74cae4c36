#include "DriveSimulator.h"

#include "Rng.h"

#include <algorithm>
#include <cmath>

namespace kestrel::cardgen {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kG = 9.80665;
constexpr double kMetresPerDegree = 111320.0;
constexpr double kKnotsPerMps = 1.9438444924;
constexpr double kDt = 1.0 / DriveSimulator::kAccelPerSecond;

// What the driver is doing at the moment.
struct Leg {
    double targetMps = 0;
    double secondsLeft = 0;
    bool stopAtEnd = false;   // a red light closes the leg
};

Leg NextLeg(Rng& rng)
{
    Leg leg;
    if (rng.Chance(0.35)) {  // open road
        leg.targetMps = rng.Range(70, 120) / 3.6;
        leg.secondsLeft = rng.Range(40, 180);
        leg.stopAtEnd = rng.Chance(0.2);
    } else {                 // town
        leg.targetMps = rng.Range(25, 50) / 3.6;
        leg.secondsLeft = rng.Range(15, 60);
        leg.stopAtEnd = rng.Chance(0.6);
    }
    return leg;
}

}  // namespace

DriveSimulator::DriveSimulator(uint32_t seed, bool southWest, int64_t startUtc, int seconds,
                               const std::vector<int64_t>& hardBrakesUtc)
    : m_startUtc(startUtc)
{
    Rng rng(static_cast<uint64_t>(seed) * 7919u + 17u);
    seconds = std::max(seconds, 1);
    m_fixes.resize(static_cast<size_t>(seconds));
    m_accel.resize(static_cast<size_t>(seconds) * kAccelPerSecond);

    double lat = southWest ? -34.6037 : 48.1372;
    double lon = southWest ? -58.3816 : 11.5756;
    lat += rng.Range(-0.05, 0.05) * (southWest ? -1 : 1);
    lon += rng.Range(-0.05, 0.05) * (southWest ? -1 : 1);
    double heading = rng.Range(0, 360);
    double speed = 0;
    double turnLeft = 0;        // degrees still to turn at the current corner
    double stopWait = 0;        // seconds still to wait at a light
    double bump = 0;            // decaying vertical shock
    double drift = 0;           // slow wander of the road's direction, deg/s
    Leg leg = NextLeg(rng);

    for (int s = 0; s < seconds; ++s) {
        const int64_t utc = startUtc + s;
        const bool braking = std::find(hardBrakesUtc.begin(), hardBrakesUtc.end(), utc) != hardBrakesUtc.end();
        GpsFix& fix = m_fixes[static_cast<size_t>(s)];
        fix.utcSec = utc;
        fix.lat = lat;
        fix.lon = lon;
        fix.speedKnots = speed * kKnotsPerMps;
        fix.courseDeg = std::fmod(heading + 360.0, 360.0);

        if (rng.Chance(0.1)) drift = rng.Range(-0.6, 0.6);
        for (int t = 0; t < kAccelPerSecond; ++t) {
            double target = leg.targetMps;
            if (stopWait > 0) {
                target = 0;
            } else if (leg.stopAtEnd && leg.secondsLeft < speed / 2.0 + 2.0) {
                target = 0;  // braking gently towards the light
            }
            if (turnLeft != 0) target = std::min(target, 20 / 3.6);

            double accel = std::clamp((target - speed) / 2.0, -3.0, 2.0);
            if (braking) accel = -0.8 * kG;
            const double newSpeed = std::max(0.0, speed + accel * kDt);
            accel = (newSpeed - speed) / kDt;
            speed = newSpeed;

            double yawRate = drift;  // deg/s
            if (turnLeft != 0 && speed > 1.0) {
                const double step = std::copysign(std::min(std::fabs(turnLeft), 15.0 * kDt), turnLeft);
                turnLeft -= step;
                yawRate += step / kDt;
            }
            if (speed < 0.5) yawRate = 0;
            heading += yawRate * kDt;

            const double rad = heading * kPi / 180.0;
            lat += speed * std::cos(rad) * kDt / kMetresPerDegree;
            lon += speed * std::sin(rad) * kDt / (kMetresPerDegree * std::cos(lat * kPi / 180.0));

            if (speed > 3 && rng.Chance(0.004)) bump = rng.Range(-0.35, 0.35);
            bump *= 0.5;
            Accel& a = m_accel[static_cast<size_t>(s) * kAccelPerSecond + t];
            const double noise = speed > 0.5 ? 0.02 : 0.005;
            a.x = (braking ? -0.8 : accel / kG) + rng.Range(-noise, noise);
            a.y = speed * (yawRate * kPi / 180.0) / kG + rng.Range(-noise, noise);
            a.z = 1.0 + bump + rng.Range(-noise, noise);

            // Leg bookkeeping.
            if (stopWait > 0) {
                if (speed == 0) stopWait -= kDt;
                if (stopWait <= 0) {
                    stopWait = 0;
                    leg = NextLeg(rng);
                    if (rng.Chance(0.5)) turnLeft = rng.Chance(0.5) ? 90 : -90;
                }
            } else {
                leg.secondsLeft -= kDt;
                if (leg.stopAtEnd && speed == 0 && leg.secondsLeft < 5) {
                    stopWait = rng.Range(8, 35);
                } else if (leg.secondsLeft <= 0 && !leg.stopAtEnd) {
                    leg = NextLeg(rng);
                    if (rng.Chance(0.3)) turnLeft = rng.Chance(0.5) ? 90 : -90;
                } else if (leg.secondsLeft < -30) {
                    leg.stopAtEnd = false;  // never got to stop; drive on
                }
            }
        }
    }
}

size_t DriveSimulator::Index(int64_t utcSec) const
{
    const int64_t i = std::clamp<int64_t>(utcSec - m_startUtc, 0, static_cast<int64_t>(m_fixes.size()) - 1);
    return static_cast<size_t>(i);
}

const GpsFix& DriveSimulator::FixAt(int64_t utcSec) const { return m_fixes[Index(utcSec)]; }

const Accel& DriveSimulator::AccelAt(int64_t utcSec, int tenth) const
{
    tenth = std::clamp(tenth, 0, kAccelPerSecond - 1);
    return m_accel[Index(utcSec) * kAccelPerSecond + static_cast<size_t>(tenth)];
}

void DriveSimulator::MarkInvalid(int64_t fromUtc, int count)
{
    for (int i = 0; i < count; ++i) {
        const int64_t s = fromUtc + i - m_startUtc;
        if (s >= 0 && s < static_cast<int64_t>(m_fixes.size())) m_fixes[static_cast<size_t>(s)].valid = false;
    }
}

}  // namespace kestrel::cardgen
