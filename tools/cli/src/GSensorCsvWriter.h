// The G-sensor samples of every recording as one CSV table.
#pragma once

#include "ExportModel.h"

#include <string>
#include <vector>

namespace kestrel::cli {

// Header "recording,start_local,time_utc_ms,x_g,y_g,z_g", then one row per
// sample; the readings are written exactly (shortest round-trip text).
std::string WriteGSensorCsv(const std::vector<RecordingGSensor>& recs);

}  // namespace kestrel::cli
