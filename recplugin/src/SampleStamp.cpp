#include "SampleStamp.h"

namespace recplugin {

void StampSamples(CUserDataArray& samples, int64_t startMs, int64_t endMs)
{
    const uint64_t n = samples.size();
    if (n == 0)
        return;
    const uint64_t span = endMs > startMs ? static_cast<uint64_t>(endMs) - static_cast<uint64_t>(startMs) : 0;
    for (uint64_t i = 0; i < n; ++i) {
        // 128-bit product: no overflow however long the recording.
        const auto offset = static_cast<uint64_t>(static_cast<unsigned __int128>(i) * span / n);
        samples[i]->SetTimeMs(startMs + static_cast<int64_t>(offset));
    }
}

void StampRecordSamples(CRecFileInfo& rec)
{
    StampSamples(rec.m_arrGSensor, rec.m_tStart, rec.m_tEnd);
    StampSamples(rec.m_arrGps, rec.m_tStart, rec.m_tEnd);
}

}  // namespace recplugin
