// The media library's own remarks (damaged files the plug-in probes and
// drops, streams it cannot identify) go to stderr only while tracing
// (KESTREL_TRACE=1). Every program that loads the plug-in calls this once:
// the process shares one copy of the library with the plug-in and the engine.
// The header names no media library type, so the shared record types stay
// free of it; the library links libavutil for its callers.
#pragma once

namespace kestrel {

void QuietMediaLibraryUnlessTracing();

}  // namespace kestrel
