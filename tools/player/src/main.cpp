// kestrel-player CARD_FOLDER [INDEX]: plays one recording of a card folder
// through the recording plug-in, the playback engine and the display and
// sound output. With --frames N --grab FILE.png it runs unattended: it
// saves the window after N pictures and quits (offscreen use, tests).
#include <cstdio>
#include <string>
#include <sys/stat.h>

#include <QApplication>

#include "ExitCodes.h"
#include "KestrelVersion.h"
#include "PlayerOptions.h"
#include "PlayerWindow.h"
#include "PluginSession.h"

using namespace kestrel::cli;

int main(int argc, char* argv[])
{
    PlayerOptions options;
    std::string error;
    if (!ParsePlayerOptions(argc - 1, argv + 1, &options, &error)) {
        std::fprintf(stderr, "kestrel-player: %s\n%s", error.c_str(), PlayerUsage());
        return kExitUsage;
    }
    if (options.help) {
        std::fputs(PlayerUsage(), stdout);
        return 0;
    }
    if (options.version) {
        std::printf("kestrel-player %s\n", kestrel::kVersion);
        return 0;
    }
    struct stat st {};
    if (stat(options.folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        std::fprintf(stderr, "kestrel-player: %s is not a folder\n", options.folder.c_str());
        return kExitFolder;
    }

    QApplication app(argc, argv);
    PluginSession session;
    int rc = session.Open(std::string(), false, &error);
    if (rc == kExitOk) {
        const int32_t allTypes[8] = {1, 1, 1, 1, 1, 1, 1, 1};
        rc = session.Load(options.folder, allTypes, false, &error);
    }
    if (rc != kExitOk) {
        std::fprintf(stderr, "kestrel-player: %s\n", error.c_str());
        return rc;
    }
    const std::vector<CRecFileInfo*> records = session.MergedRecords();
    if (options.index >= int(records.size())) {
        std::fprintf(stderr, "kestrel-player: recording %d does not exist (the card has %zu)\n", options.index,
                     records.size());
        return kExitNoRecordings;
    }

    PlayerWindow window(options);
    if (!window.Play(records[size_t(options.index)], &error)) {
        std::fprintf(stderr, "kestrel-player: %s\n", error.c_str());
        return 1;
    }
    window.show();
    const int exitCode = app.exec();
    return exitCode != 0 ? exitCode : window.ExitCode();
}
