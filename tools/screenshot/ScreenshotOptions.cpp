#include "ScreenshotOptions.h"

#include "startup/DialogSize.h"

namespace kestrel::screenshot {

QString Usage()
{
    return QStringLiteral(
        "usage: kestrel-screenshot [--app DIR] [--size 1280x720|1440x810|1600x900|1760x990|1920x1080]\n"
        "                          [--lang en|ko|de|0xNNNN] [--card FOLDER [--play N]] [--full]\n"
        "                          [--wait MS] -o out.png\n"
        "Runs the viewer in DIR (default: this program's folder) offscreen with a fresh profile\n"
        "and saves a picture of its main window MS milliseconds after it is up (default 1000):\n"
        "--play N plays row N of the card, --full grabs the full-screen view instead.\n"
        "-h, --help prints this text, -v, --version the version.\n"
        "exit status: 0 picture written, 1 the viewer or the picture failed, 2 usage error\n");
}

int ParseLanguage(const QString& text)
{
    const QString t = text.trimmed().toLower();
    if (t == QStringLiteral("en"))
        return 0x0409;
    if (t == QStringLiteral("ko"))
        return 0x0412;
    if (t == QStringLiteral("de"))
        return 0x0407;
    bool ok = false;
    const int id = t.toInt(&ok, 0);  // 0x prefix: hexadecimal
    return ok && id > 0 && id <= 0xFFFF ? id : -1;
}

int ParseSizeClass(const QString& text)
{
    for (int c = 0; c < kSizeClassCount; ++c) {
        const QSize s = SizeOfClass(c);
        if (text.trimmed().toLower() == QStringLiteral("%1x%2").arg(s.width()).arg(s.height()))
            return c;
    }
    return -1;
}

bool ParseArguments(const QStringList& args, Options& options, QString& error)
{
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == QStringLiteral("--help") || a == QStringLiteral("-h")) {
            options.help = true;
            return true;
        }
        if (a == QStringLiteral("--version") || a == QStringLiteral("-v")) {
            options.version = true;
            return true;
        }
        if (a == QStringLiteral("--full")) {
            options.fullScreen = true;
            continue;
        }
        if (i + 1 >= args.size()) {
            error = QStringLiteral("%1 needs a value or is unknown").arg(a);
            return false;
        }
        const QString v = args[++i];
        if (a == QStringLiteral("--app")) {
            options.appFolder = v;
        } else if (a == QStringLiteral("--size")) {
            options.sizeClass = ParseSizeClass(v);
            if (options.sizeClass < 0) {
                error = QStringLiteral("unknown size %1").arg(v);
                return false;
            }
            options.size = SizeOfClass(options.sizeClass);
        } else if (a == QStringLiteral("--lang")) {
            options.languageId = ParseLanguage(v);
            if (options.languageId < 0) {
                error = QStringLiteral("unknown language %1").arg(v);
                return false;
            }
        } else if (a == QStringLiteral("--card")) {
            options.card = v;
        } else if (a == QStringLiteral("--play")) {
            bool ok = false;
            options.playRow = v.toInt(&ok);
            if (!ok || options.playRow < 0) {
                error = QStringLiteral("--play needs a row number from 0, not %1").arg(v);
                return false;
            }
        } else if (a == QStringLiteral("--wait")) {
            bool ok = false;
            options.waitMs = v.toInt(&ok);
            if (!ok || options.waitMs < 0) {
                error = QStringLiteral("--wait needs milliseconds, not %1").arg(v);
                return false;
            }
        } else if (a == QStringLiteral("-o") || a == QStringLiteral("--output")) {
            options.output = v;
        } else {
            error = QStringLiteral("unknown option %1").arg(a);
            return false;
        }
    }
    if (options.playRow >= 0 && options.card.isEmpty()) {
        error = QStringLiteral("--play needs --card");
        return false;
    }
    if (options.output.isEmpty()) {
        error = QStringLiteral("-o out.png is required");
        return false;
    }
    return true;
}

}  // namespace kestrel::screenshot
