#include "startup/SystemLanguage.h"

#include <QByteArray>

namespace kestrel {

namespace {

struct LanguageEntry {
    QLocale::Language language;
    quint16 primary;
};

// Primary language identifiers.
constexpr LanguageEntry kPrimary[] = {
    {QLocale::Arabic, 0x01},     {QLocale::Bulgarian, 0x02}, {QLocale::Catalan, 0x03},
    {QLocale::Chinese, 0x04},    {QLocale::Czech, 0x05},     {QLocale::Danish, 0x06},
    {QLocale::German, 0x07},     {QLocale::Greek, 0x08},     {QLocale::English, 0x09},
    {QLocale::Spanish, 0x0A},    {QLocale::Finnish, 0x0B},   {QLocale::French, 0x0C},
    {QLocale::Hebrew, 0x0D},     {QLocale::Hungarian, 0x0E}, {QLocale::Italian, 0x10},
    {QLocale::Japanese, 0x11},   {QLocale::Korean, 0x12},    {QLocale::Dutch, 0x13},
    {QLocale::NorwegianBokmal, 0x14}, {QLocale::Polish, 0x15}, {QLocale::Portuguese, 0x16},
    {QLocale::Romanian, 0x18},   {QLocale::Russian, 0x19},   {QLocale::Croatian, 0x1A},
    {QLocale::Slovak, 0x1B},     {QLocale::Swedish, 0x1D},   {QLocale::Thai, 0x1E},
    {QLocale::Turkish, 0x1F},    {QLocale::Indonesian, 0x21}, {QLocale::Ukrainian, 0x22},
    {QLocale::Slovenian, 0x24},  {QLocale::Vietnamese, 0x2A},
};

struct RegionEntry {
    QLocale::Language language;
    QLocale::Territory territory;
    quint16 id;
};

// Whole identifiers where the sub-language is not the default one.
constexpr RegionEntry kRegional[] = {
    {QLocale::English, QLocale::UnitedKingdom, 0x0809}, {QLocale::English, QLocale::Australia, 0x0C09},
    {QLocale::English, QLocale::Canada, 0x1009},        {QLocale::Chinese, QLocale::China, 0x0804},
    {QLocale::Chinese, QLocale::Taiwan, 0x0404},        {QLocale::Chinese, QLocale::HongKong, 0x0C04},
    {QLocale::German, QLocale::Austria, 0x0C07},        {QLocale::German, QLocale::Switzerland, 0x0807},
    {QLocale::French, QLocale::Canada, 0x0C0C},         {QLocale::French, QLocale::Belgium, 0x080C},
    {QLocale::Spanish, QLocale::Spain, 0x0C0A},         {QLocale::Spanish, QLocale::Mexico, 0x080A},
    {QLocale::Portuguese, QLocale::Portugal, 0x0816},   {QLocale::Dutch, QLocale::Belgium, 0x0813},
};

}  // namespace

quint16 LanguageIdOf(const QLocale& locale)
{
    for (const RegionEntry& r : kRegional)
        if (r.language == locale.language() && r.territory == locale.territory())
            return r.id;
    for (const LanguageEntry& p : kPrimary)
        if (p.language == locale.language())
            return static_cast<quint16>(0x0400 | p.primary);  // default sub-language
    return 0x0409;
}

quint16 SystemLanguageId()
{
    // The locale variables in their usual precedence; QLocale::system()
    // would also apply LANGUAGE and the C library's fallbacks.
    for (const char* var : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const QByteArray v = qgetenv(var);
        if (!v.isEmpty() && v != "C" && v != "POSIX" && !v.startsWith("C."))
            return LanguageIdOf(QLocale(QString::fromLatin1(v.left(v.indexOf('.') < 0 ? v.size() : v.indexOf('.')))));
    }
    return LanguageIdOf(QLocale::system());
}

}  // namespace kestrel
