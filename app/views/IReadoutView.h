// The GPS and G-sensor read-outs beside the pictures.
// User-interface thread only.
#pragma once

#include "kestrel/KestrelTypes.h"

namespace kestrel::views {

class IReadoutView {
public:
    virtual ~IReadoutView() = default;

    // The read-outs for a play position; `gps` is the recording's sample
    // for that second or null, valid during the call.
    virtual void UpdateReadouts(CRecFileInfo* rec, int positionMs, const CUserDataInfo* gps) = 0;
    // The read-outs of "nothing plays".
    virtual void ResetReadouts() = 0;
};

}  // namespace kestrel::views
