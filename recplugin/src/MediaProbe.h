// What the readers ask the media library about a recording file: its video
// streams and their durations. Behind an interface so the folder logic can be
// tested with synthetic files.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace recplugin {

struct ProbeResult {
    // One entry per video stream, in stream order: its duration in ms, 0 when
    // the container does not state one.
    std::vector<int64_t> videoDurationsMs;

    // The first non-zero video duration, 0 when there is none.
    int64_t FirstDurationMs() const
    {
        for (int64_t d : videoDurationsMs)
            if (d != 0)
                return d;
        return 0;
    }
};

class IMediaProbe {
public:
    virtual ~IMediaProbe() = default;
    // No value when the file cannot be opened as a container.
    virtual std::optional<ProbeResult> Probe(const std::wstring& path) = 0;
};

// The media library's container probe (header only, no packet reading).
class CAvFormatProbe final : public IMediaProbe {
public:
    std::optional<ProbeResult> Probe(const std::wstring& path) override;
};

// Stream duration in ms from the container's units; 0 when unknown, negative
// or out of range.
int64_t StreamDurationMs(int64_t duration, int num, int den);

}  // namespace recplugin
