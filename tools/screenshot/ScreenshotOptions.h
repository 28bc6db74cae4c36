// The command line of kestrel-screenshot and what it asks the viewer for.
#pragma once

#include <QSize>
#include <QString>
#include <QStringList>

namespace kestrel::screenshot {

struct Options {
    QString appFolder;    // empty: the folder of kestrel-screenshot itself
    int sizeClass = 0;    // main-window size class 0..4
    QSize size{1280, 720};
    int languageId = -1;  // -1: leave the language to the viewer's own choice
    QString card;         // folder handed to the viewer as its first argument
    int playRow = -1;     // row of the card the viewer plays (-1: none)
    bool fullScreen = false;  // the viewer enters full screen; the picture is the screen's
    int waitMs = 1000;    // how long after start-up the picture is taken
    QString output;       // the PNG to write
    bool help = false;
    bool version = false;  // --version: print the version and stop
};

// Parses the arguments after the program name. false with `error` set when
// they are not understood; a lone --help sets `help`.
bool ParseArguments(const QStringList& args, Options& options, QString& error);

// "en", "ko", "de" or a number such as 0x0412; -1 when not understood.
int ParseLanguage(const QString& text);

// The size class of "WxH" when it is one of the five window sizes, else -1.
int ParseSizeClass(const QString& text);

QString Usage();

}  // namespace kestrel::screenshot
