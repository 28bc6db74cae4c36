// What the main window hands to the desktop: the manual, the external set-up
// program.
#pragma once

#include <QString>

namespace kestrel::mainwnd {

// The first "*.pdf" of `folder` in name order, or an empty string.
QString FindManualIn(const QString& folder);

// Opens a document with the desktop's default application. false when the
// path is empty or the desktop refused.
bool OpenDocument(const QString& path);

// Starts `program` as a detached process of its own and waits for nothing.
// false when the path is empty or the start failed; the caller stays quiet.
bool StartDetachedProgram(const QString& program);

}  // namespace kestrel::mainwnd
