#include "ExportModel.h"

namespace kestrel::cli {

std::string Recording::DisplayName() const
{
    if (!names.empty() && !names.front().empty())
        return names.front();
    // Appended rather than "#" + to_string(): GCC 12 at -O3 reports a false
    // overlap (-Wrestrict) in the literal-plus-temporary operator.
    std::string name = "#";
    name += std::to_string(index);
    return name;
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
