// Placement of skin records in a window of any size. Skins are drawn for
// one reference size (the "base_window" record); every control, panel and
// background is scaled from it with the same rule, so the main window and
// the panels inside it agree on where things go.
#pragma once

#include "skin/WinPos.h"

namespace kestrel::skin {

// Uniform factor s = min(1.0, width / reference width, height / reference
// height): skins are authored at the largest window class and never grow.
// 1.0 for an empty reference.
double UniformScale(int width, int height, const KSkinRect& reference);

// The rectangle of `pos` in a client area of width x height. h_ratio picks
// the axis factors (0 uniform, 1 horizontal stretch, 3 uniform size with
// stretched margins, else both axes stretched); margins of -1 are unset;
// hc/vc centre the record (x is then an offset from the centre). Both side
// margins set stretch the record between them.
KSkinRect ScaleSkinRect(const _WIN_POS& pos, int width, int height, const KSkinRect& reference);

// The same rule for a record inside a panel: the scale factors come from
// the main window's client size (windowWidth x windowHeight), while margins
// and centring refer to the panel's own area (areaWidth x areaHeight).
// Panel records are written in panel coordinates at the reference size.
KSkinRect ScaleSkinRectWithin(const _WIN_POS& pos, int areaWidth, int areaHeight, int windowWidth,
                              int windowHeight, const KSkinRect& reference);

// A skin font size scaled by UniformScale and rounded half up.
int ScaleFontSize(int size, int width, int height, const KSkinRect& reference);

}  // namespace kestrel::skin
