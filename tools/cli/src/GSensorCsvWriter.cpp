#include "GSensorCsvWriter.h"

#include "TextFormat.h"

#include <cmath>

namespace kestrel::cli {

namespace {

std::string Reading(double g)
{
    return std::isfinite(g) ? FormatExact(g) : std::string();
}

}  // namespace

std::string WriteGSensorCsv(const std::vector<RecordingGSensor>& recs)
{
    std::string out = "recording,start_local,time_utc_ms,x_g,y_g,z_g\n";
    for (const RecordingGSensor& r : recs) {
        const std::string prefix = CsvField(r.rec.DisplayName()) + "," + CsvField(FormatLocalTime(r.rec.startMs)) + ",";
        for (const GSensorSample& s : r.samples) {
            out += prefix + std::to_string(s.timeMs) + "," + Reading(s.x) + "," + Reading(s.y) + "," +
                   Reading(s.z) + "\n";
        }
    }
    return out;
}

}  // namespace kestrel::cli
