// The command line of kestrel-cli: command, folder and options, with the
// help text of each command.
#pragma once

#include <cstdint>
#include <string>

namespace kestrel::cli {

enum class Command { None, Scan, Gps, GSensor };
enum class TrackFormat { Gpx, Kml };

struct CliOptions {
    Command command = Command::None;
    bool help = false;
    bool version = false;          // --version: print the version and stop
    std::string folder;
    std::string plugin = "QUARTZEN";
    bool pluginGiven = false;      // --plugin names one that must exist
    bool json = false;             // scan
    bool newestFirst = false;      // scan
    int32_t typeFlags[8] = {1, 1, 1, 1, 1, 1, 1, 1};
    TrackFormat format = TrackFormat::Gpx;  // gps
    std::string output;            // gps, gsensor: empty or "-" for stdout
};

// Fills `out`; false with a message in `error` for a bad command line.
bool ParseCommandLine(int argc, const char* const* argv, CliOptions* out, std::string* error);

// Help for one command, or the overview for Command::None.
std::string HelpText(Command command);

}  // namespace kestrel::cli
