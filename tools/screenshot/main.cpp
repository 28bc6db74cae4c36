// kestrel-screenshot: runs the viewer offscreen at one window size and
// language with a fresh profile, and saves a picture of its main window.
#include "ScreenshotOptions.h"

#include "KestrelVersion.h"

#include "kestrel/Trace.h"
#include "startup/COption.h"
#include "startup/CProfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>

namespace {

using kestrel::screenshot::Options;

// The viewer takes the largest size class strictly smaller than the screen,
// so the screen is made a little larger than the wanted window. Full screen
// covers the whole screen, so there the screen is the wanted size.
constexpr int kScreenMargin = 2;
// Time the viewer gets to start up and shut down besides the wait.
constexpr int kStartStopMs = 60000;
// The viewer closes this long after the picture, so the grab comes first.
constexpr int kGrabToCloseMs = 500;

int Fail(const QString& message)
{
    std::fprintf(stderr, "kestrel-screenshot: %s\n", qPrintable(message));
    return 1;
}

bool WriteFile(const QString& path, const QByteArray& data)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(data) == data.size();
}

QString ReadText(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()).trimmed() : QString();
}

int Run(const Options& options)
{
    const QString appFolder = QDir(options.appFolder.isEmpty() ? QCoreApplication::applicationDirPath()
                                                               : options.appFolder).absolutePath();
    const QString program = appFolder + QStringLiteral("/kestrel");
    if (!QFileInfo(program).isExecutable())
        return Fail(QStringLiteral("no viewer program at %1").arg(program));
    COption option;
    if (!option.Load(appFolder, appFolder + QStringLiteral("/_option")))
        return Fail(QStringLiteral("cannot read %1/_option/option.ini").arg(appFolder));

    QTemporaryDir temp;  // removed when the run ends, however it ends
    if (!temp.isValid())
        return Fail(QStringLiteral("cannot create a temporary folder"));
    const QString home = temp.path();
    for (const char* sub : {"config", "data", "runtime"})
        if (!QDir(home).mkpath(QString::fromLatin1(sub)))
            return Fail(QStringLiteral("cannot create %1/%2").arg(home, QString::fromLatin1(sub)));
    // A runtime folder must be private to its user, or Qt complains.
    QFile::setPermissions(home + QStringLiteral("/runtime"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

    // The profile the viewer reads at start-up: window size class, language,
    // and no first-run plug-in question, which would wait for a person.
    qputenv("XDG_CONFIG_HOME", (home + QStringLiteral("/config")).toUtf8());
    CProfile profile;
    profile.SetRegistryKey(option.strModelName, QFileInfo(program).completeBaseName());
    bool written = profile.WriteProfileInt(QStringLiteral("Property"), QStringLiteral("dlg size"), options.sizeClass) &&
                   profile.WriteProfileInt(QStringLiteral("plugin"), QStringLiteral("run"), 0);
    if (options.languageId > 0)
        written = written && profile.WriteProfileInt(QStringLiteral("Language"), QStringLiteral("ID"), options.languageId);
    if (!written)
        return Fail(QStringLiteral("cannot write the profile %1").arg(profile.FilePath()));

    const int margin = options.fullScreen ? 0 : kScreenMargin;
    const QString screen = home + QStringLiteral("/screen.json");
    const QByteArray screenJson = QStringLiteral(R"({"screens":[{"name":"S","x":0,"y":0,"width":%1,"height":%2,)"
                                                 R"("logicalDpi":96,"logicalBaseDpi":96,"dpr":1}]})")
                                      .arg(options.size.width() + margin)
                                      .arg(options.size.height() + margin)
                                      .toUtf8();
    if (!WriteFile(screen, screenJson))
        return Fail(QStringLiteral("cannot write %1").arg(screen));

    const QString output = QFileInfo(options.output).absoluteFilePath();
    if (QFileInfo::exists(output) && !QFile::remove(output))
        return Fail(QStringLiteral("cannot replace %1").arg(output));
    const QString boxLog = home + QStringLiteral("/messageboxes.log");

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home);
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/config"));
    env.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/data"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home + QStringLiteral("/runtime"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen:configfile=") + screen);
    env.insert(QStringLiteral("KESTREL_GRAB_MAIN"), output);
    env.insert(QStringLiteral("KESTREL_GRAB_DELAY_MS"), QString::number(options.waitMs));
    env.insert(QStringLiteral("KESTREL_AUTOCLOSE_MS"), QString::number(options.waitMs + kGrabToCloseMs));
    if (options.fullScreen)
        env.insert(QStringLiteral("KESTREL_START_FULL"), QStringLiteral("1"));
    env.insert(QStringLiteral("KESTREL_MESSAGEBOX_LOG"), boxLog);

    QProcess viewer;
    viewer.setProcessEnvironment(env);
    // The offscreen platform remarks on what it cannot do (window masks,
    // raising, sound devices); the viewer's output is shown only when it
    // fails or while tracing.
    viewer.setProcessChannelMode(QProcess::MergedChannels);
    viewer.setWorkingDirectory(appFolder);
    QStringList arguments;
    if (options.playRow >= 0)
        arguments << QStringLiteral("--play") << QString::number(options.playRow);
    if (!options.card.isEmpty())
        arguments << QFileInfo(options.card).absoluteFilePath();  // the viewer runs in its own folder
    viewer.start(program, arguments);
    if (!viewer.waitForStarted())
        return Fail(QStringLiteral("cannot start %1: %2").arg(program, viewer.errorString()));
    if (!viewer.waitForFinished(options.waitMs + kStartStopMs)) {
        viewer.kill();
        viewer.waitForFinished();
        return Fail(QStringLiteral("the viewer did not end within %1 ms").arg(options.waitMs + kStartStopMs));
    }
    const QByteArray chatter = viewer.readAll();
    const bool failed = viewer.exitStatus() != QProcess::NormalExit || viewer.exitCode() != 0;
    if (!chatter.isEmpty() && (failed || kestrel::TraceEnabled()))
        std::fprintf(stderr, "kestrel-screenshot: the viewer said:\n%s", chatter.constData());
    const QString boxes = ReadText(boxLog);
    if (!boxes.isEmpty())
        std::fprintf(stderr, "kestrel-screenshot: the viewer showed message boxes:\n%s\n", qPrintable(boxes));
    if (failed)
        return Fail(QStringLiteral("the viewer ended with status %1").arg(viewer.exitCode()));

    QImageReader reader(output);
    const QSize shot = reader.size();
    if (!QFileInfo::exists(output) || !shot.isValid())
        return Fail(QStringLiteral("the viewer wrote no picture to %1").arg(output));
    if (shot != options.size)
        return Fail(QStringLiteral("the picture is %1x%2, not %3x%4")
                        .arg(shot.width()).arg(shot.height()).arg(options.size.width()).arg(options.size.height()));
    std::printf("%s (%dx%d)\n", qPrintable(output), shot.width(), shot.height());
    return 0;
}

}  // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    Options options;
    QString error;
    if (!kestrel::screenshot::ParseArguments(app.arguments().mid(1), options, error)) {
        std::fprintf(stderr, "kestrel-screenshot: %s\n%s", qPrintable(error),
                     qPrintable(kestrel::screenshot::Usage()));
        return 2;
    }
    if (options.help) {
        std::printf("%s", qPrintable(kestrel::screenshot::Usage()));
        return 0;
    }
    if (options.version) {
        std::printf("kestrel-screenshot %s\n", kestrel::kVersion);
        return 0;
    }
    return Run(options);
}
