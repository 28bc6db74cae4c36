#include "Trace.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace recplugin {

void Trace(const char* format, ...)
{
    const char* on = std::getenv("KESTREL_TRACE");
    if (!on || std::strcmp(on, "1") != 0)
        return;
    va_list args;
    va_start(args, format);
    std::vfprintf(stderr, format, args);
    va_end(args);
}

}  // namespace recplugin
