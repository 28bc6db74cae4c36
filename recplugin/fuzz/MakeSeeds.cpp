// Writes the committed seed inputs of the two fuzz targets from the tests'
// byte builders: make_seeds <avi folder> <mp4 folder>.
#include "ByteBuilders.h"

#include <cstdio>
#include <fstream>
#include <string>

using namespace rptest;

namespace {

void Save(const std::string& path, const Bytes& b)
{
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(b.data()), std::streamsize(b.size()));
}

const char* kFix = "$GPRMC,123519,A,4807.038,S,01131.000,W,022.4,084.4,230394,003.1,W";

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <avi folder> <mp4 folder>\n", argv[0]);
        return 2;
    }
    const std::string avi = argv[1], mp4 = argv[2];

    AviSpec spec;
    spec.frames = 3;
    spec.dataChunks = {AviDataChunk(kFix, 1000, -500, 250), AviDataChunk("$GPGGA,1", 1, 2, 3, 310)};
    Save(avi + "/indexed.avi", BuildAvi(spec));
    spec.index = false;
    Save(avi + "/movi_walk.avi", BuildAvi(spec));
    spec.pad = false;
    Save(avi + "/unpadded.avi", BuildAvi(spec));
    spec.index = true;
    spec.pad = true;
    spec.dataStream = 0;
    spec.dataSuffix = "ab";
    Bytes prefixed(8, 0x5A);
    Append(prefixed, BuildAvi(spec));
    Save(avi + "/prefixed_stream0.avi", prefixed);

    Mp4Track video;
    video.handler = "vide";
    video.chunks = {{Bytes(16, 0x11)}};
    Mp4Track data;
    data.chunks = {{Mp4GSensorSample(0x80, 0xC0, 0x40), Mp4GpsSample("123519,A,3723.2475,N,12158.3416,W,0.13,309.62,120598")},
                   {Mp4GSensorSample(0x81, 0x7F, 0x80)}};
    Save(mp4 + "/video_and_data.mp4", BuildMp4({video, data}));
    Mp4Track runs;
    runs.chunks = {{Mp4GSensorSample(1, 2, 3), Mp4GSensorSample(4, 5, 6)}, {Mp4GSensorSample(7, 8, 9), Mp4GSensorSample(7, 8, 9)},
                   {Mp4GpsSample("1,V,,,,,")}};
    runs.stsc = {{1, 2}, {3, 1}};
    Save(mp4 + "/stsc_runs.mp4", BuildMp4({runs, data}));
    return 0;
}
