// The playback speeds the player offers, slowest to fastest.
#pragma once

// The next speed up (`direction` > 0) or down from `current`, staying
// within 0.25 and 4.
double NextSpeed(double current, int direction);
