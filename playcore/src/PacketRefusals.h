// What the decoder thread does with the packet at the head of a queue after
// offering it to the decoder. A refused packet (out of memory, invalid
// argument) stays queued and is offered again on the next passes; after
// kLimit refusals in a row it is dropped, so one bad packet cannot stall the
// channel for good.
#pragma once

namespace playcore {

class PacketRefusals {
public:
    static constexpr int kLimit = 50;
    enum Action { Keep, Drop };

    // A refusal: keep the packet for another pass, or drop it at the limit.
    Action Refused()
    {
        if (++m_nInRow < kLimit)
            return Keep;
        m_nInRow = 0;
        return Drop;
    }
    // The packet was taken (or dropped otherwise): the count starts again.
    void Taken() { m_nInRow = 0; }

private:
    int m_nInRow = 0;
};

}  // namespace playcore
