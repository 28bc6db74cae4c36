// The converted picture of one display. The engine's thread converts YUV
// 4:2:0 planes into a work image with a cached scaler; a short lock then
// swaps it with the picture the UI thread paints, so a paint never holds up
// a conversion for longer than the swap.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>

#include <QImage>

struct SwsContext;

class PictureBuffer {
public:
    PictureBuffer() = default;
    ~PictureBuffer();
    PictureBuffer(const PictureBuffer&) = delete;
    PictureBuffer& operator=(const PictureBuffer&) = delete;

    // Converts one picture to RGB32; 0, or -1 on bad input or no scaler
    // (the latter also marks the buffer failed).
    int Convert(uint8_t* const data[8], const int linesize[8], int width, int height);
    // 0..100 each, neutral 50; used from the next conversion on.
    void SetAdjustments(int brightness, int contrast);

    // The picture to paint (a shared copy); null after Clear or before the
    // first picture.
    QImage Front() const;
    void Clear();

    bool Failed() const { return m_failed.load(); }
    // Drops the scaler and the work image; the next conversion starts anew.
    void Recover();

private:
    void ApplyAdjustments();

    std::mutex m_convertLock;  // one conversion at a time; guards the fields below
    SwsContext* m_sws = nullptr;
    QImage m_work;
    int m_appliedBrightness = -1;
    int m_appliedContrast = -1;
    bool m_adjustDirty = true;

    mutable std::mutex m_frontLock;
    QImage m_front;

    std::atomic<int> m_brightness{50};
    std::atomic<int> m_contrast{50};
    std::atomic<bool> m_failed{false};
};
