#include "RecordingMedia.h"

#include "TestPicture.h"

#include <ctime>

extern "C" {
#include <libavutil/frame.h>
}

namespace kestrel::cardgen {

namespace {

PictureText TextFor(int64_t utc, int channel, const std::string& label)
{
    const time_t t = static_cast<time_t>(utc);
    struct tm tm {};
    localtime_r(&t, &tm);
    char date[32], clock[32];
    strftime(date, sizeof date, "%Y-%m-%d", &tm);
    strftime(clock, sizeof clock, "%H:%M:%S", &tm);
    return PictureText{channel, date, clock, label};
}

}  // namespace

MediaFactory::MediaFactory(const CardOptions& options, const DriveSimulator& drive)
    : m_options(options), m_drive(drive)
{
}

bool MediaFactory::Make(const PlannedRecording& rec, RecordingMedia* out, std::string* error)
{
    const CardOptions& o = m_options;
    out->width = o.width;
    out->height = o.height;
    out->fps = o.fps;
    out->frames = rec.frames;
    out->startUtc = rec.startUtc;
    out->video.assign(static_cast<size_t>(rec.channels), {});

    const std::string label = rec.container == Container::Mp4 ? Mp4Code(rec.kind) : AviLetters(rec.kind).substr(1);
    for (int ch = 0; ch < rec.channels; ++ch) {
        auto& encoder = m_encoders[static_cast<size_t>(ch)];
        if (!encoder) {
            encoder = std::make_unique<VideoEncoder>();
            if (!encoder->Open(o.width, o.height, o.fps, error)) return false;
        }
        auto& packets = out->video[static_cast<size_t>(ch)];
        packets.resize(static_cast<size_t>(rec.frames));
        for (int f = 0; f < rec.frames; ++f) {
            AVFrame* pic = encoder->Picture();
            // Force the frame writable before drawing (the encoder may still hold it).
            EncodedPacket& pkt = packets[static_cast<size_t>(f)];
            const PictureText text = TextFor(rec.startUtc + f / o.fps, ch, label);
            if (av_frame_make_writable(pic) < 0) {
                *error = "cannot write a picture";
                return false;
            }
            DrawTestPicture(pic->data[0], pic->linesize[0], pic->data[1], pic->linesize[1], pic->data[2],
                            pic->linesize[2], o.width, o.height, o.fps, f, text);
            if (!encoder->Encode(f == 0, &pkt, error)) return false;
        }
    }

    out->sampleRate = o.audioSampleRate;
    out->audioChannels = o.audioChannels;
    out->pcm.clear();
    if (o.audio) {
        const int64_t samples = static_cast<int64_t>(rec.frames) * o.audioSampleRate / o.fps;
        out->pcm = MakeTone(o.audioSampleRate, o.audioChannels, samples, rec.index);
    }

    out->gps.clear();
    out->accel.clear();
    for (int s = 0; s < rec.seconds; ++s) {
        const int64_t utc = rec.startUtc + s;
        out->gps.push_back(m_drive.FixAt(utc));
        for (int t = 0; t < DriveSimulator::kAccelPerSecond; ++t) out->accel.push_back(m_drive.AccelAt(utc, t));
    }
    return true;
}

}  // namespace kestrel::cardgen
