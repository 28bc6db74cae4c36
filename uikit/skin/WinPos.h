// _WIN_POS: one skin record of a window or control, read from a section of
// the skin's coordinate file (see CUICoordi). Every field is as written in
// the file except the three rectangles, which are computed from it.
#pragma once

#include <cstdint>

// A rectangle in the classic left/top/right/bottom form: right and bottom
// are exclusive edges (right = x + cx).
struct KSkinRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
};

struct KSkinPoint {
    int32_t x = 0;
    int32_t y = 0;
};

struct _WIN_POS {
    static constexpr int kColorCount = 7;  // [0] ColorText, [1..6] Color00..Color05

    KSkinPoint ptOrigin;  // copy of x, y
    KSkinRect rect;       // x, y, x + cx, y + cy
    int32_t x = 0, y = 0, cx = 0, cy = 0;
    int32_t hc = 0, vc = 0;
    int32_t s2l = -1, s2r = -1, s2t = -1, s2b = -1;
    KSkinRect rectS2{-1, -1, -1, -1};  // s2l, s2t, s2r, s2b
    int32_t dl = 0, dr = 0, dt = 0, db = 0;
    KSkinRect rectD;  // dl, dt, dr, db
    int32_t h_ratio = 0;
    int32_t type = 0;
    uint32_t color[kColorCount] = {};     // ARGB: alpha << 24 | red << 16 | green << 8 | blue
    uint32_t colorRef[kColorCount] = {};  // RGB with red in the low byte, no alpha
};
