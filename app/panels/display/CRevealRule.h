// Which part of the screen the full-screen view covers. The view covers the
// whole screen until the pointer reaches one of three hot zones (top, right,
// bottom, tested in that order); it then shrinks to that strip's reveal
// region so the main window's control strip shows through, and covers the
// whole screen again once the pointer comes back onto the picture (into the
// reveal region). Only one strip shows at a time.
#pragma once

#include <QPoint>
#include <QRect>

#include <array>

class CRevealRule {
public:
    enum Strip { kNone = -1, kTop = 0, kRight = 1, kBottom = 2, kStripCount = 3 };
    enum Change { kNoChange, kRevealed, kCovered };

    struct Zones {
        std::array<QRect, kStripCount> hot;   // pointer here reveals the strip
        std::array<QRect, kStripCount> back;  // the window region while the strip shows
    };

    void SetZones(const Zones& zones) { m_zones = zones; }
    const Zones& GetZones() const { return m_zones; }

    // Applies one pointer position (window coordinates) and tells what
    // changed: a strip was revealed, the whole window is covered again, or
    // nothing.
    Change OnPointer(QPoint pos);

    // Back to full cover without a pointer (the view is shown anew).
    void Reset() { m_revealed = kNone; }

    Strip Revealed() const { return m_revealed; }
    bool IsRevealed(Strip strip) const { return m_revealed == strip; }
    // The region the window keeps covering while a strip shows; empty when
    // nothing is revealed.
    QRect RevealRegion() const;

private:
    Zones m_zones;
    Strip m_revealed = kNone;
};
