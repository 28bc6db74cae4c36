// The steps of a seek, shared by the play manager's phase and each channel's
// read and decode states (see FFMpegPlayer.h for the per-channel handshake).
#pragma once

namespace playcore {

enum class SeekPhase : int {
    Idle = 0,       // no seek under way
    Refill = 1,     // queues flushed: the reader may seek and reading refills them
    Flush = 2,      // waiting for the queues to be flushed
    Requested = 3,  // a seek was asked for
};

}  // namespace playcore
