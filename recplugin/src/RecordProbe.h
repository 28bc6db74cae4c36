// Filling a record from its file's video streams.
#pragma once

#include "MediaProbe.h"
#include "kestrel/KestrelTypes.h"

namespace recplugin {

// The single-file probe: every video stream becomes a channel (the same path
// repeated, channels "1", "2", ...), the first one also names the user-data
// file, and the end is the start plus the first stated video duration. A
// file the media library cannot open keeps no channels and an end of 0.
void ProbeSingleFile(IMediaProbe& probe, const std::wstring& path, CRecFileInfo& rec);

}  // namespace recplugin
