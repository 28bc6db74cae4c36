// The viewer program: builds the Qt application, reads the command line
// (`kestrel [--play N] [FOLDER]`) and hands the whole run to the application
// object, which runs the main window.
#include "startup/CKestrelApp.h"

#include "medialog/MediaLog.h"

#include "KestrelVersion.h"

#ifdef KESTREL_HAS_MAINWND
#include "mainwnd/CKestrelDlg.h"
#endif

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>

#include <cstdio>
#include <cstring>
#include <optional>

namespace {

constexpr char kUsage[] =
    "Usage: kestrel [--play N] [FOLDER]\n"
    "Viewer for dash-camera recordings: loads the recordings in FOLDER once the\n"
    "main window is up and, with --play, plays one of them.\n"
    "\n"
    "  --play N        play row N (0 = first) of the loaded FOLDER\n"
    "  -h, --help      print this help\n"
    "  -v, --version   print the version\n"
    "\n"
    "Exit status: 0 normal end (also when another copy with the same plug-in\n"
    "already runs), 1 start-up failed or the command line could not be used.\n";

// --help and --version are answered before the window system is reached, so
// they work without a display, as for any command-line program. The answer's
// exit status, or nothing when the viewer should start.
std::optional<int> AnswerInformationOptions(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (std::strcmp(arg, "--") == 0)
            break;  // what follows is a folder, whatever its name
        if (std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0 || std::strcmp(arg, "-?") == 0) {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (std::strcmp(arg, "--version") == 0 || std::strcmp(arg, "-v") == 0) {
            std::printf("kestrel %s\n", kestrel::kVersion);
            return 0;
        }
    }
    return std::nullopt;
}

// Folder and row of the command line into the application object; false
// (after a message on stderr) when the line cannot be used.
bool ReadCommandLine(const QApplication& qtApp, CKestrelApp& app)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Viewer for dash-camera recordings."));
    const QCommandLineOption play(QStringLiteral("play"),
                                  QStringLiteral("Play row N (0 = first) of the loaded FOLDER."), QStringLiteral("N"));
    parser.addOption(play);
    parser.addPositionalArgument(QStringLiteral("FOLDER"), QStringLiteral("Folder of recordings to load at start."),
                                 QStringLiteral("[FOLDER]"));
    if (!parser.parse(qtApp.arguments())) {
        std::fprintf(stderr, "kestrel: %s\nRun 'kestrel --help' for usage.\n", qPrintable(parser.errorText()));
        return false;
    }

    const QStringList folders = parser.positionalArguments();
    if (folders.size() > 1) {
        std::fprintf(stderr, "kestrel: give at most one folder\n");
        return false;
    }
    int row = -1;
    if (parser.isSet(play)) {
        bool ok = false;
        row = parser.value(play).toInt(&ok);
        if (!ok || row < 0) {
            std::fprintf(stderr, "kestrel: --play takes a row number from 0\n");
            return false;
        }
        if (folders.isEmpty()) {
            std::fprintf(stderr, "kestrel: --play needs a FOLDER\n");
            return false;
        }
    }
    // A relative folder is meant from where the program was started.
    const QString folder = folders.isEmpty() ? QString() : QFileInfo(folders.front()).absoluteFilePath();
    app.SetStartRequest(folder, row);
    return true;
}

}  // namespace

int main(int argc, char* argv[])
{
    if (const std::optional<int> answered = AnswerInformationOptions(argc, argv))
        return *answered;
    QApplication qtApp(argc, argv);
    kestrel::QuietMediaLibraryUnlessTracing();
    CKestrelApp app;
    if (!ReadCommandLine(qtApp, app))
        return CKestrelApp::kExitStartupFailed;
#ifdef KESTREL_HAS_MAINWND
    CKestrelApp::SetMainWindowFactory([](CKestrelApp& running) { return std::make_unique<CKestrelDlg>(running); });
#endif
    app.InitInstance();
    return app.ExitStatus();
}
