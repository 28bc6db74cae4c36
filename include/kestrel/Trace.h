// Diagnostic lines for developers: written to stderr only when the
// environment variable KESTREL_TRACE is "1". Every deliverable uses this one
// rule so a single switch shows the traces of the whole process.
#pragma once

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace kestrel {

inline bool TraceEnabled()
{
    static const bool enabled = [] {
        const char* v = std::getenv("KESTREL_TRACE");
        return v && std::strcmp(v, "1") == 0;
    }();
    return enabled;
}

inline void Trace(const char* format, ...) __attribute__((format(printf, 1, 2)));
inline void Trace(const char* format, ...)
{
    if (!TraceEnabled())
        return;
    va_list args;
    va_start(args, format);
    std::vfprintf(stderr, format, args);
    va_end(args);
}

}  // namespace kestrel
