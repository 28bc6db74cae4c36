// kestrel-cli as a program: command-line errors, folder checks and exit
// codes. The cases that reach the plug-in skip when none is built.
#include "CliRunner.h"

#include <gtest/gtest.h>

TEST(CliRun, UsageErrorsAndHelp)
{
    CliRun r = RunCli({});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("no command given"), std::string::npos) << r.err;
    EXPECT_EQ(RunCli({"play", "/tmp"}).exitCode, 2);
    EXPECT_EQ(RunCli({"gps", "/tmp", "--format", "svg"}).exitCode, 2);

    for (const char* cmd : {"scan", "gps", "gsensor"}) {
        r = RunCli({cmd, "--help"});
        EXPECT_EQ(r.exitCode, 0) << cmd;
        EXPECT_NE(r.out.find(std::string("Usage: kestrel-cli ") + cmd), std::string::npos) << r.out;
        EXPECT_NE(r.out.find("Exit codes"), std::string::npos);
    }
    r = RunCli({"--help"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_NE(r.out.find("gsensor"), std::string::npos);
}

TEST(CliRun, MissingOrUnusableFolder)
{
    CliRun r = RunCli({"scan", "/nonexistent/card/folder"});
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_NE(r.err.find("folder not found: /nonexistent/card/folder"), std::string::npos) << r.err;
    EXPECT_EQ(RunCli({"gps", "/etc/hostname"}).exitCode, 3);  // a file, not a folder
}

TEST(CliRun, EmptyFolderAndUnknownPlugin)
{
    if (!PluginBuilt())
        GTEST_SKIP() << "no recording plug-in in " << KESTREL_APP_DIR << "/plugins";
    const std::string empty = std::filesystem::temp_directory_path() / ("kestrel-empty-" + std::to_string(getpid()));
    std::filesystem::create_directories(empty + "/sub");
    CliRun r = RunCli({"scan", empty});
    EXPECT_EQ(r.exitCode, 4);
    EXPECT_NE(r.err.find("no recordings found"), std::string::npos) << r.err;
    EXPECT_EQ(RunCli({"gps", empty}).exitCode, 4);
    r = RunCli({"scan", empty, "--plugin", "NO-SUCH-PLUGIN"});
    EXPECT_EQ(r.exitCode, 5);
    EXPECT_NE(r.err.find("'NO-SUCH-PLUGIN' not found"), std::string::npos) << r.err;
    std::filesystem::remove_all(empty);
}
