// The kestrel-cardgen program: help, option errors, and that its options
// reach the card (container, count, sound, size, start time).
#include "card_files.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sys/wait.h>

namespace fs = std::filesystem;

namespace {

int RunCardGen(const std::string& args)
{
    const std::string cmd = std::string(KESTREL_APP_DIR) + "/kestrel-cardgen " + args + " >/dev/null 2>&1";
    const int status = std::system(cmd.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

TEST(CardGenCli, HelpAndBadOptions)
{
    EXPECT_EQ(RunCardGen("--help"), 0);
    EXPECT_EQ(RunCardGen(""), 2);
    EXPECT_EQ(RunCardGen("--container tape /tmp/x"), 2);
    EXPECT_EQ(RunCardGen("--size 320 /tmp/x"), 2);
    EXPECT_EQ(RunCardGen("--start yesterday /tmp/x"), 2);
    EXPECT_EQ(RunCardGen("--fps 0 /tmp/kestrel_cardgen_cli_never"), 1) << "invalid values are refused";
    EXPECT_FALSE(fs::exists("/tmp/kestrel_cardgen_cli_never"));
}

TEST(CardGenCli, OptionsReachTheCard)
{
    const fs::path dir = fs::temp_directory_path() / ("kestrel_cardgen_cli_" + std::to_string(getpid()));
    fs::remove_all(dir);
    ASSERT_EQ(RunCardGen("--container mp4 --count 2 --duration 1 --size 96x64 --fps 4 --no-audio --channels 1 "
                  "--start \"2022-03-04 05:06:07\" --seed 9 " + dir.string()), 0);
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    ASSERT_EQ(names.size(), 2u);
    EXPECT_EQ(names[0].substr(0, 16), "20220304_050607_");
    const ProbedFile p = ProbeFile((dir / names[0]).string());
    EXPECT_EQ(p.video, 1);
    EXPECT_EQ(p.audio, 0);
    EXPECT_NEAR(p.videoSeconds, 1.0, 0.01);
    fs::remove_all(dir);
}
