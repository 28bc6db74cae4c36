// Writes a finished document to standard output or to a file. A file is
// written to a temporary neighbour first and renamed over the target, so a
// failed run never leaves a half-written file behind.
#pragma once

#include <string>

namespace kestrel::cli {

// `path` empty or "-" means standard output. false with `error` set when the
// text could not be written completely.
bool WriteOutput(const std::string& path, const std::string& text, std::string* error);

}  // namespace kestrel::cli
