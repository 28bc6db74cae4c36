// Fuzzes the MP4 box walk, the sample tables and the sample decoding over
// an in-memory image.
#include "ByteSource.h"
#include "Mp4UserData.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    recplugin::CMemoryByteSource src(data, size);
    CRecFileInfo rec;
    rec.m_tStart = 1537094096000;
    rec.m_tEnd = 0;  // unknown end
    recplugin::Mp4SampleTables tables;
    recplugin::ParseMp4UserData(src, rec, tables);
    return 0;
}
