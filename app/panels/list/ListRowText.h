// Texts of one row of the recording list, worked out from a record's
// fields: start date and time of day in local time, the channel numbers
// and the name of the recording type.
#pragma once

#include "kestrel/KestrelTypes.h"

#include <QString>
#include <QStringList>

#include <cstdint>

namespace kestrel::list {

// strftime of the start time (milliseconds since 1970 UTC) in local time
// with `format`; empty when the time cannot be converted or the text would
// not fit the 128-character buffer the list uses.
QString FormatStartTime(int64_t startMs, const char* format);

// "%Y-%m-%d" and "%H:%M:%S" of the start time.
QString StartDateText(int64_t startMs);
QString StartTimeText(int64_t startMs);

// The channel numbers in order joined with "/", stopping at the first empty one.
QString JoinChannels(const CWideStringArray& channels);

// The display name of `type`; empty for a type outside the names given
// (a type outside 0..7 has no name and shows an empty cell).
QString TypeName(const QStringList& names, int32_t type);

}  // namespace kestrel::list
