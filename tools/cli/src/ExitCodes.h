// Exit codes of kestrel-cli; scripts rely on them, so they never change.
#pragma once

namespace kestrel::cli {

enum ExitCode : int {
    kExitOk = 0,
    kExitUsage = 2,          // bad command line
    kExitFolder = 3,         // folder missing or unreadable
    kExitNoRecordings = 4,   // no recordings found, or none had data to export
    kExitPlugin = 5,         // no recording plug-in (or the named one) could be loaded
    kExitWrite = 6,          // the output could not be written
};

}  // namespace kestrel::cli
