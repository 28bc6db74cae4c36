// Small rules about records that every part of the viewer applies the same
// way: which language key names a channel, and when two records are the same
// recording.
#pragma once

#include "kestrel/KestrelTypes.h"

namespace kestrel {

// The language key naming camera channel 0..3 (front, rear, left, right) in
// the displays and the full-screen view. Any other number names the front.
inline const char* ChannelLabelKey(int channel)
{
    static const char* const kKeys[] = {"display_text_front", "display_text_rear", "display_text_left",
                                        "display_text_right"};
    return kKeys[channel >= 0 && channel < 4 ? channel : 0];
}

// Two records with the same number of channels whose channel file paths
// agree in order. Records are rebuilt by every load, so pointers alone
// cannot tell a recording again.
inline bool SameRecording(const CRecFileInfo* a, const CRecFileInfo* b)
{
    if (!a || !b)
        return false;
    return a->GetChannelCount() == b->GetChannelCount() && a->m_arrFilePath == b->m_arrFilePath;
}

}  // namespace kestrel
