// The sound path of channel 0: abuffer -> volume -> aformat (signed 16-bit,
// mono, source rate) -> abuffersink.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct AVCodecContext;
struct AVFilterContext;
struct AVFilterGraph;
struct AVFrame;

namespace playcore {

class AudioFilter {
public:
    AudioFilter() = default;
    ~AudioFilter() { Free(); }
    AudioFilter(const AudioFilter&) = delete;
    AudioFilter& operator=(const AudioFilter&) = delete;

    // Builds the graph for the opened decoder; 0 built, -1 not built (and
    // nothing left allocated).
    int Build(const AVCodecContext* decoder, double volume);
    void Free();
    int Result() const { return m_nResult; }

    // Feeds one decoded frame and appends every 16-bit mono sample the graph
    // gives back to `out`. The frame is left blank. False when the graph did
    // not take the frame.
    bool Process(AVFrame* decoded, std::vector<uint8_t>* out);

    // The volume filter's option text for a level ("%3.3f").
    static std::string VolumeText(double volume);

private:
    AVFilterGraph* m_pGraph = nullptr;
    AVFilterContext* m_pSource = nullptr;
    AVFilterContext* m_pSink = nullptr;
    AVFrame* m_pOut = nullptr;
    int m_nResult = -1;
};

}  // namespace playcore
