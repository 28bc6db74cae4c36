// The offscreen application and the prepared viewer resources (staged
// application folder, per-user folders in a temporary directory) shared by
// the display panel tests.
#pragma once

class CUIResources;

namespace paneltest {

// The look-ups of the prepared application object, or null when preparing
// failed.
const CUIResources* Res();

}  // namespace paneltest
