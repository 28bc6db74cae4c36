// Hand-offs from the engine and worker threads to the user-interface
// thread. Both calls only queue work and never wait for that thread.
#pragma once

#include <cstdint>

namespace kestrel::views {

class IFlowPost {
public:
    virtual ~IFlowPost() = default;

    // Any thread: later the user-interface thread hands `code` to the
    // flow's OnPlayerEvent.
    virtual void PostPlayerEvent(uintptr_t code) = 0;
    // Any thread: later the user-interface thread calls the flow's
    // OnPositionPosted.
    virtual void PostPositionUpdate() = 0;
};

}  // namespace kestrel::views
