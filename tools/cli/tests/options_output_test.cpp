#include "CliOptions.h"
#include "OutputFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>
#include <vector>

using namespace kestrel::cli;

namespace {

bool Parse(std::vector<const char*> args, CliOptions* o, std::string* error)
{
    args.insert(args.begin(), "kestrel-cli");
    return ParseCommandLine(static_cast<int>(args.size()), args.data(), o, error);
}

}  // namespace

TEST(CliOptions, CommandsFoldersAndOptions)
{
    CliOptions o;
    std::string err;
    ASSERT_TRUE(Parse({"scan", "/card", "--json", "--types", "1,3", "--newest-first"}, &o, &err)) << err;
    EXPECT_EQ(o.command, Command::Scan);
    EXPECT_EQ(o.folder, "/card");
    EXPECT_TRUE(o.json);
    EXPECT_TRUE(o.newestFirst);
    const int32_t want[8] = {0, 1, 0, 1, 0, 0, 0, 0};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(o.typeFlags[i], want[i]) << i;
    EXPECT_EQ(o.plugin, "QUARTZEN");
    EXPECT_FALSE(o.pluginGiven);

    ASSERT_TRUE(Parse({"gps", "--format=kml", "-o", "out.kml", "--plugin=OTHER", "/card"}, &o, &err)) << err;
    EXPECT_EQ(o.format, TrackFormat::Kml);
    EXPECT_EQ(o.output, "out.kml");
    EXPECT_EQ(o.plugin, "OTHER");
    EXPECT_TRUE(o.pluginGiven);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(o.typeFlags[i], 1) << i;

    ASSERT_TRUE(Parse({"gsensor", "--", "-odd-folder"}, &o, &err)) << err;
    EXPECT_EQ(o.folder, "-odd-folder");

    ASSERT_TRUE(Parse({"gps", "--help"}, &o, &err));
    EXPECT_TRUE(o.help);
    EXPECT_EQ(o.command, Command::Gps);
    ASSERT_TRUE(Parse({"--help"}, &o, &err));
    EXPECT_EQ(o.command, Command::None);
    EXPECT_NE(HelpText(Command::Gps).find("--format"), std::string::npos);
    EXPECT_NE(HelpText(Command::None).find("gsensor"), std::string::npos);
}

TEST(CliOptions, BadCommandLinesAreRefusedWithAReason)
{
    const std::vector<std::vector<const char*>> bad = {
        {},
        {"list", "/card"},
        {"scan"},
        {"scan", "/a", "/b"},
        {"scan", "/a", "--format", "gpx"},  // option of another command
        {"gps", "/a", "--json"},
        {"gps", "/a", "--format", "xml"},
        {"gps", "/a", "-o"},
        {"gsensor", "/a", "--types", "8"},
        {"gsensor", "/a", "--types", "1,,2"},
        {"gsensor", "/a", "--types="},
        {"scan", "/a", "--json=yes"},
        {"scan", ""},
    };
    for (const auto& args : bad) {
        CliOptions o;
        std::string err;
        EXPECT_FALSE(Parse(args, &o, &err)) << (args.empty() ? "(none)" : args[0]);
        EXPECT_FALSE(err.empty());
    }
}

TEST(OutputFile, WritesAtomicallyAndReportsFailure)
{
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / ("kestrel-out-" + std::to_string(getpid()));
    fs::create_directories(dir);
    const std::string target = (dir / "tracks.gpx").string();
    std::string err;
    ASSERT_TRUE(WriteOutput(target, "first", &err)) << err;
    ASSERT_TRUE(WriteOutput(target, "second version", &err)) << err;
    std::stringstream got;
    got << std::ifstream(target).rdbuf();
    EXPECT_EQ(got.str(), "second version");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);  // no temp left

    EXPECT_FALSE(WriteOutput((dir / "missing" / "x.gpx").string(), "data", &err));
    EXPECT_NE(err.find("missing/x.gpx"), std::string::npos) << err;
    // A folder in the way of the rename: the write fails and leaves no temp.
    fs::create_directories(dir / "taken");
    fs::create_directories(dir / "taken" / "inner");
    EXPECT_FALSE(WriteOutput((dir / "taken").string(), "data", &err));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 2);
    fs::remove_all(dir);
}
