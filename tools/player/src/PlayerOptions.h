// Command line of kestrel-player:
//   kestrel-player CARD_FOLDER [INDEX] [--frames N --grab FILE.png] [--timeout S]
#pragma once

#include <string>

struct PlayerOptions {
    std::string folder;
    int index = 0;          // recording of the merged list
    int frames = 0;         // > 0: quit after this many pictures were shown
    std::string grabFile;   // with frames: the window is saved here first
    int timeoutSeconds = 60;  // with frames: give up (exit 1) after this long
    bool help = false;        // -h/--help: print the usage and stop
    bool version = false;     // -v/--version: print the version and stop
};

// Parses the arguments after the program name; false with `error` set on a
// bad command line.
bool ParsePlayerOptions(int argc, const char* const argv[], PlayerOptions* out, std::string* error);

const char* PlayerUsage();
