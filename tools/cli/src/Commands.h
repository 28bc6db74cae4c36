// The three commands of kestrel-cli; each returns the program's exit code.
#pragma once

#include "CliOptions.h"

namespace kestrel::cli {

int RunScan(const CliOptions& options);
int RunGps(const CliOptions& options);
int RunGSensor(const CliOptions& options);

}  // namespace kestrel::cli
