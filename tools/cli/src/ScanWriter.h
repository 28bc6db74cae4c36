// The recording list of the scan command, as a text table or a JSON array.
#pragma once

#include "ExportModel.h"

#include <string>
#include <vector>

namespace kestrel::cli {

std::string WriteScanTable(const std::vector<Recording>& recs);
std::string WriteScanJson(const std::vector<Recording>& recs);

}  // namespace kestrel::cli
