// Damaged recordings for the engine's tests: good files made by the ffmpeg
// command, then their index or chunk tables rewritten to point past the end
// of the file, as a card written by a failing camera can have them.
#include <cstdint>
#include <cstring>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "TestMedia.h"

namespace testmedia {

namespace {

using Bytes = std::vector<char>;

uint32_t Le32(const Bytes& b, size_t at)
{
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | static_cast<uint8_t>(b[at + static_cast<size_t>(i)]);
    return v;
}

void PutLe32(Bytes& b, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[at + static_cast<size_t>(i)] = static_cast<char>(v >> (8 * i));
}

uint32_t Be32(const Bytes& b, size_t at)
{
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i)
        v = (v << 8) | static_cast<uint8_t>(b[at + static_cast<size_t>(i)]);
    return v;
}

void PutBe32(Bytes& b, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[at + static_cast<size_t>(i)] = static_cast<char>(v >> (8 * (3 - i)));
}

bool TypeIs(const Bytes& b, size_t at, const char* type)
{
    return at + 4 <= b.size() && std::memcmp(b.data() + at, type, 4) == 0;
}

// AVI: every legacy index entry of stream 1, and every one of stream 0 after
// its first, gets an offset twice the file's size.
void PointAviIndexPastEnd(Bytes& b)
{
    const uint32_t pastEnd = static_cast<uint32_t>(b.size() * 2);
    size_t at = 12;  // after "RIFF", the size and "AVI "
    while (at + 8 <= b.size()) {
        const uint32_t size = Le32(b, at + 4);
        if (TypeIs(b, at, "idx1")) {
            bool firstOfStream0 = true;
            for (size_t e = at + 8; e + 16 <= at + 8 + size && e + 16 <= b.size(); e += 16) {
                const bool stream0 = b[e] == '0' && b[e + 1] == '0';
                if (!stream0 || !firstOfStream0)
                    PutLe32(b, e + 8, pastEnd);
                firstOfStream0 = firstOfStream0 && !stream0;
            }
            return;
        }
        at += 8 + size + (size & 1);
    }
    throw std::runtime_error("no idx1 index in the AVI file");
}

// An MP4 box: where it starts, its header length and its whole size.
struct Box {
    size_t start = 0;
    size_t header = 8;
    size_t size = 0;
    size_t Body() const { return start + header; }
    size_t End() const { return start + size; }
};

std::optional<Box> Child(const Bytes& b, size_t begin, size_t end, const char* type, size_t skip = 0)
{
    for (size_t at = begin; at + 8 <= end;) {
        const size_t size = Be32(b, at);
        if (size < 8 || at + size > end)
            return std::nullopt;
        if (TypeIs(b, at + 4, type) && skip-- == 0)
            return Box{at, 8, size};
        at += size;
    }
    return std::nullopt;
}

std::optional<Box> Child(const Bytes& b, const Box& parent, const char* type, size_t skip = 0)
{
    return Child(b, parent.Body(), parent.End(), type, skip);
}

// MP4: the chunk offsets of every track that is neither video nor sound go
// one MiB past the end of the file.
void PointMp4DataChunksPastEnd(Bytes& b)
{
    const uint32_t pastEnd = static_cast<uint32_t>(b.size() + (1u << 20));
    const auto moov = Child(b, 0, b.size(), "moov");
    if (!moov)
        throw std::runtime_error("no moov box in the MP4 file");
    int patched = 0;
    for (size_t k = 0;; ++k) {
        const auto trak = Child(b, *moov, "trak", k);
        if (!trak)
            break;
        const auto mdia = Child(b, *trak, "mdia");
        const auto hdlr = mdia ? Child(b, *mdia, "hdlr") : std::nullopt;
        if (!hdlr || TypeIs(b, hdlr->Body() + 8, "vide") || TypeIs(b, hdlr->Body() + 8, "soun"))
            continue;
        const auto minf = Child(b, *mdia, "minf");
        const auto stbl = minf ? Child(b, *minf, "stbl") : std::nullopt;
        const auto stco = stbl ? Child(b, *stbl, "stco") : std::nullopt;
        if (!stco)
            continue;
        const uint32_t count = Be32(b, stco->Body() + 4);
        for (uint32_t i = 0; i < count && stco->Body() + 12 + 4 * i <= stco->End(); ++i)
            PutBe32(b, stco->Body() + 8 + 4 * i, pastEnd);
        ++patched;
    }
    if (patched == 0)
        throw std::runtime_error("no data track in the MP4 file");
}

const char* kSmallH264 = "-c:v libx264 -preset veryfast -bf 0 -pix_fmt yuv420p ";

}  // namespace

std::string IndexPastEndAvi()
{
    const std::string good = MadeByFfmpeg(
        "index-good.avi",
        "-f lavfi -i testsrc=size=320x240:rate=25:duration=1 -f lavfi -i testsrc2=size=320x240:rate=25:duration=1 "
        "-map 0:v -map 1:v -g 25 " +
            std::string(kSmallH264));
    return PatchedCopy(good, "index-past-end.avi", PointAviIndexPastEnd);
}

std::string DataTrackPastEndMp4()
{
    const std::string good = MadeByFfmpeg("data-good.mp4",
                                          "-f lavfi -i testsrc=size=320x240:rate=5:duration=4 -g 5 " +
                                              std::string(kSmallH264) + "-timecode 00:00:00:00");
    return PatchedCopy(good, "data-past-end.mp4", PointMp4DataChunksPastEnd);
}

}  // namespace testmedia
