// Decoding of the GPS text the cameras store: RMC sentences (AVI data
// chunks) and the comma-separated RMC fields of MP4 user-data samples.
#pragma once

#include "kestrel/KestrelTypes.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace recplugin {

// The leading decimal number of a text (after blanks): sign, digits, an
// optional fraction and exponent; 0 when the text does not start with one.
// Independent of the process locale (the viewer may set a comma locale).
double LeadingNumber(const std::wstring& text);
double LeadingNumber(const char* text, size_t len);

// ddmm.mmmm (or dddmm.mmmm) to decimal degrees, negated when `negative`.
double RawToDegrees(double raw, bool negative);

// Fills a GPS sample from an RMC sentence. Only "$GPRMC"/"$GNRMC" with
// status exactly "A" is a fix; anything else gives status 'V' and zeros.
// A field with no comma after it counts as empty, as do all fields after it.
void ParseRmcSentence(const std::wstring& sentence, CUserDataInfo& sample);

// Fills a GPS sample from an MP4 "G" sample (first byte 0x47, fields from
// offset 9). Reads nothing beyond `size`.
void ParseMp4GpsSample(const uint8_t* data, size_t size, CUserDataInfo& sample);

}  // namespace recplugin
