#include "CRevealRule.h"

CRevealRule::Change CRevealRule::OnPointer(QPoint pos)
{
    if (m_revealed != kNone) {
        if (!m_zones.back[size_t(m_revealed)].contains(pos))
            return kNoChange;
        m_revealed = kNone;
        return kCovered;
    }
    for (int strip = kTop; strip < kStripCount; ++strip) {
        if (m_zones.hot[size_t(strip)].contains(pos)) {
            m_revealed = static_cast<Strip>(strip);
            return kRevealed;
        }
    }
    return kNoChange;
}

QRect CRevealRule::RevealRegion() const
{
    return m_revealed == kNone ? QRect() : m_zones.back[size_t(m_revealed)];
}
