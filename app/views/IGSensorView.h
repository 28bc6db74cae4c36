// The G-sensor graph: the record it draws and the play-position cursor.
// User-interface thread only.
#pragma once

#include "kestrel/KestrelTypes.h"

namespace kestrel::views {

class IGSensorView {
public:
    virtual ~IGSensorView() = default;

    // The record to draw (null: none) with its stream information and
    // range; the graph is rebuilt. The record stays valid until the next
    // call (the flow drops it here before its samples are freed).
    virtual void SetRecord(CRecFileInfo* rec, const _TAG_STREAM_INFO& stream, int range) = 0;
    // The cursor at a play position in milliseconds (-1: none).
    virtual void SetCursor(int ms) = 0;
    // Drops the graph.
    virtual void Reset() = 0;
};

}  // namespace kestrel::views
