#include "startup/Trace.h"

#include "kestrel/Trace.h"

#include <cstdio>

namespace kestrel {

void Trace(const QString& text)
{
    if (TraceEnabled())
        std::fprintf(stderr, "kestrel: %s\n", text.toUtf8().constData());
}

}  // namespace kestrel
