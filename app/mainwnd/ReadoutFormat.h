// The texts and numbers of the GPS and G-sensor read-outs, without any
// control: coordinate lines, speed in the chosen unit, axis values and the
// G-sensor range steps. QtCore only, so tests call it directly.
#pragma once

#include <QString>

namespace kestrel::readout {

// Units of a sample's speed and of the shown speed.
enum class SampleSpeedUnit { Knots = 0, Kmh = 1, Mph = 2 };
enum class ShownSpeedUnit { Kmh = 0, Mph = 1 };

// One coordinate line from a raw ddmm.mmmm value: "<label>: D° MM' SS" (H)".
// A value that is not a finite number counts as 0.
QString CoordinateLine(const QString& label, double raw, char16_t hemisphere);

// The speed shown for a sample's speed in its own unit (the plug-in's first
// reserved word), truncated; 0 for an unknown unit or a value that is not a
// finite non-negative number; at most 999.
int ShownSpeed(double speed, int sampleUnit, ShownSpeedUnit shown);
// "%03d" of ShownSpeed.
QString SpeedText(double speed, int sampleUnit, ShownSpeedUnit shown);
inline QString NoSpeedText() { return QStringLiteral("000"); }

// "<label> 0.000"-style axis text: calibration offset (thousandths of g)
// plus the sample's value, three decimals.
QString AxisText(const QString& label, int offsetMilliG, double value);

// The G-sensor full scale in g: 1, 2, 4 or 8.
struct RangeStep {
    int range = 2;
    bool zoomInEnabled = true;
    bool zoomOutEnabled = true;
};
// A stored range as the window starts with it (anything else becomes 2).
RangeStep InitialRange(int stored);
RangeStep ZoomIn(int range);
RangeStep ZoomOut(int range);
QString RangeTopText(int range);
QString RangeBottomText(int range);

}  // namespace kestrel::readout
