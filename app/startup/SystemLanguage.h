// The system's language as a 16-bit language identifier (primary language
// in the low 10 bits, sub-language above), the form language files carry
// in their LanguageID.
#pragma once

#include <QLocale>

namespace kestrel {

// Identifier of `locale`; languages without a known identifier give
// 0x0409 (English, United States).
quint16 LanguageIdOf(const QLocale& locale);
// Identifier of the user's locale (LC_ALL, LC_MESSAGES, LANG).
quint16 SystemLanguageId();

}  // namespace kestrel
