#include "CardGen.h"

#include "AviRecording.h"
#include "CardPlan.h"
#include "DriveSimulator.h"
#include "Mp4Recording.h"
#include "RecordingMedia.h"
#include "Rng.h"

#include <filesystem>
#include <fstream>
#include <system_error>

namespace fs = std::filesystem;

namespace kestrel::cardgen {

namespace {

bool CheckOptions(const CardOptions& o, std::string* error)
{
    if (o.folder.empty()) *error = "no folder given";
    else if (o.recordings < 0 || o.recordings > 100000) *error = "recordings must be 0..100000";
    else if (!(o.durationSec > 0 && o.durationSec <= 3600)) *error = "duration must be above 0 and at most 3600 s";
    else if (o.width < 16 || o.height < 16 || o.width > 4096 || o.height > 4096 || (o.width | o.height) & 1)
        *error = "picture size must be even, 16..4096";
    else if (o.fps < 1 || o.fps > 120) *error = "fps must be 1..120";
    else if (o.channels < 1 || o.channels > 4) *error = "channels must be 1..4";
    else if (o.audioChannels < 1 || o.audioChannels > 2) *error = "sound channels must be 1 or 2";
    else if (o.audioSampleRate < 8000 || o.audioSampleRate > 48000) *error = "sample rate must be 8000..48000";
    else return true;
    return false;
}

class CardWriter {
public:
    CardWriter(const CardOptions& o, CardResult* result, std::string* error)
        : m_o(o), m_result(result), m_error(error)
    {
    }

    bool Run()
    {
        const CardPlan plan = MakePlan(m_o);
        if (plan.recordings.empty() && !m_o.hiddenFiles && !m_o.damagedFiles && !m_o.nestedFolders) return true;
        const int64_t first = plan.recordings.empty() ? plan.endUtc : plan.recordings.front().startUtc;
        std::vector<int64_t> brakes;
        for (const auto& r : plan.recordings)
            if (HasHardBrake(r.kind)) brakes.push_back(r.startUtc + r.seconds / 2);
        DriveSimulator drive(m_o.seed, m_o.southWest, first, static_cast<int>(plan.endUtc - first) + 1, brakes);
        MarkDropouts(plan, drive);

        MediaFactory factory(m_o, drive);
        RecordingMedia media;
        for (const PlannedRecording& r : plan.recordings) {
            if (!factory.Make(r, &media, m_error) || !WriteRecording(r, media)) return false;
        }
        m_result->recordings = static_cast<int>(m_result->recordingList.size());
        return WriteDecoys(plan, factory);
    }

private:
    std::string Path(const std::string& folder, const std::string& name) const
    {
        return folder.empty() ? m_o.folder + "/" + name : m_o.folder + "/" + folder + "/" + name;
    }

    bool MakeFolder(const std::string& folder)
    {
        std::error_code ec;
        fs::create_directories(folder.empty() ? fs::path(m_o.folder) : fs::path(m_o.folder) / folder, ec);
        if (ec) *m_error = "cannot create folder " + folder + ": " + ec.message();
        return !ec;
    }

    void AddFile(const std::string& path, int recording, int channel, FileRole role)
    {
        m_result->files.push_back({path, recording, channel, role != FileRole::Recording &&
                                                                 role != FileRole::HiddenAvi && role != FileRole::TooDeep,
                                   role});
    }

    // No fix while the receiver starts up, and now and then a short loss
    // (tunnels, bridges).
    void MarkDropouts(const CardPlan& plan, DriveSimulator& drive) const
    {
        Rng rng(static_cast<uint64_t>(m_o.seed) * 31u + 5u);
        for (const auto& r : plan.recordings) {
            if (r.index == 0) drive.MarkInvalid(r.startUtc, std::min(3, r.seconds));
            else if (r.seconds > 2 && rng.Chance(0.15)) drive.MarkInvalid(r.startUtc + rng.Int(1, r.seconds - 2), rng.Int(1, 3));
        }
    }

    bool WriteRecording(const PlannedRecording& r, const RecordingMedia& media)
    {
        if (!MakeFolder(r.folder)) return false;
        GeneratedRecording info;
        info.index = r.index;
        info.startEpochSec = r.startUtc;
        info.durationMs = static_cast<int64_t>(r.frames) * 1000 / m_o.fps;
        info.container = r.container;
        info.channels = r.channels;
        info.hidden = r.hidden;
        if (r.container == Container::Mp4) {
            info.recType = Mp4RecType(r.kind);
            info.primaryPath = Path(r.folder, Mp4Name(r));
            if (!WriteMp4File(info.primaryPath, media, m_sound, m_error)) return false;
            AddFile(info.primaryPath, r.index, 0, FileRole::Recording);
            ++m_result->mp4Recordings;
        } else {
            info.recType = AviRecType(r.kind);
            if (r.container == Container::Avi) {
                info.primaryPath = Path(r.folder, AviSingleName(r));
                std::vector<int> all;
                for (int c = 0; c < r.channels; ++c) all.push_back(c);
                if (!WriteAviFile(info.primaryPath, media, all, true, m_error)) return false;
                AddFile(info.primaryPath, r.index, 0, FileRole::Recording);
            } else {
                for (int c = 0; c < r.channels; ++c) {
                    const std::string path = Path(r.folder, AviChannelName(r, c));
                    if (!WriteAviFile(path, media, {c}, c == 0, m_error)) return false;
                    AddFile(path, r.index, c, FileRole::Recording);
                    if (c == 0) info.primaryPath = path;
                }
            }
            ++m_result->aviRecordings;
        }
        m_result->recordingList.push_back(info);
        return true;
    }

    // Files a reader must not turn into recordings: hidden AVI, too deep,
    // and the damaged ones. They get times after the last recording.
    bool WriteDecoys(const CardPlan& plan, MediaFactory& factory)
    {
        if (!m_o.hiddenFiles && !m_o.nestedFolders && !m_o.damagedFiles) return true;
        PlannedRecording d;
        d.index = -1;
        d.startUtc = plan.endUtc + 3600;
        d.frames = std::min(plan.recordings.empty() ? m_o.fps : plan.recordings.front().frames, 2 * m_o.fps);
        d.seconds = (d.frames + m_o.fps - 1) / m_o.fps;
        d.container = Container::Avi;
        d.channels = std::min(m_o.channels, 2);
        RecordingMedia media;
        if (!factory.Make(d, &media, m_error) || !MakeFolder("")) return false;
        std::vector<int> all;
        for (int c = 0; c < d.channels; ++c) all.push_back(c);
        const bool mp4Card = m_o.container == Container::Mp4 || m_o.container == Container::Mixed;
        const std::string stamp = LocalStamp(d.startUtc);

        if (m_o.hiddenFiles) {
            const std::string path = Path("", ".hidden_" + stamp + "_NN.avi");
            if (!WriteAviFile(path, media, all, true, m_error)) return false;
            AddFile(path, -1, 0, FileRole::HiddenAvi);
        }
        if (m_o.nestedFolders) {
            const std::string folder = "CARDV/Normal/Old";
            if (!MakeFolder(folder)) return false;
            PlannedRecording deep = d;
            deep.startUtc += 60;
            const std::string path = Path(folder, mp4Card ? Mp4Name(deep) : AviSingleName(deep));
            if (!(mp4Card ? WriteMp4File(path, media, m_sound, m_error) : WriteAviFile(path, media, all, true, m_error)))
                return false;
            AddFile(path, -1, 0, FileRole::TooDeep);
        }
        if (m_o.damagedFiles) {
            PlannedRecording t = d;
            t.startUtc += 120;
            const std::string truncated = Path("", AviChannelName(t, 0));
            if (!WriteAviFile(truncated, media, {0}, true, m_error)) return false;
            std::error_code ec;
            fs::resize_file(truncated, 120, ec);  // cut inside the stream headers
            if (ec) {
                *m_error = "cannot truncate " + truncated;
                return false;
            }
            AddFile(truncated, -1, 0, FileRole::Truncated);

            const std::string badAvi = Path("", stamp.substr(0, stamp.size() - 1) + "_NN.avi");  // 13 digits
            if (!WriteAviFile(badAvi, media, all, true, m_error)) return false;
            AddFile(badAvi, -1, 0, FileRole::BadName);
            if (mp4Card) {
                const std::string badMp4 = Path("", stamp.substr(2, stamp.size() - 3) + "_NOR.mp4");  // 11 digits
                if (!WriteMp4File(badMp4, media, m_sound, m_error)) return false;
                AddFile(badMp4, -1, 0, FileRole::BadName);
            }

            t.startUtc += 120;
            const std::string text = Path("", AviChannelName(t, 0));
            std::ofstream(text) << "This is not a video. The camera's firmware log was saved here.\n";
            AddFile(text, -1, 0, FileRole::WrongExtension);

            t.startUtc += 120;
            const std::string empty = Path("", AviChannelName(t, 0));
            std::ofstream{empty};
            AddFile(empty, -1, 0, FileRole::Empty);
            if (!fs::exists(text) || !fs::exists(empty)) {
                *m_error = "cannot write the damaged files";
                return false;
            }
        }
        return true;
    }

    const CardOptions& m_o;
    AacCache m_sound;
    CardResult* m_result;
    std::string* m_error;
};

}  // namespace

bool GenerateCard(const CardOptions& options, CardResult* result, std::string* error)
{
    std::string ignored;
    if (!error) error = &ignored;
    if (!result) {
        *error = "no result given";
        return false;
    }
    *result = CardResult{};
    if (!CheckOptions(options, error)) return false;
    std::error_code ec;
    fs::create_directories(options.folder, ec);
    if (ec) {
        *error = "cannot create folder " + options.folder + ": " + ec.message();
        return false;
    }
    return CardWriter(options, result, error).Run();
}

}  // namespace kestrel::cardgen
