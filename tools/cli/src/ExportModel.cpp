#include "ExportModel.h"

namespace kestrel::cli {

std::string Recording::DisplayName() const
{
    if (!names.empty() && !names.front().empty())
        return names.front();
    return "#" + std::to_string(index);
}

std::string RecordingTypeName(int type)
{
    static const char* const kNames[8] = {
        "Normal", "Event", "Parking", "Parking event", "Motion", "Manual", "Type 6", "Type 7",
    };
    if (type >= 0 && type < 8)
        return kNames[type];
    return "Type " + std::to_string(type);
}

}  // namespace kestrel::cli
