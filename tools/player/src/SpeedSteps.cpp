#include "SpeedSteps.h"

#include <array>

namespace {

constexpr std::array<double, 5> kSpeeds = {0.25, 0.5, 1.0, 2.0, 4.0};

}  // namespace

double NextSpeed(double current, int direction)
{
    if (direction > 0) {
        for (double s : kSpeeds)
            if (s > current + 1e-9)
                return s;
        return kSpeeds.back();
    }
    for (auto it = kSpeeds.rbegin(); it != kSpeeds.rend(); ++it)
        if (*it < current - 1e-9)
            return *it;
    return kSpeeds.front();
}
