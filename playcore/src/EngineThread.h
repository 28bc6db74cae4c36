// Small services the engine's threads share: thread names and the debugger
// trace.
#pragma once

#include "kestrel/Trace.h"

#include <string>

namespace playcore {

// Names the calling thread (cut to the 15 characters the system keeps), so
// debuggers and `top -H` show "PlayManager", "ReadThread - 0", ...
void NameThisThread(const std::string& name);

// printf-style trace to stderr, only when KESTREL_TRACE=1.
using kestrel::Trace;

}  // namespace playcore
