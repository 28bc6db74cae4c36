// kestrel-cli: lists a dash-camera card and exports its GPS tracks and
// G-sensor samples, reading it through the recording plug-in exactly as the
// viewer does.
#include "CliOptions.h"
#include "Commands.h"
#include "ExitCodes.h"
#include "KestrelVersion.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    using namespace kestrel::cli;
    CliOptions options;
    std::string error;
    if (!ParseCommandLine(argc, argv, &options, &error)) {
        std::fprintf(stderr, "kestrel-cli: %s\nRun 'kestrel-cli --help' for usage.\n", error.c_str());
        return kExitUsage;
    }
    if (options.version) {
        std::printf("kestrel-cli %s\n", kestrel::kVersion);
        return kExitOk;
    }
    if (options.help) {
        std::fputs(HelpText(options.command).c_str(), stdout);
        return kExitOk;
    }
    switch (options.command) {
    case Command::Scan: return RunScan(options);
    case Command::Gps: return RunGps(options);
    case Command::GSensor: return RunGSensor(options);
    case Command::None: break;
    }
    return kExitUsage;
}
