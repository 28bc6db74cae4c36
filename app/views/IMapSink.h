// Where the playing recording's track and positions go: the map panel or
// the map dialog, whichever the settings chose when the window was built.
// User-interface thread only.
#pragma once

#include "kestrel/KestrelTypes.h"

namespace kestrel::views {

class IMapSink {
public:
    virtual ~IMapSink() = default;

    // The map can take calls now (its page is loaded).
    virtual bool Ready() const = 0;
    // A recording started playing. Also told while the map is not ready:
    // the sink draws the track once it is. `rec` stays valid until
    // PlaybackStopped.
    virtual void PlaybackStarted(CRecFileInfo* rec) = 0;
    // Playback stopped; the record's samples are freed after this call
    // unless the sink keeps them (KeepsRecordSamples).
    virtual void PlaybackStopped() = 0;
    // The sink still shows the stopped record's samples afterwards.
    virtual bool KeepsRecordSamples() const = 0;
    // A new valid GPS fix of the playing recording.
    virtual void Sample(const CUserDataInfo& sample) = 0;
    // The user chose a record in the list (null: none) without playing it.
    virtual void RecordChosen(CRecFileInfo* rec) = 0;
};

}  // namespace kestrel::views
