#include "PlayFormat.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kestrel::playflow {

QString FormatClock(double seconds)
{
    const long long whole = seconds > 0.0 && std::isfinite(seconds) ? static_cast<long long>(seconds) : 0;
    return QString::asprintf("%02lld:%02lld:%02lld", whole / 3600, whole / 60 % 60, whole % 60);
}

QString PlayBarLabel(double positionSec, double durationSec)
{
    return QStringLiteral("%1/%2").arg(FormatClock(positionSec), FormatClock(durationSec));
}

int ToPlayBarMs(double seconds)
{
    if (!(seconds > 0.0))
        return 0;  // also NaN
    const double ms = std::trunc(seconds * 1000.0);
    return ms >= std::numeric_limits<int>::max() ? std::numeric_limits<int>::max() : static_cast<int>(ms);
}

SpeedChoice SpeedForSlider(int position, bool timeLapse, const QString& timeLapseText)
{
    static constexpr double kFactors[kSpeedSliderMax + 1] = {0.25, 0.5, 1.0, 1.5, 2.0};
    SpeedChoice c;
    c.factor = position >= 0 && position <= kSpeedSliderMax ? kFactors[position] : 1.0;
    // Only the quarter speed needs two decimals to read right.
    c.label = position == 0 ? QString::asprintf("x%1.2f", c.factor) : QString::asprintf("x%1.1f", c.factor);
    if (timeLapse) {
        c.factor /= kTimeLapseDivisor;
        c.label = QStringLiteral("%1 (%2)").arg(c.label, timeLapseText);
    }
    return c;
}

int ClampVolume(int volume) { return std::clamp(volume, 0, 100); }

double StepTarget(int positionMs, int maxMs, double intervalSec, bool forward)
{
    const double now = positionMs / 1000.0;
    const double t = forward ? now + intervalSec : now - (intervalSec + 0.5);
    if (t < 0.0)
        return 0.0;
    return std::min(t, std::max(maxMs, 0) / 1000.0);
}

}  // namespace kestrel::playflow
