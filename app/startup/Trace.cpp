#include "startup/Trace.h"

#include <cstdio>

namespace kestrel {

void Trace(const QString& text)
{
    static const bool on = qEnvironmentVariable("KESTREL_TRACE") == QStringLiteral("1");
    if (on)
        std::fprintf(stderr, "kestrel: %s\n", text.toUtf8().constData());
}

}  // namespace kestrel
