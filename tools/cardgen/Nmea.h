// RMC sentences as the camera's GPS receiver writes them.
#pragma once

#include "DriveSimulator.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace kestrel::cardgen {

// The nine fields after the sentence name, comma separated:
// time,status,lat,N/S,lon,E/W,speed_knots,course,date. A fix without a valid
// position has status V and empty position, speed and course fields.
std::string RmcFields(const GpsFix& fix);

// "$GPRMC,<fields>,,,A*CS" with the checksum over everything between '$' and '*'.
std::string RmcSentence(const GpsFix& fix);

// XOR of the characters of a sentence body (between '$' and '*').
uint8_t NmeaChecksum(std::string_view body);

// True when the sentence starts with '$', has '*' followed by two hex digits
// and those match the checksum of the body.
bool NmeaChecksumValid(std::string_view sentence);

}  // namespace kestrel::cardgen
