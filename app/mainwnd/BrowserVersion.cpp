#include "BrowserVersion.h"

#include <QRegularExpression>
#include <QWebEngineProfile>

namespace kestrel::mainwnd {

int MajorVersionFromUserAgent(const QString& userAgent)
{
    static const QRegularExpression pattern(QStringLiteral("Chrome/(\\d{1,6})"));
    const QRegularExpressionMatch m = pattern.match(userAgent);
    return m.hasMatch() ? m.captured(1).toInt() : 0;
}

int BrowserMajorVersion()
{
    static const int version = [] {
        const QWebEngineProfile* profile = QWebEngineProfile::defaultProfile();
        return profile ? MajorVersionFromUserAgent(profile->httpUserAgent()) : 0;
    }();
    return version;
}

}  // namespace kestrel::mainwnd
