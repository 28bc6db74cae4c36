// The camera's user data inside an AVI recording: one data chunk per moment
// in a text stream ("txts"/"XBLB"), each holding an RMC sentence and the
// three G-sensor axes.
#pragma once

#include "ByteSource.h"
#include "kestrel/KestrelTypes.h"

#include <cstddef>
#include <cstdint>

namespace recplugin {

// Bytes a data chunk must have: the sentence area from 34 and the three
// axes at 290, 294 and 298. Shorter chunks are skipped.
constexpr size_t kAviDataChunkSize = 302;

// Appends one G-sensor and one GPS sample decoded from a data chunk of at
// least kAviDataChunkSize bytes (only those bytes are read).
void ParseAviDataChunk(const uint8_t* chunk, CRecFileInfo& rec);

// Reads every data chunk of an AVI image into the record's two sample lists
// and stamps them. 0 on success, -1 when the image holds no readable user
// data (the lists are then left as they were).
int ParseAviUserData(IByteSource& src, CRecFileInfo& rec);

}  // namespace recplugin
