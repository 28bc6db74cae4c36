// Which GPS fixes move the map's position: not the empty 0/0 fix, not the
// same place twice in a row. A fix whose position is not in sentence form
// is not converted; the last converted position then goes again.
#pragma once

#include "MapScript.h"

#include <optional>

namespace kestrel::map {

class CPositionFilter {
public:
    // The position to send for `sample`, or nullopt when nothing is sent.
    std::optional<LatLng> Take(const CUserDataInfo& sample);
    // Forgets the last fix (a new recording may start where one ended).
    void Reset();

private:
    double m_lastLatRaw = 0.0;
    double m_lastLonRaw = 0.0;
    LatLng m_lastSent;
};

}  // namespace kestrel::map
