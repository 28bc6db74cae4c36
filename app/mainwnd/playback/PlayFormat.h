// Texts and numbers of the transport controls: the clock texts of the
// play-bar, the speed table, the volume steps and the step targets.
#pragma once

#include <QString>

namespace kestrel::playflow {

// "%02d:%02d:%02d" of the whole seconds (fraction cut off; negative = 0).
QString FormatClock(double seconds);
// "%s/%s" of position and duration.
QString PlayBarLabel(double positionSec, double durationSec);
// The label while nothing is open.
inline QString EmptyPlayBarLabel() { return QStringLiteral("00:00:00/00:00:00"); }
// Play-bar milliseconds of a time in seconds (truncated, never negative).
int ToPlayBarMs(double seconds);

// Speed slider: range 0..4, reset position 2.
inline constexpr int kSpeedSliderMax = 4;
inline constexpr int kSpeedSliderReset = 2;
// Time-lapse recordings run 30 times faster than they were taken.
inline constexpr double kTimeLapseDivisor = 30.0;

struct SpeedChoice {
    double factor = 1.0;
    QString label;
};
// Factor and label of a slider position; in time-lapse mode the factor is
// divided by 30 and the label gets " (<timeLapseText>)".
SpeedChoice SpeedForSlider(int position, bool timeLapse, const QString& timeLapseText);

// Volume keys move by 5 within 0..100.
inline constexpr int kVolumeStep = 5;
int ClampVolume(int volume);

// Target of a step from the play-bar position (ms): forward adds the
// interval, backward goes back interval + 0.5 s; the result lies within
// 0 .. maxMs / 1000.
double StepTarget(int positionMs, int maxMs, double intervalSec, bool forward);

}  // namespace kestrel::playflow
