// The viewer's test for "the same recording": two records with the same
// number of channels whose channel file paths agree in order. Records are
// rebuilt by every load, so pointers alone cannot tell a recording again.
#pragma once

#include "kestrel/KestrelTypes.h"

inline bool SameRecording(const CRecFileInfo* a, const CRecFileInfo* b)
{
    if (!a || !b)
        return false;
    return a->GetChannelCount() == b->GetChannelCount() && a->m_arrFilePath == b->m_arrFilePath;
}
