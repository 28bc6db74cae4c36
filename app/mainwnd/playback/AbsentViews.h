// Stand-ins for the views a window does not have: each does nothing and
// answers "nothing there" (no row, position 0, unchecked, no display, map
// not ready). The flow fills the null roles of its PlayViews with them once,
// so it never checks a role for null.
#pragma once

#include "views/PlayViews.h"

namespace kestrel::playflow {

// `views` with every null role replaced by its stand-in.
views::PlayViews WithStandIns(const views::PlayViews& views);

}  // namespace kestrel::playflow
