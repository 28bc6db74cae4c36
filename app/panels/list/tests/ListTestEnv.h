// One offscreen application for the list panel tests: per-user folders in a
// temporary home, the staged application folder's option file, skin,
// language and plug-in, and a small generated card loaded into the plug-in.
#pragma once

#include "CardGen.h"

class CKestrelApp;

namespace listtest {

// nullptr when the application folder could not be prepared.
CKestrelApp* App();
// The card the plug-in has loaded (empty when generating or loading failed).
const kestrel::cardgen::CardResult& Card();

}  // namespace listtest
