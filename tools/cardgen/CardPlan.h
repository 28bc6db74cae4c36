// The card's time line: which recordings exist, when each starts, of which
// kind and container, and under which names and folders they are stored.
#pragma once

#include "CardGen.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kestrel::cardgen {

// What made the camera record; the file-name letters follow from it and the
// container.
enum class RecKind { Normal, Event, Parking, Impact, Motion, Manual, Loop };

struct PlannedRecording {
    int index = 0;
    int64_t startUtc = 0;
    int frames = 0;              // per channel
    int seconds = 0;             // data seconds: frames / fps rounded up
    RecKind kind = RecKind::Normal;
    Container container = Container::Avi;  // never Mixed
    int channels = 1;
    bool hidden = false;
    std::string folder;          // relative to the card folder, "" for the top
};

struct CardPlan {
    std::vector<PlannedRecording> recordings;
    int64_t endUtc = 0;          // end of the last recording
};

// Decides the recordings of a card from its options (deterministic).
CardPlan MakePlan(const CardOptions& options);

// "YYYYMMDD_HHMMSS" in local time.
std::string LocalStamp(int64_t utc);
// The file-name letters and the type a reader derives from them.
std::string AviLetters(RecKind kind);
std::string Mp4Code(RecKind kind);
int AviRecType(RecKind kind);
int Mp4RecType(RecKind kind);
bool HasHardBrake(RecKind kind);

// File names, without folder.
std::string AviSingleName(const PlannedRecording& r);
std::string AviChannelName(const PlannedRecording& r, int channel);
std::string Mp4Name(const PlannedRecording& r);

// Seconds since 1970 UTC of the default first recording
// (2024-06-11 08:15:03 local time).
int64_t DefaultStartUtc();

}  // namespace kestrel::cardgen
