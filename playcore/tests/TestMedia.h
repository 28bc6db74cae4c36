// Recordings for the engine's tests, made with the ffmpeg command into the
// build folder on first use, and independent reference decodes of them by
// the ffmpeg and ffprobe commands.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <kestrel/KestrelTypes.h>

namespace testmedia {

// 320x240 at 25 frames/s, key frame every second, H.264 without B-frames.
std::string TwoStreamAvi();      // 6 s, two video streams, stereo 16-bit PCM
std::string TwoStreamMp4();      // 6 s, two video tracks, stereo AAC
std::string ChannelFileAvi(int channel);  // 6 s, one video stream each; sound on channel 0
std::string SilentTwoStreamMp4();         // 6 s, two video tracks, no sound
std::string ShortSoundAvi();     // 2 s, one video stream, stereo 16-bit PCM
// 2 s at 640x360, one video track: the decoder's rows are as wide as the
// picture, so the engine hands out the decoder's own planes.
std::string WideMp4();
// 12 s at 640x360 with a single key frame, at the start: a seek near the end
// decodes almost the whole file before its first picture.
std::string OneKeyFrameMp4();
// The same length and size cut just after its first key frame: the 249
// pictures before the next key frame (at 9.96 s) cannot be shown, so the
// first picture comes only after they have all been through the decoder.
std::string LateKeyFrameMp4();
// Damaged recordings (DamagedMedia.cpp), made from good ones:
// two video streams of one second whose index entries all point past the end
// of the file, except the one of stream 0's first picture;
std::string IndexPastEndAvi();
// 20 pictures at 5 per second beside a data (time code) track whose chunk
// offsets point past the end of the file.
std::string DataTrackPastEndMp4();

// Makes `name` in the media folder with the ffmpeg arguments once and
// returns its path.
std::string MadeByFfmpeg(const std::string& name, const std::string& arguments);
// Makes `name` in the media folder once as a copy of `source` changed by
// `patch`; returns its path.
std::string PatchedCopy(const std::string& source, const std::string& name,
                        const std::function<void(std::vector<char>&)>& patch);

// A file of 64 KiB of noise with a media file's name.
std::string NoiseFile();
// Writes the first `percent` of `source` to a new file and returns its path.
std::string TruncatedCopy(const std::string& source, int percent);

// Runs a shell command and returns its standard output.
std::string RunCommand(const std::string& command);

// MD5 of every picture of video stream k as planar YUV 4:2:0, in order.
std::vector<std::string> ReferencePictureMd5(const std::string& path, int k);
// Packet time stamps of video stream k in seconds ("dts_time" or "pts_time").
std::vector<double> PacketTimes(const std::string& path, int k, const char* field);
// The file's sound through volume `level` and 16-bit mono conversion.
std::vector<uint8_t> ReferenceMonoSound(const std::string& path, double level);

// A recording record listing `paths` as its channels.
std::unique_ptr<CRecFileInfo> MakeRecord(const std::vector<std::string>& paths, int64_t startMs = 0);

// Threads of this process whose name is `name`.
int ThreadsNamed(const std::string& name);
// Waits up to two seconds for a thread name to appear; names are set by the
// threads themselves shortly after they start.
bool WaitForThreadsNamed(const std::string& name, int count);

}  // namespace testmedia
