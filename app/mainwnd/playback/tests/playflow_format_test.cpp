// Clock texts, the speed table, volume steps and step targets.
#include "PlayFormat.h"

#include <gtest/gtest.h>

using namespace kestrel::playflow;

TEST(PlayFormat, ClockCutsTheFractionAndWrapsMinutesAndSeconds)
{
    EXPECT_EQ(FormatClock(0.999), "00:00:00");
    EXPECT_EQ(FormatClock(59.9), "00:00:59");
    EXPECT_EQ(FormatClock(3725.5), "01:02:05");
    EXPECT_EQ(FormatClock(-3.0), "00:00:00");
    EXPECT_EQ(PlayBarLabel(61.2, 120.0), "00:01:01/00:02:00");
    EXPECT_EQ(ToPlayBarMs(1.9999), 1999);
    EXPECT_EQ(ToPlayBarMs(-0.5), 0);
}

TEST(PlayFormat, QuarterSpeedHasTwoDecimalsTheOthersOne)
{
    const char* labels[] = {"x0.25", "x0.5", "x1.0", "x1.5", "x2.0"};
    const double factors[] = {0.25, 0.5, 1.0, 1.5, 2.0};
    for (int pos = 0; pos <= kSpeedSliderMax; ++pos) {
        const SpeedChoice c = SpeedForSlider(pos, false, "T");
        EXPECT_EQ(c.label, labels[pos]);
        EXPECT_DOUBLE_EQ(c.factor, factors[pos]);
    }
    const SpeedChoice other = SpeedForSlider(9, false, "T");
    EXPECT_EQ(other.label, "x1.0");
    EXPECT_DOUBLE_EQ(other.factor, 1.0);
}

TEST(PlayFormat, TimeLapseDividesByThirtyAndNamesItself)
{
    const SpeedChoice c = SpeedForSlider(0, true, "Time-lapse");
    EXPECT_EQ(c.label, "x0.25 (Time-lapse)");
    EXPECT_DOUBLE_EQ(c.factor, 0.25 / 30.0);
    EXPECT_DOUBLE_EQ(SpeedForSlider(4, true, "T").factor, 2.0 / 30.0);
}

TEST(PlayFormat, StepTargetsStayInsideTheRecording)
{
    // Back from 0.3 s with a 1 s interval goes back 1.5 s: clipped to 0.
    EXPECT_DOUBLE_EQ(StepTarget(300, 10000, 1, false), 0.0);
    EXPECT_DOUBLE_EQ(StepTarget(5000, 10000, 1, false), 3.5);
    EXPECT_DOUBLE_EQ(StepTarget(5000, 10000, 2, true), 7.0);
    EXPECT_DOUBLE_EQ(StepTarget(9500, 10000, 1, true), 10.0);
}

TEST(PlayFormat, VolumeStaysWithinZeroToHundred)
{
    EXPECT_EQ(ClampVolume(98 + kVolumeStep), 100);
    EXPECT_EQ(ClampVolume(3 - kVolumeStep), 0);
    EXPECT_EQ(ClampVolume(40), 40);
}
