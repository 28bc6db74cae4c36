#include "ScanWriter.h"

#include "TextFormat.h"

#include <cstdio>

namespace kestrel::cli {

namespace {

std::string Duration(const Recording& r)
{
    return r.HasEnd() ? FormatFixed(static_cast<double>(r.endMs - r.startMs) / 1000.0, 1) + "s" : "-";
}

std::string Join(const std::vector<std::string>& parts, const char* sep)
{
    std::string out;
    for (size_t i = 0; i < parts.size(); ++i)
        out += (i ? sep : "") + parts[i];
    return out;
}

}  // namespace

std::string WriteScanTable(const std::vector<Recording>& recs)
{
    std::string out;
    char line[256];
    std::snprintf(line, sizeof line, "%5s  %-16s  %-19s  %-19s  %9s  %2s  %s\n", "INDEX", "TYPE", "START",
                  "END", "DURATION", "CH", "FILES");
    out += line;
    for (const Recording& r : recs) {
        const std::string type = std::to_string(r.type) + " " + RecordingTypeName(r.type);
        std::snprintf(line, sizeof line, "%5d  %-16s  %-19s  %-19s  %9s  %2d  ", r.index, type.c_str(),
                      FormatLocalTime(r.startMs).c_str(),
                      r.HasEnd() ? FormatLocalTime(r.endMs).c_str() : "-", Duration(r).c_str(), r.Channels());
        out += line;
        out += Join(r.names, ", ");
        out += '\n';
    }
    return out;
}

std::string WriteScanJson(const std::vector<Recording>& recs)
{
    if (recs.empty())
        return "[]\n";
    std::string out = "[\n";
    for (size_t i = 0; i < recs.size(); ++i) {
        const Recording& r = recs[i];
        out += "  {\"index\": " + std::to_string(r.index);
        out += ", \"type\": " + std::to_string(r.type);
        out += ", \"type_name\": \"" + JsonEscape(RecordingTypeName(r.type)) + "\"";
        out += ", \"start\": \"" + JsonEscape(FormatLocalTime(r.startMs)) + "\"";
        out += ", \"start_ms\": " + std::to_string(r.startMs);
        if (r.HasEnd()) {
            out += ", \"end\": \"" + JsonEscape(FormatLocalTime(r.endMs)) + "\"";
            out += ", \"end_ms\": " + std::to_string(r.endMs);
            out += ", \"duration_ms\": " + std::to_string(r.endMs - r.startMs);
        } else {
            out += ", \"end\": null, \"end_ms\": null, \"duration_ms\": null";
        }
        out += ", \"channels\": " + std::to_string(r.Channels());
        out += ", \"files\": [";
        for (size_t f = 0; f < r.files.size(); ++f)
            out += (f ? ", \"" : "\"") + JsonEscape(r.files[f]) + "\"";
        out += "]}";
        out += i + 1 < recs.size() ? ",\n" : "\n";
    }
    out += "]\n";
    return out;
}

}  // namespace kestrel::cli
