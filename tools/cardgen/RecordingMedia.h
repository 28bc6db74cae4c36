// Everything one recording holds, ready to be stored in either container:
// encoded pictures per channel, sound samples, one GPS fix per second and
// ten G-sensor readings per second.
#pragma once

#include "CardPlan.h"
#include "DriveSimulator.h"
#include "MediaEncoders.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace kestrel::cardgen {

struct RecordingMedia {
    int width = 0;
    int height = 0;
    int fps = 0;
    int frames = 0;
    std::vector<std::vector<EncodedPacket>> video;  // [channel][frame]
    int sampleRate = 0;
    int audioChannels = 0;
    std::vector<int16_t> pcm;                       // interleaved; empty without sound
    std::vector<GpsFix> gps;                        // one per data second
    std::vector<Accel> accel;                       // ten per data second
    int64_t startUtc = 0;
};

// Makes the media of a card's recordings. The H.264 encoders run on across
// recordings (each recording starts with a key frame), which keeps a card of
// a thousand short recordings fast to write.
class MediaFactory {
public:
    MediaFactory(const CardOptions& options, const DriveSimulator& drive);
    bool Make(const PlannedRecording& rec, RecordingMedia* out, std::string* error);

private:
    const CardOptions& m_options;
    const DriveSimulator& m_drive;
    std::array<std::unique_ptr<VideoEncoder>, 4> m_encoders;
};

}  // namespace kestrel::cardgen
