// GPS track documents: GPX 1.1 (one trk per recording) and KML 2.2 (one
// Placemark with a gx:Track per recording). Speeds are written in m/s.
#pragma once

#include "ExportModel.h"

#include <string>
#include <vector>

namespace kestrel::cli {

std::string WriteGpx(const std::vector<RecordingTrack>& tracks);
std::string WriteKml(const std::vector<RecordingTrack>& tracks);

// Coordinates carry 8 decimals (about a millimetre), so the 4 to 5 decimal
// minutes of the GPS sentences survive; speeds carry 3 (mm/s).
std::string FormatCoordinate(double degrees);
std::string FormatSpeed(double knots);  // in m/s; "" when unknown

}  // namespace kestrel::cli
