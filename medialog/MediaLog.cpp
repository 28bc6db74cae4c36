#include "medialog/MediaLog.h"

#include "kestrel/Trace.h"

extern "C" {
#include <libavutil/log.h>
}

namespace kestrel {

void QuietMediaLibraryUnlessTracing()
{
    av_log_set_level(TraceEnabled() ? AV_LOG_INFO : AV_LOG_QUIET);
}

}  // namespace kestrel
