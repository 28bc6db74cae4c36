// Diagnostic traces of the viewer: written to stderr only when the
// environment variable KESTREL_TRACE is 1, silent otherwise.
#pragma once

#include <QString>

namespace kestrel {
void Trace(const QString& text);
}
