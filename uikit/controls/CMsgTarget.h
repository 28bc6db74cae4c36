#pragma once
// A window that accepts sent messages. A control hands its notifications to
// its parent through this interface: sending is a plain synchronous call, so
// the parent's reaction is complete when the call returns.
#include <cstdint>

class CMsgTarget {
public:
    virtual ~CMsgTarget() = default;
    // Handles one message; the result is the message's answer (0 when unused).
    virtual intptr_t SendMsg(uint32_t msg, uintptr_t wParam, intptr_t lParam) = 0;
};
