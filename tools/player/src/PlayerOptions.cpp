#include "PlayerOptions.h"

#include <charconv>
#include <cstring>

namespace {

bool ParseInt(const char* text, int min, int* out)
{
    const char* end = text + std::strlen(text);
    int value = 0;
    const auto [ptr, ec] = std::from_chars(text, end, value);
    if (ec != std::errc() || ptr != end || value < min)
        return false;
    *out = value;
    return true;
}

}  // namespace

const char* PlayerUsage()
{
    return "usage: kestrel-player CARD_FOLDER [INDEX] [--frames N --grab FILE.png] [--timeout SECONDS]\n"
           "keys: Space pause/resume, Right/Left seek +/-10 s, '.' step while paused,\n"
           "      '+'/'-' speed, Escape quit\n"
           "-h, --help prints this text, -v, --version the version.\n"
           "exit status: 0 done, 1 playback failed, 2 usage error, 3 folder missing,\n"
           "4 no such recording, 5 plug-in missing\n";
}

bool ParsePlayerOptions(int argc, const char* const argv[], PlayerOptions* out, std::string* error)
{
    int positional = 0;
    for (int i = 0; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&](const char** v) {
            if (i + 1 >= argc) {
                *error = arg + " needs a value";
                return false;
            }
            *v = argv[++i];
            return true;
        };
        const char* v = nullptr;
        if (arg == "-h" || arg == "--help") {
            out->help = true;
            return true;
        }
        if (arg == "-v" || arg == "--version") {
            out->version = true;
            return true;
        }
        if (arg == "--frames") {
            if (!value(&v) || !ParseInt(v, 1, &out->frames)) {
                *error = error->empty() ? "--frames needs a positive number" : *error;
                return false;
            }
        } else if (arg == "--grab") {
            if (!value(&v))
                return false;
            out->grabFile = v;
        } else if (arg == "--timeout") {
            if (!value(&v) || !ParseInt(v, 1, &out->timeoutSeconds)) {
                *error = error->empty() ? "--timeout needs a positive number of seconds" : *error;
                return false;
            }
        } else if (arg.size() > 1 && arg[0] == '-') {
            *error = "unknown option " + arg;
            return false;
        } else if (positional == 0) {
            out->folder = arg;
            ++positional;
        } else if (positional == 1) {
            if (!ParseInt(arg.c_str(), 0, &out->index)) {
                *error = "INDEX must be a number from 0";
                return false;
            }
            ++positional;
        } else {
            *error = "too many arguments";
            return false;
        }
    }
    if (out->folder.empty()) {
        *error = "CARD_FOLDER is missing";
        return false;
    }
    if (!out->grabFile.empty() && out->frames == 0) {
        *error = "--grab needs --frames";
        return false;
    }
    return true;
}
