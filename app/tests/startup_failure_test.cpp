// Every start-up failure: its message (or silence) and the exit status.
#include "StartupRunner.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>

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
    const char* reason;   // what stderr must name (traces are on)
};

TEST(StartupFailure, EachFailureShowsItsMessageAndEnds)
{
    const FailureCase cases[] = {
        {"option.ini missing", [](StartupSandbox& b) { QFile::remove(b.App() + "/_option/option.ini"); },
         "Missing the Option.ini file.", "_option/option.ini is missing"},
        {"negative Select", [](StartupSandbox& b) { b.WriteFile("app/_option/option.ini", Option().replace("Select=0", "Select=-1")); },
         "Missing the Option.ini file.", "_option/option.ini names no application section"},
        {"Select without its section", [](StartupSandbox& b) { b.WriteFile("app/_option/option.ini", Option().replace("Select=0", "Select=3")); },
         "Missing the Option.ini file.", "_option/option.ini names no application section"},
        {"negative Product ID", [](StartupSandbox& b) { b.WriteFile("app/_option/option.ini", Option().replace("Product ID=1", "Product ID=-2")); },
         "Missing the Option.ini file.", "_option/option.ini names no application section"},
        {"truncated option.ini", [](StartupSandbox& b) { b.WriteFile("app/_option/option.ini", Option().left(40)); },
         "Missing the Option.ini file.", "_option/option.ini names no application section"},
        {"no plug-in", [](StartupSandbox& b) { QFile::remove(b.App() + "/plugins/startup_plugin_quartzen.so"); },
         "no plugin is installed.", "no plug-in could be loaded from"},
        {"unknown plug-in name", [](StartupSandbox& b) { b.WriteFile("app/_option/option.ini", Option("0", "NOSUCH")); },
         nullptr, "plug-in \"NOSUCH\" is not among the plug-ins"},
        {"unknown plug-in name, fixed mode", [](StartupSandbox& b) { b.WriteFile("app/_option/option.ini", Option("1", "NOSUCH")); },
         nullptr, "plug-in \"NOSUCH\" is not among the plug-ins"},
        {"remembered and default plug-in both missing", [](StartupSandbox& b) {
             b.WriteFile("config/Kestrel/kestrel.ini", "[plugin]\npluginName=GONE\n");
             b.WriteFile("app/_option/option.ini", Option("0", "NOSUCH"));
         },
         nullptr, "plug-in \"GONE\" or \"NOSUCH\" is not among the plug-ins"},
        {"image list missing", [](StartupSandbox& b) { QFile::remove(b.App() + "/skin/ImageList.ini"); },
         "No Skin file is found!", "ImageList.ini lacks pictures, bitmaps or icons"},
        {"no icons listed", [](StartupSandbox& b) { b.WriteFile("app/skin/ImageList.ini", "[HD-png]\ntransparent=transparent.png\n[HD-bmp]\nlogo=logo_main.svg\n[HD-icon]\n"); },
         "No Skin file is found!", "ImageList.ini lacks pictures, bitmaps or icons"},
        {"only a language file with id 0", [](StartupSandbox& b) {
             QDir(b.App() + "/language").removeRecursively();
             b.WriteFile("app/language/xx/lang_xx.ini", "[Language Info]\nLanguageID=0\n");
         },
         "No Language File is found!", "no lang*.ini file with a LanguageID other than 0"},
        {"language folder missing", [](StartupSandbox& b) { QDir(b.App() + "/language").removeRecursively(); },
         "No Language File is found!", "no lang*.ini file with a LanguageID other than 0"},
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
        EXPECT_TRUE(r.trace.contains(QString::fromUtf8(c.reason))) << r.trace.toStdString();
    }
}

// Without a message box the reason is a plain stderr line, not only a trace.
TEST(StartupFailure, AMissingNamedPluginIsNamedOnStderrWithoutTracing)
{
    StartupSandbox box;
    box.AddPlugin("startup_plugin_other");
    box.WriteFile("app/_option/option.ini", Option("1", "NOSUCH"));
    box.SetEnv("KESTREL_TRACE", "0");
    const StartupResult r = box.Run(25000);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.messages.isEmpty());
    const QStringList lines = r.trace.split('\n', Qt::SkipEmptyParts).filter(QRegularExpression("^kestrel: "));
    ASSERT_EQ(lines.size(), 1) << r.trace.toStdString();
    EXPECT_TRUE(lines[0].startsWith("kestrel: plug-in \"NOSUCH\" is not among the plug-ins in "))
        << lines[0].toStdString();
    EXPECT_TRUE(lines[0].contains("found: \"OTHERONE\", \"QUARTZEN\"")) << lines[0].toStdString();
}

// The chosen plug-in's file is there but does not load: the line names the
// file and the loader's reason, and the plug-ins that did load.
TEST(StartupFailure, ANamedPluginThatDoesNotLoadSaysWhichFileAndWhy)
{
    StartupSandbox box;
    box.AddPlugin("startup_plugin_other");
    const QString broken = box.App() + "/plugins/startup_plugin_quartzen.so";
    QFile::remove(broken);
    box.WriteFile("app/plugins/startup_plugin_quartzen.so", "not a shared object");
    box.SetEnv("KESTREL_TRACE", "0");
    const StartupResult r = box.Run(25000);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.messages.isEmpty());
    EXPECT_TRUE(r.trace.contains("plug-in \"QUARTZEN\" is not among the plug-ins")) << r.trace.toStdString();
    EXPECT_TRUE(r.trace.contains("found: \"OTHERONE\"")) << r.trace.toStdString();
    EXPECT_TRUE(r.trace.contains("not loaded: " + broken + ": ")) << r.trace.toStdString();
    EXPECT_TRUE(r.trace.contains("not loaded: " + broken + ": file too short")) << r.trace.toStdString();
}

// Every plug-in file fails: the fixed message, and the reasons as a trace.
TEST(StartupFailure, NoLoadablePluginShowsItsMessageAndTracesEachFile)
{
    StartupSandbox box;
    const QString broken = box.App() + "/plugins/startup_plugin_quartzen.so";
    QFile::remove(broken);
    box.WriteFile("app/plugins/startup_plugin_quartzen.so", QByteArray(64, '\0'));
    const StartupResult r = box.Run(25000);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.messages, QStringList{"no plugin is installed."});
    EXPECT_TRUE(r.trace.contains("start-up failed: no plug-in could be loaded from " + box.App() + "/plugins"))
        << r.trace.toStdString();
    EXPECT_TRUE(r.trace.contains("not loaded: " + broken + ": ")) << r.trace.toStdString();
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
