// Record types shared by the viewer, the playback engine and the recording
// plug-in. All deliverables are built against this one declaration so that the
// layouts agree across the plug-in boundary.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Base of the shared record classes: a virtual destructor and a serialisation
// hook that does nothing, so records can be handled polymorphically.
class CKObject {
public:
    virtual ~CKObject() = default;
    virtual void Serialize() {}
};

// One time-stamped sample: a G-sensor reading (X, Y, Z in g) or a GPS fix.
class CUserDataInfo : public CKObject {
public:
    int64_t m_tTime = 0;     // whole seconds since 1970 UTC
    int32_t m_nMilli = 0;    // millisecond part, 0..999
    int64_t m_tTimeMs = 0;   // milliseconds since 1970 UTC
    double m_dX = 0.0;
    double m_dY = 0.0;
    double m_dZ = 0.0;
    char16_t m_cStatus = u'A';  // 'A' valid fix, 'V' invalid
    char16_t m_cNS = 0;         // 'N' or 'S'
    char16_t m_cEW = 0;         // 'E' or 'W'
    double m_dLatRaw = 0.0;     // ddmm.mmmm as written, unsigned
    double m_dLonRaw = 0.0;     // dddmm.mmmm as written, unsigned
    double m_dSpeed = 0.0;      // knots, as written
    double m_dLat = 0.0;        // signed decimal degrees, south negative
    double m_dLon = 0.0;        // signed decimal degrees, west negative
    int32_t m_nReserved[2] = {0, 0};

    // Sets the three time fields from one millisecond time.
    void SetTimeMs(int64_t ms)
    {
        m_tTimeMs = ms;
        m_tTime = ms / 1000;
        m_nMilli = static_cast<int32_t>(ms % 1000);
    }
};

using CUserDataArray = std::vector<CUserDataInfo*>;
using CWideStringArray = std::vector<std::wstring>;

// One recording: a set of channel files of one moment, with its samples.
class CRecFileInfo : public CKObject {
public:
    CUserDataArray m_arrGSensor;      // owned
    CUserDataArray m_arrGps;          // owned
    int64_t m_tStart = 0;             // ms since 1970 UTC
    int64_t m_tEnd = 0;               // ms since 1970 UTC; 0 when never opened
    CWideStringArray m_arrFilePath;   // per channel: file holding its video
    CWideStringArray m_arrFileName;   // per channel: name without folder
    CWideStringArray m_arrDataPathA;  // [0]: file the MP4 reader takes user data from
    CWideStringArray m_arrDataPathB;  // [0]: file the AVI reader takes user data from
    CWideStringArray m_arrChannel;    // per channel: channel number as text
    CWideStringArray m_arrJpegPath;
    CWideStringArray m_arrPreviewPath;
    int32_t m_nRecType = 0;           // 0..7

    CRecFileInfo() { Reset(); }
    ~CRecFileInfo() override
    {
        ClearGps();
        ClearGSensor();
    }
    CRecFileInfo(const CRecFileInfo&) = delete;
    CRecFileInfo& operator=(const CRecFileInfo&) = delete;

    // Empties the string lists and the times; samples and type are kept.
    void Reset()
    {
        m_arrFilePath.clear();
        m_arrFileName.clear();
        m_arrDataPathA.clear();
        m_arrDataPathB.clear();
        m_arrChannel.clear();
        m_arrJpegPath.clear();
        m_arrPreviewPath.clear();
        m_tStart = 0;
        m_tEnd = 0;
    }

    int64_t GetStartTime() const { return m_tStart; }
    void SetStartTime(int64_t t) { m_tStart = t; }
    int64_t GetEndTime() const { return m_tEnd; }
    void SetEndTime(int64_t t) { m_tEnd = t; }
    int32_t GetRecType() const { return m_nRecType; }
    void SetRecType(int32_t t) { m_nRecType = t; }

    void AddFilePath(const std::wstring& s) { m_arrFilePath.push_back(s); }
    void AddFileName(const std::wstring& s) { m_arrFileName.push_back(s); }
    void AddDataPathA(const std::wstring& s) { m_arrDataPathA.push_back(s); }
    void AddDataPathB(const std::wstring& s) { m_arrDataPathB.push_back(s); }
    void AddChannel(const std::wstring& s) { m_arrChannel.push_back(s); }

    std::wstring GetDataPathB() const
    {
        return m_arrDataPathB.empty() ? std::wstring() : m_arrDataPathB.front();
    }

    int GetChannelCount() const { return static_cast<int>(m_arrFilePath.size()); }

    void ClearGps() { ClearSamples(m_arrGps); }
    void ClearGSensor() { ClearSamples(m_arrGSensor); }

private:
    static void ClearSamples(CUserDataArray& list)
    {
        for (CUserDataInfo* s : list)
            delete s;
        list.clear();
    }
};

// Progress reports of the plug-in while it loads (code 0 once per found file),
// and the playback engine's callback. Both get the user pointer back last.
typedef void (*ProgressCallback)(uint32_t code, uint32_t param, void* p, void* user);
typedef void (*PlaybackCallback)(uint32_t code, uint32_t param, void* info, void* user);

// Playback callback codes.
enum : uint32_t {
    PB_CB_VIDEO_FRAME = 0x100,
    PB_CB_AUDIO_FRAME = 0x101,
    PB_CB_AUDIO_RESET = 0x102,
    PB_CB_AUDIO_STOP = 0x103,
    PB_CB_END = 0x110,
    PB_CB_OPEN_FAILED = 0x111,
};

// The plug-in's description record: a fixed 3400-byte block whose text slots
// are UTF-16 so that its offsets match what every viewer expects.
#pragma pack(push, 4)
struct _PLUGIN_INFO {
    char16_t szName[260];        // 0
    char16_t szMaker[260];       // 520
    char16_t szTitle[260];       // 1040
    char16_t szTitle2[260];      // 1560
    char16_t szVersion[260];     // 2080
    char16_t szWebAddress[260];  // 2600
    int32_t nReserved0;          // 3120
    int32_t bSkinResources;      // 3124
    int32_t nReserved1;          // 3128
    int32_t bTexts;              // 3132
    int32_t nMainOption1;        // 3136
    int32_t bManualFile;         // 3140
    int32_t bVideoExtChannel;    // 3144
    int32_t nVideoExtChannel;    // 3148
    int32_t nMainOption2;        // 3152
    int32_t nAudioLevel;         // 3156
    uint16_t wStepPlaying;       // 3160
    uint16_t wStepPaused;        // 3162
    int32_t nBackupMode;         // 3164
    int32_t nGSensorOffsetX;     // 3168
    int32_t nGSensorOffsetY;     // 3172
    int32_t nGSensorOffsetZ;     // 3176
    uint8_t reserved2[3392 - 3180];
    int32_t hListImage;          // 3392
    int32_t nReserved3;          // 3396
};
#pragma pack(pop)

static_assert(sizeof(_PLUGIN_INFO) == 3400, "_PLUGIN_INFO must stay 3400 bytes");
static_assert(offsetof(_PLUGIN_INFO, szMaker) == 520);
static_assert(offsetof(_PLUGIN_INFO, szTitle) == 1040);
static_assert(offsetof(_PLUGIN_INFO, szTitle2) == 1560);
static_assert(offsetof(_PLUGIN_INFO, szVersion) == 2080);
static_assert(offsetof(_PLUGIN_INFO, szWebAddress) == 2600);
static_assert(offsetof(_PLUGIN_INFO, bSkinResources) == 3124);
static_assert(offsetof(_PLUGIN_INFO, bTexts) == 3132);
static_assert(offsetof(_PLUGIN_INFO, nMainOption1) == 3136);
static_assert(offsetof(_PLUGIN_INFO, bManualFile) == 3140);
static_assert(offsetof(_PLUGIN_INFO, bVideoExtChannel) == 3144);
static_assert(offsetof(_PLUGIN_INFO, nVideoExtChannel) == 3148);
static_assert(offsetof(_PLUGIN_INFO, nMainOption2) == 3152);
static_assert(offsetof(_PLUGIN_INFO, nAudioLevel) == 3156);
static_assert(offsetof(_PLUGIN_INFO, wStepPlaying) == 3160);
static_assert(offsetof(_PLUGIN_INFO, wStepPaused) == 3162);
static_assert(offsetof(_PLUGIN_INFO, nBackupMode) == 3164);
static_assert(offsetof(_PLUGIN_INFO, nGSensorOffsetX) == 3168);
static_assert(offsetof(_PLUGIN_INFO, nGSensorOffsetY) == 3172);
static_assert(offsetof(_PLUGIN_INFO, nGSensorOffsetZ) == 3176);
static_assert(offsetof(_PLUGIN_INFO, hListImage) == 3392);

// Stream information of one channel, filled by the playback engine.
struct _TAG_STREAM_INFO {
    double dDuration = 0.0;  // seconds; the only member the engine writes
    int64_t nLength = 0;     // filled by the viewer from the record's times
};

// One decoded picture (planar YUV 4:2:0) or one 16-bit mono sound buffer,
// owned by the engine and valid only during the callback that hands it out.
struct _TAG_DEC_INFO {
    int nType = 0;             // 0 picture, 1 sound
    uint8_t* pBuffer = nullptr;
    int nBufferSize = 0;
    double dTime = 0.0;        // presentation time, seconds
    uint8_t* data[8] = {};
    int linesize[8] = {};
    int nPixelFormat = 0;      // 0: planar YUV 4:2:0
    int nWidth = 0;
    int nHeight = 0;
    int nChannel = 0;
    int nAudioChannels = 0;
    int nBitsPerSample = 0;
    int nSampleRate = 0;

    // The sound bytes of this frame: data[0] holds linesize[0] of them. The
    // buffer is reused across frames and may be larger, so its size is not
    // the frame's.
    int SoundBytes() const
    {
        const int filled = linesize[0] < nBufferSize ? linesize[0] : nBufferSize;
        return filled > 0 ? filled : 0;
    }
};
