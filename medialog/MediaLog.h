// The media library's own remarks (damaged files the plug-in probes and
// drops, streams it cannot identify) go to stderr only while tracing
// (KESTREL_TRACE=1). Every program that loads the plug-in calls this once:
// the process shares one copy of the library with the plug-in and the engine.
// Needs libavutil on the caller's link line.
#pragma once

#include "kestrel/Trace.h"

extern "C" {
#include <libavutil/log.h>
}

namespace kestrel {

inline void QuietMediaLibraryUnlessTracing()
{
    av_log_set_level(TraceEnabled() ? AV_LOG_INFO : AV_LOG_QUIET);
}

}  // namespace kestrel
