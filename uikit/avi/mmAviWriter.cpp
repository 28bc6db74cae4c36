// Writes the RIFF "AVI " form directly. Packets go to disk as they arrive,
// behind a header area reserved when the first packet comes; the headers
// (whose stream lengths are only known at the end) and the "idx1" index are
// written by CloseAVI. Streams opened after the first packet may need a larger
// header than was reserved; the packet data is then moved up in place.
#include "mmAviWriter.h"

#include "AviRiff.h"

#include <kestrel/WideText.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

using namespace mmavi;

namespace {

// Chunk ids carry the stream number in two decimal digits.
constexpr size_t kMaxStreams = 100;
// Spare room in the reserved header for streams opened after the first packet.
constexpr uint64_t kHeaderSlack = 1024;
// RIFF sizes are 32 bits.
constexpr uint64_t kMaxFileSize = 0xFFFFFFFFull;

struct Stream {
    StreamKind kind = StreamKind::Meta;
    int id = 0;
    bool open = true;  // accepts packets; a closed stream keeps its data
    AVISTREAMINFOW info{};
    std::vector<uint8_t> format;
    uint32_t packets = 0;
    uint64_t bytes = 0;
    uint32_t largest = 0;
};

bool WriteAllAt(int fd, const void* data, size_t len, uint64_t pos)
{
    const auto* p = static_cast<const uint8_t*>(data);
    while (len > 0) {
        const ssize_t n = pwrite(fd, p, len, static_cast<off_t>(pos));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        p += n;
        len -= static_cast<size_t>(n);
        pos += static_cast<uint64_t>(n);
    }
    return true;
}

bool ReadAllAt(int fd, void* data, size_t len, uint64_t pos)
{
    auto* p = static_cast<uint8_t*>(data);
    while (len > 0) {
        const ssize_t n = pread(fd, p, len, static_cast<off_t>(pos));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        p += n;
        len -= static_cast<size_t>(n);
        pos += static_cast<uint64_t>(n);
    }
    return true;
}

// Moves [from, end) up by delta bytes, last block first so nothing is
// overwritten before it was copied.
bool MoveUp(int fd, uint64_t from, uint64_t end, uint64_t delta)
{
    std::vector<uint8_t> block(1 << 20);
    uint64_t hi = end;
    while (hi > from) {
        const uint64_t n = std::min<uint64_t>(block.size(), hi - from);
        hi -= n;
        if (!ReadAllAt(fd, block.data(), n, hi) || !WriteAllAt(fd, block.data(), n, hi + delta))
            return false;
    }
    return true;
}

char ChunkSuffix(StreamKind kind, int which)
{
    static const char kSuffix[3][2] = {{'d', 'c'}, {'w', 'b'}, {'t', 'x'}};
    return kSuffix[static_cast<int>(kind)][which];
}

void PutChunkHeader(std::vector<uint8_t>& out, uint32_t id, uint32_t size)
{
    PutLE32(out, id);
    PutLE32(out, size);
}

}  // namespace

struct mmAviWriter::Impl {
    int fd = -1;
    std::vector<Stream> streams;  // creation order = stream number
    std::vector<uint8_t> index;   // "idx1" body
    uint64_t dataStart = 0;       // first packet chunk; 0 until the first packet
    uint64_t moviEnd = 0;         // where the next packet chunk goes

    Stream* Find(StreamKind kind, int id)
    {
        for (auto& s : streams)
            if (s.open && s.kind == kind && s.id == id)
                return &s;
        return nullptr;
    }

    // Everything before the first packet chunk: RIFF header, "hdrl",
    // optional padding and the "movi" list header. Sizes of RIFF and "movi"
    // are filled in by Finish.
    std::vector<uint8_t> BuildHeader(uint64_t reserved) const;
    uint64_t HeaderSize() const { return BuildHeader(0).size(); }

    int OpenStream(StreamKind kind, const AVISTREAMINFOW& info, const void* format, int formatSize, int id);
    void CloseStreams(StreamKind kind, int id);
    int Write(uint32_t kind, const void* data, int size, int id, uint32_t flags);
    bool Finish();
};

std::vector<uint8_t> mmAviWriter::Impl::BuildHeader(uint64_t reserved) const
{
    const Stream* firstVideo = nullptr;
    uint32_t largest = 0;
    uint64_t totalBytes = 0;
    for (const auto& s : streams) {
        if (!firstVideo && s.kind == StreamKind::Video)
            firstVideo = &s;
        largest = std::max(largest, s.largest);
        totalBytes += s.bytes;
    }

    std::vector<uint8_t> h;
    PutChunkHeader(h, kFccRiff, 0);
    PutLE32(h, kFccAvi);
    PutChunkHeader(h, kFccList, 0);  // hdrl size patched below
    PutLE32(h, kFccHdrl);

    uint32_t usPerFrame = 0, frames = 0, width = 0, height = 0, bytesPerSec = 0;
    if (firstVideo) {
        frames = firstVideo->packets;
        const AVISTREAMINFOW& v = firstVideo->info;
        if (v.dwRate > 0)
            usPerFrame = static_cast<uint32_t>((1000000ull * v.dwScale + v.dwRate / 2) / v.dwRate);
        const uint64_t durationUs = static_cast<uint64_t>(usPerFrame) * frames;
        if (durationUs > 0)
            bytesPerSec = static_cast<uint32_t>(std::min<uint64_t>(totalBytes * 1000000ull / durationUs, 0xFFFFFFFFu));
        if (firstVideo->format.size() >= 12) {  // BITMAPINFOHEADER biWidth, biHeight
            width = GetLE32(firstVideo->format.data() + 4);
            const auto signedHeight = static_cast<int32_t>(GetLE32(firstVideo->format.data() + 8));
            height = static_cast<uint32_t>(signedHeight < 0 ? -static_cast<int64_t>(signedHeight) : signedHeight);
        }
    }
    PutChunkHeader(h, kFccAvih, kAvihSize);
    for (uint32_t v : {usPerFrame, bytesPerSec, 0u, kAvifHasIndex, frames, 0u,
                       static_cast<uint32_t>(streams.size()), largest, width, height, 0u, 0u, 0u, 0u})
        PutLE32(h, v);

    for (const auto& s : streams) {
        const size_t listAt = h.size();
        PutChunkHeader(h, kFccList, 0);
        PutLE32(h, kFccStrl);

        AVISTREAMINFOW info = s.info;
        info.dwLength = info.dwSampleSize > 0 ? static_cast<uint32_t>(s.bytes / info.dwSampleSize) : s.packets;
        info.dwSuggestedBufferSize = s.largest;
        PutChunkHeader(h, kFccStrh, sizeof info);
        const auto* raw = reinterpret_cast<const uint8_t*>(&info);
        h.insert(h.end(), raw, raw + sizeof info);

        if (!s.format.empty()) {
            PutChunkHeader(h, kFccStrf, static_cast<uint32_t>(s.format.size()));
            h.insert(h.end(), s.format.begin(), s.format.end());
            if (s.format.size() & 1)
                h.push_back(0);
        }
        SetLE32(h.data() + listAt + 4, static_cast<uint32_t>(h.size() - listAt - 8));
    }
    SetLE32(h.data() + 16, static_cast<uint32_t>(h.size() - 20));

    // Fill the reserved area up to the "movi" list header with padding.
    const uint64_t used = h.size() + 12;
    if (reserved >= used + 8) {
        const uint64_t junk = reserved - used - 8;
        PutChunkHeader(h, kFccJunk, static_cast<uint32_t>(junk));
        h.resize(h.size() + junk, 0);
    }
    PutChunkHeader(h, kFccList, 0);
    PutLE32(h, kFccMovi);
    return h;
}

int mmAviWriter::Impl::OpenStream(StreamKind kind, const AVISTREAMINFOW& info, const void* format, int formatSize,
                                  int id)
{
    if (fd < 0)
        return -2;
    if (Find(kind, id))
        return -3;
    if (streams.size() >= kMaxStreams)
        return -4;
    if (formatSize < 0 || (formatSize > 0 && !format) || (formatSize == 0 && kind != StreamKind::Meta))
        return -5;
    Stream s;
    s.kind = kind;
    s.id = id;
    s.info = info;
    if (formatSize == 0) {  // meta streams: a 4-byte format at the pointer
        if (!format)
            return -5;
        formatSize = 4;
    }
    const auto* f = static_cast<const uint8_t*>(format);
    s.format.assign(f, f + formatSize);
    streams.push_back(std::move(s));
    return 0;
}

void mmAviWriter::Impl::CloseStreams(StreamKind kind, int id)
{
    for (auto& s : streams)
        if (s.kind == kind && (id < 0 || s.id == id))
            s.open = false;
}

int mmAviWriter::Impl::Write(uint32_t fccKind, const void* data, int size, int id, uint32_t flags)
{
    Stream* s = fd >= 0 ? Find(KindOf(fccKind), id) : nullptr;
    if (!s)
        return -2;
    if (size < 0 || (size > 0 && !data))
        return -3;
    if (dataStart == 0)
        dataStart = moviEnd = HeaderSize() + kHeaderSlack;

    const uint64_t padded = Padded(static_cast<uint64_t>(size));
    const uint64_t indexEnd = 8 + index.size() + kIndexEntrySize;
    if (moviEnd + 8 + padded + indexEnd > kMaxFileSize)
        return -3;

    const auto number = static_cast<int>(s - streams.data());
    const uint32_t ckid = MakeFourCC(static_cast<char>('0' + number / 10), static_cast<char>('0' + number % 10),
                                     ChunkSuffix(s->kind, 0), ChunkSuffix(s->kind, 1));
    uint8_t head[8];
    SetLE32(head, ckid);
    SetLE32(head + 4, static_cast<uint32_t>(size));
    const uint8_t pad = 0;
    if (!WriteAllAt(fd, head, sizeof head, moviEnd) || !WriteAllAt(fd, data, static_cast<size_t>(size), moviEnd + 8) ||
        ((size & 1) && !WriteAllAt(fd, &pad, 1, moviEnd + 8 + static_cast<uint64_t>(size))))
        return -3;  // moviEnd stays, so the next packet overwrites the remains

    const uint64_t moviTypePos = dataStart - 4;
    for (uint32_t v : {ckid, flags, static_cast<uint32_t>(moviEnd - moviTypePos), static_cast<uint32_t>(size)})
        PutLE32(index, v);
    moviEnd += 8 + padded;
    s->packets += 1;
    s->bytes += static_cast<uint64_t>(size);
    s->largest = std::max(s->largest, static_cast<uint32_t>(size));
    return 0;
}

// Writes the index and the headers; false when any part of the file could
// not be written, so a truncated file is never reported as complete.
bool mmAviWriter::Impl::Finish()
{
    const uint64_t needed = HeaderSize();
    if (dataStart == 0) {
        dataStart = moviEnd = needed;
    } else if (dataStart != needed && dataStart < needed + 8) {
        // Streams opened late outgrew the reserved header: move the data up.
        const uint64_t target = dataStart < needed ? needed : needed + 8;
        const uint64_t delta = target - dataStart;
        if (moviEnd + delta + 8 + index.size() > kMaxFileSize || !MoveUp(fd, dataStart, moviEnd, delta))
            return false;
        dataStart += delta;
        moviEnd += delta;
    }

    std::vector<uint8_t> idx1;
    PutChunkHeader(idx1, kFccIdx1, static_cast<uint32_t>(index.size()));
    idx1.insert(idx1.end(), index.begin(), index.end());
    const uint64_t fileEnd = moviEnd + idx1.size();
    if (fileEnd > kMaxFileSize || !WriteAllAt(fd, idx1.data(), idx1.size(), moviEnd))
        return false;

    std::vector<uint8_t> header = BuildHeader(dataStart);
    if (header.size() != dataStart)
        return false;
    SetLE32(header.data() + 4, static_cast<uint32_t>(fileEnd - 8));
    SetLE32(header.data() + header.size() - 8, static_cast<uint32_t>(moviEnd - (dataStart - 4)));
    if (!WriteAllAt(fd, header.data(), header.size(), 0))
        return false;

    struct stat st {};
    if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
        // Drop the remains of packets whose write failed past the index, and
        // make sure the data really reached the disk.
        if (ftruncate(fd, static_cast<off_t>(fileEnd)) != 0 || fsync(fd) != 0)
            return false;
    }
    return true;
}

mmAviWriter::mmAviWriter() : m_impl(new Impl) {}

mmAviWriter::~mmAviWriter()
{
    CloseAVI();
    delete m_impl;
}

int mmAviWriter::OpenAVI(const std::wstring& path)
{
    CloseAVI();
    m_impl->fd = open(kestrel::ToUtf8(path).c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    return m_impl->fd >= 0 ? 0 : -1;
}

int mmAviWriter::CloseAVI()
{
    Impl& d = *m_impl;
    if (d.fd < 0)
        return 0;
    bool ok = d.Finish();
    if (close(d.fd) != 0)
        ok = false;
    d.fd = -1;
    d.streams.clear();
    d.index.clear();
    d.dataStart = d.moviEnd = 0;
    return ok ? 0 : -1;
}

int mmAviWriter::OpenAVIVideoStream(AVISTREAMINFOW info, const void* format, int formatSize, int streamId)
{
    return m_impl->OpenStream(StreamKind::Video, info, format, formatSize, streamId);
}

int mmAviWriter::OpenAVIAudioStream(AVISTREAMINFOW info, const void* format, int formatSize, int streamId)
{
    return m_impl->OpenStream(StreamKind::Audio, info, format, formatSize, streamId);
}

int mmAviWriter::OpenAVIMetaStream(AVISTREAMINFOW info, const void* format, int formatSize, int streamId)
{
    return m_impl->OpenStream(StreamKind::Meta, info, format, formatSize, streamId);
}

void mmAviWriter::CloseAVIVideoStream(int streamId)
{
    m_impl->CloseStreams(StreamKind::Video, streamId);
}

void mmAviWriter::CloseAVIAudioStream(int streamId)
{
    m_impl->CloseStreams(StreamKind::Audio, streamId);
}

void mmAviWriter::CloseAVIMetaStream(int streamId)
{
    m_impl->CloseStreams(StreamKind::Meta, streamId);
}

int mmAviWriter::WritePacket(uint32_t kind, const void* data, int size, int streamId, uint32_t flags)
{
    return m_impl->Write(kind, data, size, streamId, flags);
}
