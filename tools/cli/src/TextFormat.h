// Formatting shared by the writers: times, numbers (independent of the
// locale) and escaping for XML, JSON and CSV. Strings are UTF-8.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kestrel::cli {

// "YYYY-MM-DD HH:MM:SS" in local time; "-" when the time cannot be shown.
std::string FormatLocalTime(int64_t ms);
// "YYYY-MM-DDTHH:MM:SS.mmmZ"; "-" when the time cannot be shown.
std::string FormatUtcIso(int64_t ms);

// Fixed notation with `decimals` digits after the point ("-0" shows as "0").
std::string FormatFixed(double value, int decimals);
// The shortest text that reads back as exactly `value`, without exponent.
std::string FormatExact(double value);

constexpr double kKnotsToMetresPerSecond = 1852.0 / 3600.0;

// Escapes & < > " ' and replaces characters XML 1.0 forbids (control
// characters other than tab, line feed and carriage return, U+FFFE, U+FFFF)
// with U+FFFD.
std::string XmlEscape(std::string_view s);
// The contents of a JSON string literal (without the quotes).
std::string JsonEscape(std::string_view s);
// One CSV field: quoted when it holds a comma, quote or line break.
std::string CsvField(std::string_view s);

}  // namespace kestrel::cli
