// Diagnostic lines for developers: written to stderr only when the
// environment variable KESTREL_TRACE is "1".
#pragma once

namespace recplugin {

void Trace(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace recplugin
