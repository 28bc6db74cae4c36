// Stores a recording as the camera's MP4 file: up to two H.264 tracks, AAC
// sound and the "sdsm" user-data track ('G' once a second, 'M' ten times a
// second).
#pragma once

#include "RecordingMedia.h"

#include <string>

namespace kestrel::cardgen {

bool WriteMp4File(const std::string& path, const RecordingMedia& media, std::string* error);

}  // namespace kestrel::cardgen
