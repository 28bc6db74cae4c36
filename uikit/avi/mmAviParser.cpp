// Reads AVI files through their "idx1" index with plain file reads. Every
// chunk size is checked against the end of its enclosing list, the RIFF end
// and the file size, so damaged files fail to open instead of being trusted.
#include "mmAviParser.h"

#include "AviRiff.h"

#include <kestrel/WideText.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <memory>

using namespace mmavi;

namespace {

constexpr size_t kMiB = 1048576;
constexpr size_t kHeadProbe = 200;      // bytes searched for the RIFF header
constexpr size_t kRiffSearchEnd = 184;  // "RIFF" may start at offsets 0..183

struct Chunk {
    int64_t pos = 0;      // position of the chunk id
    uint32_t id = 0;
    uint32_t size = 0;
    int64_t DataPos() const { return pos + 8; }
    int64_t DataEnd() const { return DataPos() + size; }
    int64_t End() const { return DataPos() + static_cast<int64_t>(Padded(size)); }
};

}  // namespace

struct mmAviParser::Impl {
    FILE* file = nullptr;
    int64_t fileSize = 0;
    int64_t riffEnd = 0;  // already limited to the file size
    int64_t moviPos = 0;  // position of the "movi" list type
    int64_t indexBase = 0;
    std::unique_ptr<uint8_t[]> buffer;
    size_t bufferSize = 0;
    std::vector<uint8_t> index;
    std::vector<_TAG_STREAM_HEADER> headers;
    std::vector<_TAG_STREAM_ID> ids;

    bool ReadAt(int64_t pos, void* dst, size_t len) const
    {
        if (pos < 0 || fseeko(file, pos, SEEK_SET) != 0)
            return false;
        return std::fread(dst, 1, len, file) == len;
    }

    // Reads the chunk header at pos; its body must end within limit.
    bool ReadChunk(int64_t pos, int64_t limit, Chunk* c) const
    {
        uint8_t h[8];
        if (pos + 8 > limit || !ReadAt(pos, h, sizeof h))
            return false;
        c->pos = pos;
        c->id = GetLE32(h);
        c->size = GetLE32(h + 4);
        return c->DataEnd() <= limit;
    }

    // List type of a "LIST" chunk, 0 for any other chunk.
    uint32_t ListType(const Chunk& c) const
    {
        uint8_t t[4];
        if (c.id != kFccList || c.size < 4 || !ReadAt(c.DataPos(), t, 4))
            return 0;
        return GetLE32(t);
    }

    bool ReadBody(const Chunk& c, std::vector<uint8_t>* out) const
    {
        out->resize(c.size);
        return c.size == 0 || ReadAt(c.DataPos(), out->data(), c.size);
    }

    bool ParseStreamList(const Chunk& strl);
    bool ParseHeaderList(const Chunk& hdrl);
    int Open();
    void Close();

    const _TAG_STREAM_HEADER* FindOfKind(StreamKind kind, int n) const
    {
        if (!file || n < 0)
            return nullptr;
        for (size_t i = 0; i < ids.size(); ++i)
            if (KindOf(ids[i].fccType) == kind && ids[i].nKindIndex == n)
                return &headers[i];
        return nullptr;
    }

    int CountOfKind(StreamKind kind) const
    {
        if (!file)
            return -1;
        return static_cast<int>(std::count_if(ids.begin(), ids.end(),
                                               [kind](const _TAG_STREAM_ID& id) { return KindOf(id.fccType) == kind; }));
    }
};

// A stream list starts with "strh"; a "strf" right after it is the format.
// Further chunks of the list (names, super indexes) are not needed here.
bool mmAviParser::Impl::ParseStreamList(const Chunk& strl)
{
    const int64_t end = strl.DataEnd();
    Chunk strh;
    if (!ReadChunk(strl.DataPos() + 4, end, &strh) || strh.id != kFccStrh)
        return false;
    _TAG_STREAM_HEADER header;
    header.nStream = static_cast<int>(headers.size());
    if (!ReadBody(strh, &header.header))
        return false;
    Chunk strf;
    if (ReadChunk(strh.End(), end, &strf) && strf.id == kFccStrf && !ReadBody(strf, &header.format))
        return false;

    _TAG_STREAM_ID id;
    id.fccType = header.header.size() >= 4 ? GetLE32(header.header.data()) : 0;
    const StreamKind kind = KindOf(id.fccType);
    id.nKindIndex = static_cast<int>(std::count_if(
        ids.begin(), ids.end(), [kind](const _TAG_STREAM_ID& other) { return KindOf(other.fccType) == kind; }));
    headers.push_back(std::move(header));
    ids.push_back(id);
    return true;
}

// "hdrl" holds "avih" first, then a "strl" list per stream; anything else in
// it (padding, extended header lists) is skipped.
bool mmAviParser::Impl::ParseHeaderList(const Chunk& hdrl)
{
    const int64_t end = hdrl.DataEnd();
    Chunk c;
    if (!ReadChunk(hdrl.DataPos() + 4, end, &c) || c.id != kFccAvih)
        return false;
    for (int64_t pos = c.End(); pos + 8 <= end; pos = c.End()) {
        if (!ReadChunk(pos, end, &c))
            return false;
        if (ListType(c) == kFccStrl && !ParseStreamList(c))
            return false;
    }
    return true;
}

int mmAviParser::Impl::Open()
{
    if (fseeko(file, 0, SEEK_END) != 0 || (fileSize = ftello(file)) < 0)
        return -1;

    uint8_t head[kHeadProbe];
    if (!ReadAt(0, head, sizeof head))
        return -1;
    int64_t riffPos = -1;
    for (size_t off = 0; off < kRiffSearchEnd; ++off) {
        if (GetLE32(head + off) == kFccRiff && GetLE32(head + off + 8) == kFccAvi) {
            riffPos = static_cast<int64_t>(off);
            break;
        }
    }
    if (riffPos < 0)
        return -1;
    riffEnd = std::min<int64_t>(riffPos + 8 + GetLE32(head + riffPos + 4), fileSize);

    Chunk hdrl;
    if (!ReadChunk(riffPos + 12, riffEnd, &hdrl) || ListType(hdrl) != kFccHdrl || !ParseHeaderList(hdrl))
        return -1;

    // Padding and other lists may sit between the header list and "movi".
    Chunk movi;
    for (int64_t pos = hdrl.End();; pos = movi.End()) {
        if (!ReadChunk(pos, riffEnd, &movi))
            return -1;
        const uint32_t type = ListType(movi);
        if (type == kFccMovi)
            break;
        if (movi.id != kFccJunk && movi.id != kFccList)
            return -1;
    }
    moviPos = movi.DataPos();

    bool haveIndex = false;
    Chunk c;
    for (int64_t pos = movi.pos; ReadChunk(pos, riffEnd, &c); pos = c.End()) {
        if (c.id == kFccIdx1) {
            c.size -= c.size % kIndexEntrySize;
            haveIndex = ReadBody(c, &index);
            break;
        }
        if (c.id != kFccList && c.id != kFccJunk)
            break;
    }
    if (!haveIndex)
        return -1;

    // Offsets count from the "movi" type unless the first one already lies
    // at or past it, in which case they are file positions.
    indexBase = moviPos;
    if (!index.empty() && GetLE32(index.data() + 8) >= moviPos)
        indexBase = 0;
    return 0;
}

void mmAviParser::Impl::Close()
{
    if (file)
        std::fclose(file);
    file = nullptr;
    fileSize = riffEnd = moviPos = indexBase = 0;
    index.clear();
    headers.clear();
    ids.clear();
}

mmAviParser::mmAviParser() : m_impl(new Impl)
{
    m_impl->buffer.reset(new uint8_t[kMiB]);
    m_impl->bufferSize = kMiB;
}

mmAviParser::~mmAviParser()
{
    CloseAVI();
    delete m_impl;
}

int mmAviParser::OpenAVI(const std::wstring& path)
{
    CloseAVI();
    FILE* f = std::fopen(kestrel::ToUtf8(path).c_str(), "rbe");
    if (!f)
        return kAviErrFileOpen;
    return OpenAVI(f);
}

int mmAviParser::OpenAVI(FILE* stream)
{
    CloseAVI();
    if (!stream)
        return kAviErrFileOpen;
    m_impl->file = stream;
    if (m_impl->Open() != 0) {
        m_impl->Close();
        return -1;
    }
    return 0;
}

void mmAviParser::CloseAVI()
{
    m_impl->Close();
}

int mmAviParser::GetAVIVideoStreamCount() const
{
    return m_impl->CountOfKind(StreamKind::Video);
}

int mmAviParser::GetAVIAudioStreamCount() const
{
    return m_impl->CountOfKind(StreamKind::Audio);
}

int mmAviParser::GetAVIMetaStreamCount() const
{
    return m_impl->CountOfKind(StreamKind::Meta);
}

namespace {

// Copies the stream header bytes the file holds; a short header leaves the
// rest of the record zero rather than whatever the caller had there.
int CopyStreamInfo(const _TAG_STREAM_HEADER* h, AVISTREAMINFOW* info)
{
    if (!h || !info)
        return -1;
    std::memset(info, 0, sizeof *info);
    if (!h->header.empty())
        std::memcpy(info, h->header.data(), std::min(h->header.size(), sizeof *info));
    return h->nStream;
}

int CopyFormat(const _TAG_STREAM_HEADER* h, void* buffer, int bufferSize, int* size)
{
    if (!h || !size || bufferSize < 0 || (!buffer && bufferSize > 0))
        return -1;
    if (bufferSize > 0)
        std::memset(buffer, 0, static_cast<size_t>(bufferSize));
    if (h->format.empty()) {
        *size = 0;
        return -2;
    }
    const size_t n = std::min(h->format.size(), static_cast<size_t>(bufferSize));
    if (n > 0)
        std::memcpy(buffer, h->format.data(), n);
    *size = static_cast<int>(n);
    return h->nStream;
}

}  // namespace

int mmAviParser::GetAVIVideoStreamInfo(AVISTREAMINFOW* info, int n) const
{
    return CopyStreamInfo(m_impl->FindOfKind(StreamKind::Video, n), info);
}

int mmAviParser::GetAVIAudioStreamInfo(AVISTREAMINFOW* info, int n) const
{
    return CopyStreamInfo(m_impl->FindOfKind(StreamKind::Audio, n), info);
}

int mmAviParser::GetAVIMetaStreamInfo(AVISTREAMINFOW* info, int n) const
{
    return CopyStreamInfo(m_impl->FindOfKind(StreamKind::Meta, n), info);
}

int mmAviParser::GetAVIVideoFormat(void* buffer, int bufferSize, int* size, int n) const
{
    return CopyFormat(m_impl->FindOfKind(StreamKind::Video, n), buffer, bufferSize, size);
}

int mmAviParser::GetAVIAudioFormat(void* buffer, int bufferSize, int* size, int n) const
{
    return CopyFormat(m_impl->FindOfKind(StreamKind::Audio, n), buffer, bufferSize, size);
}

int mmAviParser::GetAVIMetaFormat(void* buffer, int bufferSize, int* size, int n) const
{
    const _TAG_STREAM_HEADER* h = nullptr;
    if (m_impl->file && n >= 0 && static_cast<size_t>(n) < m_impl->headers.size())
        h = &m_impl->headers[static_cast<size_t>(n)];
    return CopyFormat(h, buffer, bufferSize, size);
}

int mmAviParser::GetAVIReadData(int n, _TAG_AVI_PACKET_INFO* packet)
{
    Impl& d = *m_impl;
    if (!d.file || !packet || n < 0 || static_cast<size_t>(n) >= d.index.size() / kIndexEntrySize)
        return -1;
    const uint8_t* e = d.index.data() + static_cast<size_t>(n) * kIndexEntrySize;
    const uint32_t ckid = GetLE32(e);
    const uint32_t flags = GetLE32(e + 4);
    const uint32_t offset = GetLE32(e + 8);
    const uint32_t length = GetLE32(e + 12);

    // The first two characters of the chunk id are the stream number.
    const int c0 = static_cast<int>(ckid & 0xFF) - '0';
    const int c1 = static_cast<int>((ckid >> 8) & 0xFF) - '0';
    if (c0 < 0 || c0 > 9 || c1 < 0 || c1 > 9)
        return -1;
    const size_t stream = static_cast<size_t>(c0 * 10 + c1);
    if (stream >= d.ids.size())
        return -1;

    const int64_t pos = d.indexBase + offset + 8;
    if (length > static_cast<uint32_t>(INT_MAX) || pos + static_cast<int64_t>(length) > d.fileSize)
        return -1;
    if (d.bufferSize < length) {
        const size_t grown = (d.bufferSize + length + kMiB - 1) / kMiB * kMiB;
        d.buffer.reset(new uint8_t[grown]);
        d.bufferSize = grown;
    }
    if (length > 0 && !d.ReadAt(pos, d.buffer.get(), length))
        return -1;

    packet->fccType = d.ids[stream].fccType;
    packet->nKindIndex = d.ids[stream].nKindIndex;
    packet->nStream = static_cast<int>(stream);
    packet->pData = d.buffer.get();
    packet->nLength = static_cast<int>(length);
    packet->dwFlags = flags;
    return 0;
}

int mmAviParser::GetAVIIndexCount() const
{
    return m_impl->file ? static_cast<int>(m_impl->index.size() / kIndexEntrySize) : 0;
}

size_t mmAviParser::GetReadBufferSize() const
{
    return m_impl->bufferSize;
}
