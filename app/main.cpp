// The viewer program: builds the Qt application, reads the command line
// (`kestrel [--play N] [FOLDER]`) and hands the whole run to the application
// object, which runs the main window.
#include "startup/CKestrelApp.h"

#include "medialog/MediaLog.h"

#ifdef KESTREL_HAS_MAINWND
#include "mainwnd/CKestrelDlg.h"
#endif

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>

#include <cstdio>

namespace {

// Folder and row of the command line into the application object; false
// (after a message on stderr) when the line cannot be used.
bool ReadCommandLine(const QApplication& qtApp, CKestrelApp& app)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Viewer for dash-camera recordings."));
    parser.addHelpOption();
    const QCommandLineOption play(QStringLiteral("play"),
                                  QStringLiteral("Play row N (0 = first) of the loaded FOLDER."), QStringLiteral("N"));
    parser.addOption(play);
    parser.addPositionalArgument(QStringLiteral("FOLDER"), QStringLiteral("Folder of recordings to load at start."),
                                 QStringLiteral("[FOLDER]"));
    parser.process(qtApp);  // --help and unknown options end the program here

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
