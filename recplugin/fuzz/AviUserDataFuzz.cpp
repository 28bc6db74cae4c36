// Fuzzes the AVI user-data parse: RIFF search, chunk walks, index and data
// chunks, over an in-memory image.
#include "AviUserData.h"
#include "ByteSource.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    recplugin::CMemoryByteSource src(data, size);
    CRecFileInfo rec;
    rec.m_tStart = 1537094096000;
    rec.m_tEnd = rec.m_tStart + 60000;
    recplugin::ParseAviUserData(src, rec);
    return 0;
}
