// The built viewer started offscreen: folders, plug-in choice, language
// choice, size class, the single-instance rule and the shown window.
#include "StartupRunner.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QRegularExpression>

#include <chrono>
#include <csignal>
#include <thread>

namespace {

QString LoadedLanguage(const StartupResult& r)
{
    const auto m = QRegularExpression(QStringLiteral("language (\\S+) \\(0x([0-9a-f]{4})\\)")).match(r.trace);
    return m.hasMatch() ? m.captured(2) : QString();
}

int SizeClass(const StartupResult& r)
{
    const auto m = QRegularExpression(QStringLiteral("size class (\\d)")).match(r.trace);
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

TEST(StartupRun, StartsCreatesItsFoldersAndShowsTheSkinnedBackground)
{
    StartupSandbox box;
    const QString grab = box.Root() + "/main.png";
    box.SetEnv("KESTREL_GRAB_MAIN", grab);
    box.SetEnv("KESTREL_AUTOCLOSE_MS", "300");
    const StartupResult r = box.Run();
    EXPECT_EQ(r.exitCode, 0) << r.trace.toStdString();
    EXPECT_TRUE(r.messages.isEmpty()) << r.messages.join('|').toStdString();

    for (const QString& folder : {box.DataHome() + "/Kestrel", box.DataHome() + "/Kestrel/QUARTZEN",
                                  box.Home() + "/Documents/Kestrel document/backup",
                                  box.Home() + "/Documents/Kestrel document/ftp"})
        EXPECT_TRUE(QDir(folder).exists()) << folder.toStdString();
    EXPECT_EQ(box.ProfileValue("plugin", "pluginName"), QStringLiteral("QUARTZEN"));
    EXPECT_EQ(box.ProfileValue("Property", "dlg size"), QStringLiteral("3"));  // 4 lowered on 1920x1080
    EXPECT_EQ(LoadedLanguage(r), QStringLiteral("0409"));

    QImage shot(grab);
    ASSERT_FALSE(shot.isNull()) << r.trace.toStdString();
    EXPECT_EQ(shot.size(), QSize(1760, 990));
    // The skin's background, not an empty window: its title bar is lighter
    // than the video area below it.
    EXPECT_GT(qGray(shot.pixel(900, 20)), qGray(shot.pixel(600, 400)));
    QFile::remove(QStringLiteral(STARTUP_TEST_TMP "/main_window.png"));
    QFile::copy(grab, QStringLiteral(STARTUP_TEST_TMP "/main_window.png"));  // kept for a look by eye
}

TEST(StartupRun, SizeClassFollowsTheScreenAndIsWrittenBack)
{
    struct Case {
        int w, h;
        const char* stored;
        int expected;
    } cases[] = {
        {1600, 900, nullptr, 1}, {1366, 768, nullptr, 0}, {2560, 1440, nullptr, 4}, {2560, 1440, "2", 2},
    };
    for (const Case& c : cases) {
        StartupSandbox box;
        box.SetScreen(c.w, c.h);
        if (c.stored)
            box.WriteFile("config/Kestrel/kestrel.ini", QByteArray("[Property]\ndlg size=") + c.stored + "\n");
        const StartupResult r = box.Run();
        EXPECT_EQ(r.exitCode, 0);
        EXPECT_EQ(SizeClass(r), c.expected) << c.w << "x" << c.h;
        EXPECT_EQ(box.ProfileValue("Property", "dlg size"), QString::number(c.expected));
    }
}

TEST(StartupRun, LanguageChoiceOrder)
{
    StartupSandbox box;
    QDir(box.App() + "/language").removeRecursively();
    auto lang = [&](const QString& rel, const char* id) {
        box.WriteFile("app/language/" + rel,
                      QByteArray("[Language Info]\nLanguageID=") + id + "\nLanguageName=L" + id + "\n");
    };
    lang("ko/lang_ko.ini", "0x0412");
    lang("de/deep/lang_de.ini", "0x0407");
    lang("en/lang_en.ini", "0x0409");
    lang("zero/lang_zero.ini", "0");

    box.SetEnv("LC_ALL", "de_DE.UTF-8");  // the system language
    EXPECT_EQ(LoadedLanguage(box.Run()), QStringLiteral("0407"));

    box.WriteFile("config/Kestrel/kestrel.ini", "[Language]\nID=1042\n");  // the stored choice, 0x0412
    EXPECT_EQ(LoadedLanguage(box.Run()), QStringLiteral("0412"));

    box.WriteFile("config/Kestrel/kestrel.ini", "[Language]\nID=0\n");
    box.SetEnv("LC_ALL", "ja_JP.UTF-8");  // no Japanese file: US English
    EXPECT_EQ(LoadedLanguage(box.Run()), QStringLiteral("0409"));

    QDir(box.App() + "/language/en").removeRecursively();  // nor US English: the first found
    EXPECT_EQ(LoadedLanguage(box.Run()), QStringLiteral("0407"));
}

TEST(StartupRun, PluginChoiceRemembersUnlessTheModeFixesIt)
{
    StartupSandbox box;
    box.AddPlugin("startup_plugin_other");
    box.WriteFile("config/Kestrel/kestrel.ini", "[plugin]\npluginName=OTHERONE\n");
    EXPECT_EQ(box.Run().exitCode, 0);
    EXPECT_TRUE(QDir(box.DataHome() + "/Kestrel/OTHERONE").exists());
    EXPECT_EQ(box.ProfileValue("plugin", "pluginName"), QStringLiteral("OTHERONE"));

    box.WriteFile("config/Kestrel/kestrel.ini", "[plugin]\npluginName=GONE\n");
    EXPECT_EQ(box.Run().exitCode, 0);
    EXPECT_EQ(box.ProfileValue("plugin", "pluginName"), QStringLiteral("QUARTZEN"));

    // pluginMode 1: always the configured plug-in, and the profile is left alone.
    QFile option(box.App() + "/_option/option.ini");
    ASSERT_TRUE(option.open(QIODevice::ReadOnly));
    QByteArray text = option.readAll().replace("pluginMode=0", "pluginMode=1");
    option.close();
    box.WriteFile("app/_option/option.ini", text);
    box.WriteFile("config/Kestrel/kestrel.ini", "[plugin]\npluginName=OTHERONE\n");
    QDir(box.DataHome() + "/Kestrel/QUARTZEN").removeRecursively();
    EXPECT_EQ(box.Run().exitCode, 0);
    EXPECT_TRUE(QDir(box.DataHome() + "/Kestrel/QUARTZEN").exists());
    EXPECT_EQ(box.ProfileValue("plugin", "pluginName"), QStringLiteral("OTHERONE"));
}

TEST(StartupRun, SecondCopyEndsSilentlyAfterCreatingItsFolders)
{
    StartupSandbox box;
    box.SetEnv("KESTREL_AUTOCLOSE_MS", "60000");
    const pid_t first = box.Start();
    const QString lock = box.RuntimeDir() + "/kestrel-QUARTZEN.lock";
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!LockIsHeld(lock) && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    ASSERT_TRUE(LockIsHeld(lock));

    StartupSandbox second;  // its own folders, the same runtime folder
    second.SetEnv("XDG_RUNTIME_DIR", box.RuntimeDir());
    const StartupResult r = second.Run();
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.messages.isEmpty());
    EXPECT_TRUE(r.trace.contains("another copy holds")) << r.trace.toStdString();
    EXPECT_TRUE(QDir(second.DataHome() + "/Kestrel/QUARTZEN").exists());
    EXPECT_TRUE(QDir(second.Home() + "/Documents/Kestrel document/ftp").exists());
    EXPECT_EQ(second.ProfileValue("Property", "dlg size"), QStringLiteral("<missing>"));  // never got that far

    ::kill(first, SIGTERM);
    box.Wait(first, 20000);
    EXPECT_FALSE(LockIsHeld(lock));  // released with the process
}

}  // namespace
