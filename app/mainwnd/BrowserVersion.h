// Major version of the embedded web engine's browser core, which decides
// whether the map page can run. Read once, on first use: asking the engine
// starts its profile, which start-up should not pay for.
#pragma once

#include <QString>

namespace kestrel::mainwnd {

// The number after "Chrome/" in a user-agent text, 0 when there is none.
int MajorVersionFromUserAgent(const QString& userAgent);

// The engine's major version (0 when unknown). Call on the UI thread after
// the QApplication exists.
int BrowserMajorVersion();

}  // namespace kestrel::mainwnd
