// Stores a recording as the camera's AVI files: one file with up to two
// video streams, or one file per channel (ch0_..., ch1_...). Every file
// carries the data stream ("txts"/"XBLB") with one chunk per second; sound
// goes with the first channel.
#pragma once

#include "RecordingMedia.h"

#include <string>
#include <vector>

namespace kestrel::cardgen {

// Writes the given channels of the media (indices into media.video) into one
// AVI file, with sound when withAudio and the media has any.
bool WriteAviFile(const std::string& path, const RecordingMedia& media, const std::vector<int>& channels,
                  bool withAudio, std::string* error);

}  // namespace kestrel::cardgen
