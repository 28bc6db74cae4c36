// Recording identity from a file name: the start time and recording type
// that the date, time and type letters in a camera's file name encode.
#pragma once

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>

namespace recplugin {

enum class NameKind { Avi, Mp4 };

struct NameIdentity {
    int64_t startMs = 0;  // local start time as ms since 1970 UTC
    int32_t recType = 0;  // 0..7
};

// 1 for a separator ('-', '_'), 0 for a digit, -1 for any other character.
int ClassifyNameChar(char16_t c);

// The part of a file name that carries the identity: the name without its
// four-character extension and, for channel files ("ch0_..."), without the
// four-character channel prefix. Empty when the name is too short.
std::wstring NameStem(const std::wstring& fileName, bool channelFile);

// Applies the name rules to a stem. `now` is the current time; candidate
// dates later than its local year are refused. No value: the name makes no
// record.
std::optional<NameIdentity> ParseNameStem(const std::wstring& stem, NameKind kind, time_t now);

// Recording type from the letters of a name (already upper-cased).
int32_t AviTypeFromLetters(const std::wstring& upperLetters);
int32_t Mp4TypeFromLetters(const std::wstring& upperLetters);

}  // namespace recplugin
