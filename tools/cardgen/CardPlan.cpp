#include "CardPlan.h"

#include "Rng.h"

#include <algorithm>
#include <cmath>
#include <ctime>

namespace kestrel::cardgen {

namespace {

RecKind PickKind(Rng& rng)
{
    const double u = rng.Unit();
    if (u < 0.64) return RecKind::Normal;
    if (u < 0.76) return RecKind::Event;
    if (u < 0.84) return RecKind::Parking;
    if (u < 0.89) return RecKind::Manual;
    if (u < 0.93) return RecKind::Motion;
    if (u < 0.97) return RecKind::Impact;
    return RecKind::Loop;
}

const char* KindFolder(RecKind kind)
{
    switch (kind) {
    case RecKind::Event:
    case RecKind::Impact: return "CARDV/Event";
    case RecKind::Parking:
    case RecKind::Motion: return "CARDV/Parking";
    case RecKind::Manual: return "CARDV/Manual";
    default: return "CARDV/Normal";
    }
}

}  // namespace

int64_t DefaultStartUtc()
{
    struct tm tm {};
    tm.tm_year = 2024 - 1900;
    tm.tm_mon = 5;
    tm.tm_mday = 11;
    tm.tm_hour = 8;
    tm.tm_min = 15;
    tm.tm_sec = 3;
    tm.tm_isdst = -1;
    return static_cast<int64_t>(mktime(&tm));
}

std::string LocalStamp(int64_t utc)
{
    const time_t t = static_cast<time_t>(utc);
    struct tm tm {};
    localtime_r(&t, &tm);
    char buf[32];
    strftime(buf, sizeof buf, "%Y%m%d_%H%M%S", &tm);
    return buf;
}

std::string AviLetters(RecKind kind)
{
    switch (kind) {
    case RecKind::Event: return "NE";
    case RecKind::Impact: return "NS";
    case RecKind::Parking:
    case RecKind::Motion: return "NP";
    case RecKind::Manual: return "NM";
    case RecKind::Loop: return "NL";
    default: return "NN";
    }
}

std::string Mp4Code(RecKind kind)
{
    switch (kind) {
    case RecKind::Event: return "EVT";
    case RecKind::Impact: return "IMP";
    case RecKind::Parking: return "PRK";
    case RecKind::Motion: return "MOT";
    case RecKind::Manual: return "MAN";
    default: return "NOR";
    }
}

int AviRecType(RecKind kind)
{
    switch (kind) {
    case RecKind::Event: return 1;
    case RecKind::Impact: return 3;
    case RecKind::Parking:
    case RecKind::Motion: return 4;
    case RecKind::Manual: return 5;
    case RecKind::Loop: return 6;
    default: return 0;
    }
}

int Mp4RecType(RecKind kind)
{
    switch (kind) {
    case RecKind::Event: return 1;
    case RecKind::Parking: return 2;
    case RecKind::Impact: return 3;
    case RecKind::Motion: return 4;
    case RecKind::Manual: return 5;
    default: return 0;
    }
}

bool HasHardBrake(RecKind kind) { return kind == RecKind::Event || kind == RecKind::Impact; }

std::string AviSingleName(const PlannedRecording& r)
{
    return LocalStamp(r.startUtc) + "_" + AviLetters(r.kind) + ".avi";
}

std::string AviChannelName(const PlannedRecording& r, int channel)
{
    return "ch" + std::to_string(channel) + "_" + LocalStamp(r.startUtc) + "_" + AviLetters(r.kind) + ".avi";
}

std::string Mp4Name(const PlannedRecording& r)
{
    return (r.hidden ? ".hidden_" : "") + LocalStamp(r.startUtc) + "_" + Mp4Code(r.kind) + ".mp4";
}

CardPlan MakePlan(const CardOptions& o)
{
    Rng rng(static_cast<uint64_t>(o.seed) * 2654435761u + 1u);
    CardPlan plan;
    const int fps = std::max(1, o.fps);
    const int frames = std::max(1, static_cast<int>(std::lround(o.durationSec * fps)));
    const int seconds = (frames + fps - 1) / fps;
    int64_t t = o.startEpochSec;
    if (t == 0) t = DefaultStartUtc() + rng.Int(0, 59);  // the seed moves the default card a little

    static const Container kRotation[3] = {Container::AviChannelFiles, Container::Avi, Container::Mp4};
    const bool anyMp4 = o.container == Container::Mp4 || o.container == Container::Mixed;
    const int count = std::max(0, o.recordings) + (o.hiddenFiles && anyMp4 ? 1 : 0);
    for (int i = 0; i < count; ++i) {
        PlannedRecording r;
        r.index = i;
        r.startUtc = t;
        r.frames = frames;
        r.seconds = seconds;
        r.kind = (i == 1) ? RecKind::Event : PickKind(rng);  // every card of 2+ has an event
        r.hidden = o.hiddenFiles && anyMp4 && i == count - 1;
        r.container = r.hidden ? Container::Mp4
                      : o.container == Container::Mixed ? kRotation[i % 3] : o.container;
        const int maxStreams = r.container == Container::AviChannelFiles ? 4 : 2;
        r.channels = std::clamp(o.channels, 1, maxStreams);
        if (o.nestedFolders && !r.hidden) r.folder = KindFolder(r.kind);
        plan.recordings.push_back(r);

        t += seconds;
        if (rng.Chance(0.12)) t += rng.Int(5, 300);  // the camera paused (parked, restarted)
    }
    plan.endUtc = t;
    return plan;
}

}  // namespace kestrel::cardgen
