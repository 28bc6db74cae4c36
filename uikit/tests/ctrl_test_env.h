#pragma once
// Shared helpers of the control tests: a parent window that records the
// messages its controls send, and small solid-colour images.
#include "controls/CMsgTarget.h"

#include <QColor>
#include <QImage>
#include <QWidget>
#include <vector>

struct CtrlMsg {
    uint32_t msg;
    uintptr_t wParam;
    intptr_t lParam;
    bool operator==(const CtrlMsg&) const = default;
};

class CtrlRecorder : public QWidget, public CMsgTarget {
public:
    CtrlRecorder() { resize(900, 700); }
    intptr_t SendMsg(uint32_t msg, uintptr_t wParam, intptr_t lParam) override {
        log.push_back({msg, wParam, lParam});
        return 0;
    }
    std::vector<CtrlMsg> log;
};

QImage CtrlSolid(int w, int h, QColor c);
// `frames` frames of fw x fh side by side, frame i filled with CtrlFrameColour(i).
QImage CtrlStrip(int frames, int fw, int fh);
QColor CtrlFrameColour(int i);
// Shows a top-level window and waits until it is exposed.
void CtrlShow(QWidget* w);
// Clicks at `pt` of `w` the way the window system would: the deepest child
// widget under the point receives the press and release.
void CtrlClickAt(QWidget* w, QPoint pt);
// Tells `w` the pointer left it (a shown window may appear under the pointer).
void CtrlLeave(QWidget* w);
// The colour at a point of an image as opaque RGB (alpha kept).
QColor CtrlPixel(const QImage& img, int x, int y);
