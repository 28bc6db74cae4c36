#include "PositionFilter.h"

namespace kestrel::map {

std::optional<LatLng> CPositionFilter::Take(const CUserDataInfo& sample)
{
    if (sample.m_dLatRaw == 0.0 && sample.m_dLonRaw == 0.0)
        return std::nullopt;  // no fix
    if (sample.m_dLatRaw == m_lastLatRaw && sample.m_dLonRaw == m_lastLonRaw)
        return std::nullopt;
    m_lastLatRaw = sample.m_dLatRaw;
    m_lastLonRaw = sample.m_dLonRaw;
    if (sample.m_nReserved[1] == 0)
        if (const auto pos = SamplePosition(sample))
            m_lastSent = *pos;
    return m_lastSent;
}

void CPositionFilter::Reset()
{
    *this = CPositionFilter();
}

}  // namespace kestrel::map
