// The offscreen application and the prepared viewer resources (staged
// application folder, per-user folders in a temporary directory) shared by
// the display panel tests.
#pragma once

class CKestrelApp;

namespace paneltest {

// The prepared application object, or null when preparing failed.
CKestrelApp* App();

}  // namespace paneltest
