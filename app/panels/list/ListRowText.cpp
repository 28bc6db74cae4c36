#include "ListRowText.h"

#include <ctime>

namespace kestrel::list {

QString FormatStartTime(int64_t startMs, const char* format)
{
    const std::time_t seconds = static_cast<std::time_t>(startMs / 1000);
    std::tm local{};
    if (!localtime_r(&seconds, &local))
        return QString();
    char buffer[128];
    const size_t n = std::strftime(buffer, sizeof buffer, format, &local);
    return n == 0 ? QString() : QString::fromLocal8Bit(buffer, static_cast<qsizetype>(n));
}

QString StartDateText(int64_t startMs)
{
    return FormatStartTime(startMs, "%Y-%m-%d");
}

QString StartTimeText(int64_t startMs)
{
    return FormatStartTime(startMs, "%H:%M:%S");
}

QString JoinChannels(const CWideStringArray& channels)
{
    QStringList parts;
    for (const std::wstring& channel : channels) {
        if (channel.empty())
            break;
        parts << QString::fromStdWString(channel);
    }
    return parts.join(QLatin1Char('/'));
}

QString TypeName(const QStringList& names, int32_t type)
{
    return type >= 0 && type < names.size() ? names[type] : QString();
}

}  // namespace kestrel::list
