#include "ReadoutFormat.h"

#include <algorithm>
#include <cmath>

namespace kestrel::readout {

namespace {

constexpr int kMaxRange = 8;
constexpr int kMaxShownSpeed = 999;
// Raw coordinates beyond this are not positions; clamping keeps the integer
// conversions defined.
constexpr double kMaxRaw = 1e6;

// Factors from the sample's unit (row) to the shown unit (column).
constexpr double kSpeedFactor[3][2] = {
    {1.852, 1.150779},    // knots
    {1.0, 0.621371},      // km/h
    {1.60934, 1.0},       // mph
};

double SaneRaw(double raw)
{
    return std::isfinite(raw) ? std::clamp(std::fabs(raw), 0.0, kMaxRaw) : 0.0;
}

RangeStep StepFor(int range)
{
    return {range, range > 1, range < kMaxRange};
}

}  // namespace

QString CoordinateLine(const QString& label, double raw, char16_t hemisphere)
{
    const double v = SaneRaw(raw);
    const int whole = static_cast<int>(v);
    const int degrees = static_cast<int>(v / 100);
    const int minutes = whole - 100 * degrees;
    const int seconds = static_cast<int>((v - whole) * 60);
    const QChar h = hemisphere ? QChar(hemisphere) : QChar(u' ');
    return QStringLiteral("%1: %2\u00B0 %3' %4\" (%5)")
        .arg(label)
        .arg(degrees)
        .arg(minutes, 2, 10, QChar(u'0'))
        .arg(seconds, 2, 10, QChar(u'0'))
        .arg(h);
}

int ShownSpeed(double speed, int sampleUnit, ShownSpeedUnit shown)
{
    if (sampleUnit < 0 || sampleUnit > 2 || !std::isfinite(speed) || speed <= 0.0)
        return 0;
    const double v = speed * kSpeedFactor[sampleUnit][static_cast<int>(shown)];
    return static_cast<int>(std::min(v, double(kMaxShownSpeed)));
}

QString SpeedText(double speed, int sampleUnit, ShownSpeedUnit shown)
{
    return QStringLiteral("%1").arg(ShownSpeed(speed, sampleUnit, shown), 3, 10, QChar(u'0'));
}

QString AxisText(const QString& label, int offsetMilliG, double value)
{
    double v = offsetMilliG / 1000.0 + value;
    if (!std::isfinite(v))
        v = 0.0;
    return QStringLiteral("%1 %2").arg(label).arg(v, 1, 'f', 3);
}

RangeStep InitialRange(int stored)
{
    const bool known = stored == 1 || stored == 2 || stored == 4 || stored == kMaxRange;
    return StepFor(known ? stored : 2);
}

RangeStep ZoomIn(int range)
{
    return StepFor(std::max(1, range / 2));
}

RangeStep ZoomOut(int range)
{
    return StepFor(std::clamp(std::min(range, kMaxRange) * 2, 1, kMaxRange));
}

QString RangeTopText(int range)
{
    return QStringLiteral("+%1G").arg(range);
}

QString RangeBottomText(int range)
{
    return QStringLiteral("-%1G").arg(range);
}

}  // namespace kestrel::readout
