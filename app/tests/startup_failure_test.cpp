// Every start-up failure: its message (or silence) and the exit status.
#include "StartupRunner.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <functional>

namespace {

const char* const kOptionIni =
    "[Setting]\nSelect=0\n[AppInfo_0]\nProduct ID=1\nSkinRootDir=skin\nSkinImageFileName=ImageList.ini\n"
    "SkinInfoFileName=Coordinate.ini\nLangFolder=language\nModelName=Kestrel\npluginMode=%MODE%\n"
    "pluginName=%NAME%\n";

QByteArray Option(const char* mode = "0", const char* name = "QUARTZEN")
{
    return QByteArray(kOptionIni).replace("%MODE%", mode).replace("%NAME%", name);
}

struct FailureCase {
    const char* what;
    std::function<void(StartupSandbox&)> damage;
    const char* message;  // nullptr: ends without a message
};

TEST(StartupFailure, EachFailureShowsItsMessageAndEnds)
{
    const FailureCase cases[] = {
        {"option.ini missing", [](StartupSandbox& b) { QFile::remove(b.App() + "/_option/option.ini"); },
         "Missing the Option.ini file."},
        {"negative Select", [](StartupSandbox& b) { b.WriteFile("app/_option/option.ini", Option().replace("Select=0", "Select=-1")); },
         "Missing the Option.ini file."},
        {"Select without its section", [](StartupSandbox& b) { b.WriteFile("app/_option/option.ini", Option().replace("Select=0", "Select=3")); },
         "Missing the Option.ini file."},
        {"negative Product ID", [](StartupSandbox& b) { b.WriteFile("app/_option/option.ini", Option().replace("Product ID=1", "Product ID=-2")); },
         "Missing the Option.ini file."},
        {"truncated option.ini", [](StartupSandbox& b) { b.WriteFile("app/_option/option.ini", Option().left(40)); },
         "Missing the Option.ini file."},
        {"no plug-in", [](StartupSandbox& b) { QFile::remove(b.App() + "/plugins/startup_plugin_quartzen.so"); },
         "no plugin is installed."},
        {"unknown plug-in name", [](StartupSandbox& b) { b.WriteFile("app/_option/option.ini", Option("0", "NOSUCH")); },
         nullptr},
        {"unknown plug-in name, fixed mode", [](StartupSandbox& b) { b.WriteFile("app/_option/option.ini", Option("1", "NOSUCH")); },
         nullptr},
        {"image list missing", [](StartupSandbox& b) { QFile::remove(b.App() + "/skin/ImageList.ini"); },
         "No Skin file is found!"},
        {"no icons listed", [](StartupSandbox& b) { b.WriteFile("app/skin/ImageList.ini", "[HD-png]\ntransparent=transparent.png\n[HD-bmp]\nlogo=logo_main.svg\n[HD-icon]\n"); },
         "No Skin file is found!"},
        {"only a language file with id 0", [](StartupSandbox& b) {
             QDir(b.App() + "/language").removeRecursively();
             b.WriteFile("app/language/xx/lang_xx.ini", "[Language Info]\nLanguageID=0\n");
         },
         "No Language File is found!"},
        {"language folder missing", [](StartupSandbox& b) { QDir(b.App() + "/language").removeRecursively(); },
         "No Language File is found!"},
    };
    for (const FailureCase& c : cases) {
        SCOPED_TRACE(c.what);
        StartupSandbox box;
        box.SetEnv("KESTREL_AUTOCLOSE_MS", "30000");  // a start that wrongly succeeds shows as a slow run
        c.damage(box);
        const StartupResult r = box.Run(25000);
        EXPECT_FALSE(r.timedOut);
        EXPECT_EQ(r.exitCode, 1) << r.trace.toStdString();
        if (c.message)
            EXPECT_EQ(r.messages, QStringList{QString::fromLatin1(c.message)});
        else
            EXPECT_TRUE(r.messages.isEmpty()) << r.messages.join('|').toStdString();
    }
}

TEST(StartupFailure, DamagedProfileAndSkinFilesDoNotStopTheStart)
{
    StartupSandbox box;
    static const char profile[] = "\xFF\xFE[\0p\0l";  // UTF-16 cut after an odd byte
    static const char coordinates[] = "[base_window\ncx=\x80\x81\n\0\0junk";
    box.WriteFile("config/Kestrel/kestrel.ini", QByteArray(profile, sizeof profile - 1));
    box.WriteFile("app/skin/Coordinate.ini", QByteArray(coordinates, sizeof coordinates - 1));
    const StartupResult r = box.Run();
    EXPECT_EQ(r.exitCode, 0) << r.trace.toStdString();
    EXPECT_TRUE(r.messages.isEmpty());
}

}  // namespace
