// The five main-window size classes and the choice of one from the screen.
#pragma once

#include <QSize>

namespace kestrel {

constexpr int kSizeClassCount = 5;

// Client size of a class: 4 1920x1080, 3 1760x990, 2 1600x900,
// 1 1440x810; 0 and any value outside 1..4 give 1280x720.
QSize SizeOfClass(int sizeClass);

// Largest class whose size is strictly smaller than the screen on both
// axes (0 when none is): a 1920x1080 screen gets class 3.
int LargestClassFor(QSize screen);

// The stored class lowered to the largest class that fits.
int ChooseSizeClass(int stored, QSize screen);

}  // namespace kestrel
