#include "CliOptions.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace kestrel::cli {

namespace {

// Which options each command takes.
struct OptionRule {
    const char* name;
    bool takesValue;
    bool scan, gps, gsensor;
};

const OptionRule kRules[] = {
    {"--plugin", true, true, true, true},
    {"--types", true, true, true, true},
    {"--json", false, true, false, false},
    {"--newest-first", false, true, false, false},
    {"--format", true, false, true, false},
    {"-o", true, false, true, true},
    {"--output", true, false, true, true},
};

bool Allowed(const OptionRule& r, Command c)
{
    return (c == Command::Scan && r.scan) || (c == Command::Gps && r.gps) || (c == Command::GSensor && r.gsensor);
}

const char* CommandName(Command c)
{
    switch (c) {
    case Command::Scan: return "scan";
    case Command::Gps: return "gps";
    case Command::GSensor: return "gsensor";
    case Command::None: break;
    }
    return "";
}

bool ParseTypes(const std::string& list, int32_t flags[8], std::string* error)
{
    int32_t chosen[8] = {};
    size_t pos = 0;
    bool any = false;
    while (pos <= list.size()) {
        const size_t comma = std::min(list.find(',', pos), list.size());
        const std::string item = list.substr(pos, comma - pos);
        if (item.size() != 1 || item[0] < '0' || item[0] > '7') {
            *error = "--types takes recording types 0 to 7 separated by commas, not '" + list + "'";
            return false;
        }
        chosen[item[0] - '0'] = 1;
        any = true;
        pos = comma + 1;
    }
    if (!any) {
        *error = "--types needs at least one type";
        return false;
    }
    std::memcpy(flags, chosen, sizeof chosen);
    return true;
}

bool Apply(const std::string& name, const std::string& value, CliOptions* o, std::string* error)
{
    if (name == "--plugin") {
        if (value.empty()) {
            *error = "--plugin needs a name";
            return false;
        }
        o->plugin = value;
        o->pluginGiven = true;
    } else if (name == "--types") {
        return ParseTypes(value, o->typeFlags, error);
    } else if (name == "--json") {
        o->json = true;
    } else if (name == "--newest-first") {
        o->newestFirst = true;
    } else if (name == "--format") {
        if (value == "gpx") {
            o->format = TrackFormat::Gpx;
        } else if (value == "kml") {
            o->format = TrackFormat::Kml;
        } else {
            *error = "--format takes gpx or kml, not '" + value + "'";
            return false;
        }
    } else if (name == "-o" || name == "--output") {
        if (value.empty()) {
            *error = name + " needs a file name";
            return false;
        }
        o->output = value;
    }
    return true;
}

}  // namespace

bool ParseCommandLine(int argc, const char* const* argv, CliOptions* out, std::string* error)
{
    CliOptions o;
    std::vector<std::string> args(argv + 1, argv + argc);
    size_t i = 0;
    if (i < args.size() && (args[i] == "--help" || args[i] == "-h")) {
        o.help = true;
        *out = o;
        return true;
    }
    if (i < args.size() && (args[i] == "--version" || args[i] == "-v")) {
        o.version = true;
        *out = o;
        return true;
    }
    if (i == args.size()) {
        *error = "no command given";
        return false;
    }
    if (args[i] == "scan")
        o.command = Command::Scan;
    else if (args[i] == "gps")
        o.command = Command::Gps;
    else if (args[i] == "gsensor")
        o.command = Command::GSensor;
    else {
        *error = "unknown command '" + args[i] + "'";
        return false;
    }
    ++i;

    bool onlyOperands = false;
    for (; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (!onlyOperands && (a == "--help" || a == "-h")) {
            o.help = true;
            continue;
        }
        if (!onlyOperands && a == "--") {
            onlyOperands = true;
            continue;
        }
        if (!onlyOperands && a.size() > 1 && a[0] == '-') {
            const size_t eq = a.find('=');
            const std::string name = a.substr(0, eq);
            const OptionRule* rule = nullptr;
            for (const OptionRule& r : kRules)
                if (name == r.name)
                    rule = &r;
            if (!rule || !Allowed(*rule, o.command)) {
                *error = "unknown option '" + name + "' for " + CommandName(o.command);
                return false;
            }
            std::string value;
            if (rule->takesValue) {
                if (eq != std::string::npos) {
                    value = a.substr(eq + 1);
                } else if (i + 1 < args.size()) {
                    value = args[++i];
                } else {
                    *error = name + " needs a value";
                    return false;
                }
            } else if (eq != std::string::npos) {
                *error = name + " takes no value";
                return false;
            }
            if (!Apply(name, value, &o, error))
                return false;
            continue;
        }
        if (!o.folder.empty()) {
            *error = "only one folder may be given (extra: '" + a + "')";
            return false;
        }
        if (a.empty()) {
            *error = "the folder name is empty";
            return false;
        }
        o.folder = a;
    }
    if (!o.help && o.folder.empty()) {
        *error = std::string("the ") + CommandName(o.command) + " command needs a FOLDER";
        return false;
    }
    *out = o;
    return true;
}

std::string HelpText(Command command)
{
    static const char kCommon[] =
        "  --plugin NAME   recording plug-in to use (default QUARTZEN, else the first one found)\n"
        "  --types LIST    recording types to include, e.g. 0,1 (default: all eight)\n"
        "                  0 Normal, 1 Event, 2 Parking, 3 Parking event, 4 Motion,\n"
        "                  5 Manual, 6 Type 6, 7 Type 7\n"
        "  -h, --help      show this help\n";
    static const char kExit[] =
        "\nExit codes: 0 done, 2 usage error, 3 folder missing or unreadable,\n"
        "4 no recordings found (or none with data to export), 5 plug-in missing,\n"
        "6 output could not be written.\n";
    switch (command) {
    case Command::Scan:
        return std::string("Usage: kestrel-cli scan FOLDER [--json] [--types LIST] [--newest-first]\n\n"
                           "Lists the recordings found in FOLDER (and two levels of subfolders):\n"
                           "index, type, local start and end, duration, channels and files.\n\n") +
               "  --json          print a JSON array instead of a table\n"
               "  --newest-first  newest recording first (default: oldest first)\n" +
               kCommon + kExit;
    case Command::Gps:
        return std::string("Usage: kestrel-cli gps FOLDER [--format gpx|kml] [-o FILE]\n\n"
                           "Exports the GPS track of every recording: GPX 1.1 (one trk per recording)\n"
                           "or KML 2.2 (one Placemark with a gx:Track per recording). Only valid fixes\n"
                           "become points; times are UTC, speeds m/s. Recordings without a valid fix\n"
                           "or with unreadable data are reported on stderr and skipped.\n\n") +
               "  --format F      gpx (default) or kml\n"
               "  -o, --output F  write to file F (atomically) instead of standard output\n" +
               kCommon + kExit;
    case Command::GSensor:
        return std::string("Usage: kestrel-cli gsensor FOLDER [-o FILE]\n\n"
                           "Exports the G-sensor samples of every recording as CSV with the columns\n"
                           "recording,start_local,time_utc_ms,x_g,y_g,z_g. Recordings with unreadable\n"
                           "data are reported on stderr and skipped.\n\n") +
               "  -o, --output F  write to file F (atomically) instead of standard output\n" + kCommon + kExit;
    case Command::None: break;
    }
    return std::string("Usage: kestrel-cli COMMAND FOLDER [options]\n\n"
                       "Reads a dash-camera card or folder through the recording plug-in.\n\n"
                       "Commands:\n"
                       "  scan      list the recordings\n"
                       "  gps       export the GPS tracks as GPX or KML\n"
                       "  gsensor   export the G-sensor samples as CSV\n\n"
                       "Run 'kestrel-cli COMMAND --help' for the options of a command,\n"
                       "'kestrel-cli --version' for the version.\n") +
           kExit;
}

}  // namespace kestrel::cli
