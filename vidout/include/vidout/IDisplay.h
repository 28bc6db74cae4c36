// One picture display: a child widget that shows the decoded pictures of one
// channel, scaled to the widget, with a label, logos while no picture is
// shown, flip, brightness and contrast, and a wheel zoom with a
// picture-in-picture overview.
//
// Threading: Draw may be called from any thread (the playback engine's) and
// never waits on the UI thread; every other operation belongs to the UI
// thread. Delete the display only after the engine stopped drawing into it.
#pragma once

#include <cstdint>

#include <QColor>
#include <QImage>
#include <QRect>
#include <QString>

#include "vidout/VidoutApi.h"

class QWidget;

class VIDOUT_API IDisplay {
public:
    // A new display object; `owner` is kept as the default parent of the
    // screen. Null only when the object cannot be made.
    static IDisplay* CreateDisplay(int kind, QWidget* owner);
    virtual ~IDisplay() = default;

    // Creates the display's child widget inside `owner` (the creation owner
    // when null). `screenMode` is kept but does not change the output.
    // Returns 0, or -1 when there is no owner widget or the screen exists.
    virtual int CreateScreen(QWidget* owner, int screenMode) = 0;
    // The child widget made by CreateScreen (null before).
    virtual QWidget* Widget() const = 0;

    // Logo `index` (0..2) and the choice of the logo shown while no picture
    // is shown; an index without an image shows a black panel.
    virtual void SetLogo(int index, const QImage& bitmap) = 0;
    virtual void SelectLogo(int index) = 0;

    // Forgets the picture: the panel shows the logo again. With a non-zero
    // `repaint` the widget is repainted.
    virtual void Clear(int repaint) = 0;

    // Recovery polling: a display needs recovery after a picture could not
    // be converted (no scaler for the size, no memory); Recover drops the
    // cached scaler and buffers and answers 1 when the display is usable.
    virtual int NeedsRecovery() = 0;
    virtual void MarkRecovery(int marked) = 0;
    virtual int Recover() = 0;

    // Label text drawn over the picture with the font and colour (0xRRGGBB).
    virtual void SetLabel(const QString& fontFace, int fontSize, const QString& text, uint32_t colour) = 0;
    // Label placement: horizontal 0 left, 1 centre, 2 right; vertical
    // negative top, 0 middle, positive bottom.
    virtual void SetLabelPlacement(int horizontal, int vertical) = 0;

    // A planar YUV 4:2:0 picture; the planes belong to the caller and are
    // read only during the call. `displaySetting` is accepted for the
    // caller's convenience and does not change the output. Returns 0, or -1
    // when the picture is unusable (bad size, missing plane, no scaler).
    virtual int Draw(int reserved, uint8_t* const data[8], int width, int height, int displaySetting,
                     const int linesize[8]) = 0;

    // Flip bits: bit 0 vertical, bit 1 horizontal; `mask` -1 replaces all
    // bits, otherwise only the bits set in `mask`.
    virtual void SetFlip(int flip, int mask) = 0;
    // 0..100, neutral 50; values outside are clamped.
    virtual void SetBrightness(int value) = 0;
    virtual void SetContrast(int value) = 0;
    // Overview corner while zoomed: 0 top-left, 1 bottom-right.
    virtual void SetPipPosition(int position) = 0;
    // Non-zero shows the overview while zoomed.
    virtual void SetPipShow(int show) = 0;

    // Area operation. kAreaReset (256) shows the whole picture again (zoom
    // and pan reset). A non-empty `source` zooms to that picture rectangle
    // (pixels of the picture as shown); a non-empty `target` draws the
    // picture into that widget rectangle instead of the whole widget.
    static constexpr int kAreaReset = 256;
    virtual void SetArea(int flags, const QRect& source, const QRect& target) = 0;
};
