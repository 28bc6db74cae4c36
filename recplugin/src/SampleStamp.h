// Spreads a recording's samples evenly over its play time.
#pragma once

#include "kestrel/KestrelTypes.h"

namespace recplugin {

// Sample i of n gets start + i * (end - start) / n milliseconds: the first at
// the start, none at the end. A record whose end is unknown (0) or before its
// start gets a span of 0, so every sample carries the start time.
void StampSamples(CUserDataArray& samples, int64_t startMs, int64_t endMs);

// Stamps both sample lists of a record from its start and end.
void StampRecordSamples(CRecFileInfo& rec);

}  // namespace recplugin
